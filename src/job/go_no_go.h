#pragma once
// The warnings a calculated job carries from the shared rules of thumb (job_result.h): weak and
// large trial runs, and corrections large for their trial mass.
#include "job.h"
#include "job_result.h"

namespace balance4::job {

// Appends the warnings of a calculated job's trial runs and corrections to result.Warnings.
void AddRuleWarnings(JobResult& result);

// Each warning's text: the run that holds plane k's trial weight, plane k (0-based), and the
// figure the rule was broken by, in percent.
std::string WeakRunWarning(std::size_t plane, double changePercent);
std::string LargeRunWarning(std::size_t plane, double changePercent);
std::string LightTrialWarning(std::size_t plane, double correctionPercent);

}  // namespace balance4::job
