// A 4 × 4 job with trial weights removed goes the calculator's own way: every reference case comes
// out as the calculator shows it, from a fresh start.
#include <gtest/gtest.h>

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
