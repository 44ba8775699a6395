#include "least_squares.h"

#include <cmath>
#include <limits>

#include "extended.h"

namespace balance4::job {

Complex AsComplex(const PolarReading& reading) {
    const Extended a = reading.Amplitude;
    return {a * Cosine(reading.Phase), a * Sine(reading.Phase)};
}

ComplexMatrix RunVectors(const RunReadings& readings, const std::vector<Complex>& slowRoll) {
    const auto runs = static_cast<Eigen::Index>(readings.size());
    const auto points = static_cast<Eigen::Index>(readings.front().size());
    ComplexMatrix vectors(points, runs);
    for (Eigen::Index r = 0; r < runs; ++r)
        for (Eigen::Index p = 0; p < points; ++p) {
            vectors(p, r) =
                AsComplex(readings[static_cast<std::size_t>(r)][static_cast<std::size_t>(p)]);
            if (!slowRoll.empty()) vectors(p, r) -= slowRoll[static_cast<std::size_t>(p)];
        }
    return vectors;
}

ComplexMatrix Influence(const ComplexMatrix& runs, TrialWeights trials) {
    const Eigen::Index planes = runs.cols() - 1;
    ComplexMatrix influence(runs.rows(), planes);
    for (Eigen::Index k = 0; k < planes; ++k)
        influence.col(k) = runs.col(k + 1) - runs.col(trials == TrialWeights::Removed ? 0 : k);
    return influence;
}

std::optional<ComplexVector> SolveCorrection(const ComplexMatrix& influence,
                                             const ComplexVector& v0) {
    if (!influence.allFinite() || !v0.allFinite()) return std::nullopt;
    Eigen::ColPivHouseholderQR<ComplexMatrix> qr(influence);
    qr.setThreshold(kNoiseRatio);
    if (qr.rank() < influence.cols()) return std::nullopt;
    ComplexVector x = qr.solve(-v0);
    if (!x.allFinite()) return std::nullopt;
    return x;
}

double ConditionNumber(const ComplexMatrix& influence) {
    const Eigen::JacobiSVD<ComplexMatrix> svd(influence);
    const auto& values = svd.singularValues();
    const long double smallest = values(values.size() - 1);
    if (!(smallest > 0.0L)) return std::numeric_limits<double>::infinity();
    return static_cast<double>(values(0) / smallest);
}

}  // namespace balance4::job
