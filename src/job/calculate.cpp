#include "calculate.h"

#include <cmath>

#include "angle_frame.h"
#include "disagreeing_points.h"
#include "exact_path.h"
#include "extended.h"
#include "go_no_go.h"
#include "least_squares.h"
#include "nearest_position.h"
#include "optimised_job.h"
#include "range_check.h"
#include "readings.h"
#include "refine.h"
#include "repeats.h"
#include "result_parts.h"
#include "setup_check.h"
#include "spread.h"

namespace balance4::job {

std::string_view RotationWordOf(PhaseConvention convention) {
    return convention == PhaseConvention::AgainstRotation ? "по вращению" : "против вращения";
}

namespace {

// Per plane, x_k trial weights as a mass in the job's unit and an angle from the zero mark.
std::optional<std::vector<Weight>> WeightsOf(const Job& job, const ComplexVector& x,
                                             const std::vector<Weight>& trial) {
    std::vector<Weight> weights;
    for (std::size_t k = 0; k < trial.size(); ++k) {
        const Complex w = x(static_cast<Eigen::Index>(k)) * TrialVector(trial[k]);
        const long double mass = std::abs(w) * RadiusRatio(PlaneOf(job, k, trial.size()));
        if (!std::isfinite(mass)) return std::nullopt;
        weights.push_back({static_cast<double>(mass), ResultAngle(w)});
    }
    return weights;
}

// Corrections in the job's unit from zero for one repetition of a least-squares job.
std::optional<std::vector<Weight>> LeastSquaresRepeat(const Job& job, const ComplexMatrix& runs,
                                                      const ComplexMatrix* fixedInfluence,
                                                      const std::vector<Weight>& trial) {
    const ComplexMatrix influence = fixedInfluence ? *fixedInfluence : Influence(runs, job.Trials);
    const std::optional<ComplexVector> x = SolveCorrection(influence, runs.col(0));
    if (!x) return std::nullopt;
    return WeightsOf(job, *x, trial);
}

JobResult CalculateLeastSquares(const Job& job, JobResult result) {
    std::optional<RunReadings> readings =
        ReadRuns(job.Readings, job.Points, job.Separator, result.Failures);
    const std::vector<Complex> slowRoll = ReadSlowRoll(job, result.Failures);
    const std::optional<RunReadings> repeated = ReadRepeats(job, result.Failures);
    if (!readings || !repeated || !result.Failures.empty()) return result;
    Tolerance tolerance = job.Instrument;
    if (!job.Repeats.empty()) {
        result.Scatter =
            ScatterUsed(job.Instrument, MeasuredScatter(*readings, job.Repeats, *repeated));
        tolerance = {result.Scatter.AmplitudePercent, result.Scatter.PhaseDegrees};
        readings = MeanRuns(*readings, job.Repeats, *repeated);
    }
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
    if (const std::optional<SuspectFit> suspect = FindSuspectPoint(runs, job.Trials, tolerance))
        if (const std::optional<std::vector<Weight>> without = WeightsOf(job, suspect->X, trial))
            result.Suspects.push_back({suspect->Point + 1, *without});
    Finish(result, job,
           EstimateSpread(*readings, job.Planes() + 1, NominalOf(result), tolerance,
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
    result.Scatter = {job.Instrument.AmplitudePercent, job.Instrument.PhaseDegrees, false};
    CheckSetup(job, result.Failures);
    if (!result.Failures.empty()) return result;
    CheckJobRanges(job, result.Failures);
    if (const std::optional<CellFailure> oversized = OversizedReading(job.Readings, job.Separator))
        result.Failures.push_back(*oversized);
    if (!result.Failures.empty()) return result;
    if (TrialMassMissing(job)) {
        JobResult percent = Calculate(PercentJob(job));
        percent.PercentOnly = true;
        return percent;
    }
    if (AnglesAsPhase(job)) {
        JobResult mirrored = Calculate(InCalculationFrame(job));
        IntoJobFrame(mirrored, job.Separator);
        return mirrored;
    }
    try {
        if (IsOptimised(job))
            result = CalculateOptimised(job, std::move(result));
        else
            result = IsExactShape(job) ? CalculateExact(job, std::move(result))
                                       : CalculateLeastSquares(job, std::move(result));
    } catch (const FloatingPointError& failure) {
        result = Overflow(job, failure);
    }
    if (result.Result == Outcome::Calculated) {
        AddRuleWarnings(result);
        AddNearestPositions(result, job);
    }
    return NameOverflowCause(job.Readings, job.Separator, std::move(result));
}

JobResult Trim(const Job& job, const std::vector<ReadingText>& run0) {
    const ExtendedPrecisionScope precision;
    JobResult result;
    result.RotationWord = RotationWordOf(job.Convention);
    result.Scatter = {job.Instrument.AmplitudePercent, job.Instrument.PhaseDegrees, false};
    CheckTrimSetup(job, run0, result.Failures);
    if (!result.Failures.empty()) return result;
    CheckRunRanges(run0, job.Separator, result.Failures);
    if (const std::optional<CellFailure> oversized = OversizedReading({run0}, job.Separator))
        result.Failures.push_back(*oversized);
    if (!result.Failures.empty()) return result;
    if (AnglesAsPhase(job)) {
        JobResult mirrored = Trim(InCalculationFrame(job), run0);
        IntoJobFrame(mirrored, job.Separator);
        return mirrored;
    }
    // Refined coefficients are used when the control runs refine them; else the saved ones.
    std::optional<Refinement> refinement = RefineCoefficients(job);
    const Coefficients saved = refinement ? refinement->Refined : *job.Saved;
    result.Refined = std::move(refinement);
    try {
        if (IsExactTrim(job, saved)) {
            result = TrimExact(job, saved, run0, std::move(result));
        } else {
            const std::optional<RunReadings> readings =
                ReadRuns({run0}, saved.Points, job.Separator, result.Failures);
            const std::vector<Complex> slowRoll = ReadSlowRoll(job, result.Failures);
            if (!readings || !result.Failures.empty()) return result;
            result = TrimLeastSquares(job, saved, *readings, slowRoll, std::move(result));
        }
    } catch (const FloatingPointError& failure) {
        result = Overflow(job, failure);
    }
    return NameOverflowCause({run0}, job.Separator, std::move(result));
}

}  // namespace balance4::job
