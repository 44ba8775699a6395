#pragma once
// Calculating a job: the corrections, their spread and trust, and the split onto positions.
// Each entry sets extended precision for itself.
#include <string>
#include <string_view>
#include <vector>

#include "job.h"
#include "job_result.h"
#include "trim_record.h"  // recording a trim once it is made

namespace balance4::job {

// Which way result angles (and trial angles) run, relative to the rotation: opposite to the
// phase direction, so «по вращению» for the usual phase-lag instrument.
std::string_view RotationWordOf(PhaseConvention convention);

// A 4 × 4 job with trial weights removed and no slow roll goes the calculator's own way and gives
// its eight texts; any other shape is solved by complex least squares. Until every trial mass is
// given, the job is calculated as its PercentJob.
JobResult Calculate(const Job& job);

// A trim run: new corrections from the job's saved coefficients and a new run 0 (per point), with
// the weights installed on the rotor added in and combined into one weight per plane.
JobResult Trim(const Job& job, const std::vector<ReadingText>& run0);

}  // namespace balance4::job
