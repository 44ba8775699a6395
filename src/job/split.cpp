#include "split.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "result_words.h"

namespace balance4::job {

namespace {

// Half of 0,01°, the last digit an angle is shown with.
constexpr double kOnPosition = 0.005;
// Half of 0,01 in the unit, the last digit a mass is shown with: a smaller part shows as 0,00.
constexpr double kShownMass = 0.005;

double Sin(double degrees) {
    return std::sin(degrees * std::numbers::pi / 180.0);
}

}  // namespace

double NormalisedDegrees(double degrees) {
    double angle = std::fmod(degrees, 360.0);
    if (angle < 0.0) angle += 360.0;
    return angle >= 360.0 ? 0.0 : angle;  // -1e-20 + 360 rounds to 360
}

std::vector<Position> EquallySpaced(int count) {
    std::vector<Position> positions;
    for (int k = 0; k < count; ++k) positions.push_back({k + 1, 360.0 * k / count});
    return positions;
}

std::vector<Position> PositionsOf(const PlaneSetup& plane) {
    if (plane.Holes > 0) return EquallySpaced(plane.Holes);
    std::vector<Position> positions;
    for (std::size_t k = 0; k < plane.Positions.size(); ++k)
        positions.push_back({static_cast<int>(k + 1), NormalisedDegrees(plane.Positions[k])});
    return positions;
}

SplitResult Split(double mass, double angleDegrees, const std::vector<Position>& positions) {
    SplitResult result;
    if (positions.empty() || !(mass >= kShownMass)) return result;
    std::vector<Position> sorted = positions;
    std::sort(sorted.begin(), sorted.end(),
              [](const Position& a, const Position& b) { return a.AngleDegrees < b.AngleDegrees; });
    const double theta = NormalisedDegrees(angleDegrees);

    // The last position at or before theta, and the one after it, going round through 360°.
    std::size_t after = 0;
    while (after < sorted.size() && sorted[after].AngleDegrees <= theta) ++after;
    const Position first = after == 0 ? sorted.back() : sorted[after - 1];
    const Position second = after == sorted.size() ? sorted.front() : sorted[after];
    double a1 = first.AngleDegrees;
    double a2 = second.AngleDegrees;
    if (a1 > theta) a1 -= 360.0;
    if (a2 <= theta) a2 += 360.0;

    if (theta - a1 < kOnPosition) {
        result.Parts.push_back({first, mass});
        return result;
    }
    if (a2 - theta < kOnPosition) {
        result.Parts.push_back({second, mass});
        return result;
    }
    const double gap = a2 - a1;
    if (gap >= kSplitRefusedDegrees) {
        result.Refused = true;
        result.Refusal = SplitRefusalText();
        return result;
    }
    if (gap > kSplitWarnedDegrees) result.Warning = SplitWarningText();
    for (const SplitPart& part : {SplitPart{first, mass * Sin(a2 - theta) / Sin(gap)},
                                  SplitPart{second, mass * Sin(theta - a1) / Sin(gap)}})
        if (part.Mass >= kShownMass) result.Parts.push_back(part);
    return result;
}

}  // namespace balance4::job
