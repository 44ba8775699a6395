#include "case_input.h"

#include <istream>

#include "cli_text.h"

namespace balance4::cli {

namespace {
// Far beyond any case of readings; a larger input is not one.
constexpr std::size_t kLargestInput = 1 << 20;
}  // namespace

std::optional<std::vector<std::vector<std::string>>> ReadCaseLines(std::istream& in,
                                                                   std::string& error) {
    std::string input;
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        input.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (input.size() > kLargestInput) {
            error = "на входе больше 1 МиБ — это не один набор показаний";
            return std::nullopt;
        }
    }
    SkipByteOrderMark(input);

    std::vector<std::vector<std::string>> lines;
    std::size_t start = 0;
    while (start < input.size()) {
        const std::size_t end = std::min(input.find('\n', start), input.size());
        std::string line = input.substr(start, end - start);
        start = end + 1;
        if (line.ends_with('\r')) line.pop_back();
        if (!line.empty()) lines.push_back(SplitAt(line, '\t'));
    }
    return lines;
}

std::optional<std::vector<std::string>> ReadCase(std::istream& in, std::size_t count,
                                                 std::string& error) {
    const std::optional<std::vector<std::vector<std::string>>> lines = ReadCaseLines(in, error);
    if (!lines) return std::nullopt;
    if (lines->size() != 1) {
        error = "ожидается одна строка показаний, найдено строк: " + std::to_string(lines->size());
        return std::nullopt;
    }
    const std::vector<std::string>& texts = lines->front();
    if (texts.size() != count) {
        error = "ожидается " + std::to_string(count) + " показаний через TAB, найдено " +
                std::to_string(texts.size());
        return std::nullopt;
    }
    return texts;
}

}  // namespace balance4::cli

namespace balance4::cli {

std::size_t JobLineTexts(int planes, int points) {
    return 2 * static_cast<std::size_t>(points) * static_cast<std::size_t>(planes + 1);
}

}  // namespace balance4::cli
