#include "exact_path.h"

#include "balancing_calculator.h"
#include "correction.h"
#include "extended.h"
#include "influence_matrix.h"
#include "least_squares.h"
#include "reading_fields.h"
#include "result_parts.h"
#include "setup_check.h"
#include "spread.h"

namespace balance4::job {

namespace {

InfluenceMatrix CoreMatrix(const Coefficients& saved) {
    InfluenceMatrix matrix;
    for (int p = 0; p < kPlaneCount; ++p)
        for (int k = 0; k < kPlaneCount; ++k) {
            const Coefficient& c = saved.Element[static_cast<std::size_t>(p * kPlaneCount + k)];
            matrix.Element[p + 1][k + 1] = {c.Magnitude, c.Angle};
        }
    return matrix;
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

// The calculator's refusals as cells and its outcome as the job's; true when it calculated.
bool TakePress(JobResult& result, const PressResult& press) {
    for (const RefusedField& refused : press.Failures) {
        const ReadingField& field = kReadingFields[static_cast<std::size_t>(refused.Field)];
        result.Failures.push_back(
            {field.Kind == ReadingKind::Amplitude ? Cell::Amplitude : Cell::Phase, field.Run,
             field.Plane - 1, -1, refused.Message});
    }
    if (press.Outcome == PressOutcome::InvalidTrialMass) result = NoSolution(std::move(result));
    if (press.Outcome != PressOutcome::Calculated) return false;
    result.Result = Outcome::Calculated;
    return true;
}

}  // namespace

bool IsExactShape(const Job& job) {
    return job.Planes() == kPlaneCount && job.Points == kPlaneCount &&
           job.Trials == TrialWeights::Removed && !HasSlowRoll(job) && job.Repeats.empty();
}

bool IsExactTrim(const Job& job, const Coefficients& saved) {
    return saved.Planes == kPlaneCount && saved.Points == kPlaneCount && !HasSlowRoll(job);
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
    if (!TakePress(result, press)) return result;
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

JobResult TrimExact(const Job& job, const Coefficients& saved,
                    const std::vector<ReadingText>& texts, JobResult result) {
    RunZeroTexts runZero;
    for (std::size_t p = 0; p < kPlaneCount; ++p) {
        runZero[2 * p] = texts[p].Amplitude;
        runZero[2 * p + 1] = texts[p].Phase;
    }
    const InfluenceMatrix matrix = CoreMatrix(saved);
    const MatrixSolveResult solve = SolveWithMatrix(matrix, runZero, job.Separator);
    if (!TakePress(result, solve)) return result;
    const CorrectionResult* const correction = &solve.Correction;
    RunReadings run0(1, std::vector<PolarReading>(kPlaneCount));
    for (std::size_t p = 0; p < kPlaneCount; ++p)
        run0[0][p] = {solve.Readings.Amplitude[0][p + 1], solve.Readings.Phase[0][p + 1]};
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

}  // namespace balance4::job
