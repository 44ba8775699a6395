#include "job_text.h"

namespace balance4::job {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kLongestQuoted = 40;

}  // namespace

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

bool IsUnitName(std::string_view text) {
    return !text.empty() && !text.starts_with(' ') && !text.ends_with(' ') &&
           CodePoints(text) <= kLongestQuoted && Quoted(text) == "«" + std::string(text) + "»";
}

}  // namespace balance4::job
