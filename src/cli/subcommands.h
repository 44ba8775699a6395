#pragma once
// The subcommands of balance4-calc beside the line mode. Each returns the exit status.
#include <iosfwd>

#include "options.h"

namespace balance4::cli {

// `job`: one complete case in grams, split onto positions, with its spread.
int RunJob(const Options& options, std::istream& in, std::ostream& out, std::ostream& err);

// `trim`: a new run without weight against saved influence coefficients.
int RunTrim(const Options& options, std::istream& in, std::ostream& out, std::ostream& err);

// `iso`: the permissible residual unbalance by balance grade, and a job's residuals against it.
int RunIso(const Options& options, std::ostream& out, std::ostream& err);
// `trial-weight`: the trial mass per plane for a rotor's mass, speed and trial radius.
int RunTrialWeight(const Options& options, std::ostream& out, std::ostream& err);

}  // namespace balance4::cli
