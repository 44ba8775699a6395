#include "cli_text.h"

#include <clocale>
#include <cmath>

#include "extended.h"
#include "number_text.h"

namespace balance4::cli {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kLongestQuoted = 40;

}  // namespace

std::size_t CodePoints(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

std::string LocaleSeparator() {
    if (std::setlocale(LC_NUMERIC, "") == nullptr) return ".";
    const char* point = std::localeconv()->decimal_point;
    std::string separator = point && *point ? point : ".";
    std::setlocale(LC_NUMERIC, "C");
    return separator;
}

std::vector<std::string> SplitAt(std::string_view text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        parts.emplace_back(text.substr(start, at - start));
        if (at == std::string_view::npos) return parts;
        start = at + 1;
    }
}

bool SkipByteOrderMark(std::string& text) {
    if (!text.starts_with(kByteOrderMark)) return false;
    text.erase(0, kByteOrderMark.size());
    return true;
}

std::string Quoted(std::string_view text) {
    std::string quoted;
    std::size_t points = 0;
    for (const char c : text) {
        const bool continuation = (static_cast<unsigned char>(c) & 0xC0) == 0x80;
        if (!continuation && ++points > kLongestQuoted) return "«" + quoted + "…»";
        quoted += static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c;
    }
    return "«" + quoted + "»";
}

bool IsUnitName(std::string_view text) {
    return !text.empty() && !text.starts_with(' ') && !text.ends_with(' ') &&
           CodePoints(text) <= kLongestQuoted && Quoted(text) == "«" + std::string(text) + "»";
}

std::string PadLeft(std::string_view text, std::size_t width) {
    const std::size_t points = CodePoints(text);
    return std::string(points < width ? width - points : 0, ' ') + std::string(text);
}

std::string PadRight(std::string_view text, std::size_t width) {
    const std::size_t points = CodePoints(text);
    return std::string(text) + std::string(points < width ? width - points : 0, ' ');
}

}  // namespace balance4::cli
