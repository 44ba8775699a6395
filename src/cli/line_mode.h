#pragma once
// The line mode of balance4-calc: cases read one a line, each answered with one line, as
// successive presses of F9 in one calculator window.
#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string_view>

namespace balance4::cli {

// Fills `buffer` with up to `size` bytes of input and returns how many; 0 at the end of the input.
// It may wait for input: the answers so far are flushed before each call.
using ReadInput = std::function<std::size_t(char* buffer, std::size_t size)>;

// Reads every line (40 reading texts separated by TAB, `separator` their decimal separator) and
// writes one answer line for each: the failing fields' messages joined by « | », the
// zero-determinant message, the eight result texts joined by TAB, or a floating-point error's
// text. A line that does not hold 40 texts is reported on `err` and skipped. Returns the exit
// status: 0, or 1 when a line was skipped.
int RunLines(std::string_view separator, const ReadInput& read, std::ostream& out,
             std::ostream& err);

// The built-in example readings, pressed once: the answer line. Exit status 0.
int RunExampleLine(std::ostream& out);

}  // namespace balance4::cli
