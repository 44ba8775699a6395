#include "disagreeing_points.h"

#include <cmath>
#include <numbers>

#include "number_text.h"

namespace balance4::job {

namespace {

using Real = ComplexVector::RealScalar;

// The most one reading of size |v| may be off, as a vector.
Real ReadingBound(const Complex& v, const Tolerance& tolerance) {
    const Real amplitude = tolerance.AmplitudePercent / 100.0L;
    const Real phase = tolerance.PhaseDegrees * std::numbers::pi_v<Real> / 180.0L;
    return std::abs(v) * std::sqrt(amplitude * amplitude + phase * phase);
}

ComplexMatrix WithoutRow(const ComplexMatrix& matrix, Eigen::Index row) {
    ComplexMatrix rest(matrix.rows() - 1, matrix.cols());
    for (Eigen::Index r = 0, to = 0; r < matrix.rows(); ++r)
        if (r != row) rest.row(to++) = matrix.row(r);
    return rest;
}

// Every point's residual within its bound; `skip` is left out of the check.
bool AllAgree(const ComplexMatrix& runs, const ComplexMatrix& influence, TrialWeights trials,
              const ComplexVector& x, const Tolerance& tolerance, Eigen::Index skip) {
    const ComplexVector residual = runs.col(0) + influence * x;
    for (Eigen::Index p = 0; p < runs.rows(); ++p)
        if (p != skip && std::abs(residual(p)) > ResidualBound(runs, trials, x, p, tolerance))
            return false;
    return true;
}

}  // namespace

Real ResidualBound(const ComplexMatrix& runs, TrialWeights trials, const ComplexVector& x,
                   Eigen::Index point, const Tolerance& tolerance) {
    Real bound = ReadingBound(runs(point, 0), tolerance);
    for (Eigen::Index k = 0; k < x.size(); ++k) {
        const Eigen::Index base = trials == TrialWeights::Removed ? 0 : k;
        bound += std::abs(x(k)) * (ReadingBound(runs(point, k + 1), tolerance) +
                                   ReadingBound(runs(point, base), tolerance));
    }
    return bound;
}

std::optional<SuspectFit> FindSuspectPoint(const ComplexMatrix& runs, TrialWeights trials,
                                           const Tolerance& tolerance) {
    const Eigen::Index points = runs.rows(), planes = runs.cols() - 1;
    // Without any tolerance every reading is exact and rounding alone would disagree.
    if (points < planes + kSpareSuspectPoints ||
        (tolerance.AmplitudePercent == 0.0 && tolerance.PhaseDegrees == 0.0))
        return std::nullopt;
    const ComplexMatrix influence = Influence(runs, trials);
    const std::optional<ComplexVector> x = SolveCorrection(influence, runs.col(0));
    if (!x || AllAgree(runs, influence, trials, *x, tolerance, -1)) return std::nullopt;

    std::optional<SuspectFit> suspect;
    Real worst = 1.0L;  // the suspect's misfit over its bound: above 1, the largest
    for (Eigen::Index p = 0; p < points; ++p) {
        const ComplexMatrix rest = WithoutRow(runs, p);
        const ComplexMatrix restInfluence = Influence(rest, trials);
        const std::optional<ComplexVector> without = SolveCorrection(restInfluence, rest.col(0));
        if (!without || !AllAgree(rest, restInfluence, trials, *without, tolerance, -1)) continue;
        const Complex misfit = runs(p, 0) + (influence.row(p) * *without)(0);
        const Real ratio = std::abs(misfit) / ResidualBound(runs, trials, *without, p, tolerance);
        if (ratio > worst) {
            worst = ratio;
            suspect = SuspectFit{static_cast<int>(p), *without};
        }
    }
    return suspect;
}

}  // namespace balance4::job

namespace balance4::job {

std::string SuspectPointMessage(int point) {
    return "Точка " + std::to_string(point + 1) +
           ": показания не согласуются с остальными — проверьте датчик и его канал";
}

std::string WithoutSuspectText(const SuspectPoint& suspect, const std::string& unit,
                               const std::string& separator) {
    std::string text = "Без точки " + std::to_string(suspect.Point) + ":";
    for (std::size_t k = 0; k < suspect.Without.size(); ++k)
        text += std::string(k == 0 ? " " : "; ") + "плоскость " + std::to_string(k + 1) + " — " +
                FormatResult(suspect.Without[k].Mass, separator) + " " + unit + ", " +
                FormatResult(suspect.Without[k].AngleDegrees, separator) + "° от нуля";
    return text;
}

}  // namespace balance4::job
