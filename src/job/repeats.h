#pragma once
// Repeated readings of a run: their vector mean for the solve, and how far they scatter, which
// replaces the instrument's tolerance where it is larger.
#include <optional>
#include <string>
#include <vector>

#include "job.h"
#include "job_result.h"
#include "spread.h"

namespace balance4::job {

// More repeats of one run than anyone reads; more are refused rather than compared pair by pair.
inline constexpr int kMostRepeats = 50;

// Appends a failure for each repeat of a run the job does not have or of another length, for
// runs repeated more than kMostRepeats times, and for
// each text of a repeat that cannot be read (the cells RepeatAmplitude and RepeatPhase, Run being
// the repeat's index in Job::Repeats). Empty optional when any was refused.
std::optional<RunReadings> ReadRepeats(const Job& job, std::vector<CellFailure>& failures);

// The readings of each run replaced by their mean with its repeats, as vectors.
RunReadings MeanRuns(const RunReadings& readings, const std::vector<RepeatRun>& repeats,
                     const RunReadings& repeated);

// The largest difference between two readings of the same run and point: in amplitude, in
// percent of their mean amplitude; in phase, in degrees. Zero without repeats.
Tolerance MeasuredScatter(const RunReadings& readings, const std::vector<RepeatRun>& repeats,
                          const RunReadings& repeated);

// What the spread assumes: per component, the larger of the measured scatter and the tolerance.
ReadingScatter ScatterUsed(const Tolerance& instrument, const Tolerance& measured);

// Where the spread's reading error came from, for a window or a report: «±10 % по амплитуде и
// ±10° по фазе — по разбросу повторных показаний (он больше погрешности прибора)», or «— по
// погрешности прибора».
std::string ScatterText(const ReadingScatter& scatter, const std::string& separator);

}  // namespace balance4::job
