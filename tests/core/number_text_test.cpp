#include "number_text.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <optional>

namespace balance4 {
namespace {

struct ParseCase {
    const char* name;
    std::string_view text;
    std::string_view separator;
    std::optional<Extended> expected;  // empty: the text must fail
    bool exact = true;                 // beyond 10^27 the scaling may be off in the last bit
};

// Test names in listings and failures: the row name, not the bytes.
void PrintTo(const ParseCase& c, std::ostream* out) {
    *out << c.name;
}

class ParseDecimalTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseDecimalTest, ConvertsOrFails) {
    const ParseCase& c = GetParam();
    const std::optional<Extended> value = ParseDecimal(c.text, c.separator);
    ASSERT_EQ(value.has_value(), c.expected.has_value()) << "text [" << c.text << "]";
    if (c.expected) {
        if (c.exact) {
            EXPECT_EQ(*value, *c.expected) << "text [" << c.text << "]";
        } else {
            EXPECT_LE(std::fabs(*value - *c.expected), std::fabs(*c.expected) * 1e-18L) << c.text;
        }
        EXPECT_EQ(std::signbit(*value), std::signbit(*c.expected)) << "sign of [" << c.text << "]";
    }
}

constexpr auto kFail = std::nullopt;

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseDecimalTest,
    testing::Values(
        ParseCase{"comma_decimal", "7,2", ",", 7.2L}, ParseCase{"point_decimal", "7.2", ".", 7.2L},
        ParseCase{"point_under_comma_fails", "7.2", ",", kFail},
        ParseCase{"comma_under_point_fails", "7,2", ".", kFail},
        ParseCase{"blanks_around", " 7,2 ", ",", 7.2L},
        ParseCase{"tab_is_not_a_blank", "\t7,2", ",", kFail},
        ParseCase{"trailing_tab_fails", "7,2\t", ",", kFail},
        ParseCase{"lone_separator_is_zero", ",", ",", 0.0L},
        ParseCase{"signed_lone_separator", "-,", ",", -0.0L},
        ParseCase{"lone_plus_fails", "+", ",", kFail}, ParseCase{"empty_fails", "", ",", kFail},
        ParseCase{"blanks_only_fail", "   ", ",", kFail},
        ParseCase{"digit_then_separator", "5,", ",", 5.0L},
        ParseCase{"separator_then_digit", ",5", ",", 0.5L},
        ParseCase{"exponent", "2e1", ",", 20.0L},
        ParseCase{"signed_capital_exponent", "2E+1", ",", 20.0L},
        ParseCase{"bare_exponent_is_zero", "1e", ",", 1.0L},
        ParseCase{"exponent_without_mantissa_fails", "e5", ",", kFail},
        ParseCase{"negative_zero", "-0", ",", -0.0L}, ParseCase{"plain_zero", "0", ",", 0.0L},
        ParseCase{"double_sign_fails", "--1", ",", kFail},
        ParseCase{"blank_after_sign_fails", "- 5", ",", kFail},
        ParseCase{"grouping_blank_fails", "1 000", ",", kFail},
        ParseCase{"grouping_point_fails", "1.000,5", ",", kFail},
        ParseCase{"two_separators_fail", "1,2,3", ",", kFail},
        ParseCase{"letters_fail", "abc", ",", kFail},
        ParseCase{"no_data_text_fails", "н.д.", ",", kFail},
        ParseCase{"nan_fails", "nan", ",", kFail}, ParseCase{"inf_fails", "inf", ",", kFail},
        ParseCase{"hex_fails", "0x10", ",", kFail},
        ParseCase{"fullwidth_digit_fails", "\xef\xbc\x97", ",", kFail},
        ParseCase{"embedded_nul_fails", std::string_view("7\0", 2), ",", kFail},
        ParseCase{"beyond_double_is_still_extended", "1e400", ",", 1e400L, false},
        ParseCase{"tiny_exponent_converts", "1e-500", ",", 1e-500L, false},
        ParseCase{"exponent_digit_after_500_fails", "1e-5000", ",", kFail},
        ParseCase{"exponent_4999_takes_all_digits", "0e4999", ",", 0.0L},
        ParseCase{"beyond_extended_fails", "1e4999", ",", kFail},
        ParseCase{"far_below_extended_is_zero", "1e-4999", ",", 0.0L},
        ParseCase{"exact_division_by_power", "0,1", ",", 1.0L / 10},
        ParseCase{"long_fraction", "0,000000000000000000000000000001", ",", 1e-30L, false},
        ParseCase{"multibyte_separator",
                  "3\xd9\xab"
                  "5",
                  "\xd9\xab", 3.5L}),
    [](const testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

TEST(ParseDecimal, ThousandsOfDigitsOverflowTheAccumulation) {
    EXPECT_FALSE(ParseDecimal(std::string(5000, '9'), ","));
    EXPECT_EQ(ParseDecimal("0," + std::string(6000, '0') + "1", ","), 0.0L);
    EXPECT_EQ(*ParseDecimal(std::string(400, '1') + "e-400", ","),
              *ParseDecimal("0," + std::string(400, '1'), ","));
}

struct FormatCase {
    const char* name;
    double value;
    std::string_view separator;
    std::string_view expected;
};

// Test names in listings and failures: the row name, not the bytes.
void PrintTo(const FormatCase& c, std::ostream* out) {
    *out << c.name;
}

class FormatResultTest : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatResultTest, WritesTwoDecimals) {
    EXPECT_EQ(FormatResult(GetParam().value, GetParam().separator), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatResultTest,
    testing::Values(FormatCase{"half_rounds_up", 0.125, ",", "0,13"},
                    FormatCase{"stored_below_half_rounds_down", 1.005, ",", "1,00"},
                    FormatCase{"example_mass", 33.6258137909, ",", "33,63"},
                    FormatCase{"point_separator", 33.6258137909, ".", "33.63"},
                    FormatCase{"zero", 0.0, ",", "0,00"},
                    FormatCase{"negative_zero", -0.0, ",", "0,00"},
                    FormatCase{"tiny_negative_rounds_to_zero", -0.001, ",", "0,00"},
                    FormatCase{"negative", -2.5, ",", "-2,50"},
                    FormatCase{"smallest_rounding_up", 0.005, ",", "0,01"},
                    FormatCase{"just_below", 0.00499, ",", "0,00"},
                    FormatCase{"carry_into_integer", 99.995, ",", "100,00"},
                    FormatCase{"full_angle", 360.0, ",", "360,00"},
                    FormatCase{"no_grouping", 5294.3712, ",", "5294,37"},
                    FormatCase{"large_written_in_full", 6.9e17, ",", "690000000000000000,00"},
                    FormatCase{"general_from_1e18", 1e18, ",", "1E+18"},
                    FormatCase{"general_fifteen_digits", 1.845219375258594e18, ",",
                               "1,84521937525859E+18"},
                    FormatCase{"multibyte_separator", 1.5, "\xd9\xab",
                               "1\xd9\xab"
                               "50"}),
    [](const testing::TestParamInfo<FormatCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace balance4
