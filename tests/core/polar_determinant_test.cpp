#include "polar_determinant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <ostream>

#include "extended.h"
#include "test_support.h"

namespace balance4 {
namespace {

InfluenceMatrix Unit(const int (&columnOfRow)[4]) {
    InfluenceMatrix m;
    for (int p = 1; p <= 4; ++p) {
        for (int d = 1; d <= 4; ++d) m.Element[p][d] = {0.0, 0.75 * p - d};  // stale angles
        m.Element[p][columnOfRow[p - 1]] = {1.0, 0.0};
    }
    return m;
}

ReplacementColumn UnitReplacement(int column) {
    ReplacementColumn r;
    r.Column = column;
    for (int p = 1; p <= 4; ++p) r.Values[p] = {1.0, 0.0};
    return r;
}

// Rows 1 and 2 both (1, 1, 0, 0): terms 1 and 7 alone are non-zero, at the angles 0 and
// a21 + pi. Their cosines cancel exactly; the sine left over is the instruction's residue at the
// double nearest pi (1.2246063538223773e-16), which exists only because the term angle was
// stored as that double.
InfluenceMatrix EqualFirstRows(double angle21) {
    InfluenceMatrix m = Unit({1, 2, 3, 4});
    m.Element[1][2] = {1.0, 0.0};
    m.Element[2][1] = {1.0, angle21};
    return m;
}

struct DeterminantCase {
    const char* name;
    InfluenceMatrix matrix;
    double modulus;
    std::optional<double> argument;
};

void PrintTo(const DeterminantCase& c, std::ostream* out) {
    *out << c.name;
}

class PolarDeterminantTest : public testing::TestWithParam<DeterminantCase> {};

TEST_P(PolarDeterminantTest, GivesModulusAndArgument) {
    const DeterminantCase& c = GetParam();
    const DeterminantValue d = PolarDeterminant(c.matrix);
    EXPECT_EQ(d.Modulus, c.modulus);
    EXPECT_EQ(d.Argument, c.argument);
}

INSTANTIATE_TEST_SUITE_P(
    Matrices, PolarDeterminantTest,
    testing::Values(DeterminantCase{"diagonal", Unit({1, 2, 3, 4}), 1.0, 0.0},
                    DeterminantCase{"zero_column",
                                    [] {
                                        InfluenceMatrix m = Unit({1, 2, 3, 4});
                                        for (int p = 1; p <= 4; ++p) m.Element[p][3].Magnitude = 0;
                                        return m;
                                    }(),
                                    0.0, std::nullopt},
                    // X = 0 exactly: the argument is the double pi/2 for Y > 0, 3pi/2 for Y < 0.
                    DeterminantCase{"x_zero_y_positive", EqualFirstRows(0.0),
                                    1.2246063538223773e-16, 1.5707963267948966},
                    // -2pi + pi is stored as minus the double nearest pi, whose sine is negative.
                    DeterminantCase{"x_zero_y_negative", EqualFirstRows(-6.283185307179586),
                                    1.2246063538223773e-16, 4.71238898038469}),
    [](const testing::TestParamInfo<DeterminantCase>& info) {
        return std::string(info.param.name);
    });

TEST(PolarDeterminant, RowSwapCarriesPiNotANegativeModulus) {
    const InfluenceMatrix swapped = Unit({2, 1, 3, 4});
    const DeterminantValue d = PolarDeterminant(swapped);
    EXPECT_EQ(d.Modulus, 1.0);
    ASSERT_TRUE(d.Argument);
    EXPECT_EQ(*d.Argument, 3.141592653589793);

    // Term 7 alone survives; it is odd, so the negated replaced column cancels its sign.
    for (int column = 1; column <= 4; ++column) {
        const ReplacementColumn replacement = UnitReplacement(column);
        const DeterminantValue c = PolarDeterminant(swapped, &replacement);
        EXPECT_EQ(c.Modulus, 1.0) << column;
        ASSERT_TRUE(c.Argument);
        EXPECT_EQ(*c.Argument, 0.0) << column;
    }
}

TEST(PolarDeterminant, ReplacementDoesNotTouchTheMatrix) {
    const InfluenceMatrix m = Unit({1, 2, 3, 4});
    ReplacementColumn r = UnitReplacement(2);
    r.Values[2] = {3.0, 0.0};
    const DeterminantValue d = PolarDeterminant(m, &r);
    EXPECT_EQ(d.Modulus, 3.0);
    EXPECT_EQ(m.Element[2][2].Magnitude, 1.0);
}

TEST(PolarDeterminant, EntriesNearTheTopOfTheRangeOverflow) {
    InfluenceMatrix m = Unit({1, 2, 3, 4});
    for (int p = 1; p <= 4; ++p) m.Element[p][p].Magnitude = 1e78;
    EXPECT_THROW(PolarDeterminant(m), FloatingPointError);
}

struct Determinant {
    double x, y, modulus, argument;
};

// The example readings: the system determinant and the four column determinants, ten digits.
constexpr Determinant kExample[5] = {
    {36134.42683, 43428.79502, 56495.63735, 0.8768227372},
    {-11705.44920, 14962.38431, 18997.11782, 2.234666606},
    {-49190.69002, -3606.375138, 49322.71207, 3.214775902},
    {65177.99454, -24509.17277, 69633.83173, -0.3596772962},
    {4821.038821, -10455.89113, 11513.82103, -1.138763686},
};

TEST(PolarDeterminant, ExampleReadingsGiveTheirDeterminants) {
    const MeasurementSet set = test::ReadSet(test::DefaultTexts());
    InfluenceMatrix matrix;
    ComputeInfluenceMatrix(set, matrix);
    ReplacementColumn runZero;
    for (int p = 1; p <= 4; ++p) runZero.Values[p] = set.Reading(0, p);

    for (int j = 0; j <= 4; ++j) {
        runZero.Column = j;
        const DeterminantValue d = PolarDeterminant(matrix, j == 0 ? nullptr : &runZero);
        const Determinant& expected = kExample[j];
        ASSERT_TRUE(d.Argument);
        EXPECT_EQ(test::Digits(d.Modulus, 10), test::Digits(expected.modulus, 10)) << "D" << j;
        EXPECT_EQ(test::Digits(*d.Argument, 10), test::Digits(expected.argument, 10)) << "D" << j;
        // The component sums, through the modulus and argument they were formed from.
        EXPECT_NEAR(d.Modulus * std::cos(*d.Argument), expected.x, std::fabs(expected.x) * 1e-9);
        EXPECT_NEAR(d.Modulus * std::sin(*d.Argument), expected.y, std::fabs(expected.y) * 1e-9);
    }
}

}  // namespace
}  // namespace balance4
