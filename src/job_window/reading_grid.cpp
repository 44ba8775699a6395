#include "reading_grid.h"

QList<QStringList> SplitSpreadsheetBlock(const QString& text) {
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    plain.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = plain.split(QLatin1Char('\n'));
    if (lines.size() > 1 && lines.last().isEmpty()) lines.removeLast();
    QList<QStringList> rows;
    rows.reserve(lines.size());
    for (const QString& line : lines) rows.append(line.split(QLatin1Char('\t')));
    return rows;
}
