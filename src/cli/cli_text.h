#pragma once
// Small text helpers shared by the line mode and the subcommands of balance4-calc.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace balance4::cli {

// The decimal symbol of the user's locale, "." when it cannot be read. Leaves LC_NUMERIC at "C".
std::string LocaleSeparator();

// A text cut at every separator: a line's TAB-separated fields, an option's comma-separated parts
// (an empty text gives one empty part).
std::vector<std::string> SplitAt(std::string_view text, char separator);

// Spreadsheets and Windows editors start UTF-8 files with a byte-order mark; it is not part of the
// first reading. Removes it from the start of the text; true when there was one.
bool SkipByteOrderMark(std::string& text);

// A user's text as it may appear inside a one-line message: control characters become '?', and a
// long text is cut, so that the message stays one readable line.
std::string Quoted(std::string_view text);

// A mass unit's name as it can be shown in a table and kept on one line of a coefficient file:
// not empty, no control character, no blank at either end, no longer than a quoted text.
bool IsUnitName(std::string_view text);

// Characters of a UTF-8 text (code points).
std::size_t CodePoints(std::string_view text);

// The text padded with blanks to `width` characters (UTF-8 code points, so Cyrillic counts right).
std::string PadLeft(std::string_view text, std::size_t width);
std::string PadRight(std::string_view text, std::size_t width);

}  // namespace balance4::cli
