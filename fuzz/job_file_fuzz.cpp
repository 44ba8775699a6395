// Any bytes as a job file: the reader never crashes, every refusal says why, and whatever it
// accepts is written, read back unchanged, and written again to the same text.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "job_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto job = balance4::job::ParseJobFile(text, error);
    if (!job) {
        if (error.empty() || error.find('\n') != std::string::npos) std::abort();  // one line
        return 0;
    }
    const std::string written = balance4::job::FormatJobFile(*job);
    const auto again = balance4::job::ParseJobFile(written, error);
    if (!again || !(*again == *job) || balance4::job::FormatJobFile(*again) != written)
        std::abort();
    return 0;
}
