#pragma once
// Is the rotor balanced? The vibration at each point over the job's runs in order (run 0, each
// control run, the prediction of the correction now asked for) against the customer's limit.
#include <optional>
#include <string>
#include <vector>

#include "job.h"
#include "job_result.h"

namespace balance4::job {

enum class RunKind { Initial, Control, Predicted };

struct RunVibration {
    RunKind Kind = RunKind::Initial;
    int Number = 0;    // control runs: 1, 2, … in the order they were made
    std::string Date;  // control runs that were recorded: the day of their trim
    // Per point in the reading unit, as read (the prediction: slow roll taken off); empty when
    // the run's readings cannot be read.
    std::vector<double> Amplitude;
    std::vector<double> PhaseDegrees;
    std::vector<bool> Above;  // per point, past the limit; empty without a limit
};

struct Acceptance {
    std::vector<RunVibration> Runs;
    std::vector<double> Limit;  // per point; empty: no limit given, no verdict
    // The last measured run that could be read: the verdict is on it, not on a prediction.
    std::optional<std::size_t> Judged;
    std::optional<bool> Within;  // all points of the judged run within the limit
};

// The limit's count and values, or the Russian message refusing them; empty when usable.
std::optional<std::string> LimitProblem(const Job& job);

// The job as it stands: run 0, its recorded control runs, and the prediction of its correction
// now (the first correction, or the trim of the last control run).
Acceptance AcceptanceOfJob(const Job& job);

// The same, with the job's own calculation already made (`calculated`, of this job): a job with
// no control run predicts from it and is not calculated again; when it was refused or has no
// solution, nothing is predicted.
Acceptance AcceptanceOfJob(const Job& job, const JobResult& calculated);

// A trim just calculated from a new control run not yet recorded: that run after the recorded
// ones, and the trim's prediction.
Acceptance AcceptanceOfTrim(const Job& job, const std::vector<ReadingText>& run0,
                            const JobResult& trim);

}  // namespace balance4::job
