#include "cli_text.h"

#include <clocale>

namespace balance4::cli {

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

std::string PadLeft(std::string_view text, std::size_t width) {
    const std::size_t points = CodePoints(text);
    return std::string(points < width ? width - points : 0, ' ') + std::string(text);
}

std::string PadRight(std::string_view text, std::size_t width) {
    const std::size_t points = CodePoints(text);
    return std::string(text) + std::string(points < width ? width - points : 0, ' ');
}

}  // namespace balance4::cli
