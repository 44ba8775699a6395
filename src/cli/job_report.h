#pragma once
// What `job` and `trim` print: the corrections in the trial mass's unit and from the common zero,
// their split onto positions and their spread, as a Russian table or as one JSON object.
#include <array>
#include <string>

#include "correction.h"
#include "job_options.h"
#include "reading_fields.h"
#include "tolerance.h"

namespace balance4::cli {

struct JobReport {
    Command From = Command::Job;
    const JobOptions* Options = nullptr;  // unit, positions, tolerance, separator
    std::array<std::string, kResultLabelCount> WindowTexts;  // LabelM1..LabelM4, LabelF1..LabelF4
    CorrectionResult Correction;  // in percent of the trial mass, as the window computes it
    std::array<double, 4> TrialMass = {};
    std::array<double, 4> TrialAngle = {};
    std::string Unit;
    std::string Separator;
    SpreadResult Spread;
    std::string CoefficientFile;  // job: saved to; trim: read from; empty if none
};

std::string FormatTable(const JobReport& report);
std::string FormatJson(const JobReport& report);

}  // namespace balance4::cli
