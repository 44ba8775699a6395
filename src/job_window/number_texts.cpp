#include "number_texts.h"

#include "job/job.h"
#include "number_text.h"

QString ResultText(double value, const QString& separator) {
    return QString::fromStdString(balance4::FormatResult(value, separator.toStdString()));
}

QString PlainNumberText(double value, const QString& separator) {
    QString text = QString::number(value, 'g', 15);
    text.replace(QLatin1Char('.'), separator);
    return text;
}

std::optional<double> ReadNumberText(const QString& text) {
    return balance4::job::ParseNumberText(WithSeparator(text, QStringLiteral(".")).toStdString(),
                                          ".");
}

QString WithSeparator(const QString& text, const QString& separator) {
    QString result = text.trimmed();
    result.replace(QLatin1Char(','), QLatin1Char('.'));
    if (separator != QLatin1String(".")) result.replace(QLatin1Char('.'), separator);
    return result;
}
