#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <cstring>
#include <set>

#include "balancing_calculator.h"
#include "extended.h"
#include "test_support.h"

namespace balance4 {
namespace {

using test::DefaultTexts;

struct Press {
    bool accepted;
    std::vector<std::string> messages;
    std::vector<int> fields;  // the refused fields' indices
};

Press Read(MeasurementSet& set, const std::vector<std::string>& texts, std::string_view sep = ",") {
    Press press;
    const std::vector<RefusedField> failures =
        ReadMeasurements(set, test::AsReadingTexts(texts), sep);
    press.accepted = failures.empty();
    for (const RefusedField& failure : failures) {
        press.messages.push_back(failure.Message);
        press.fields.push_back(failure.Field);
    }
    return press;
}

// The names are the fields' stable ids, the three with a small v included.
TEST(ReadingFields, VisitingOrderAndNames) {
    const auto name = [](int i) { return kReadingFields[static_cast<std::size_t>(i)].Name; };
    EXPECT_EQ(name(0), "EditV10");
    EXPECT_EQ(name(1), "EditF10");
    EXPECT_EQ(name(2), "EditV11");
    EXPECT_EQ(name(10), "EditV20");
    EXPECT_EQ(name(28), "Editv34");
    EXPECT_EQ(name(32), "Editv41");
    EXPECT_EQ(name(34), "Editv42");
    EXPECT_EQ(name(39), "EditF44");
}

TEST(ReadingFields, ClearedFieldsGiveFortyMessagesInOrder) {
    MeasurementSet set;
    Read(set, DefaultTexts());
    const MeasurementSet before = set;
    const Press press = Read(set, std::vector<std::string>(40, "н.д."));
    EXPECT_FALSE(press.accepted);
    ASSERT_EQ(press.messages.size(), 40u);
    EXPECT_EQ(press.messages[0], "Неверно задан Vo1, пуск 1");
    EXPECT_EQ(press.messages[1], "Неверно задан Fo1, пуск 1");
    EXPECT_EQ(press.messages[2], "Неверно задан Vo1, пуск 2");
    EXPECT_EQ(press.messages[39], "Неверно задан Fo4, пуск 5");
    EXPECT_EQ(std::set<std::string>(press.messages.begin(), press.messages.end()).size(), 40u);
    for (int i = 0; i < 40; ++i) EXPECT_EQ(press.fields[static_cast<std::size_t>(i)], i);
    // Unreadable texts store nothing: the previous readings stay.
    EXPECT_EQ(std::memcmp(&before, &set, sizeof set), 0);
}

struct FieldCase {
    const char* name;
    int index;  // in visiting order
    std::string text;
    std::string message;  // empty: accepted
    double stored;        // the value in the set afterwards
};

// Test names in listings and failures: the row name, not the bytes.
void PrintTo(const FieldCase& c, std::ostream* out) {
    *out << c.name;
}

class ReadingFieldTest : public testing::TestWithParam<FieldCase> {};

TEST_P(ReadingFieldTest, StoresBeforeTheSignTest) {
    const FieldCase& c = GetParam();
    std::vector<std::string> texts = DefaultTexts();
    texts[static_cast<std::size_t>(c.index)] = c.text;
    MeasurementSet set;
    Read(set, DefaultTexts());
    const Press press = Read(set, texts);
    EXPECT_EQ(press.accepted, c.message.empty());
    if (c.message.empty()) {
        EXPECT_TRUE(press.messages.empty());
    } else {
        EXPECT_EQ(press.messages, std::vector<std::string>{c.message});
    }
    const ReadingField& f = kReadingFields[static_cast<std::size_t>(c.index)];
    const double stored = f.Kind == ReadingKind::Amplitude ? set.Amplitude[f.Run][f.Plane]
                                                           : set.Phase[f.Run][f.Plane];
    EXPECT_EQ(stored, c.stored);
    EXPECT_EQ(std::signbit(stored), std::signbit(c.stored));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ReadingFieldTest,
    testing::Values(FieldCase{"negative_amplitude_stays_stored", 12, "-3",
                              "Неверно задан Vo2, пуск 2 !!!", -3.0},
                    FieldCase{"negative_zero_passes", 0, "-0", "", -0.0},
                    FieldCase{"negative_phase_tested_in_radians", 1, "-0,0001",
                              "Неверно задан Fo1, пуск 1 !!!", -1.7453292519943296e-06},
                    FieldCase{"too_large_is_unreadable_not_negative", 0, "-1e400",
                              "Неверно задан Vo1, пуск 1", 7.2},
                    FieldCase{"too_large_positive", 39, "1e400", "Неверно задан Fo4, пуск 5",
                              0.6457718232379019},
                    FieldCase{"phase_overflows_only_in_radians", 39, "1,1e310",
                              "Неверно задан Fo4, пуск 5", 0.6457718232379019},
                    FieldCase{"underflow_to_negative_zero_passes", 0, "-1e-400", "", -0.0},
                    FieldCase{"negative_denormal_refused", 0, "-1e-310",
                              "Неверно задан Vo1, пуск 1 !!!", -1e-310},
                    FieldCase{"entered_and_left_empty", 20, "", "Неверно задан Vo3, пуск 1", 3.5},
                    FieldCase{"two_turns_is_four_pi", 1, "720", "", 12.566370614359172},
                    FieldCase{"stored_phase_of_12_degrees", 31, "12", "", 0.20943951023931956}),
    [](const testing::TestParamInfo<FieldCase>& info) { return std::string(info.param.name); });

TEST(ReadingFields, AFailingAmplitudeDoesNotSkipItsPhase) {
    std::vector<std::string> texts = DefaultTexts();
    texts[0] = "x";
    texts[1] = "-1";
    MeasurementSet set;
    const Press press = Read(set, texts);
    EXPECT_EQ(press.messages, (std::vector<std::string>{"Неверно задан Vo1, пуск 1",
                                                        "Неверно задан Fo1, пуск 1 !!!"}));
    EXPECT_EQ(press.fields, (std::vector<int>{0, 1}));
}

TEST(BalancingCalculator, RefusedPressThenCorrectedPress) {
    BalancingCalculator calculator;
    calculator.SetTrialMasses();
    std::vector<std::string> texts = DefaultTexts();
    texts[12] = "-3";
    EXPECT_EQ(test::PressLine(calculator, texts), "Неверно задан Vo2, пуск 2 !!!");
    EXPECT_EQ(calculator.Measurements().Amplitude[1][2], -3.0);
    EXPECT_EQ(test::PressLine(calculator, DefaultTexts()),
              "33,63\t87,30\t123,26\t20,38\t282,20\t226,05\t70,85\t115,48");
}

TEST(BalancingCalculator, PointSeparatorReadsAndWritesPoints) {
    BalancingCalculator calculator;
    calculator.SetTrialMasses();
    std::vector<std::string> texts = DefaultTexts();
    for (auto& text : texts)
        for (char& c : text)
            if (c == ',') c = '.';
    EXPECT_EQ(test::PressLine(calculator, texts, "."),
              "33.63\t87.30\t123.26\t20.38\t282.20\t226.05\t70.85\t115.48");
}

// A trim run: a new run without weight over the matrix of an earlier press.
struct SolveCase {
    const char* name;
    RunZeroTexts texts;
    std::vector<RefusedField> failures;  // empty: calculated
};

void PrintTo(const SolveCase& c, std::ostream* out) {
    *out << c.name;
}

class SolveWithMatrixTest : public testing::TestWithParam<SolveCase> {};

TEST_P(SolveWithMatrixTest, ReadsTheRunAsThePressDoes) {
    const SolveCase& c = GetParam();
    BalancingCalculator calculator;
    calculator.SetTrialMasses();
    const PressResult press = calculator.Press(test::AsReadingTexts(DefaultTexts()), ",");
    const MatrixSolveResult solved = SolveWithMatrix(calculator.Matrix(), c.texts, ",");
    EXPECT_EQ(solved.Failures, c.failures);
    if (!c.failures.empty()) {
        EXPECT_EQ(solved.Outcome, PressOutcome::Refused);
        return;
    }
    ASSERT_EQ(solved.Outcome, PressOutcome::Calculated);
    EXPECT_EQ(solved.Texts, press.Texts);
    EXPECT_EQ(std::memcmp(&solved.Correction, &press.Correction, sizeof press.Correction), 0);
    EXPECT_EQ(solved.Readings.Amplitude[0][2], 13.5);
    EXPECT_EQ(solved.Readings.TrialMass[4], 100.0);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, SolveWithMatrixTest,
    testing::Values(SolveCase{"example_run_gives_the_press_results",
                              {"7,2", "238", "13,5", "269", "3,5", "128", "2,5", "12"},
                              {}},
                    SolveCase{"refusals_name_the_run_zero_fields",
                              {"7,2", "238", "x", "269", "3,5", "128", "2,5", "-12"},
                              {{10, "Неверно задан Vo2, пуск 1"},
                               {31, "Неверно задан Fo4, пуск 1 !!!"}}}),
    [](const testing::TestParamInfo<SolveCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace balance4
