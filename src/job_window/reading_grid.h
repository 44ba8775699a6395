#pragma once
// Turning pasted text into a block of cell texts, as a spreadsheet copies one: rows on lines, cells
// separated by TAB.
#include <QList>
#include <QString>
#include <QStringList>

// Rows of cell texts as copied from a spreadsheet: lines split at line ends (CR LF, LF), cells at
// TAB; a trailing empty line (spreadsheets end the block with a line end) is dropped.
QList<QStringList> SplitSpreadsheetBlock(const QString& text);
