#pragma once
// Reading and writing the coefficient file of `job --save-coefficients` and `trim`.
#include <optional>
#include <string>

#include "coefficient_file.h"

namespace balance4::cli {

// Writes through a temporary file and a rename, so an existing file is never left half written.
bool SaveCoefficientFile(const std::string& path, const job::Coefficients& saved,
                         std::string& error);
std::optional<job::Coefficients> LoadCoefficientFile(const std::string& path, std::string& error);

}  // namespace balance4::cli
