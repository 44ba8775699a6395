#include "split.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace balance4::cli {

namespace {

// Half of 0,01°, the last digit an angle is shown with.
constexpr double kOnPosition = 0.005;

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

std::optional<std::vector<SplitPart>> Split(double mass, double angleDegrees,
                                            const std::vector<Position>& positions) {
    if (mass == 0.0) return std::vector<SplitPart>{};
    std::vector<Position> sorted = positions;
    std::sort(sorted.begin(), sorted.end(),
              [](const Position& a, const Position& b) { return a.AngleDegrees < b.AngleDegrees; });
    const double theta = NormalisedDegrees(angleDegrees);

    // The last position at or before theta, and the one after it, going round through 360°.
    std::size_t after = 0;
    while (after < sorted.size() && sorted[after].AngleDegrees <= theta) ++after;
    Position first = after == 0 ? sorted.back() : sorted[after - 1];
    Position second = after == sorted.size() ? sorted.front() : sorted[after];
    double a1 = first.AngleDegrees;
    double a2 = second.AngleDegrees;
    if (a1 > theta) a1 -= 360.0;
    if (a2 <= theta) a2 += 360.0;

    if (theta - a1 < kOnPosition) return std::vector<SplitPart>{{first, mass}};
    if (a2 - theta < kOnPosition) return std::vector<SplitPart>{{second, mass}};
    const double gap = a2 - a1;
    if (gap >= 180.0) return std::nullopt;
    return std::vector<SplitPart>{{first, mass * Sin(a2 - theta) / Sin(gap)},
                                  {second, mass * Sin(theta - a1) / Sin(gap)}};
}

}  // namespace balance4::cli
