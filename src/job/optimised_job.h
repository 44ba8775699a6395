#pragma once
// Calculating a job whose objective, limits or speeds go beyond plain least squares at one speed.
#include <vector>

#include "job.h"
#include "job_result.h"

namespace balance4::job {

// Min-max, a limit of some point or plane, or more than one speed.
bool IsOptimised(const Job& job);

// Appends a failure for each limit or speed weight that cannot be used, and for readings of
// further speeds that do not have the job's shape.
void CheckOptimisation(const Job& job, std::vector<CellFailure>& failures);

// The job's correction by its objective within its limits, over every speed; `result` holds the
// set-up's checks, passed.
JobResult CalculateOptimised(const Job& job, JobResult result);

}  // namespace balance4::job
