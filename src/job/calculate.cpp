#include "calculate.h"

#include <cmath>

#include "exact_path.h"
#include "extended.h"
#include "least_squares.h"
#include "optimised_job.h"
#include "readings.h"
#include "result_parts.h"
#include "setup_check.h"
#include "spread.h"

namespace balance4::job {

namespace {

// The result frame runs opposite to the phase direction: with phase lag, that is the rotation.
std::string_view RotationWordOf(PhaseConvention convention) {
    return convention == PhaseConvention::AgainstRotation ? "по вращению" : "против вращения";
}

// Corrections in the job's unit from zero for one repetition of a least-squares job.
std::optional<std::vector<Weight>> LeastSquaresRepeat(const Job& job, const ComplexMatrix& runs,
                                                      const ComplexMatrix* fixedInfluence,
                                                      const std::vector<Weight>& trial) {
    const ComplexMatrix influence = fixedInfluence ? *fixedInfluence : Influence(runs, job.Trials);
    const std::optional<ComplexVector> x = SolveCorrection(influence, runs.col(0));
    if (!x) return std::nullopt;
    std::vector<Weight> weights;
    for (std::size_t k = 0; k < trial.size(); ++k) {
        const Complex w = (*x)(static_cast<Eigen::Index>(k)) * TrialVector(trial[k]);
        const long double mass = std::abs(w) * RadiusRatio(PlaneOf(job, k, trial.size()));
        if (!std::isfinite(mass)) return std::nullopt;
        weights.push_back({static_cast<double>(mass), ResultAngle(w)});
    }
    return weights;
}

JobResult CalculateLeastSquares(const Job& job, JobResult result) {
    const std::optional<RunReadings> readings =
        ReadRuns(job.Readings, job.Points, job.Separator, result.Failures);
    const std::vector<Complex> slowRoll = ReadSlowRoll(job, result.Failures);
    if (!readings || !result.Failures.empty()) return result;
    const ComplexMatrix runs = RunVectors(*readings, slowRoll);
    const ComplexMatrix influence = Influence(runs, job.Trials);
    const std::optional<ComplexVector> x = SolveCorrection(influence, runs.col(0));
    if (!x) {
        return NoSolution(std::move(result));
    }
    result.Result = Outcome::Calculated;
    const std::vector<Weight> trial = TrialsOf(job);
    SetPlanes(result, job, *x, trial);
    SetPointsAndRuns(result, influence, runs.col(0), *x, &runs);
    result.Saved = SavedFrom(influence, trial, job.Unit);
    Finish(result, job,
           EstimateSpread(*readings, job.Planes() + 1, NominalOf(result), job.Instrument,
                          [&](const RunReadings& moved) {
                              return LeastSquaresRepeat(job, RunVectors(moved, slowRoll), nullptr,
                                                        trial);
                          }));
    return result;
}

JobResult TrimLeastSquares(const Job& job, const Coefficients& saved, const RunReadings& run0,
                           const std::vector<Complex>& slowRoll, JobResult result) {
    const ComplexMatrix influence = InfluenceOf(saved);
    const ComplexMatrix runs = RunVectors(run0, slowRoll);
    const std::optional<ComplexVector> x = SolveCorrection(influence, runs.col(0));
    if (!x) {
        return NoSolution(std::move(result));
    }
    result.Result = Outcome::Calculated;
    SetPlanes(result, job, *x, saved.Trial);
    for (PlaneResult& plane : result.Planes) plane.KeepTrial.reset();  // no trial weights now
    SetPointsAndRuns(result, influence, runs.col(0), *x, nullptr);
    AddInstalled(result, job);
    Finish(
        result, job,
        EstimateSpread(run0, 1, NominalOf(result), job.Instrument, [&](const RunReadings& moved) {
            return LeastSquaresRepeat(job, RunVectors(moved, slowRoll), &influence, saved.Trial);
        }));
    return result;
}

// A calculation ended by an overflow shows the runtime's text, as the calculator does.
JobResult Overflow(const Job& job, const FloatingPointError& failure) {
    JobResult overflow;
    overflow.RotationWord = RotationWordOf(job.Convention);
    overflow.Result = Outcome::NoSolution;
    overflow.Message = std::string(failure.what()) + ".";
    return overflow;
}

}  // namespace

std::string_view TrustWord(Trust trust) {
    switch (trust) {
        case Trust::Doubtful:
            return "сомнительно";
        case Trust::Unreliable:
            return "недостоверно";
        case Trust::Trusted:
            break;
    }
    return {};
}

JobResult Calculate(const Job& job) {
    const ExtendedPrecisionScope precision;
    JobResult result;
    result.RotationWord = RotationWordOf(job.Convention);
    CheckSetup(job, result.Failures);
    if (!result.Failures.empty()) return result;
    try {
        if (IsOptimised(job)) return CalculateOptimised(job, std::move(result));
        return IsExactShape(job) ? CalculateExact(job, std::move(result))
                                 : CalculateLeastSquares(job, std::move(result));
    } catch (const FloatingPointError& failure) {
        return Overflow(job, failure);
    }
}

void RecordTrim(Job& job, const std::vector<ReadingText>& run0, const JobResult& trim,
                const std::string& date) {
    if (trim.Result != Outcome::Calculated) return;
    TrimRecord record{date, run0, {}};
    job.Installed.resize(trim.Planes.size());
    for (std::size_t k = 0; k < trim.Planes.size(); ++k) {
        const PlaneResult& plane = trim.Planes[k];
        record.Correction.push_back({plane.Mass, plane.AngleFromZero});
        const Weight placed =
            plane.OnRotor ? *plane.OnRotor : Weight{plane.Mass, plane.AngleFromZero};
        std::vector<Weight>& installed = job.Installed[k];
        installed = {placed};
        if (plane.SplitAsked && !plane.Split.Refused) {
            installed.clear();
            for (const SplitPart& part : plane.Split.Parts)
                installed.push_back({part.Mass, part.At.AngleDegrees});
        }
    }
    job.TrimHistory.push_back(std::move(record));
}

JobResult Trim(const Job& job, const std::vector<ReadingText>& run0) {
    const ExtendedPrecisionScope precision;
    JobResult result;
    result.RotationWord = RotationWordOf(job.Convention);
    CheckTrimSetup(job, run0, result.Failures);
    if (!result.Failures.empty()) return result;
    const Coefficients& saved = *job.Saved;
    try {
        if (IsExactTrim(job, saved)) return TrimExact(job, saved, run0, std::move(result));
        const std::optional<RunReadings> readings =
            ReadRuns({run0}, saved.Points, job.Separator, result.Failures);
        const std::vector<Complex> slowRoll = ReadSlowRoll(job, result.Failures);
        if (!readings || !result.Failures.empty()) return result;
        return TrimLeastSquares(job, saved, *readings, slowRoll, std::move(result));
    } catch (const FloatingPointError& failure) {
        return Overflow(job, failure);
    }
}

}  // namespace balance4::job
