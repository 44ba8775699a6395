#pragma once
// Putting a correction onto the positions a rotor offers (holes, blades): a weight at an angle
// between two positions is replaced by two weights on those positions whose vector sum is the same.
#include <string>
#include <vector>

#include "job.h"

namespace balance4::job {

// A place for weights, in degrees from the zero mark; Number is what the user calls it (1..).
struct Position {
    int Number = 1;
    double AngleDegrees = 0.0;
    bool operator==(const Position&) const = default;
};

struct SplitPart {
    Position At;
    double Mass = 0.0;
};

// The split of one plane's weight. Refused: the neighbours are 180° or more apart, where no two
// positive masses give the weight. Warning: they are more than 120° apart, so the parts are large.
struct SplitResult {
    bool Refused = false;
    std::string Refusal;  // when Refused: why, to show in place of the parts
    std::string Warning;
    std::vector<SplitPart> Parts;  // none for a weight too small to show
};

inline constexpr double kSplitRefusedDegrees = 180.0;
inline constexpr double kSplitWarnedDegrees = 120.0;

std::vector<Position> EquallySpaced(int count);

// A plane's positions: its holes, else its listed positions; empty when none are given.
std::vector<Position> PositionsOf(const PlaneSetup& plane);

// One part when the weight lies on a position (within half the last shown digit of an angle),
// else the two neighbours, going round through 0° when they straddle it. Parts that would show as
// 0,00 are left out. `positions` needs at least two distinct angles.
SplitResult Split(double mass, double angleDegrees, const std::vector<Position>& positions);

// An angle in degrees brought into [0, 360).
double NormalisedDegrees(double degrees);

}  // namespace balance4::job
