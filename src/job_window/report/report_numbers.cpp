#include "report_numbers.h"

#include <QLocale>
#include <cmath>

#include "number_text.h"

namespace balance4::jobwindow {

QString LocaleDecimal() {
    const QString symbol = QLocale().decimalPoint();
    return symbol.isEmpty() ? QStringLiteral(".") : symbol;
}

QString Fixed2(double value, const QString& decimal) {
    if (!std::isfinite(value)) return QStringLiteral("—");
    return QString::fromStdString(FormatResult(value, decimal.toStdString()));
}

QString Short(double value, const QString& decimal) {
    if (!std::isfinite(value)) return QStringLiteral("—");
    QString text = QString::number(value, 'g', 15);
    text.replace(QLatin1Char('.'), decimal);
    return text;
}

}  // namespace balance4::jobwindow
