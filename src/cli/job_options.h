#pragma once
// The settings of a 4 × 4 `job` or `trim`, from the command line's options.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "options.h"
#include "split.h"

namespace balance4::cli {

struct JobOptions {
    Command From = Command::Job;
    // By plane 1..4 at index 0..3. Without --trial-mass the masses stay in percent.
    std::array<double, 4> TrialMass = {100.0, 100.0, 100.0, 100.0};
    std::array<double, 4> TrialAngle = {0.0, 0.0, 0.0, 0.0};
    std::string Unit;  // the mass unit's name; "г" with trial masses, "%" without
    // Where weights can go, by plane; empty when no split was asked for.
    std::array<std::vector<Position>, 4> Positions;
    std::array<int, 4> Holes = {};  // 0 when the positions were listed
    double ToleranceAmplitudePercent = 2.0;
    double TolerancePhaseDegrees = 2.0;
    bool Json = false;
    bool Example = false;
    std::string Separator;
    std::string SaveCoefficients;
    std::string Coefficients;
};

// Empty optional: `error` is one Russian line naming the option.
std::optional<JobOptions> ToJobOptions(const Options& options, std::string& error);

}  // namespace balance4::cli
