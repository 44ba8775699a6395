#pragma once
// Complex least squares in extended precision for a job of any shape.
#include <Eigen/Dense>
#include <complex>
#include <optional>

#include "job.h"
#include "spread.h"

namespace balance4::job {

using Complex = std::complex<long double>;
using ComplexMatrix = Eigen::Matrix<Complex, Eigen::Dynamic, Eigen::Dynamic>;
using ComplexVector = Eigen::Matrix<Complex, Eigen::Dynamic, 1>;

// A pivot at or below this fraction of the largest one is rounding noise: the system has no
// solution, as with the calculator's determinant test.
inline constexpr long double kNoiseRatio = 1e-12L;

// a·e^(iφ) through the x87 sine and cosine.
Complex AsComplex(const PolarReading& reading);

// Readings as vectors, slow roll (per point, may be empty) taken off: [run][point].
ComplexMatrix RunVectors(const RunReadings& readings, const std::vector<Complex>& slowRoll);

// Column k: the change at each point caused by trial weight k, from runs 0..planes (the columns of
// `runs` are the runs).
ComplexMatrix Influence(const ComplexMatrix& runs, TrialWeights trials);

// x minimising |v0 + D·x|, in multiples of each plane's trial weight. Empty when D is rank
// deficient or at rounding-noise level, or the result is not finite.
std::optional<ComplexVector> SolveCorrection(const ComplexMatrix& influence,
                                             const ComplexVector& v0);

// Largest over smallest singular value; infinite for a singular matrix.
double ConditionNumber(const ComplexMatrix& influence);

}  // namespace balance4::job
