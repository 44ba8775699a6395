#include "correction.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <complex>

#include "balancing_calculator.h"
#include "test_support.h"

namespace balance4 {
namespace {

using test::DefaultTexts;
using test::PressLine;
using test::TextsFor;

CorrectionResult Solve(const std::vector<std::string>& texts) {
    MeasurementSet set = test::ReadSet(texts);
    for (int p = 1; p <= 4; ++p) set.TrialMass[p] = kDefaultTrialMass;
    InfluenceMatrix matrix;
    ComputeInfluenceMatrix(set, matrix);
    const auto result = ComputeCorrection(matrix, set);
    EXPECT_TRUE(result);
    return result.value_or(CorrectionResult{});
}

TEST(Correction, ExampleReadingsGiveTheUnroundedResults) {
    const CorrectionResult r = Solve(DefaultTexts());
    const double mass[] = {33.6258137909, 87.3035766717, 123.255237039, 20.3800179385};
    const double angle[] = {282.201277080, 226.045150928, 70.8462332790, 115.484595316};
    for (int j = 1; j <= 4; ++j) {
        EXPECT_EQ(test::Digits(r.Plane[j].MassPercent, 12), test::Digits(mass[j - 1], 12)) << j;
        EXPECT_EQ(test::Digits(r.Plane[j].AngleDegrees, 12), test::Digits(angle[j - 1], 12)) << j;
    }
}

std::vector<std::string> WithTexts(std::vector<std::pair<int, std::string>> changes) {
    std::vector<std::string> texts = DefaultTexts();
    for (auto& [index, text] : changes) texts[static_cast<std::size_t>(index)] = text;
    return texts;
}

// Index of a field in visiting order.
constexpr int Field(int plane, int run, bool phase) {
    return (plane - 1) * 10 + run * 2 + phase;
}

std::vector<std::string> RunCopied(int fromRun, int toRun) {
    std::vector<std::string> texts = DefaultTexts();
    for (int p = 1; p <= 4; ++p)
        for (bool phase : {false, true})
            texts[Field(p, toRun, phase)] = texts[Field(p, fromRun, phase)];
    return texts;
}

std::vector<std::string> AllPhasesZero() {
    std::vector<std::string> texts = DefaultTexts();
    for (int p = 1; p <= 4; ++p)
        for (int r = 0; r <= 4; ++r) texts[Field(p, r, true)] = "0";
    return texts;
}

// All phases 0 and amplitudes 1, except that plane rowOf[d] reads 2 in the run with weight in d.
std::vector<std::string> UnitInfluence(const int (&rowOf)[4]) {
    double amplitude[5][4], phase[5][4] = {};
    for (auto& run : amplitude)
        for (double& a : run) a = 1;
    for (int d = 1; d <= 4; ++d) amplitude[d][rowOf[d - 1] - 1] = 2;
    return TextsFor(amplitude, phase);
}

std::vector<std::string> RunZeroAmplitudesZero() {
    std::vector<std::string> texts = DefaultTexts();
    for (int p = 1; p <= 4; ++p) texts[Field(p, 0, false)] = "0";
    return texts;
}

std::vector<std::string> PlaneConstant(int plane) {
    std::vector<std::string> texts = DefaultTexts();
    for (int r = 1; r <= 4; ++r)
        for (bool phase : {false, true})
            texts[Field(plane, r, phase)] = texts[Field(plane, 0, phase)];
    return texts;
}

struct PressCase {
    const char* name;
    std::vector<std::string> texts;
    std::string expected;
};

// Test names in listings and failures: the row name, not the bytes.
void PrintTo(const PressCase& c, std::ostream* out) {
    *out << c.name;
}

class PressOutcomeTest : public testing::TestWithParam<PressCase> {};

TEST_P(PressOutcomeTest, ShowsTheExpectedTexts) {
    BalancingCalculator calculator;
    calculator.SetTrialMasses();
    EXPECT_EQ(PressLine(calculator, GetParam().texts), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Readings, PressOutcomeTest,
    testing::Values(PressCase{"example", DefaultTexts(),
                              "33,63\t87,30\t123,26\t20,38\t282,20\t226,05\t70,85\t115,48"},
                    PressCase{"phase_one_turn_more", WithTexts({{Field(1, 0, true), "598"}}),
                              "33,63\t87,30\t123,26\t20,38\t282,20\t226,05\t70,85\t115,48"},
                    PressCase{"all_phases_zero", AllPhasesZero(),
                              "73,63\t3109,60\t5294,37\t1466,77\t180,00\t180,00\t360,00\t180,00"},
                    PressCase{"diagonal_influence", UnitInfluence({1, 2, 3, 4}),
                              "100,00\t100,00\t100,00\t100,00\t180,00\t180,00\t180,00\t180,00"},
                    PressCase{"swapped_influence", UnitInfluence({2, 1, 3, 4}),
                              "100,00\t100,00\t100,00\t100,00\t180,00\t180,00\t180,00\t180,00"},
                    // No direction for a zero column determinant: nothing to place, shown as 0.
                    PressCase{"run_zero_silent", RunZeroAmplitudesZero(),
                              "0,00\t0,00\t0,00\t0,00\t0,00\t0,00\t0,00\t0,00"},
                    PressCase{"trial_run_repeats_run_zero", RunCopied(0, 1),
                              "Некорректная масса пробных грузов"},
                    PressCase{"plane_reads_the_same_in_all_runs", PlaneConstant(3),
                              "Некорректная масса пробных грузов"},
                    PressCase{"amplitudes_near_the_top_overflow",
                              [] {
                                  std::vector<std::string> t = DefaultTexts();
                                  for (int p = 1; p <= 4; ++p)
                                      for (int r = 0; r <= 4; ++r) t[Field(p, r, false)] += "e300";
                                  return t;
                              }(),
                              "Floating point overflow."}),
    [](const testing::TestParamInfo<PressCase>& info) { return std::string(info.param.name); });

TEST(Correction, TinyDifferenceUsesTheCarriedOverAngle) {
    // Plane 2 of the run with weight in plane 3 differs from the run without weight by less than
    // the threshold: on a first calculation its element keeps the angle 0.
    const CorrectionResult r =
        Solve(WithTexts({{Field(2, 3, false), "13,50005"}, {Field(2, 3, true), "269"}}));
    EXPECT_EQ(test::Digits(r.Plane[1].MassPercent, 8), test::Digits(50.688057, 8));
}

TEST(Correction, SingularInExactArithmeticStillGoesOn) {
    // Run 3 typed as run 2: the determinant is rounding noise, not zero, and masses run huge.
    BalancingCalculator calculator;
    calculator.SetTrialMasses();
    const std::string line = PressLine(calculator, RunCopied(1, 2));
    std::vector<std::string> texts;
    for (std::size_t start = 0, tab;; start = tab + 1) {
        tab = line.find('\t', start);
        texts.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos) break;
    }
    ASSERT_EQ(texts.size(), 8u) << line;
    const auto value = [&](int i) {
        return std::stod(texts[i].replace(texts[i].find(','), 1, "."));
    };
    EXPECT_NEAR(value(0), 6.9e17, 0.1e17);
    EXPECT_NEAR(value(1), 6.9e17, 0.1e17);
    EXPECT_NEAR(value(2), 244.17, 0.01);
    EXPECT_NEAR(value(3), 148.14, 0.01);
}

// Builds readings from a chosen influence matrix and correction, and expects that correction back.
TEST(Correction, RecoversTheCorrectionTheReadingsWereBuiltFrom) {
    using C = std::complex<double>;
    const C influence[4][4] = {{{3, 1}, {0.5, -0.2}, {0.1, 0.4}, {-0.3, 0.2}},
                               {{0.2, 0.6}, {-2, 2}, {0.3, -0.1}, {0.1, 0.1}},
                               {{-0.4, 0.1}, {0.2, 0.3}, {1.5, -2.5}, {0.6, 0}},
                               {{0.1, -0.3}, {0.4, 0.1}, {-0.2, 0.2}, {-1, -3}}};
    const C correction[4] = {{0.3, 0.2}, {-0.5, 0.1}, {0.25, -0.4}, {0.1, 0.6}};
    C runZero[4];
    for (int p = 0; p < 4; ++p) {
        runZero[p] = 0;
        for (int j = 0; j < 4; ++j) runZero[p] -= influence[p][j] * correction[j];
    }
    double amplitude[5][4], phase[5][4];
    const auto put = [&](int run, int plane, C z) {
        amplitude[run][plane] = std::abs(z);
        double degrees = std::arg(z) * 180 / M_PI;
        phase[run][plane] = degrees < 0 ? degrees + 360 : degrees;
    };
    for (int p = 0; p < 4; ++p) {
        put(0, p, runZero[p]);
        for (int d = 1; d <= 4; ++d) put(d, p, runZero[p] + influence[p][d - 1]);
    }
    const CorrectionResult r = Solve(TextsFor(amplitude, phase));
    for (int j = 1; j <= 4; ++j) {
        EXPECT_NEAR(r.Plane[j].MassPercent, 100 * std::abs(correction[j - 1]), 1e-9) << j;
        double degrees = 360 - std::arg(correction[j - 1]) * 180 / M_PI;
        if (degrees >= 360) degrees -= 360;
        EXPECT_NEAR(std::fmod(r.Plane[j].AngleDegrees, 360.0), degrees, 1e-9) << j;
    }
}

TEST(Correction, ScalingAllAmplitudesLeavesThePercentages) {
    std::vector<std::string> scaled = DefaultTexts();
    for (int p = 1; p <= 4; ++p)
        for (int r = 0; r <= 4; ++r) scaled[Field(p, r, false)] += "e3";
    const CorrectionResult a = Solve(DefaultTexts());
    const CorrectionResult b = Solve(scaled);
    for (int j = 1; j <= 4; ++j) {
        EXPECT_NEAR(a.Plane[j].MassPercent, b.Plane[j].MassPercent, 1e-9) << j;
        EXPECT_NEAR(a.Plane[j].AngleDegrees, b.Plane[j].AngleDegrees, 1e-9) << j;
    }
}

}  // namespace
}  // namespace balance4
