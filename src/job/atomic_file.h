#pragma once
// Whole-file reads and writes that never leave a file half written.
#include <cstddef>
#include <optional>
#include <string>

namespace balance4::job {

// Writes through a temporary file in the same folder, fsync and rename. False: the target is
// untouched and `error` is the reason in Russian, to follow «… не записан: », e.g. «нет прав на
// запись в папку «/srv»».
bool WriteFileAtomically(const std::string& path, const std::string& text, std::string& error);

// The reason a write of `path` failed with the system's error `code`, in Russian.
std::string WriteFailureReason(int code, const std::string& path);

// The file's bytes; empty optional when it cannot be read or is larger than `limit`.
std::optional<std::string> ReadWholeFile(const std::string& path, std::size_t limit,
                                         std::string& error);

}  // namespace balance4::job
