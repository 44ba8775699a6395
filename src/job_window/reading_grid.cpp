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

QList<QStringList> RunRowsFromReadingLine(const QStringList& fields, int planes, int points) {
    const int runs = planes + 1;
    if (planes < 1 || points < 1 || fields.size() != runs * points * 2) return {};
    QList<QStringList> rows(runs, QStringList(points * 2));
    for (int point = 0; point < points; ++point) {
        for (int run = 0; run < runs; ++run) {
            const int at = (point * runs + run) * 2;
            rows[run][point * 2] = fields[at].trimmed();
            rows[run][point * 2 + 1] = fields[at + 1].trimmed();
        }
    }
    return rows;
}
