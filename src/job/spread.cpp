#include "spread.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <random>

#include "extended.h"

namespace balance4::job {

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

Trust TrustOf(double vector, double mass) {
    if (!(vector <= kUnreliableSpread * mass)) return Trust::Unreliable;
    if (vector > kDoubtfulSpread * mass) return Trust::Doubtful;
    return Trust::Trusted;
}

SpreadResult EstimateSpread(const RunReadings& readings, int runs,
                            const std::vector<Weight>& nominal, const Tolerance& tolerance,
                            const Resolve& resolve) {
    const ExtendedPrecisionScope precision;  // the repetitions calculate as the nominal one did
    SpreadResult result;
    result.Plane.resize(nominal.size());
    // Readings that cannot move give every repetition the nominal result.
    if (tolerance.AmplitudePercent == 0.0 && tolerance.PhaseDegrees == 0.0) {
        for (std::size_t j = 0; j < nominal.size(); ++j)
            result.Plane[j].Level = TrustOf(0.0, nominal[j].Mass);
        return result;
    }
    std::mt19937_64 generator(kSpreadSeed);
    const double phaseStep = tolerance.PhaseDegrees * std::numbers::pi / 180.0;
    const std::size_t planes = nominal.size();
    std::vector<std::vector<double>> mass(planes), angle(planes), vector(planes);
    for (std::size_t j = 0; j < planes; ++j) {
        mass[j].reserve(kSpreadSamples);
        angle[j].reserve(kSpreadSamples);
        vector[j].reserve(kSpreadSamples);
    }
    RunReadings moved = readings;

    for (int sample = 0; sample < kSpreadSamples; ++sample) {
        for (int r = 0; r < runs; ++r) {
            const auto run = static_cast<std::size_t>(r);
            for (std::size_t p = 0; p < readings[run].size(); ++p) {
                moved[run][p].Amplitude =
                    readings[run][p].Amplitude *
                    (1.0 + Uniform(generator) * tolerance.AmplitudePercent / 100.0);
                moved[run][p].Phase = readings[run][p].Phase + Uniform(generator) * phaseStep;
            }
        }
        const std::optional<std::vector<Weight>> correction = resolve(moved);
        if (!correction) ++result.Failed;
        for (std::size_t j = 0; j < planes; ++j) {
            if (!correction) {
                mass[j].push_back(kInfinity);
                angle[j].push_back(kInfinity);
                vector[j].push_back(kInfinity);
                continue;
            }
            const double m0 = nominal[j].Mass;
            const double m1 = (*correction)[j].Mass;
            const double a0 = nominal[j].AngleDegrees;
            const double a1 = (*correction)[j].AngleDegrees;
            const double turn = (a1 - a0) * std::numbers::pi / 180.0;
            mass[j].push_back(std::fabs(m1 - m0));
            angle[j].push_back(AngleApart(a1, a0));
            // |m1·e^(i·turn) − m0|: the distance between the two correction vectors.
            vector[j].push_back(std::hypot(m1 * std::cos(turn) - m0, m1 * std::sin(turn)));
        }
    }

    for (std::size_t j = 0; j < planes; ++j) {
        PlaneSpread& spread = result.Plane[j];
        spread.Mass = Within95(mass[j]);
        spread.AngleDegrees = Within95(angle[j]);
        spread.Vector = Within95(vector[j]);
        spread.Level = TrustOf(spread.Vector, nominal[j].Mass);
        if (!std::isfinite(spread.Mass)) spread.Mass = spread.AngleDegrees = kInfinity;
    }
    return result;
}

}  // namespace balance4::job
