#include "tolerance.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>
#include <random>
#include <vector>

#include "extended.h"

namespace balance4::cli {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Uniform in [-1, 1) from the generator's bits alone; the standard's distributions may differ
// between libraries, the 64-bit Mersenne Twister's output does not.
double Uniform(std::mt19937_64& generator) {
    return static_cast<double>(generator() >> 11) * 0x1p-53 * 2.0 - 1.0;
}

double Within95(std::vector<double>& deviations) {
    std::sort(deviations.begin(), deviations.end());
    const std::size_t index = (deviations.size() * 95 + 99) / 100 - 1;
    return deviations[index];
}

double AngleApart(double a, double b) {
    const double difference = std::fmod(std::fabs(a - b), 360.0);
    return std::min(difference, 360.0 - difference);
}

}  // namespace

SpreadResult EstimateSpread(const MeasurementSet& set, const InfluenceMatrix& matrix, bool allRuns,
                            const CorrectionResult& nominal, const std::array<double, 4>& scale,
                            const Tolerance& tolerance) {
    std::mt19937_64 generator(kToleranceSeed);
    const double phaseStep = tolerance.PhaseDegrees * std::numbers::pi / 180.0;
    std::array<std::vector<double>, 4> mass, angle, vector;
    SpreadResult result;

    for (int sample = 0; sample < kToleranceSamples; ++sample) {
        MeasurementSet moved = set;
        for (int r = 0; r < (allRuns ? kRunCount : 1); ++r)
            for (int p = 1; p <= kPlaneCount; ++p) {
                moved.Amplitude[r][p] *=
                    1.0 + Uniform(generator) * tolerance.AmplitudePercent / 100.0;
                moved.Phase[r][p] += Uniform(generator) * phaseStep;
            }
        std::optional<CorrectionResult> correction;
        try {
            InfluenceMatrix recomputed = matrix;  // angles of zero differences carry over as usual
            if (allRuns) ComputeInfluenceMatrix(moved, recomputed);
            correction = ComputeCorrection(recomputed, moved);
        } catch (const FloatingPointError&) {
        }
        if (!correction) ++result.Failed;

        for (int j = 1; j <= kPlaneCount; ++j) {
            const std::size_t i = static_cast<std::size_t>(j - 1);
            if (!correction) {
                mass[i].push_back(kInfinity);
                angle[i].push_back(kInfinity);
                vector[i].push_back(kInfinity);
                continue;
            }
            const PlaneCorrection& base = nominal.Plane[j];
            const PlaneCorrection& now = correction->Plane[j];
            const double m0 = base.MassPercent * scale[i] / 100.0;
            const double m1 = now.MassPercent * scale[i] / 100.0;
            const double turn = (now.AngleDegrees - base.AngleDegrees) * std::numbers::pi / 180.0;
            mass[i].push_back(std::fabs(m1 - m0));
            angle[i].push_back(AngleApart(now.AngleDegrees, base.AngleDegrees));
            // |m1·e^(i·turn) − m0|: the distance between the two correction vectors.
            vector[i].push_back(std::hypot(m1 * std::cos(turn) - m0, m1 * std::sin(turn)));
        }
    }

    for (std::size_t i = 0; i < 4; ++i) {
        Spread& spread = result.Plane[i];
        spread.Mass = Within95(mass[i]);
        spread.AngleDegrees = Within95(angle[i]);
        spread.Vector = Within95(vector[i]);
        const double m0 = nominal.Plane[i + 1].MassPercent * scale[i] / 100.0;
        spread.Unreliable = !(spread.Vector <= m0);
        if (!std::isfinite(spread.Mass)) spread.Mass = spread.AngleDegrees = kInfinity;
    }
    return result;
}

}  // namespace balance4::cli
