// Coefficients refined by the control runs: against a batch fit of all runs solved here by the
// normal equations, a different road from the library's pivoted QR.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdio>
#include <numbers>

#include "calculate.h"
#include "least_squares.h"
#include "refine.h"

namespace balance4::job {
namespace {

using C = std::complex<double>;
using Matrix = std::vector<std::vector<C>>;
constexpr double kDegree = std::numbers::pi / 180.0;

C Polar(double amplitude, double degrees) {
    return std::polar(amplitude, degrees * kDegree);
}

ReadingText Text(C v) {
    char amplitude[40], phase[40];
    std::snprintf(amplitude, sizeof amplitude, "%.17g", std::abs(v));
    std::snprintf(phase, sizeof phase, "%.17g", std::fmod(std::arg(v) / kDegree + 360.0, 360.0));
    return {amplitude, phase};
}

// m·e^(−iu): a weight at angle u as a vector.
C Vector(const Weight& w) {
    return std::polar(w.Mass, -w.AngleDegrees * kDegree);
}

// Solves m·z = b by Gauss-Jordan elimination.
std::vector<C> GaussJordan(Matrix m, std::vector<C> b) {
    const std::size_t n = b.size();
    for (std::size_t c = 0; c < n; ++c)
        for (std::size_t r = 0; r < n; ++r)
            if (r != c) {
                const C f = m[r][c] / m[c][c];
                for (std::size_t k = c; k < n; ++k) m[r][k] -= f * m[c][k];
                b[r] -= f * b[c];
            }
    for (std::size_t i = 0; i < n; ++i) b[i] /= m[i][i];
    return b;
}

// Per point, the row [a_p, A_p1, A_p2…] fitting y[r][p] = a_p + Σ A_pk·x[r][k] best over the runs.
Matrix BatchFit(const Matrix& y, const Matrix& x) {
    const std::size_t n = x[0].size() + 1;
    Matrix theta;
    for (std::size_t p = 0; p < y[0].size(); ++p) {
        Matrix normal(n, std::vector<C>(n));
        std::vector<C> right(n);
        for (std::size_t r = 0; r < y.size(); ++r) {
            std::vector<C> c = {1.0};
            c.insert(c.end(), x[r].begin(), x[r].end());
            for (std::size_t i = 0; i < n; ++i) {
                for (std::size_t j = 0; j < n; ++j) normal[i][j] += std::conj(c[i]) * c[j];
                right[i] += std::conj(c[i]) * y[r][p];
            }
        }
        theta.push_back(GaussJordan(normal, right));
    }
    return theta;
}

// The rotor: 3 points, 2 planes; its coefficients per trial weight and its vibration bare.
const Matrix kEffect = {{Polar(2.0, 40), Polar(0.7, 200)},
                        {Polar(0.5, 310), Polar(1.6, 95)},
                        {Polar(1.1, 120), Polar(1.3, 20)}};
const std::vector<C> kBare = {Polar(6.3, 128), Polar(4.1, 250), Polar(3.2, 17)};
const std::vector<Weight> kTrial = {{20, 30}, {10, 300}};

std::vector<C> Read(const std::vector<C>& x, const std::vector<C>& noise) {
    std::vector<C> y = kBare;
    for (std::size_t p = 0; p < y.size(); ++p) {
        for (std::size_t k = 0; k < x.size(); ++k) y[p] += kEffect[p][k] * x[k];
        if (!noise.empty()) y[p] += noise[p];
    }
    return y;
}

std::vector<ReadingText> Texts(const std::vector<C>& y) {
    std::vector<ReadingText> texts;
    for (const C v : y) texts.push_back(Text(v));
    return texts;
}

TEST(Refine, PlanesPlusOneExactRunsGiveTodaysCoefficients) {
    for (const TrialWeights trials : {TrialWeights::Removed, TrialWeights::LeftOn}) {
        const bool leftOn = trials == TrialWeights::LeftOn;
        ComplexMatrix readings(3, 3), weights(2, 3);
        weights << 0, 1, leftOn ? 1 : 0, 0, 0, 1;
        for (Eigen::Index r = 0; r < 3; ++r) {
            const std::vector<C> y = Read({static_cast<double>(weights(0, r).real()),
                                           static_cast<double>(weights(1, r).real())},
                                          {});
            for (Eigen::Index p = 0; p < 3; ++p) readings(p, r) = Complex(y[p].real(), y[p].imag());
        }
        const std::optional<ComplexMatrix> theta = FitCoefficients(readings, weights);
        ASSERT_TRUE(theta);
        const ComplexMatrix today = Influence(readings, trials);
        EXPECT_LT((theta->rightCols(2) - today).norm(), 1e-15L * today.norm()) << leftOn;
        EXPECT_LT((theta->col(0) - readings.col(0)).norm(), 1e-15L * today.norm()) << leftOn;
    }
}

TEST(Refine, ControlRunsAgainstABatchFit) {
    struct Row {
        const char* Name;
        std::vector<C> Noise1, Noise2;  // added to control runs 1 and 2
        std::vector<Weight> Trim1;      // the correction recorded after control run 1
        bool Refine;
        int Used, Repeated;  // control runs fitted and left out
        bool Fitted;         // the trim went on before control run 2
        bool Recorded;       // the records say what was on the rotor
    };
    const std::vector<C> noise1 = {Polar(0.05, 77), Polar(0.03, 190), Polar(0.06, 310)};
    const std::vector<C> noise2 = {Polar(0.04, 250), Polar(0.07, 10), Polar(0.02, 140)};
    const std::vector<Row> rows = {
        {"a control run that fits the coefficients changes nothing",
         {},
         {},
         {{2, 100}, {1.5, 200}},
         true,
         2,
         0,
         true,
         false},
        {"noisy control runs equal the batch fit of all five runs",
         noise1,
         noise2,
         {{2, 100}, {1.5, 200}},
         true,
         2,
         0,
         true,
         false},
        {"the weights on the rotor as recorded, each run's own",
         noise1,
         noise2,
         {{2, 100}, {1.5, 200}},
         true,
         2,
         0,
         true,
         true},
        // Catches a trim taken as fitted because it was recorded: run 2 had run 1's weights.
        {"a trim recorded but not fitted adds no new direction",
         noise1,
         noise2,
         {{2, 100}, {1.5, 200}},
         true,
         1,
         1,
         false,
         true},
        // Catches a repeat fitted anyway: its noise would move the coefficients.
        {"a control run at the weights of the one before adds no new direction",
         noise1,
         noise2,
         {{0.01, 100}, {0.05, 200}},
         true,
         1,
         1,
         true,
         false},
        {"refining switched off", noise1, noise2, {{2, 100}, {1.5, 200}}, false, 0, 0, true, false},
    };
    for (const Row& row : rows) {
        Job job = MakeJob(2, 3);
        job.Separator = ".";
        for (std::size_t k = 0; k < 2; ++k) {
            job.Plane[k].TrialMass = kTrial[k].Mass;
            job.Plane[k].TrialAngle = kTrial[k].AngleDegrees;
        }
        Matrix x = {{0, 0}, {1, 0}, {0, 1}}, y;
        for (std::size_t r = 0; r < 3; ++r) job.Readings[r] = Texts(y.emplace_back(Read(x[r], {})));
        job.Saved = Calculate(job).Saved;
        // On the rotor in control run 1: the first correction; in run 2 the trim added to it.
        std::vector<C> onRotor;
        const JobResult first = Calculate(job);
        for (std::size_t k = 0; k < 2; ++k)
            onRotor.push_back(Vector({first.Planes[k].Mass, first.Planes[k].AngleFromZero}) /
                              Vector(kTrial[k]));
        const std::vector<C> firstOnRotor = onRotor;
        std::vector<C> control1 = Read(onRotor, row.Noise1);
        if (row.Fitted)
            for (std::size_t k = 0; k < 2; ++k)
                onRotor[k] += Vector(row.Trim1[k]) / Vector(kTrial[k]);
        std::vector<C> control2 = Read(onRotor, row.Noise2);
        job.TrimHistory = {{"1", Texts(control1), row.Trim1, {}}, {"2", Texts(control2), {}, {}}};
        job.TrimHistory[1].Correction = {{0.3, 10}, {0.2, 20}};
        if (row.Recorded)
            for (std::size_t k = 0; k < 2; ++k) {
                const Weight placed = {first.Planes[k].Mass, first.Planes[k].AngleFromZero};
                job.TrimHistory[0].OnRotor.push_back({placed});
                job.TrimHistory[1].OnRotor.push_back({placed});
                if (row.Fitted) job.TrimHistory[1].OnRotor.back().push_back(row.Trim1[k]);
            }
        job.Refine = row.Refine;
        if (row.Used >= 1) {
            x.push_back(firstOnRotor);
            y.push_back(control1);
        }
        if (row.Used == 2) {
            x.push_back(onRotor);
            y.push_back(control2);
        }
        const Matrix theta = BatchFit(y, x);

        const std::optional<Refinement> refined = RefineCoefficients(job);
        const std::vector<ReadingText> run0 = Texts(control2);
        const JobResult trim = Trim(job, run0);
        ASSERT_EQ(trim.Result, Outcome::Calculated) << row.Name;
        EXPECT_EQ(refined.has_value(), row.Refine) << row.Name;
        EXPECT_EQ(trim.Refined.has_value(), row.Refine) << row.Name;
        if (refined) {
            EXPECT_EQ(refined->Runs, 3 + row.Used) << row.Name;
            EXPECT_EQ(refined->Repeated, row.Repeated) << row.Name;
            for (std::size_t p = 0; p < 3; ++p)
                for (std::size_t k = 0; k < 2; ++k) {
                    const Coefficient& c = refined->Refined.Element[p * 2 + k];
                    const C expected = theta[p][k + 1];
                    EXPECT_NEAR(std::abs(std::polar(c.Magnitude, c.Angle) - expected), 0,
                                1e-9 * std::abs(expected))
                        << row.Name << " point " << p << " plane " << k;
                    const double change =
                        std::abs(expected - kEffect[p][k]) / std::abs(kEffect[p][k]) * 100;
                    EXPECT_NEAR(refined->ChangePercent[p * 2 + k], change, 1e-7) << row.Name;
                }
        }
        // The trim is the solve of the new run with those coefficients.
        Matrix normal(2, std::vector<C>(2));
        std::vector<C> right(2);
        for (std::size_t p = 0; p < 3; ++p)
            for (std::size_t i = 0; i < 2; ++i) {
                for (std::size_t j = 0; j < 2; ++j)
                    normal[i][j] += std::conj(theta[p][i + 1]) * theta[p][j + 1];
                right[i] -= std::conj(theta[p][i + 1]) * control2[p];
            }
        const std::vector<C> correction = GaussJordan(normal, right);
        for (std::size_t k = 0; k < 2; ++k) {
            const C w = correction[k] * Vector(kTrial[k]);
            EXPECT_NEAR(trim.Planes[k].Mass, std::abs(w), 1e-9 * std::abs(w)) << row.Name;
        }
    }
}

}  // namespace
}  // namespace balance4::job
