// Any bytes as a reading text: the conversion and the formatting never crash, and what converts
// satisfies the form's invariants.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "extended.h"
#include "number_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    static constexpr std::string_view kSeparators[] = {",", ".", "\xd9\xab", " "};
    const std::string_view separator = kSeparators[data[0] % 4];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    const auto value = balance4::ParseDecimal(text, separator);
    if (!value) return 0;
    if (std::isnan(*value) || std::isinf(*value)) std::abort();  // never a non-number
    if (text.find_first_not_of(" +-0123456789eE.,\xd9\xab") != std::string_view::npos) std::abort();
    try {
        const double stored = balance4::Store(*value);
        if (balance4::FormatResult(stored, separator).empty()) std::abort();
    } catch (const balance4::FloatingPointError&) {
        if (std::fabs(*value) <= 1e308L) std::abort();  // only beyond the double range
    }
    return 0;
}
