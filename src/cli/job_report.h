#pragma once
// What `job` and `trim` print: the corrections in the trial mass's unit and from the common zero,
// their split onto positions and their spread, as a Russian table or as one JSON object.
#include <array>
#include <string>

#include "job_options.h"
#include "job_result.h"
#include "reading_fields.h"

namespace balance4::cli {

struct JobReport {
    Command From = Command::Job;
    const JobOptions* Options = nullptr;     // unit, positions, tolerance, separator
    const job::JobResult* Result = nullptr;  // calculated, by the calculator's own path
    std::array<double, 4> TrialMass = {};
    std::array<double, 4> TrialAngle = {};
    std::string Unit;
    std::string Separator;
    std::string CoefficientFile;  // job: saved to; trim: read from; empty if none
};

std::string FormatTable(const JobReport& report);
std::string FormatJson(const JobReport& report);

}  // namespace balance4::cli
