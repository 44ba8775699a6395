#pragma once
// The one line of readings that `job` and `trim` read from standard input.
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "job.h"

namespace balance4::cli {

// One line of `count` TAB-separated texts; blank lines around it are allowed, a byte-order mark at
// the start and CR line ends are dropped. Empty optional: `error` says in Russian what was wrong.
std::optional<std::vector<std::string>> ReadCase(std::istream& in, std::size_t count,
                                                 std::string& error);

// Every nonblank line, split at TAB, with the same rules for the input's size, byte-order mark and
// line ends. Empty optional: `error` says what was wrong.
std::optional<std::vector<std::vector<std::string>>> ReadCaseLines(std::istream& in,
                                                                   std::string& error);

// How many texts a job's line holds: per point, runs 0..planes, amplitude and phase.
std::size_t JobLineTexts(int planes, int points);

}  // namespace balance4::cli
