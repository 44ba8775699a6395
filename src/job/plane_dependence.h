#pragma once
// Planes that act alike: when two trial weights moved the vibration at every point in nearly the
// same proportions, the solve cannot tell the planes apart and answers with large weights that
// cancel each other. The right singular vectors of the smallest singular values name them.
#include <string>
#include <vector>

#include "least_squares.h"

namespace balance4::job {

// With each plane's column of the influence matrix scaled to unit length (so trial masses do not
// count), planes are named when the largest singular value exceeds a smaller one this many times.
// For two planes that is cos ≥ 0,98 between their columns: scaled alike, their effects differ by
// less than a fifth. The published twin-plane case (4 points, planes 2 and 3 all but equal) has
// about 18; clean jobs stay well below 10.
inline constexpr double kAlikeCondition = 10.0;

// A plane takes part when its share of such a singular vector is at least this (|v_k| ≥ 0,3, a
// tenth of its energy).
inline constexpr double kAlikeShare = 0.3;

// Groups of planes (numbered from 1, ascending) that act alike; empty for a well-posed matrix.
std::vector<std::vector<int>> PlanesActingAlike(const ComplexMatrix& influence);

// «Плоскости 2 и 3 действуют почти одинаково: уберите одну или переставьте датчики».
std::string PlanesActingAlikeMessage(const std::vector<int>& planes);

}  // namespace balance4::job
