#pragma once
// The options of `balance4-calc job` and `balance4-calc trim`.
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "job.h"
#include "split.h"

namespace balance4::cli {

using job::EquallySpaced;
using job::NormalisedDegrees;
using job::Position;

enum class Command { Job, Trim };

struct JobOptions {
    // By plane 1..4 at index 0..3. Without --trial-mass the masses stay in percent.
    std::array<double, 4> TrialMass = {100.0, 100.0, 100.0, 100.0};
    std::array<double, 4> TrialAngle = {0.0, 0.0, 0.0, 0.0};
    bool TrialMassGiven = false;
    std::string Unit;  // the mass unit's name; "г" with trial masses, "%" without
    // Where weights can go, by plane; empty when no split was asked for.
    std::array<std::vector<Position>, 4> Positions;
    std::array<int, 4> Holes = {};  // 0 when the positions were listed
    double ToleranceAmplitudePercent = 2.0;
    double TolerancePhaseDegrees = 2.0;
    bool Json = false;
    bool Example = false;
    bool Help = false;
    std::string Separator;         // readings' decimal separator; empty: the locale's
    std::string SaveCoefficients;  // job: where to save the influence coefficients
    std::string Coefficients;      // trim: the saved coefficients to use
};

// Reads the arguments after the subcommand's name. Empty optional: `error` holds a one-line
// Russian message naming the option.
std::optional<JobOptions> ParseJobOptions(Command command,
                                          const std::vector<std::string_view>& args,
                                          std::string& error);

std::string_view Usage(Command command);

// The options' trial weights, positions, unit and tolerance as a 4 × 4 job's set-up.
job::Job JobFromOptions(const JobOptions& options, const std::string& separator);

}  // namespace balance4::cli
