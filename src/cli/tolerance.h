#pragma once
// How far a result can be trusted: the calculation repeated with every reading moved within the
// instrument's tolerance, and the spread that 95 % of these results stay within.
#include <array>

#include "correction.h"
#include "influence_matrix.h"
#include "measurement_set.h"

namespace balance4::cli {

inline constexpr int kToleranceSamples = 500;
inline constexpr unsigned long long kToleranceSeed =
    20240917;  // fixed: the same input, the same spread

struct Tolerance {
    double AmplitudePercent = 2.0;  // each amplitude times 1 + u·A/100
    double PhaseDegrees = 2.0;      // each phase plus u·P degrees
};

// Per plane, in the unit of the masses given in `scale` (the correction in percent times
// scale/100). A spread is infinite when more than 5 % of the repeated calculations failed (zero
// determinant, overflow).
struct Spread {
    double Mass = 0.0;          // |mass − nominal mass|
    double AngleDegrees = 0.0;  // |angle − nominal angle|, the shorter way round
    double Vector = 0.0;        // distance between the correction vectors
    bool Unreliable =
        false;  // the vector spread exceeds the mass: the correction may point anywhere
};

struct SpreadResult {
    std::array<Spread, 4> Plane;  // planes 1..4 at index 0..3
    int Failed = 0;               // repeated calculations that gave no result
};

// Draws every perturbation independently and uniformly within ±tolerance, from a generator with a
// fixed seed. `allRuns`: perturb the 40 readings and rebuild the influence matrix from them (a
// full job); otherwise only the run without weight is perturbed and the matrix is used as given (a
// trim from saved coefficients). `set` holds the trial masses the nominal result was computed with.
SpreadResult EstimateSpread(const MeasurementSet& set, const InfluenceMatrix& matrix, bool allRuns,
                            const CorrectionResult& nominal, const std::array<double, 4>& scale,
                            const Tolerance& tolerance);

}  // namespace balance4::cli
