#pragma once
// The one case that `job` and `trim` read from standard input.
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace balance4::cli {

// One line of `count` TAB-separated texts; blank lines around it are allowed, a byte-order mark at
// the start and CR line ends are dropped. Empty optional: `error` says in Russian what was wrong.
std::optional<std::vector<std::string>> ReadCase(std::istream& in, std::size_t count,
                                                 std::string& error);

}  // namespace balance4::cli
