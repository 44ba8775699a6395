#pragma once
// Small text helpers for the messages and files of a job.
#include <cstddef>
#include <string>
#include <string_view>

namespace balance4::job {

// Characters of a UTF-8 text (code points).
std::size_t CodePoints(std::string_view text);

// Spreadsheets and Windows editors start UTF-8 files with a byte-order mark; it is not part of the
// content. Removes it from the start of the text; true when there was one.
bool SkipByteOrderMark(std::string& text);

// A user's text as it may appear inside a one-line message: control characters become '?', and a
// long text is cut, so that the message stays one readable line.
std::string Quoted(std::string_view text);

// The shortest text that reads back to the same number, with the given decimal separator: 25,
// 22,5, 0,0625.
std::string ShortestNumberText(double value, std::string_view separator);

// A result as written to two decimals, without the zeros a user would not write: 2 rather than
// 2,00, 2,5 rather than 2,50.
std::string TrimmedResultText(double value, std::string_view separator);

// Well-formed UTF-8: no stray continuation byte, no overlong form, no surrogate, nothing past
// U+10FFFF.
bool IsUtf8(std::string_view text);

// A mass unit's name as it can be shown in a table and kept on one line of a file: UTF-8, not
// empty, no control character, no blank at either end, no longer than a quoted text.
bool IsUnitName(std::string_view text);

}  // namespace balance4::job
