#include "influence_matrix.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>

#include "extended.h"
#include "test_support.h"

namespace balance4 {
namespace {

using test::DefaultTexts;
using test::ReadSet;

// The example readings' influence matrix, magnitude / angle in radians, to twelve digits.
constexpr double kExampleMatrix[4][4][2] = {
    {{11.9047652179, 1.1603353659},
     {10.0024752557, 1.35021894085},
     {12.9993370733, 1.62086759783},
     {11.3986911286, 3.72786366903}},
    {{14.6712213534, 0.893016433199},
     {5.50102460673, 0.461972109984},
     {8.36420848798, 2.34851587353},
     {17.2011744244, 1.66915896717}},
    {{5.46202139888, -1.33504553322},
     {9.0248911207, -0.362163566621},
     {9.83382647332, 0.388048132317},
     {22.9995480475, -0.922368647267}},
    {{10.3860251579, 0.640925650155},
     {3.8987699013, 3.36982646415},
     {3.53760476761, 4.54463964789},
     {5.92912595793, 0.824924476438}},
};

TEST(InfluenceMatrix, ExampleReadingsGiveTheirMatrix) {
    const MeasurementSet set = ReadSet(DefaultTexts());
    EXPECT_EQ(set.Phase[0][1], 4.153883619746504);
    EXPECT_EQ(set.Phase[0][4], 0.20943951023931956);
    EXPECT_EQ(set.Amplitude[0][1], 7.2);

    InfluenceMatrix matrix;
    ComputeInfluenceMatrix(set, matrix);
    for (int p = 1; p <= 4; ++p) {
        for (int d = 1; d <= 4; ++d) {
            const auto [magnitude, angle] = kExampleMatrix[p - 1][d - 1];
            EXPECT_EQ(test::Digits(matrix.Element[p][d].Magnitude, 12), test::Digits(magnitude, 12))
                << p << "," << d;
            EXPECT_EQ(test::Digits(matrix.Element[p][d].Angle, 12), test::Digits(angle, 12))
                << p << "," << d;
        }
    }
}

// One element (1, 1) from a run-0 and a run-1 reading at plane 1; the rest of the set is zero.
PolarValue Element(double v0, double f0Degrees, double v1, double f1Degrees,
                   double previousAngle = 0.0) {
    MeasurementSet set;
    set.Amplitude[0][1] = v0;
    set.Phase[0][1] = static_cast<double>(f0Degrees * kDegreesToRadians);
    set.Amplitude[1][1] = v1;
    set.Phase[1][1] = static_cast<double>(f1Degrees * kDegreesToRadians);
    InfluenceMatrix matrix;
    matrix.Element[1][1].Angle = previousAngle;
    ComputeInfluenceMatrix(set, matrix);
    return matrix.Element[1][1];
}

struct ElementCase {
    const char* name;
    double v0, f0, v1, f1;
    double magnitude, angle;
    bool exactAngle;  // the rule gives a constant or keeps the previous angle
};

// Test names in listings and failures: the row name, not the bytes.
void PrintTo(const ElementCase& c, std::ostream* out) {
    *out << c.name;
}

class InfluenceElementTest : public testing::TestWithParam<ElementCase> {};

TEST_P(InfluenceElementTest, FollowsTheAngleRules) {
    const ElementCase& c = GetParam();
    const PolarValue e = Element(c.v0, c.f0, c.v1, c.f1, /*previousAngle=*/2.5);
    EXPECT_NEAR(e.Magnitude, c.magnitude, c.magnitude * 1e-9);
    if (c.exactAngle) {
        EXPECT_EQ(e.Angle, c.angle);
    } else {
        EXPECT_NEAR(e.Angle, c.angle, 1e-12);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InfluenceElementTest,
    testing::Values(
        // A fourth-quadrant difference keeps its negative angle: no reduction to 0..2pi.
        ElementCase{"run0_zero_gives_run_vector", 0, 0, 5, 300, 5, -1.0471975511965976, false},
        // dx is a rounding residue far below the threshold: exactly the double pi/2 or 3pi/2.
        ElementCase{"residue_dx_gives_exact_half_pi", 0, 0, 1, 90, 1, kHalfPi, true},
        ElementCase{"residue_dx_gives_exact_three_halves_pi", 0, 0, 1, 270, 1, kThreeHalfPi, true},
        ElementCase{"negative_dx_adds_pi", 5, 0, 3, 0, 2, 3.141592653589793, true},
        ElementCase{"identical_runs_keep_angle", 13.5, 269, 13.5, 269, 0, 2.5, true},
        // A component of exactly the double 0.0001 lies above the extended threshold: not zero.
        ElementCase{"dx_of_double_0_0001_is_not_zero", 0, 0, 0.0001, 0, 0.0001, 0.0, true},
        ElementCase{"dx_one_double_below_0_0001_is_zero", 0, 0, 0x1.a36e2eb1c432cp-14, 0,
                    0x1.a36e2eb1c432cp-14, 2.5, true},
        // dy of -0.00005 counts as zero for the rule, yet enters the quotient: atan(-0.00005) is
        // -0.00005 + 0.00005^3 / 3.
        ElementCase{"tiny_dy_gives_a_small_angle_of_its_sign", 0.00005, 90, 1, 0, 1.00000000125,
                    -4.99999999583333e-5, false},
        ElementCase{"tiny_difference_keeps_angle", 0, 0, 0.00005 * std::sqrt(2.0), 45,
                    0.0000707106781, 2.5, true}),
    [](const testing::TestParamInfo<ElementCase>& info) { return std::string(info.param.name); });

TEST(InfluenceMatrix, IdenticalRunsKeepTheAngleOfThePreviousCalculation) {
    std::vector<std::string> texts = DefaultTexts();
    MeasurementSet set = ReadSet(texts);
    InfluenceMatrix matrix;
    ComputeInfluenceMatrix(set, matrix);
    const double before = matrix.Element[2][3].Angle;
    EXPECT_NEAR(before, 2.348516, 1e-6);

    set.Amplitude[3][2] = 13.5;  // EditV23, EditF23 as the run without weight
    set.Phase[3][2] = set.Phase[0][2];
    ComputeInfluenceMatrix(set, matrix);
    EXPECT_EQ(matrix.Element[2][3].Magnitude, 0.0);
    EXPECT_EQ(matrix.Element[2][3].Angle, before);

    InfluenceMatrix fresh;
    ComputeInfluenceMatrix(set, fresh);
    EXPECT_EQ(fresh.Element[2][3].Angle, 0.0);
}

TEST(InfluenceMatrix, PhaseBeyondTheInstructionsRangeContributesNothing) {
    // 2^63 radians and more: cosine and sine are taken as 0, so the run-1 reading vanishes.
    const PolarValue e = Element(5, 0, 7, 6e20);
    EXPECT_EQ(e.Magnitude, 5.0);
    EXPECT_EQ(e.Angle, 3.141592653589793);
}

TEST(InfluenceMatrix, MagnitudeBeyondDoubleRaisesOverflow) {
    EXPECT_THROW(Element(1.5e308, 0, 1.5e308, 180), FloatingPointError);
}

}  // namespace
}  // namespace balance4
