#include "extended.h"

#include <gtest/gtest.h>

#include <fpu_control.h>

#include <cfenv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "balancing_calculator.h"
#include "test_support.h"

namespace balance4 {
namespace {

TEST(ExtendedConstants, AreTheSixtyFourBitRoundings) {
    EXPECT_EQ(kPi, 0xc.90fdaa22168c235p-2L);
    EXPECT_EQ(kTwoPi, 0xc.90fdaa22168c235p-1L);
    // pi/180 and 180/pi rounded once from their exact values, not formed from kPi.
    EXPECT_EQ(kDegreesToRadians, 0x8efa351294e9c8aep-69L);
    EXPECT_EQ(kRadiansToDegrees, 0xe52ee0d31e0fbdc3p-58L);
    EXPECT_EQ(kHalfPi, 1.5707963267948966);
    EXPECT_EQ(kThreeHalfPi, 4.71238898038469);
}

TEST(X87Trigonometry, OutOfRangeArgumentGivesZero) {
    const Extended limit = 0x1p63L;
    EXPECT_EQ(Sine(limit), 0.0L);
    EXPECT_EQ(Cosine(limit), 0.0L);
    EXPECT_EQ(Sine(-limit * 4), 0.0L);
    EXPECT_NE(Cosine(0x1p62L), 0.0L);
    EXPECT_EQ(Cosine(0.0L), 1.0L);
}

TEST(X87Trigonometry, SineOfDoublePiIsTheInstructionsResidue) {
    // The instruction's reduction differs from the true sine of this double; some shown angles
    // follow the sign of residues like it, so the instruction must be the one used.
    EXPECT_EQ(static_cast<double>(Sine(3.141592653589793)), 1.2246063538223773e-16);
}

TEST(X87Trigonometry, ArcTangentOfOneQuotient) {
    EXPECT_EQ(ArcTangent(1.0L), 0xc.90fdaa22168c235p-4L);
    EXPECT_EQ(ArcTangent(-0.0L), 0.0L);
    EXPECT_EQ(SquareRoot(2.25L), 1.5L);
}

TEST(X87Trigonometry, ArcTangentFitsBesideSevenHeldValues) {
    // Inlined, the arctangent runs while its caller holds values on the x87 stack; an operand it
    // pushed without declaring would overflow the stack and give a NaN.
    static volatile Extended v[8] = {1, 2, 3, 4, 5, 6, 7, 0.5};
    const Extended a = v[0], b = v[1], c = v[2], d = v[3], e = v[4], f = v[5], g = v[6];
    const Extended t = ArcTangent(v[7]);
    // 104 + 105 atan(0.5)
    EXPECT_NEAR(static_cast<double>(a * (b + c * (d + e * (f + g * t)))), 152.68299894508464,
                1e-12);
}

TEST(Store, RoundsToDoubleAndRaisesOverflow) {
    EXPECT_EQ(Store(1.0L / 3), 1.0 / 3);
    EXPECT_EQ(Store(1e-320L), 1e-320);  // denormal, no error
    EXPECT_EQ(Store(1e-400L), 0.0);
    try {
        Store(1e309L);
        FAIL() << "no overflow raised";
    } catch (const FloatingPointError& error) {
        EXPECT_STREQ(error.what(), "Floating point overflow");
    }
    EXPECT_THROW(Store(-1e4000L), FloatingPointError);
    EXPECT_THROW(Store(std::numeric_limits<Extended>::quiet_NaN()), FloatingPointError);
}

// A press under the caller's x87 control word; the word the caller finds afterwards.
struct ForeignPress {
    std::string line;
    fpu_control_t after;
};

ForeignPress PressUnder(fpu_control_t word, BalancingCalculator& calculator,
                        const std::vector<std::string>& texts) {
    fpu_control_t original;
    _FPU_GETCW(original);
    std::feclearexcept(FE_ALL_EXCEPT);  // nothing pending that an unmasked exception would raise
    _FPU_SETCW(word);
    ForeignPress press;
    press.line = test::PressLine(calculator, texts);
    _FPU_GETCW(press.after);
    _FPU_SETCW(original);
    return press;
}

template <typename T>
std::string Bytes(const T& value) {
    return std::string(reinterpret_cast<const char*>(&value), sizeof value);
}

// A public calculating entry on the example; every bit of what it gives back.
struct EntryCase {
    const char* name;
    std::string (*run)();
};

void PrintTo(const EntryCase& c, std::ostream* out) {
    *out << c.name;
}

std::string ExamplePress() {
    BalancingCalculator calculator;
    calculator.SetTrialMasses();
    const std::string line = test::PressLine(calculator, test::DefaultTexts());
    return line + Bytes(calculator.Matrix());
}

std::string ExampleSolveWithMatrix() {
    const MeasurementSet set = test::ReadSet(test::DefaultTexts());
    InfluenceMatrix matrix;
    ComputeInfluenceMatrix(set, matrix);
    const MatrixSolveResult solved =
        SolveWithMatrix(matrix, {"7,2", "238", "13,5", "269", "3,5", "128", "2,5", "12"}, ",");
    return solved.Texts[0] + solved.Texts[7] + Bytes(solved.Correction);
}

std::string ExampleMatrixAndCorrection() {
    MeasurementSet set = test::ReadSet(test::DefaultTexts());
    for (int p = 1; p <= kPlaneCount; ++p) set.TrialMass[p] = kDefaultTrialMass;
    InfluenceMatrix matrix;
    ComputeInfluenceMatrix(set, matrix);
    return Bytes(matrix) + Bytes(*ComputeCorrection(matrix, set));
}

class PrecisionControlTest : public testing::TestWithParam<EntryCase> {};

// A caller computing in double precision and rounding toward zero gets the extended unit's
// results, and its own control word back.
TEST_P(PrecisionControlTest, ForeignCallerGetsTheExtendedResults) {
    const std::string expected = GetParam().run();
    fpu_control_t original;
    _FPU_GETCW(original);
    const fpu_control_t foreign =
        (original & ~(_FPU_EXTENDED | _FPU_RC_ZERO)) | _FPU_DOUBLE | _FPU_RC_ZERO;
    _FPU_SETCW(foreign);
    const std::string actual = GetParam().run();
    fpu_control_t after;
    _FPU_GETCW(after);
    _FPU_SETCW(original);
    EXPECT_EQ(after, foreign);
    EXPECT_EQ(actual, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, PrecisionControlTest,
    testing::Values(EntryCase{"press", ExamplePress},
                    EntryCase{"solve_with_a_matrix", ExampleSolveWithMatrix},
                    EntryCase{"matrix_and_correction", ExampleMatrixAndCorrection}),
    [](const testing::TestParamInfo<EntryCase>& info) { return std::string(info.param.name); });

TEST(PrecisionControl, UnmaskedTrapsOfTheCallerStayOffDuringThePress) {
    fpu_control_t original;
    _FPU_GETCW(original);
    const fpu_control_t trapping = original & ~(_FPU_MASK_OM | _FPU_MASK_ZM | _FPU_MASK_IM);
    std::vector<std::string> texts = test::DefaultTexts();
    for (std::size_t i = 0; i < texts.size(); i += 2) texts[i] += "e300";  // every amplitude
    BalancingCalculator calculator;
    calculator.SetTrialMasses();
    const ForeignPress press = PressUnder(trapping, calculator, texts);
    EXPECT_EQ(press.after, trapping);
    EXPECT_EQ(press.line, "Floating point overflow.");
}

}  // namespace
}  // namespace balance4
