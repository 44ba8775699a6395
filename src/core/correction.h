#pragma once
#include <optional>

#include "influence_matrix.h"
#include "measurement_set.h"

namespace balance4 {

struct PlaneCorrection {
    double MassPercent = 0.0;   // correction mass in percent of the plane's trial mass, >= 0
    double AngleDegrees = 0.0;  // placement angle, 0..360
};

struct CorrectionResult {
    PlaneCorrection Plane[kPlaneCount + 1];  // 1..4
};

// Cramer's rule over the influence matrix with the negated run-0 readings. Empty optional: the
// system is singular, its determinant zero or rounding noise (the invalid-trial-mass outcome).
// Throws FloatingPointError on overflow.
std::optional<CorrectionResult> ComputeCorrection(const InfluenceMatrix& matrix,
                                                  const MeasurementSet& set);

// The placement angle, 0..360 degrees, of a plane whose column determinant has the argument
// columnArgument over a system determinant with the argument systemArgument (both in radians).
double PlacementAngleDegrees(double columnArgument, double systemArgument);

}  // namespace balance4
