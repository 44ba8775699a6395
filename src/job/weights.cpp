#include "weights.h"

#include <cmath>
#include <numbers>

#include "split.h"

namespace balance4::job {

namespace {
constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
}  // namespace

std::complex<double> AsVector(const Weight& weight) {
    return std::polar(weight.Mass, -weight.AngleDegrees * kRadiansPerDegree);
}

Weight FromVector(std::complex<double> vector) {
    const double mass = std::abs(vector);
    if (mass == 0.0) return {};
    return {mass, NormalisedDegrees(-std::arg(vector) / kRadiansPerDegree)};
}

Weight Combine(const std::vector<Weight>& weights) {
    std::complex<double> sum;
    for (const Weight& weight : weights) sum += AsVector(weight);
    return FromVector(sum);
}

}  // namespace balance4::job
