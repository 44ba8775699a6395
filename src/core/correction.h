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
// system determinant is zero (the invalid-trial-mass outcome). Throws FloatingPointError on
// overflow.
std::optional<CorrectionResult> ComputeCorrection(const InfluenceMatrix& matrix,
                                                  const MeasurementSet& set);

}  // namespace balance4
