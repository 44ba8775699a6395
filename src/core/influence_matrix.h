#pragma once
#include "measurement_set.h"
#include "polar_value.h"

namespace balance4 {

// Element [p][d] (both 1..4): the change of the vibration at plane p caused by the trial weight in
// plane d. It lives as long as the program: an element whose difference vector counts as zero keeps
// the angle left by the previous calculation.
struct InfluenceMatrix {
    PolarValue Element[kPlaneCount + 1][kPlaneCount + 1] = {};
};

// Rewrites all 16 magnitudes and every angle that has a direction. Throws FloatingPointError when a
// magnitude overflows the double range (the matrix may then be partly rewritten).
void ComputeInfluenceMatrix(const MeasurementSet& set, InfluenceMatrix& matrix);

}  // namespace balance4
