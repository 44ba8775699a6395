#pragma once
// Calculating a job: the corrections, their spread and trust, and the split onto positions.
// Each entry sets extended precision for itself.
#include <string>
#include <vector>

#include "job.h"
#include "job_result.h"

namespace balance4::job {

// A 4 × 4 job with trial weights removed and no slow roll goes the calculator's own way and gives
// its eight texts; any other shape is solved by complex least squares.
JobResult Calculate(const Job& job);

// A trim run: new corrections from the job's saved coefficients and a new run 0 (per point), with
// the weights installed on the rotor added in and combined into one weight per plane.
JobResult Trim(const Job& job, const std::vector<ReadingText>& run0);

// Once a calculated trim's weights are on the rotor: the run goes into the history and each
// plane's installed weights become the one weight now there (the split parts where the weight was
// split). Does nothing for a trim that was not calculated.
void RecordTrim(Job& job, const std::vector<ReadingText>& run0, const JobResult& trim,
                const std::string& date);

}  // namespace balance4::job
