#pragma once
// Numbers in the pictures and the report, written as the window writes them: the locale's
// decimal symbol, two decimals, no grouping.
#include <QString>

namespace balance4::jobwindow {

// The decimal symbol of the current default locale.
QString LocaleDecimal();

// Two decimals with `decimal` as the separator; "—" for a value that is not finite.
QString Fixed2(double value, const QString& decimal);

// A value the user typed as a setting (a trial mass, a position, a tolerance), with the digits it
// has and no more: 2 rather than 2,00, 22,125 rather than 22,13.
QString Short(double value, const QString& decimal);

}  // namespace balance4::jobwindow
