#include "correction.h"

#include "extended.h"
#include "polar_determinant.h"

namespace balance4 {

std::optional<CorrectionResult> ComputeCorrection(const InfluenceMatrix& matrix,
                                                  const MeasurementSet& set) {
    const DeterminantValue system = PolarDeterminant(matrix);
    // Only an exact zero stops: a determinant that is rounding noise still goes on.
    if (!(system.Modulus > 0.0) || !system.Argument) return std::nullopt;

    // The vibration of the run without weight, to be cancelled: it enters negated.
    ReplacementColumn runZero;
    for (int p = 1; p <= kPlaneCount; ++p) runZero.Values[p] = set.Reading(0, p);

    DeterminantValue column[kPlaneCount + 1];
    for (int j = 1; j <= kPlaneCount; ++j) {
        runZero.Column = j;
        column[j] = PolarDeterminant(matrix, &runZero);
    }

    CorrectionResult result;
    for (int j = 1; j <= kPlaneCount; ++j) {
        PlaneCorrection& plane = result.Plane[j];
        plane.MassPercent =
            Store(static_cast<Extended>(column[j].Modulus) / system.Modulus * set.TrialMass[j]);
        // A column determinant of exactly zero has no direction: there is nothing to place.
        if (!column[j].Argument) continue;
        double difference = Store(static_cast<Extended>(*column[j].Argument) - *system.Argument);
        if (difference < 0.0) difference = Store(difference + kTwoPi);
        const double degrees = Store(difference * kRadiansToDegrees);
        // The placement angle is 360 degrees less the argument of the solution.
        plane.AngleDegrees = Store(360.0L - degrees);
    }
    return result;
}

}  // namespace balance4
