// Texts pasted from elsewhere or typed by mistake, in every one of the 40 fields: each gets its
// field's exact message, and the value that must stay in the set stays.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "balancing_calculator.h"
#include "extended.h"
#include "test_support.h"

namespace balance4 {
namespace {

enum class Outcome { Unreadable, Negative, Accepted };

// Each field's message for an unreadable text, in visiting order; a negative value adds " !!!".
const char* const kUnreadableMessages[40] = {
    "Неверно задан Vo1, пуск 1", "Неверно задан Fo1, пуск 1", "Неверно задан Vo1, пуск 2",
    "Неверно задан Fo1, пуск 2", "Неверно задан Vo1, пуск 3", "Неверно задан Fo1, пуск 3",
    "Неверно задан Vo1, пуск 4", "Неверно задан Fo1, пуск 4", "Неверно задан Vo1, пуск 5",
    "Неверно задан Fo1, пуск 5", "Неверно задан Vo2, пуск 1", "Неверно задан Fo2, пуск 1",
    "Неверно задан Vo2, пуск 2", "Неверно задан Fo2, пуск 2", "Неверно задан Vo2, пуск 3",
    "Неверно задан Fo2, пуск 3", "Неверно задан Vo2, пуск 4", "Неверно задан Fo2, пуск 4",
    "Неверно задан Vo2, пуск 5", "Неверно задан Fo2, пуск 5", "Неверно задан Vo3, пуск 1",
    "Неверно задан Fo3, пуск 1", "Неверно задан Vo3, пуск 2", "Неверно задан Fo3, пуск 2",
    "Неверно задан Vo3, пуск 3", "Неверно задан Fo3, пуск 3", "Неверно задан Vo3, пуск 4",
    "Неверно задан Fo3, пуск 4", "Неверно задан Vo3, пуск 5", "Неверно задан Fo3, пуск 5",
    "Неверно задан Vo4, пуск 1", "Неверно задан Fo4, пуск 1", "Неверно задан Vo4, пуск 2",
    "Неверно задан Fo4, пуск 2", "Неверно задан Vo4, пуск 3", "Неверно задан Fo4, пуск 3",
    "Неверно задан Vo4, пуск 4", "Неверно задан Fo4, пуск 4", "Неверно задан Vo4, пуск 5",
    "Неверно задан Fo4, пуск 5",
};

struct HostileCase {
    const char* name;
    std::string text;
    Outcome outcome;
    double amplitude;  // the value an accepted or negative text stores (amplitude field)
};

std::vector<HostileCase> HostileCases() {
    const auto unreadable = [](const char* name, std::string text) {
        return HostileCase{name, std::move(text), Outcome::Unreadable, 0.0};
    };
    return {
        unreadable("longest_field_of_sevens", std::string(32767, '7')),
        unreadable("thousands_of_digits", std::string(3000, '1')),
        unreadable("one_and_zeros_beyond_extended", "1" + std::string(32766, '0')),
        {"long_fraction_underflows", "0," + std::string(32764, '0') + "5", Outcome::Accepted, 0.0},
        {"many_leading_zeros", std::string(20000, '0') + "3", Outcome::Accepted, 3.0},
        unreadable("inf", "inf"),
        unreadable("infinity", "Infinity"),
        unreadable("nan", "nan"),
        unreadable("hex", "0x10"),
        unreadable("fullwidth_digits", "\xef\xbc\x91\xef\xbc\x92"),
        unreadable("arabic_indic_digits", "\xd9\xa1\xd9\xa2"),
        unreadable("nul_inside", std::string("7\0,2", 4)),
        unreadable("nul_after", std::string("7,2\0", 4)),
        unreadable("control_character",
                   "7,\x01"
                   "2"),
        unreadable("newline_after", "7,2\n"),
        unreadable("carriage_return_after", "7,2\r"),
        unreadable("tab_before", "\t7,2"),
        unreadable("invalid_utf8", "\xff\xfe"),
        unreadable("truncated_utf8", "7,2\xd0"),
        unreadable("right_to_left_mark",
                   "\xe2\x80\x8f"
                   "7,2"),
        unreadable("no_break_space_grouping",
                   "1\xc2\xa0"
                   "000"),
        unreadable("blank_grouping", "1 000,5"),
        unreadable("point_under_comma", "7.2"),
        unreadable("exponent_499_beyond_double", "1e499"),
        unreadable("exponent_500_beyond_double", "1e500"),
        unreadable("exponent_digit_after_500", "1e-5000"),
        {"exponent_minus_499_is_zero", "1e-499", Outcome::Accepted, 0.0},
        {"negative_fraction", "-0,5", Outcome::Negative, -0.5},
        unreadable("minus_sign_unicode",
                   "\xe2\x88\x92"
                   "5"),
        unreadable("no_data", "н.д."),
    };
}

TEST(HostileTexts, EveryFieldGetsItsMessageAndKeepsItsValue) {
    const ReadingTexts defaults = test::AsReadingTexts(test::DefaultTexts());
    MeasurementSet previous;
    ReadMeasurements(previous, defaults, ",");

    for (const HostileCase& c : HostileCases()) {
        for (std::size_t i = 0; i < kReadingFields.size(); ++i) {
            const ReadingField& field = kReadingFields[i];
            MeasurementSet set = previous;
            ReadingTexts texts = defaults;
            texts[i] = c.text;
            std::vector<std::string> messages;
            const std::vector<RefusedField> failures = ReadMeasurements(set, texts, ",");
            for (const RefusedField& failure : failures) messages.push_back(failure.Message);
            const bool accepted = failures.empty();

            const bool isAmplitude = field.Kind == ReadingKind::Amplitude;
            const double stored = isAmplitude ? set.Amplitude[field.Run][field.Plane]
                                              : set.Phase[field.Run][field.Plane];
            const double before = isAmplitude ? previous.Amplitude[field.Run][field.Plane]
                                              : previous.Phase[field.Run][field.Plane];
            switch (c.outcome) {
                case Outcome::Unreadable:
                    EXPECT_EQ(messages, std::vector<std::string>{kUnreadableMessages[i]})
                        << c.name << " in " << field.Name;
                    EXPECT_EQ(stored, before) << c.name << " in " << field.Name;
                    break;
                case Outcome::Negative:
                    EXPECT_EQ(
                        messages,
                        std::vector<std::string>{std::string(kUnreadableMessages[i]) + " !!!"})
                        << c.name << " in " << field.Name;
                    EXPECT_LT(stored, 0.0) << c.name << " in " << field.Name;
                    break;
                case Outcome::Accepted:
                    EXPECT_TRUE(messages.empty()) << c.name << " in " << field.Name;
                    if (isAmplitude) {
                        EXPECT_EQ(stored, c.amplitude) << c.name << " in " << field.Name;
                    }
                    break;
            }
            EXPECT_EQ(accepted, c.outcome == Outcome::Accepted);
            // Every other field holds what it held.
            for (std::size_t j = 0; j < kReadingFields.size(); ++j) {
                if (j == i) continue;
                const ReadingField& other = kReadingFields[j];
                const bool amp = other.Kind == ReadingKind::Amplitude;
                EXPECT_EQ(
                    amp ? set.Amplitude[other.Run][other.Plane] : set.Phase[other.Run][other.Plane],
                    amp ? previous.Amplitude[other.Run][other.Plane]
                        : previous.Phase[other.Run][other.Plane]);
            }
        }
    }
}

}  // namespace
}  // namespace balance4
