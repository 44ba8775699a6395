#include "calculate.h"

#include <cmath>
#include <limits>

#include "balancing_calculator.h"
#include "correction.h"
#include "extended.h"
#include "influence_matrix.h"
#include "least_squares.h"
#include "reading_fields.h"
#include "readings.h"
#include "setup_check.h"
#include "spread.h"
#include "weights.h"

namespace balance4::job {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// The result frame runs opposite to the phase direction: with phase lag, that is the rotation.
std::string_view RotationWordOf(PhaseConvention convention) {
    return convention == PhaseConvention::AgainstRotation ? "по вращению" : "против вращения";
}

// −arg(v) in degrees, in [0, 360).
double ResultAngle(Complex v) {
    return NormalisedDegrees(-static_cast<double>(std::arg(v) * kRadiansToDegrees));
}

Complex TrialVector(const Weight& trial) {
    return std::polar(static_cast<long double>(trial.Mass),
                      -static_cast<long double>(trial.AngleDegrees) * kDegreesToRadians);
}

// Correction mass at the correction radius per mass at the trial radius.
double RadiusRatio(const PlaneSetup& plane) {
    return plane.TrialRadius > 0.0 && plane.CorrectionRadius > 0.0
               ? plane.TrialRadius / plane.CorrectionRadius
               : 1.0;
}

// What a job with `planes` planes uses per plane: its own set-up, else the defaults.
PlaneSetup PlaneOf(const Job& job, std::size_t k, std::size_t planes) {
    return job.Plane.size() == planes ? job.Plane[k] : PlaneSetup{};
}

// Per plane: the correction x_k in multiples of trial weight k, as the result shows it.
void SetPlanes(JobResult& result, const Job& job, const ComplexVector& x,
               const std::vector<Weight>& trial) {
    const std::size_t planes = trial.size();
    result.Planes.assign(planes, {});
    for (std::size_t k = 0; k < planes; ++k) {
        PlaneResult& plane = result.Planes[k];
        const Complex w = x(static_cast<Eigen::Index>(k)) * TrialVector(trial[k]);
        const double ratio = RadiusRatio(PlaneOf(job, k, planes));
        plane.Percent = Store(std::abs(x(static_cast<Eigen::Index>(k))) * 100.0L);
        plane.AngleFromTrial = ResultAngle(x(static_cast<Eigen::Index>(k)));
        plane.AngleFromZero = ResultAngle(w);
        plane.Mass = Store(std::abs(w) * ratio);
        if (job.Trials == TrialWeights::LeftOn) {
            const Complex rest = w - TrialVector(trial[k]);
            plane.KeepTrial = Weight{Store(std::abs(rest) * ratio), ResultAngle(rest)};
        }
    }
}

// Residuals after the correction and, for a full job, the effect of each trial run.
void SetPointsAndRuns(JobResult& result, const ComplexMatrix& influence, const ComplexVector& v0,
                      const ComplexVector& x, const ComplexMatrix* runs) {
    const ComplexVector residual = v0 + influence * x;
    const bool square = influence.rows() == influence.cols();
    result.Points.assign(static_cast<std::size_t>(v0.size()), {});
    for (Eigen::Index p = 0; p < v0.size(); ++p) {
        if (square) continue;  // zero but for rounding
        PointResult& point = result.Points[static_cast<std::size_t>(p)];
        point.Amplitude = Store(std::abs(residual(p)));
        point.PhaseDegrees =
            point.Amplitude > 0.0
                ? NormalisedDegrees(static_cast<double>(std::arg(residual(p)) * kRadiansToDegrees))
                : 0.0;
    }
    result.ConditionNumber = ConditionNumber(influence);
    if (runs == nullptr) return;
    for (Eigen::Index k = 0; k < influence.cols(); ++k) {
        double largest = 0.0;
        for (Eigen::Index p = 0; p < v0.size(); ++p) {
            const long double base = std::abs((*runs)(p, 0));
            const long double change = std::abs(influence(p, k));
            // A run 0 near zero makes any change huge: infinite, not an overflow.
            const double percent = base > 0.0L     ? static_cast<double>(change / base * 100.0L)
                                   : change > 0.0L ? kInfinity
                                                   : 0.0;
            largest = std::max(largest, percent);
        }
        result.Runs.push_back({largest, largest < kWeakRunPercent});
    }
}

// Split onto the plane's positions, and the trust of the whole solution.
void Finish(JobResult& result, const Job& job, const SpreadResult& spread) {
    const std::size_t planes = result.Planes.size();
    result.SpreadSamples = kSpreadSamples;
    result.SpreadFailed = spread.Failed;
    std::string unreliable;
    for (std::size_t k = 0; k < planes; ++k) {
        PlaneResult& plane = result.Planes[k];
        plane.Spread = spread.Plane[k];
        const std::vector<Position> positions = PositionsOf(PlaneOf(job, k, planes));
        plane.SplitAsked = !positions.empty();
        const Weight placed =
            plane.OnRotor ? *plane.OnRotor : Weight{plane.Mass, plane.AngleFromZero};
        if (plane.SplitAsked) plane.Split = Split(placed.Mass, placed.AngleDegrees, positions);
        if (plane.Spread.Level == Trust::Unreliable)
            unreliable += (unreliable.empty() ? "" : ", ") + std::to_string(k + 1);
    }
    if (unreliable.empty()) return;
    result.Untrusted = true;
    result.UntrustedReason =
        (unreliable.find(',') == std::string::npos ? "в плоскости " : "в плоскостях ") +
        unreliable +
        " разброс больше самой поправки; плоскости решаются вместе, поэтому не верна ни одна";
}

InfluenceMatrix CoreMatrix(const Coefficients& saved) {
    InfluenceMatrix matrix;
    for (int p = 0; p < kPlaneCount; ++p)
        for (int k = 0; k < kPlaneCount; ++k) {
            const Coefficient& c = saved.Element[static_cast<std::size_t>(p * kPlaneCount + k)];
            matrix.Element[p + 1][k + 1] = {c.Magnitude, c.Angle};
        }
    return matrix;
}

Coefficients SavedFrom(const ComplexMatrix& influence, const std::vector<Weight>& trial,
                       const std::string& unit) {
    Coefficients saved{
        static_cast<int>(influence.cols()), static_cast<int>(influence.rows()), {}, trial, unit};
    for (Eigen::Index p = 0; p < influence.rows(); ++p)
        for (Eigen::Index k = 0; k < influence.cols(); ++k)
            saved.Element.push_back(
                {Store(std::abs(influence(p, k))), Store(std::arg(influence(p, k)))});
    return saved;
}

ComplexMatrix InfluenceOf(const Coefficients& saved) {
    ComplexMatrix influence(saved.Points, saved.Planes);
    for (Eigen::Index p = 0; p < saved.Points; ++p)
        for (Eigen::Index k = 0; k < saved.Planes; ++k) {
            const Coefficient& c = saved.Element[static_cast<std::size_t>(p * saved.Planes + k)];
            influence(p, k) = AsComplex({c.Magnitude, c.Angle});
        }
    return influence;
}

std::vector<Weight> TrialsOf(const Job& job) {
    std::vector<Weight> trial;
    for (const PlaneSetup& plane : job.Plane) trial.push_back({plane.TrialMass, plane.TrialAngle});
    return trial;
}

// The calculator's percent and angle as a multiple of the trial weight: x = M/100·e^(−iF).
ComplexVector FromCorrection(const CorrectionResult& correction) {
    ComplexVector x(kPlaneCount);
    for (int k = 1; k <= kPlaneCount; ++k)
        x(k - 1) = std::polar(
            static_cast<long double>(correction.Plane[k].MassPercent) / 100.0L,
            -static_cast<long double>(correction.Plane[k].AngleDegrees) * kDegreesToRadians);
    return x;
}

// Per plane, the calculator's own numbers over the vectors' ones where they exist.
void SetExactPlanes(JobResult& result, const Job& job, const CorrectionResult& correction,
                    const std::vector<Weight>& trial) {
    SetPlanes(result, job, FromCorrection(correction), trial);
    for (std::size_t k = 0; k < trial.size(); ++k) {
        PlaneResult& plane = result.Planes[k];
        const PlaneCorrection& exact = correction.Plane[k + 1];
        plane.Percent = exact.MassPercent;
        plane.AngleFromTrial = exact.AngleDegrees;
        // Both angles run the same way: the calculator's from the trial weight, the trial
        // weight's from the zero mark.
        plane.AngleFromZero = NormalisedDegrees(exact.AngleDegrees + trial[k].AngleDegrees);
        plane.Mass = exact.MassPercent / 100.0 * trial[k].Mass * RadiusRatio(PlaneOf(job, k, 4));
    }
}

std::vector<Weight> NominalOf(const JobResult& result) {
    std::vector<Weight> nominal;
    for (const PlaneResult& plane : result.Planes)
        nominal.push_back({plane.Mass, plane.AngleFromZero});
    return nominal;
}

// The calculator's percent in the job's unit, as each repetition of the exact path gives it.
std::vector<Weight> ExactNominal(const JobResult& result, const std::vector<double>& scale) {
    std::vector<Weight> nominal;
    for (std::size_t k = 0; k < result.Planes.size(); ++k)
        nominal.push_back(
            {result.Planes[k].Percent * scale[k] / 100.0, result.Planes[k].AngleFromTrial});
    return nominal;
}

// The calculator's 4 × 4 path over the given matrix (or one built from all runs).
std::optional<std::vector<Weight>> ExactRepeat(const RunReadings& readings,
                                               const InfluenceMatrix& nominal, bool rebuild,
                                               const std::vector<double>& scale) {
    MeasurementSet set;
    for (int p = 1; p <= kPlaneCount; ++p) set.TrialMass[p] = kDefaultTrialMass;
    for (std::size_t r = 0; r < readings.size(); ++r)
        for (std::size_t p = 0; p < kPlaneCount; ++p) {
            set.Amplitude[r][p + 1] = readings[r][p].Amplitude;
            set.Phase[r][p + 1] = readings[r][p].Phase;
        }
    std::optional<CorrectionResult> correction;
    try {
        InfluenceMatrix matrix = nominal;  // angles of zero differences carry over as usual
        if (rebuild) ComputeInfluenceMatrix(set, matrix);
        correction = ComputeCorrection(matrix, set);
    } catch (const FloatingPointError&) {
    }
    if (!correction) return std::nullopt;
    std::vector<Weight> weights;
    for (int k = 1; k <= kPlaneCount; ++k)
        weights.push_back(
            {correction->Plane[k].MassPercent * scale[static_cast<std::size_t>(k - 1)] / 100.0,
             correction->Plane[k].AngleDegrees});
    return weights;
}

std::vector<double> ExactScale(const Job& job, const std::vector<Weight>& trial) {
    std::vector<double> scale;
    for (std::size_t k = 0; k < trial.size(); ++k)
        scale.push_back(trial[k].Mass * RadiusRatio(PlaneOf(job, k, trial.size())));
    return scale;
}

bool IsExactShape(const Job& job) {
    return job.Planes() == kPlaneCount && job.Points == kPlaneCount &&
           job.Trials == TrialWeights::Removed && !HasSlowRoll(job);
}

JobResult CalculateExact(const Job& job, JobResult result) {
    BalancingCalculator calculator;
    calculator.SetTrialMasses();
    ReadingTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const ReadingField& field = kReadingFields[i];
        const ReadingText& text = job.Readings[static_cast<std::size_t>(field.Run)]
                                              [static_cast<std::size_t>(field.Plane - 1)];
        texts[i] = field.Kind == ReadingKind::Amplitude ? text.Amplitude : text.Phase;
    }
    const PressResult press = calculator.Press(texts, job.Separator);
    for (const RefusedField& refused : press.Failures) {
        const ReadingField& field = kReadingFields[static_cast<std::size_t>(refused.Field)];
        result.Failures.push_back(
            {field.Kind == ReadingKind::Amplitude ? Cell::Amplitude : Cell::Phase, field.Run,
             field.Plane - 1, -1, refused.Message});
    }
    if (press.Outcome == PressOutcome::Refused) return result;
    if (press.Outcome == PressOutcome::InvalidTrialMass) {
        result.Result = Outcome::NoSolution;
        result.Message = kInvalidTrialMassMessage;
        return result;
    }
    result.Result = Outcome::Calculated;
    result.Exact = true;
    result.WindowTexts = press.Texts;
    const std::vector<Weight> trial = TrialsOf(job);
    SetExactPlanes(result, job, press.Correction, trial);

    RunReadings readings(kRunCount, std::vector<PolarReading>(kPlaneCount));
    for (std::size_t r = 0; r < kRunCount; ++r)
        for (std::size_t p = 0; p < kPlaneCount; ++p)
            readings[r][p] = {calculator.Measurements().Amplitude[r][p + 1],
                              calculator.Measurements().Phase[r][p + 1]};
    const ComplexMatrix runs = RunVectors(readings, {});
    Coefficients saved{kPlaneCount, kPlaneCount, {}, trial, job.Unit};
    for (int p = 1; p <= kPlaneCount; ++p)
        for (int k = 1; k <= kPlaneCount; ++k)
            saved.Element.push_back({calculator.Matrix().Element[p][k].Magnitude,
                                     calculator.Matrix().Element[p][k].Angle});
    result.Saved = saved;
    const ComplexVector x = FromCorrection(press.Correction);
    SetPointsAndRuns(result, InfluenceOf(saved), runs.col(0), x, &runs);

    const std::vector<double> scale = ExactScale(job, trial);
    const InfluenceMatrix nominal = calculator.Matrix();
    Finish(result, job,
           EstimateSpread(
               readings, kRunCount, ExactNominal(result, scale), job.Instrument,
               [&](const RunReadings& moved) { return ExactRepeat(moved, nominal, true, scale); }));
    return result;
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
        result.Result = Outcome::NoSolution;
        result.Message = kInvalidTrialMassMessage;
        return result;
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

// Trim: installed weights and the new correction as one weight per plane.
void AddInstalled(JobResult& result, const Job& job) {
    if (job.Installed.size() != result.Planes.size()) return;
    for (std::size_t k = 0; k < result.Planes.size(); ++k) {
        PlaneResult& plane = result.Planes[k];
        std::vector<Weight> weights = job.Installed[k];
        if (weights.empty()) continue;
        weights.push_back({plane.Mass, plane.AngleFromZero});
        plane.OnRotor = Combine(weights);
    }
}

JobResult TrimExact(const Job& job, const Coefficients& saved,
                    const std::vector<ReadingText>& texts, JobResult result) {
    RunZeroTexts runZero;
    for (std::size_t p = 0; p < kPlaneCount; ++p) {
        runZero[2 * p] = texts[p].Amplitude;
        runZero[2 * p + 1] = texts[p].Phase;
    }
    const InfluenceMatrix matrix = CoreMatrix(saved);
    const MatrixSolveResult solve = SolveWithMatrix(matrix, runZero, job.Separator);
    for (const RefusedField& refused : solve.Failures) {
        const ReadingField& field = kReadingFields[static_cast<std::size_t>(refused.Field)];
        result.Failures.push_back(
            {field.Kind == ReadingKind::Amplitude ? Cell::Amplitude : Cell::Phase, field.Run,
             field.Plane - 1, -1, refused.Message});
    }
    if (solve.Outcome == PressOutcome::Refused) return result;
    if (solve.Outcome == PressOutcome::InvalidTrialMass) {
        result.Result = Outcome::NoSolution;
        result.Message = kInvalidTrialMassMessage;
        return result;
    }
    const CorrectionResult* const correction = &solve.Correction;
    RunReadings run0(1, std::vector<PolarReading>(kPlaneCount));
    for (std::size_t p = 0; p < kPlaneCount; ++p)
        run0[0][p] = {solve.Readings.Amplitude[0][p + 1], solve.Readings.Phase[0][p + 1]};
    result.Result = Outcome::Calculated;
    result.Exact = true;
    result.WindowTexts = solve.Texts;
    SetExactPlanes(result, job, *correction, saved.Trial);
    const ComplexMatrix runs = RunVectors(run0, {});
    SetPointsAndRuns(result, InfluenceOf(saved), runs.col(0), FromCorrection(*correction), nullptr);
    AddInstalled(result, job);
    const std::vector<double> scale = ExactScale(job, saved.Trial);
    Finish(result, job,
           EstimateSpread(
               run0, 1, ExactNominal(result, scale), job.Instrument,
               [&](const RunReadings& moved) { return ExactRepeat(moved, matrix, false, scale); }));
    return result;
}

JobResult TrimLeastSquares(const Job& job, const Coefficients& saved, const RunReadings& run0,
                           const std::vector<Complex>& slowRoll, JobResult result) {
    const ComplexMatrix influence = InfluenceOf(saved);
    const ComplexMatrix runs = RunVectors(run0, slowRoll);
    const std::optional<ComplexVector> x = SolveCorrection(influence, runs.col(0));
    if (!x) {
        result.Result = Outcome::NoSolution;
        result.Message = kInvalidTrialMassMessage;
        return result;
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
        return IsExactShape(job) ? CalculateExact(job, std::move(result))
                                 : CalculateLeastSquares(job, std::move(result));
    } catch (const FloatingPointError& failure) {
        JobResult overflow;
        overflow.RotationWord = RotationWordOf(job.Convention);
        overflow.Result = Outcome::NoSolution;
        overflow.Message = std::string(failure.what()) + ".";
        return overflow;
    }
}

JobResult Trim(const Job& job, const std::vector<ReadingText>& run0) {
    const ExtendedPrecisionScope precision;
    JobResult result;
    result.RotationWord = RotationWordOf(job.Convention);
    CheckTrimSetup(job, run0, result.Failures);
    if (!result.Failures.empty()) return result;
    const Coefficients& saved = *job.Saved;
    try {
        if (saved.Planes == kPlaneCount && saved.Points == kPlaneCount && !HasSlowRoll(job))
            return TrimExact(job, saved, run0, std::move(result));
        const std::optional<RunReadings> readings =
            ReadRuns({run0}, saved.Points, job.Separator, result.Failures);
        const std::vector<Complex> slowRoll = ReadSlowRoll(job, result.Failures);
        if (!readings || !result.Failures.empty()) return result;
        return TrimLeastSquares(job, saved, *readings, slowRoll, std::move(result));
    } catch (const FloatingPointError& failure) {
        JobResult overflow;
        overflow.RotationWord = RotationWordOf(job.Convention);
        overflow.Result = Outcome::NoSolution;
        overflow.Message = std::string(failure.what()) + ".";
        return overflow;
    }
}

}  // namespace balance4::job
