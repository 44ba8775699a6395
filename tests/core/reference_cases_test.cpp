// The reference cases, computed independently, through the same press the window makes.
#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "balancing_calculator.h"
#include "reference_cases.h"
#include "test_support.h"

namespace balance4::test {
namespace {

class ReferenceCaseFile : public testing::TestWithParam<const char*> {};

// Each case from a fresh start, as the expected outputs were computed.
TEST_P(ReferenceCaseFile, EveryCaseFromAFreshStart) {
    const std::vector<ReferenceCase> cases = LoadReferenceCases(GetParam());
    ASSERT_FALSE(cases.empty());
    for (const ReferenceCase& c : cases) {
        BalancingCalculator calculator;
        calculator.SetTrialMasses();
        const std::string actual = PressLine(calculator, c.texts, c.separator);
        EXPECT_TRUE(OutputMatches(c.expected, actual))
            << c.file << ":" << c.line << "\n expected: " << c.expected
            << "\n actual:   " << actual;
    }
}

INSTANTIATE_TEST_SUITE_P(Files, ReferenceCaseFile, testing::Values("realistic.tsv", "nasty.tsv"));

// One program run through a whole file: only the listed cases answer differently, because an
// element whose difference counts as zero keeps the angle of the case before.
TEST(ReferenceCases, InOrderInOneRunDifferOnlyWhereListed) {
    std::map<std::pair<std::string, int>, std::string> stateDependent;
    std::ifstream list(CasesDirectory() + "/state_dependent.tsv");
    for (std::string line; std::getline(list, line);) {
        const std::size_t a = line.find('\t'), b = line.find('\t', a + 1);
        stateDependent[{line.substr(0, a), std::stoi(line.substr(a + 1, b - a - 1))}] =
            line.substr(b + 1);
    }
    ASSERT_FALSE(stateDependent.empty());
    for (const char* file : {"realistic.tsv", "nasty.tsv"}) {
        BalancingCalculator calculator;
        calculator.SetTrialMasses();
        for (const ReferenceCase& c : LoadReferenceCases(file)) {
            const auto listed = stateDependent.find({c.file, c.line});
            const std::string& expected =
                listed == stateDependent.end() ? c.expected : listed->second;
            const std::string actual = PressLine(calculator, c.texts, c.separator);
            EXPECT_TRUE(OutputMatches(expected, actual))
                << c.file << ":" << c.line << "\n expected: " << expected
                << "\n actual:   " << actual;
        }
    }
}

}  // namespace
}  // namespace balance4::test
