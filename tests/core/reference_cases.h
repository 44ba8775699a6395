#pragma once
#include <string>
#include <vector>

namespace balance4::test {

// A reference case: the decimal separator, the 40 reading texts and the expected output line.
struct ReferenceCase {
    std::string file;
    int line = 0;
    std::string separator;
    std::vector<std::string> texts;
    std::string expected;
};

std::vector<ReferenceCase> LoadReferenceCases(const std::string& file);

// Expected and actual output lines agree: "*" matches any angle, "~V" a general-format value
// within 14 significant digits.
bool OutputMatches(const std::string& expected, const std::string& actual);

std::string CasesDirectory();

}  // namespace balance4::test
