#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "extended.h"

namespace balance4 {

// Converts a reading text: blanks, optional sign, digits with at most one decimal separator (a lone
// separator is zero), an optional exponent, blanks. No grouping, no other characters. `separator`
// is one character in UTF-8. Empty optional: the text is not a number or lies beyond the extended
// range. The sign is applied last, so "-0" gives negative zero.
std::optional<Extended> ParseDecimal(std::string_view text, std::string_view separator);

// Formats a result with two decimals, rounding half away from zero as decided on the value written
// to 18 significant digits; no grouping. Values of 1e18 and more use the general format (15
// significant digits, scientific).
std::string FormatResult(double value, std::string_view separator);

}  // namespace balance4
