#pragma once
// The subcommands of balance4-calc beside the line mode. Each returns the exit status.
#include <iosfwd>
#include <string_view>
#include <vector>

namespace balance4::cli {

// `job`: one complete case in grams, split onto positions, with its spread.
int RunJob(const std::vector<std::string_view>& args, std::istream& in, std::ostream& out,
           std::ostream& err);

// `trim`: a new run without weight against saved influence coefficients.
int RunTrim(const std::vector<std::string_view>& args, std::istream& in, std::ostream& out,
            std::ostream& err);

}  // namespace balance4::cli
