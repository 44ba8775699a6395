#pragma once
// Numbers as the window shows them: the locale's decimal symbol, two decimals for results as the
// calculator writes them, and set-up values as short as they were typed. The decimal symbol is
// the pictures' and the report's (LocaleDecimal), so that all of them write numbers alike.
#include <QString>
#include <optional>

#include "report/report_numbers.h"

// A result with two decimals: grams, percent, degrees.
QString ResultText(double value, const QString& separator);

// A set-up value (trial mass, radius) with no more digits than it needs.
QString PlainNumberText(double value, const QString& separator);

// A number typed with either "." or "," as the decimal separator; empty when it is not one.
std::optional<double> ReadNumberText(const QString& text);

// The text with either decimal separator written as `separator`.
QString WithSeparator(const QString& text, const QString& separator);
