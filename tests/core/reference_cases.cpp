#include "reference_cases.h"

#include <cmath>
#include <fstream>
#include <stdexcept>

namespace balance4::test {

namespace {

std::vector<std::string> Split(const std::string& line, char separator) {
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = line.find(separator, start);
        parts.push_back(line.substr(start, end - start));
        if (end == std::string::npos) return parts;
        start = end + 1;
    }
}

// \t, \n, \r, \\ and \xHH stand for those bytes inside a reading text.
std::string Unescape(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        if (c == 't')
            out += '\t';
        else if (c == 'n')
            out += '\n';
        else if (c == 'r')
            out += '\r';
        else if (c == 'x' && i + 2 < text.size()) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else
            out += c;
    }
    return out;
}

double Number(std::string text) {
    for (char& c : text)
        if (c == ',') c = '.';
    return std::stod(text);
}

}  // namespace

std::string CasesDirectory() {
    return BALANCE4_CASES_DIR;
}

std::vector<ReferenceCase> LoadReferenceCases(const std::string& file) {
    std::ifstream in(CasesDirectory() + "/" + file);
    if (!in) throw std::runtime_error("cannot read " + file);
    std::vector<ReferenceCase> cases;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        const std::vector<std::string> parts = Split(line, '\t');
        if (parts.size() < 43)
            throw std::runtime_error(file + ": short line " + std::to_string(number));
        ReferenceCase c{file, number, parts[0], {}, {}};
        for (std::size_t i = 1; i <= 40; ++i) c.texts.push_back(Unescape(parts[i]));
        for (std::size_t i = 42; i < parts.size(); ++i)
            c.expected += (i > 42 ? "\t" : "") + parts[i];
        cases.push_back(std::move(c));
    }
    return cases;
}

bool OutputMatches(const std::string& expected, const std::string& actual) {
    const std::vector<std::string> want = Split(expected, '\t');
    const std::vector<std::string> got = Split(actual, '\t');
    if (want.size() != got.size()) return false;
    for (std::size_t i = 0; i < want.size(); ++i) {
        if (want[i] == "*") continue;
        if (want[i].starts_with("~")) {
            const double w = Number(want[i].substr(1));
            if (std::fabs(Number(got[i]) - w) > std::fabs(w) * 1e-13) return false;
            continue;
        }
        if (want[i] != got[i]) return false;
    }
    return true;
}

}  // namespace balance4::test
