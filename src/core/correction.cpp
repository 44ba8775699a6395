#include "correction.h"

#include "extended.h"
#include "polar_determinant.h"

namespace balance4 {

namespace {

// A singular system does not give an exact zero: its 24 terms cancel down to rounding noise.
// Measured over many realistic and awkward readings, such noise stays at or below 1e-15 of the
// terms' magnitude sum, while every solvable system stays at or above 1e-3; anything at or below
// 1e-12 therefore has no solution, and its huge or arbitrary quotients must not be shown.
constexpr Extended kSingularRatio = 1e-12L;

bool IsSingular(const DeterminantValue& system) {
    return !(system.Modulus > 0.0) || !system.Argument ||
           system.Modulus <= kSingularRatio * system.TermMagnitudeSum;
}

}  // namespace

std::optional<CorrectionResult> ComputeCorrection(const InfluenceMatrix& matrix,
                                                  const MeasurementSet& set) {
    const ExtendedPrecisionScope precision;
    const DeterminantValue system = PolarDeterminant(matrix);
    if (IsSingular(system)) return std::nullopt;

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
        if (column[j].Argument)
            plane.AngleDegrees = PlacementAngleDegrees(*column[j].Argument, *system.Argument);
    }
    return result;
}

double PlacementAngleDegrees(double columnArgument, double systemArgument) {
    const ExtendedPrecisionScope precision;
    // Both arguments lie in (-pi/2, 3pi/2], so one turn brings the difference into [0, 2pi].
    double difference = Store(static_cast<Extended>(columnArgument) - systemArgument);
    if (difference < 0.0) difference = Store(difference + kTwoPi);
    const double degrees = Store(difference * kRadiansToDegrees);
    // The placement angle is 360 degrees less the argument of the solution.
    return Store(360.0L - degrees);
}

}  // namespace balance4
