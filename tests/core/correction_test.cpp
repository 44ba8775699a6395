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

// Planes 1 and 2 respond alike to the trial weights in planes 1 and 2 and not at all to the
// others: two equal rows of the influence matrix, a system without a solution. Its determinant
// has X = 0 exactly and Y of about 1e-16.
std::vector<std::string> EqualInfluenceRows() {
    const double amplitude[5][4] = {
        {1, 1, 1, 1}, {2, 2, 1, 1}, {2, 2, 1, 1}, {1, 1, 2, 1}, {1, 1, 1, 2}};
    const double phase[5][4] = {};
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
    double trialMass = kDefaultTrialMass;
};

// Test names in listings and failures: the row name, not the bytes.
void PrintTo(const PressCase& c, std::ostream* out) {
    *out << c.name;
}

class PressOutcomeTest : public testing::TestWithParam<PressCase> {};

TEST_P(PressOutcomeTest, ShowsTheExpectedTexts) {
    BalancingCalculator calculator;
    calculator.SetTrialMasses(GetParam().trialMass);
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
                    // Singular only in exact arithmetic: the determinant is rounding noise.
                    PressCase{"trial_run_2_typed_as_trial_run_1", RunCopied(1, 2),
                              "Некорректная масса пробных грузов"},
                    PressCase{"equal_influence_rows", EqualInfluenceRows(),
                              "Некорректная масса пробных грузов"},
                    // 2.5 times the example's 33.6258137909, 87.3035766717, 123.255237039 and
                    // 20.3800179385 percent; the angles do not depend on the trial mass.
                    PressCase{"trial_mass_250", DefaultTexts(),
                              "84,06\t218,26\t308,14\t50,95\t282,20\t226,05\t70,85\t115,48", 250.0},
                    PressCase{"amplitudes_near_the_top_overflow",
                              [] {
                                  std::vector<std::string> t = DefaultTexts();
                                  for (int p = 1; p <= 4; ++p)
                                      for (int r = 0; r <= 4; ++r) t[Field(p, r, false)] += "e300";
                                  return t;
                              }(),
                              "Floating point overflow."}),
    [](const testing::TestParamInfo<PressCase>& info) { return std::string(info.param.name); });

struct AngleCase {
    const char* name;
    double columnArgument, systemArgument;
    double degrees;  // exact: worked out in rational arithmetic, rounded at every store
};

void PrintTo(const AngleCase& c, std::ostream* out) {
    *out << c.name;
}

class PlacementAngleTest : public testing::TestWithParam<AngleCase> {};

TEST_P(PlacementAngleTest, RoundsAtEveryStore) {
    const AngleCase& c = GetParam();
    EXPECT_EQ(PlacementAngleDegrees(c.columnArgument, c.systemArgument), c.degrees);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, PlacementAngleTest,
    testing::Values(
        // -pi + 2pi: the extended 2pi (0.245e-15 above the double) rounds the stored sum up to the
        // double after pi; a double 2pi, or the sum left unstored, would give 180 exactly.
        AngleCase{"minus_pi_plus_one_turn", 0.0, 3.141592653589793, 0x1.67fffffffffffp+7},
        // -pi/2 + 2pi: the degrees are stored as 270 exactly before 360 less them is taken; left
        // in extended they would give 90.00000000000001.
        AngleCase{"half_pi_difference", 1.5707963267948966, 3.141592653589793, 90.0},
        // -4.25 + 2pi: the last bit comes from the extended 180/pi and 2pi.
        AngleCase{"minus_4_25_plus_one_turn", -1.5, 2.75, 0x1.e7039dc09fe17p+7},
        AngleCase{"minus_5_25_plus_one_turn", -1.5, 3.75, 0x1.2ccd87151774bp+8},
        AngleCase{"equal_arguments", 0.8768227372, 0.8768227372, 360.0}),
    [](const testing::TestParamInfo<AngleCase>& info) { return std::string(info.param.name); });

TEST(Correction, TinyDifferenceUsesTheCarriedOverAngle) {
    // Plane 2 of the run with weight in plane 3 differs from the run without weight by less than
    // the threshold: on a first calculation its element keeps the angle 0.
    const CorrectionResult r =
        Solve(WithTexts({{Field(2, 3, false), "13,50005"}, {Field(2, 3, true), "269"}}));
    EXPECT_EQ(test::Digits(r.Plane[1].MassPercent, 8), test::Digits(50.688057, 8));
}

using Complex = std::complex<double>;

struct BuiltCase {
    const char* name;
    Complex influence[4][4];  // [plane][trial run]
    double tolerance;         // in percent and degrees
};

void PrintTo(const BuiltCase& c, std::ostream* out) {
    *out << c.name;
}

class BuiltReadingsTest : public testing::TestWithParam<BuiltCase> {};

// Builds readings from a chosen influence matrix and correction, and expects that correction back.
TEST_P(BuiltReadingsTest, GiveBackTheCorrectionTheyWereBuiltFrom) {
    const auto& influence = GetParam().influence;
    const Complex correction[4] = {{0.3, 0.2}, {-0.5, 0.1}, {0.25, -0.4}, {0.1, 0.6}};
    Complex runZero[4];
    for (int p = 0; p < 4; ++p) {
        runZero[p] = 0;
        for (int j = 0; j < 4; ++j) runZero[p] -= influence[p][j] * correction[j];
    }
    double amplitude[5][4], phase[5][4];
    const auto put = [&](int run, int plane, Complex z) {
        amplitude[run][plane] = std::abs(z);
        double degrees = std::arg(z) * 180 / M_PI;
        phase[run][plane] = degrees < 0 ? degrees + 360 : degrees;
    };
    for (int p = 0; p < 4; ++p) {
        put(0, p, runZero[p]);
        for (int d = 1; d <= 4; ++d) put(d, p, runZero[p] + influence[p][d - 1]);
    }
    const CorrectionResult r = Solve(TextsFor(amplitude, phase));
    const double tolerance = GetParam().tolerance;
    for (int j = 1; j <= 4; ++j) {
        EXPECT_NEAR(r.Plane[j].MassPercent, 100 * std::abs(correction[j - 1]), tolerance) << j;
        double degrees = 360 - std::arg(correction[j - 1]) * 180 / M_PI;
        if (degrees >= 360) degrees -= 360;
        EXPECT_NEAR(std::fmod(r.Plane[j].AngleDegrees, 360.0), degrees, tolerance) << j;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Influences, BuiltReadingsTest,
    testing::Values(BuiltCase{"well_apart",
                              {{{3, 1}, {0.5, -0.2}, {0.1, 0.4}, {-0.3, 0.2}},
                               {{0.2, 0.6}, {-2, 2}, {0.3, -0.1}, {0.1, 0.1}},
                               {{-0.4, 0.1}, {0.2, 0.3}, {1.5, -2.5}, {0.6, 0}},
                               {{0.1, -0.3}, {0.4, 0.1}, {-0.2, 0.2}, {-1, -3}}},
                              1e-9},
                    // Weights in planes 3 and 4 act almost alike: |D| is 1.5e-9 of its
                    // terms' sum, far above rounding noise, and the system still has its solution.
                    BuiltCase{"planes_3_and_4_nearly_alike",
                              {{{3, 1}, {0.5, -0.2}, {0.1, 0.4}, {0.100000001, 0.4}},
                               {{0.2, 0.6}, {-2, 2}, {0.3, -0.1}, {0.3, -0.099999998}},
                               {{-0.4, 0.1}, {0.2, 0.3}, {1.5, -2.5}, {1.499999999, -2.5}},
                               {{0.1, -0.3}, {0.4, 0.1}, {-0.2, 0.2}, {-0.2, 0.200000001}}},
                              1e-4}),
    [](const testing::TestParamInfo<BuiltCase>& info) { return std::string(info.param.name); });

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
