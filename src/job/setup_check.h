#pragma once
// The checks a job's set-up passes before anything is calculated, and its slow roll.
#include <vector>

#include "job.h"
#include "job_result.h"
#include "least_squares.h"

namespace balance4::job {

// Appends a failure for each set-up cell that cannot be used, planes in order.
void CheckSetup(const Job& job, std::vector<CellFailure>& failures);

// The same for a trim run: saved coefficients of a usable shape and a new run of their points.
void CheckTrimSetup(const Job& job, const std::vector<ReadingText>& run0,
                    std::vector<CellFailure>& failures);

// Some point has a slow-roll text.
bool HasSlowRoll(const Job& job);

// The slow-roll vector of each point (zero where none is given), or empty when the job has none.
std::vector<Complex> ReadSlowRoll(const Job& job, std::vector<CellFailure>& failures);

}  // namespace balance4::job
