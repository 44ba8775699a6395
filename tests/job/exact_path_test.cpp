// A 4 × 4 job with trial weights removed goes the calculator's own way: every reference case comes
// out as the calculator shows it, from a fresh start.
#include <gtest/gtest.h>

#include <map>

#include "calculate.h"
#include "reading_fields.h"
#include "reading_line.h"
#include "reference_cases.h"

namespace balance4::job {
namespace {

std::string Line(const JobResult& result) {
    std::string line;
    if (result.Result == Outcome::NoSolution) return result.Message;
    if (result.Result == Outcome::Refused) {
        for (const CellFailure& failure : result.Failures)
            line += (line.empty() ? "" : " | ") + failure.Message;
        return line;
    }
    for (const std::string& text : result.WindowTexts) line += (line.empty() ? "" : "\t") + text;
    return line;
}

// Where a job refuses what the calculator takes (a phase past a turn) or names the reading behind
// an overflow: the case's line and the start of the job's first message.
const std::map<int, std::string> kJobRules = {
    {10, "Пуск 1, точка 1: фаза 720° вне 0…360° — опечатка?"},
    {11, "Пуск 5, точка 1: фаза 123456789012345678901234° вне"},
    {14, "Пуск 2, точка 4: амплитуда 49,1e76 слишком велика: расчёт с ней переполняется"},
    {34, "Пуск 1, точка 2: фаза 970° вне"},
    {35, "Пуск 5, точка 2: фаза 123456789012345678901234° вне"},
    {38, "Пуск 3, точка 1: амплитуда 1,5e308 несоизмеримо больше остальных показаний"},
    {58, "Пуск 1, точка 1: фаза 3600,5° вне"},
    {59, "Пуск 3, точка 2: фаза 123456789012345678901234° вне"},
};

TEST(ExactPath, EveryReferenceCase) {
    for (const char* file : {"realistic.tsv", "nasty.tsv"}) {
        const std::vector<test::ReferenceCase> cases = test::LoadReferenceCases(file);
        ASSERT_FALSE(cases.empty());
        for (const test::ReferenceCase& c : cases) {
            Job job = MakeJob(4, 4);
            job.Separator = c.separator;
            job.Instrument = {0, 0};  // the spread is not what these cases check
            for (std::size_t f = 0; f < kReadingFields.size(); ++f) {
                const ReadingField& field = kReadingFields[f];
                ReadingText& reading = job.Readings[static_cast<std::size_t>(field.Run)]
                                                   [static_cast<std::size_t>(field.Plane - 1)];
                (field.Kind == ReadingKind::Amplitude ? reading.Amplitude : reading.Phase) =
                    c.texts[f];
            }
            const JobResult result = Calculate(job);
            EXPECT_EQ(result.Exact, result.Result == Outcome::Calculated);
            const std::string actual = Line(result);
            if (const auto rule = kJobRules.find(c.line);
                std::string(file) == "nasty.tsv" && rule != kJobRules.end()) {
                EXPECT_EQ(result.Result, Outcome::Refused) << c.line;
                EXPECT_TRUE(actual.starts_with(rule->second)) << c.line << ": " << actual;
                continue;
            }
            EXPECT_TRUE(test::OutputMatches(c.expected, actual))
                << c.file << ":" << c.line << "\n expected: " << c.expected
                << "\n actual:   " << actual;
        }
    }
}

// The one-line order of a 4 × 4 job is the calculator's visiting order; a line of another length
// is no job's.
TEST(ExactPath, ReadingLineIsTheCalculatorsOrder) {
    std::vector<std::string> fields;
    for (std::size_t f = 0; f < kReadingFields.size(); ++f) fields.push_back(std::to_string(f));
    const auto runs = RunsFromReadingLine(fields, 4, 4);
    ASSERT_TRUE(runs);
    for (std::size_t f = 0; f < kReadingFields.size(); ++f) {
        const ReadingField& field = kReadingFields[f];
        const ReadingText& reading =
            (*runs)[static_cast<std::size_t>(field.Run)][static_cast<std::size_t>(field.Plane - 1)];
        EXPECT_EQ(field.Kind == ReadingKind::Amplitude ? reading.Amplitude : reading.Phase,
                  fields[f]);
    }
    EXPECT_FALSE(RunsFromReadingLine(std::vector<std::string>(39), 4, 4));
    EXPECT_FALSE(RunsFromReadingLine(std::vector<std::string>(40), 3, 4));
    EXPECT_EQ(RunsFromReadingLine(std::vector<std::string>(8), 0, 4)->size(), 1u);
}

}  // namespace
}  // namespace balance4::job
