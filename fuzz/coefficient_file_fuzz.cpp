// Any text as the body of a coefficient file, given its right checksum so that the reader looks at
// every line: it never crashes, and whatever it accepts is written back and read again unchanged.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "coefficient_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto saved =
        balance4::job::ParseCoefficientFile(balance4::job::WithChecksum(body), error);
    if (!saved) {
        if (error.empty()) std::abort();  // every refusal says why
        return 0;
    }
    const auto again =
        balance4::job::ParseCoefficientFile(balance4::job::FormatCoefficientFile(*saved), error);
    if (!again) std::abort();
    // Bit for bit: the trim must use exactly the coefficients that were saved.
    if (again->Element.size() != saved->Element.size() ||
        std::memcmp(again->Element.data(), saved->Element.data(),
                    saved->Element.size() * sizeof saved->Element[0]) != 0 ||
        again->Trial != saved->Trial || again->Unit != saved->Unit)
        std::abort();
    return 0;
}
