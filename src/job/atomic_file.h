#pragma once
// Whole-file reads and writes that never leave a file half written.
#include <cstddef>
#include <optional>
#include <string>

namespace balance4::job {

// Writes through a temporary file in the same folder, fsync and rename. False: `error` says why
// in Russian and the target is untouched.
bool WriteFileAtomically(const std::string& path, const std::string& text, std::string& error);

// The file's bytes; empty optional when it cannot be read or is larger than `limit`.
std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t limit,
                                         std::string& error);

}  // namespace balance4::job
