#pragma once
// Putting a correction onto the positions a rotor offers (holes, blades): a weight at an angle
// between two positions is replaced by two weights on those positions whose vector sum is the same.
#include <optional>
#include <vector>

namespace balance4::cli {

// The positions of one plane, in degrees from the common zero, counted like the result angles.
// Number is what the user calls the position: 1 for the first one given (the hole at 0°).
struct Position {
    int Number = 1;
    double AngleDegrees = 0.0;
};

std::vector<Position> EquallySpaced(int count);

struct SplitPart {
    Position At;
    double Mass = 0.0;
};

// One part when the correction lies on a position (within half the last shown digit of an angle),
// else the two neighbours: m1 = m·sin(a2−θ)/sin(a2−a1), m2 = m·sin(θ−a1)/sin(a2−a1). Empty when
// the neighbours are 180° or more apart, where no two positive masses can give the correction.
// No parts at all for a zero mass. `positions` needs at least two distinct angles in [0, 360).
std::optional<std::vector<SplitPart>> Split(double mass, double angleDegrees,
                                            const std::vector<Position>& positions);

// An angle in degrees brought into [0, 360).
double NormalisedDegrees(double degrees);

}  // namespace balance4::cli
