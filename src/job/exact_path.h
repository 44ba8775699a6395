#pragma once
// A 4 × 4 job with trial weights removed and no slow roll goes the calculator's own way, so that
// its eight texts are the calculator's to the digit.
#include <vector>

#include "job.h"
#include "job_result.h"

namespace balance4::job {

bool IsExactShape(const Job& job);
// A trim over 4 × 4 coefficients with no slow roll.
bool IsExactTrim(const Job& job, const Coefficients& saved);

// `result` holds what was found so far (the rotation word); the calculation fills the rest.
JobResult CalculateExact(const Job& job, JobResult result);
JobResult TrimExact(const Job& job, const Coefficients& saved,
                    const std::vector<ReadingText>& texts, JobResult result);

}  // namespace balance4::job
