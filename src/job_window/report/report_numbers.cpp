#include "report_numbers.h"

#include <QLocale>
#include <cmath>

#include "number_text.h"

namespace balance4::jobwindow {

QString LocaleDecimal() {
    return QLocale().decimalPoint();
}

QString Fixed2(double value, const QString& decimal) {
    if (!std::isfinite(value)) return QStringLiteral("—");
    return QString::fromStdString(FormatResult(value, decimal.toStdString()));
}

QString Short(double value, const QString& decimal) {
    QString text = Fixed2(value, decimal);
    if (!text.contains(decimal)) return text;  // the general format of very large values
    if (text.endsWith(decimal + QStringLiteral("00"))) return text.chopped(2 + decimal.size());
    if (text.endsWith(QLatin1Char('0'))) text.chop(1);
    return text;
}

}  // namespace balance4::jobwindow
