#pragma once
// Turning pasted text into a block of cell texts: a block copied from a spreadsheet (rows on lines,
// cells separated by TAB) or one reading line of the command-line tool.
#include <QList>
#include <QString>
#include <QStringList>

// Rows of cell texts as copied from a spreadsheet: lines split at line ends (CR LF, LF), cells at
// TAB; a trailing empty line (spreadsheets end the block with a line end) is dropped.
QList<QStringList> SplitSpreadsheetBlock(const QString& text);

// The readings table's rows (runs 0..planes) of amplitude/phase column pairs per point, from one
// reading line in the command-line tool's order: for each point, run 0 and then runs 1..planes,
// amplitude before phase. Empty when `fields` does not hold exactly that many texts.
QList<QStringList> RunRowsFromReadingLine(const QStringList& fields, int planes, int points);
