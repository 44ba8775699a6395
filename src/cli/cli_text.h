#pragma once
// Small text helpers shared by the line mode and the subcommands of balance4-calc.
#include <string>
#include <string_view>
#include <vector>

#include "job_text.h"

namespace balance4::cli {

// The decimal symbol of the user's locale, "." when it cannot be read. Leaves LC_NUMERIC at "C".
std::string LocaleSeparator();

// A text cut at every separator: a line's TAB-separated fields, an option's comma-separated parts
// (an empty text gives one empty part).
std::vector<std::string> SplitAt(std::string_view text, char separator);

// The byte-order mark, quoting, unit-name and character-count rules shared with the job file.
using job::CodePoints;
using job::IsUnitName;
using job::Quoted;
using job::SkipByteOrderMark;

// The text padded with blanks to `width` characters (UTF-8 code points, so Cyrillic counts right).
std::string PadLeft(std::string_view text, std::size_t width);
std::string PadRight(std::string_view text, std::size_t width);

}  // namespace balance4::cli
