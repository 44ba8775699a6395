#pragma once
// The box of weights as an option gives it: «5×4; 10×3; 20×2», each kind a mass and how many of
// it («x» or «*» for «×»; a decimal point, or a comma).
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "job.h"

namespace balance4::cli {

std::optional<std::vector<job::BoxMass>> ParseWeightsBox(std::string_view text, std::string& error);

}  // namespace balance4::cli
