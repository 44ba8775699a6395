#include "job_text.h"

#include <charconv>
#include <system_error>

#include "number_text.h"

namespace balance4::job {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kLongestQuoted = 40;

}  // namespace

std::string ShortestNumberText(double value, std::string_view separator) {
    char buffer[32];
    const auto [end, failure] = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, failure == std::errc() ? end : buffer);
    if (const std::size_t point = text.find('.'); point != std::string::npos)
        text.replace(point, 1, separator);
    return text;
}

std::string TrimmedResultText(double value, std::string_view separator) {
    std::string text = FormatResult(value, separator);
    const std::string cut(separator);
    if (text.find(cut) == std::string::npos) return text;  // the general format
    if (text.ends_with(cut + "00")) return text.erase(text.size() - 2 - cut.size());
    if (text.ends_with('0')) text.pop_back();
    return text;
}

std::size_t CodePoints(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
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

bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80   ? 1
                                   : lead < 0xC2 ? 0
                                   : lead < 0xE0 ? 2
                                   : lead < 0xF0 ? 3
                                   : lead < 0xF5 ? 4
                                                 : 0;
        if (length == 0 || i + length > text.size()) return false;
        unsigned code = length == 1 ? lead : lead & (0x7Fu >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3Fu);
        }
        const unsigned least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (code < least[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

bool IsUnitName(std::string_view text) {
    return IsUtf8(text) && !text.empty() && !text.starts_with(' ') && !text.ends_with(' ') &&
           CodePoints(text) <= kLongestQuoted && Quoted(text) == "«" + std::string(text) + "»";
}

}  // namespace balance4::job
