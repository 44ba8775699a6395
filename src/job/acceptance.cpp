#include "acceptance.h"

#include <cmath>
#include <numbers>

#include "calculate.h"
#include "readings.h"

namespace balance4::job {

namespace {

constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

RunVibration Measured(const Job& job, const std::vector<ReadingText>& texts, RunKind kind,
                      int number, std::string date) {
    RunVibration run{kind, number, std::move(date), {}, {}, {}};
    if (texts.size() != static_cast<std::size_t>(job.Points)) return run;  // a damaged record
    std::vector<CellFailure> failures;
    const std::optional<RunReadings> read = ReadRuns({texts}, job.Points, job.Separator, failures);
    if (!read || !failures.empty()) return run;
    for (const PolarReading& reading : read->front()) {
        run.Amplitude.push_back(reading.Amplitude);
        double degrees = std::fmod(reading.Phase * kDegreesPerRadian, 360.0);
        run.PhaseDegrees.push_back(degrees < 0 ? degrees + 360.0 : degrees);
    }
    return run;
}

std::vector<RunVibration> RecordedRuns(const Job& job) {
    std::vector<RunVibration> runs = {
        Measured(job, job.Readings.empty() ? std::vector<ReadingText>{} : job.Readings[0],
                 RunKind::Initial, 0, {})};
    int number = 0;
    for (const TrimRecord& record : job.TrimHistory)
        runs.push_back(Measured(job, record.Readings, RunKind::Control, ++number, record.Date));
    return runs;
}

void AddPrediction(std::vector<RunVibration>& runs, const JobResult& result) {
    if (result.Result != Outcome::Calculated) return;
    RunVibration predicted{RunKind::Predicted, 0, {}, {}, {}, {}};
    for (const PointResult& point : result.Points) {
        predicted.Amplitude.push_back(point.Amplitude);
        predicted.PhaseDegrees.push_back(point.PhaseDegrees);
    }
    runs.push_back(std::move(predicted));
}

Acceptance Judge(const Job& job, std::vector<RunVibration> runs) {
    Acceptance acceptance;
    acceptance.Runs = std::move(runs);
    if (job.Limit.empty() || LimitProblem(job)) return acceptance;
    acceptance.Limit = job.Limit.size() == 1
                           ? std::vector<double>(static_cast<std::size_t>(job.Points), job.Limit[0])
                           : job.Limit;
    for (std::size_t r = 0; r < acceptance.Runs.size(); ++r) {
        RunVibration& run = acceptance.Runs[r];
        for (std::size_t p = 0; p < run.Amplitude.size() && p < acceptance.Limit.size(); ++p)
            run.Above.push_back(run.Amplitude[p] > acceptance.Limit[p]);
        if (run.Kind != RunKind::Predicted && !run.Above.empty()) acceptance.Judged = r;
    }
    if (acceptance.Judged) {
        bool within = true;
        for (const bool above : acceptance.Runs[*acceptance.Judged].Above)
            within = within && !above;
        acceptance.Within = within;
    }
    return acceptance;
}

}  // namespace

std::optional<std::string> LimitProblem(const Job& job) {
    if (job.Limit.empty()) return std::nullopt;
    if (job.Limit.size() != 1 && job.Limit.size() != static_cast<std::size_t>(job.Points))
        return "норма вибрации: нужно одно число или по одному на каждую из " +
               std::to_string(job.Points) + " точек";
    for (const double limit : job.Limit)
        if (!std::isfinite(limit) || limit <= 0.0)
            return std::string("норма вибрации должна быть больше нуля");
    return std::nullopt;
}

Acceptance AcceptanceOfJob(const Job& job) {
    std::vector<RunVibration> runs = RecordedRuns(job);
    const JobResult prediction =
        job.TrimHistory.empty() ? Calculate(job) : Trim(job, job.TrimHistory.back().Readings);
    AddPrediction(runs, prediction);
    return Judge(job, std::move(runs));
}

Acceptance AcceptanceOfJob(const Job& job, const JobResult& calculated) {
    // A trim's result (no trial runs) is no prediction of the job's own correction. A job that
    // was not calculated predicts nothing: it is not calculated here either.
    const bool trim = calculated.Result == Outcome::Calculated && calculated.Runs.empty();
    if (!job.TrimHistory.empty() || trim) return AcceptanceOfJob(job);
    std::vector<RunVibration> runs = RecordedRuns(job);
    AddPrediction(runs, calculated);
    return Judge(job, std::move(runs));
}

Acceptance AcceptanceOfTrim(const Job& job, const std::vector<ReadingText>& run0,
                            const JobResult& trim) {
    std::vector<RunVibration> runs = RecordedRuns(job);
    runs.push_back(
        Measured(job, run0, RunKind::Control, static_cast<int>(job.TrimHistory.size()) + 1, {}));
    AddPrediction(runs, trim);
    return Judge(job, std::move(runs));
}

}  // namespace balance4::job
