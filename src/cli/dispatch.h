#pragma once
// balance4-calc from its arguments to its exit status: the mode the arguments name, run on the
// given streams. The program's main() only hands it the process's own.
#include <iosfwd>
#include <string>
#include <vector>

#include "line_mode.h"

namespace balance4::cli {

// `args` without the program's name. The line mode reads through `readLines` (it must see when
// input would wait); `job` and `trim` read their one line from `in`.
int Run(const std::vector<std::string>& args, const ReadInput& readLines, std::istream& in,
        std::ostream& out, std::ostream& err);

}  // namespace balance4::cli
