#include "refine.h"

#include <cmath>
#include <limits>

#include "calculate.h"
#include "extended.h"
#include "readings.h"
#include "result_parts.h"
#include "setup_check.h"
#include "weights.h"

namespace balance4::job {

namespace {

// A weight in the job's unit at the correction radius, in multiples of the trial weight.
Complex InTrialWeights(const Weight& weight, const Weight& trial, const PlaneSetup& plane) {
    const Complex at =
        std::polar(static_cast<long double>(weight.Mass) / RadiusRatio(plane),
                   -static_cast<long double>(weight.AngleDegrees) * kDegreesToRadians);
    return at / TrialVector(trial);
}

bool RepeatsAColumn(const ComplexMatrix& weights, Eigen::Index used, const ComplexVector& x) {
    for (Eigen::Index r = 0; r < used; ++r) {
        long double largest = 0.0L;
        for (Eigen::Index k = 0; k < x.size(); ++k)
            largest = std::max(largest, std::abs(weights(k, r) - x(k)));
        if (largest < kSameWeights) return true;
    }
    return false;
}

}  // namespace

std::optional<ComplexMatrix> FitCoefficients(const ComplexMatrix& readings,
                                             const ComplexMatrix& weights) {
    const Eigen::Index runs = readings.cols(), planes = weights.rows();
    if (weights.cols() != runs || runs < planes + 1) return std::nullopt;
    // Yᵀ = Xᵀ·Θᵀ in the least-squares sense: the normal equations of this are Θ·X·Xᴴ = Y·Xᴴ.
    ComplexMatrix design(runs, planes + 1);
    design.col(0).setOnes();
    design.rightCols(planes) = weights.transpose();
    Eigen::ColPivHouseholderQR<ComplexMatrix> qr(design);
    qr.setThreshold(kNoiseRatio);
    if (qr.rank() < planes + 1) return std::nullopt;
    const ComplexMatrix theta = qr.solve(ComplexMatrix(readings.transpose())).transpose();
    if (!theta.allFinite()) return std::nullopt;
    return theta;
}

std::optional<Refinement> RefineCoefficients(const Job& job) {
    if (!job.Refine || job.TrimHistory.empty() || !job.Saved) return std::nullopt;
    const Coefficients& saved = *job.Saved;
    const auto planes = static_cast<std::size_t>(saved.Planes);
    if (saved.Planes != job.Planes() || saved.Points != job.Points ||
        saved.Trial.size() != planes ||
        saved.Element.size() != planes * static_cast<std::size_t>(saved.Points))
        return std::nullopt;
    const JobResult first = Calculate(job);
    if (first.Result != Outcome::Calculated) return std::nullopt;

    std::vector<CellFailure> failures;
    std::vector<std::vector<ReadingText>> texts = job.Readings;
    for (const TrimRecord& record : job.TrimHistory) {
        if (record.Readings.size() != static_cast<std::size_t>(job.Points)) return std::nullopt;
        texts.push_back(record.Readings);
    }
    const std::optional<RunReadings> read = ReadRuns(texts, job.Points, job.Separator, failures);
    const std::vector<Complex> slowRoll = ReadSlowRoll(job, failures);
    if (!read || !failures.empty()) return std::nullopt;
    const ComplexMatrix all = RunVectors(*read, slowRoll);

    // The trial runs: trial weight k alone, or with those before it when they were left on.
    const auto trialRuns = static_cast<Eigen::Index>(planes + 1);
    ComplexMatrix readings(all.rows(), all.cols()), weights(saved.Planes, all.cols());
    weights.setZero();
    for (Eigen::Index r = 1; r < trialRuns; ++r)
        for (Eigen::Index k = (job.Trials == TrialWeights::Removed ? r - 1 : 0); k < r; ++k)
            weights(k, r) = 1.0L;
    readings.leftCols(trialRuns) = all.leftCols(trialRuns);

    // The control runs: the weights each record says were on the rotor; where it does not say,
    // the first correction and each recorded trim added after its own run.
    ComplexVector onRotor(saved.Planes);
    for (std::size_t k = 0; k < planes; ++k)
        onRotor(static_cast<Eigen::Index>(k)) = InTrialWeights(
            {first.Planes[k].Mass, first.Planes[k].AngleFromZero}, saved.Trial[k], job.Plane[k]);
    Refinement refinement;
    Eigen::Index used = trialRuns;
    for (std::size_t j = 0; j < job.TrimHistory.size(); ++j) {
        // What was on the rotor, where the record knows it: a trim recorded but not fitted, or
        // weights fitted other than calculated, are taken as they were.
        if (const auto& known = job.TrimHistory[j].OnRotor; !known.empty()) {
            if (known.size() != planes) return std::nullopt;
            for (std::size_t k = 0; k < planes; ++k) {
                Complex sum = 0.0L;
                for (const Weight& weight : known[k])
                    sum += InTrialWeights(weight, saved.Trial[k], job.Plane[k]);
                onRotor(static_cast<Eigen::Index>(k)) = sum;
            }
        }
        if (RepeatsAColumn(weights, used, onRotor)) {
            ++refinement.Repeated;
        } else {
            readings.col(used) = all.col(trialRuns + static_cast<Eigen::Index>(j));
            weights.col(used) = onRotor;
            ++used;
        }
        const std::vector<Weight>& correction = job.TrimHistory[j].Correction;
        if (correction.size() != planes) return std::nullopt;
        for (std::size_t k = 0; k < planes; ++k)
            onRotor(static_cast<Eigen::Index>(k)) +=
                InTrialWeights(correction[k], saved.Trial[k], job.Plane[k]);
    }
    if (used == trialRuns) return std::nullopt;
    const std::optional<ComplexMatrix> theta =
        FitCoefficients(readings.leftCols(used), weights.leftCols(used));
    if (!theta) return std::nullopt;

    const ComplexMatrix influence = theta->rightCols(saved.Planes);
    const ComplexMatrix before = InfluenceOf(saved);
    refinement.Refined = SavedFrom(influence, saved.Trial, saved.Unit);
    refinement.Runs = static_cast<int>(used);
    for (Eigen::Index p = 0; p < influence.rows(); ++p)
        for (Eigen::Index k = 0; k < influence.cols(); ++k) {
            const long double was = std::abs(before(p, k));
            refinement.ChangePercent.push_back(
                was > 0.0L
                    ? static_cast<double>(std::abs(influence(p, k) - before(p, k)) / was * 100.0L)
                    : std::numeric_limits<double>::infinity());
        }
    return refinement;
}

}  // namespace balance4::job
