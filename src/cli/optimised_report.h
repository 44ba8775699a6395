#pragma once
// What `job` prints of a correction by another objective than least squares, with limits or over
// several speeds: the objective, the limits, both answers' residuals side by side and the residual
// of every point at every speed.
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "job.h"
#include "job_report.h"

namespace balance4::cli {

// «min-max» or «least-squares», as the option names it.
std::string_view ObjectiveName(job::Objective objective);

// The table's lines; empty for a plain least-squares job.
std::string OptimisedLines(const JobReport& report);

// "objective" always; "optimised" with both answers' figures, the limits and each speed's
// condition number for an optimised job.
void AddOptimisedJson(const JobReport& report, nlohmann::ordered_json& json);

}  // namespace balance4::cli
