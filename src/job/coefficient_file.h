#pragma once
// The older file of a 4 × 4 job's influence coefficients: a small versioned text with a checksum.
// New saves use the job file; these files must keep loading for trim runs.
#include <optional>
#include <string>
#include <string_view>

#include "job.h"

namespace balance4::job {

inline constexpr int kCoefficientFileVersion = 1;
inline constexpr std::string_view kCoefficientFileMagic = "balance4-coefficients";

// The file's text for 4 × 4 coefficients. Numbers are written in the shortest form that reads back
// to the same double.
std::string FormatCoefficientFile(const Coefficients& saved);

// The body followed by the checksum line that a file with this body ends with.
std::string WithChecksum(std::string_view body);

// Empty optional: `error` says in Russian why the text is not a whole, undamaged file of this
// version (foreign, newer, truncated, damaged at a line, checksum wrong).
std::optional<Coefficients> ParseCoefficientFile(std::string_view text, std::string& error);

}  // namespace balance4::job
