#include "acceptance_cells.h"

#include <QCoreApplication>
#include <QObject>
#include <QStringList>
#include <cmath>
#include <optional>

#include "job/acceptance.h"
#include "job/iso_check.h"
#include "number_texts.h"

using balance4::job::IsoSetup;
using balance4::job::Job;

namespace acceptance_cells {

const FieldText kFields[FieldCount] = {
    {"AcceptanceLimit", QT_TRANSLATE_NOOP("AcceptanceGroup", "Норма вибрации"),
     QT_TRANSLATE_NOOP("AcceptanceGroup",
                       "В единицах показаний: одно число для всех точек или по числу на "
                       "точку через «;». Пусто — итог не оценивается")},
    {"IsoRotorMass", QT_TRANSLATE_NOOP("AcceptanceGroup", "Масса ротора, кг"), ""},
    {"IsoSpeed", QT_TRANSLATE_NOOP("AcceptanceGroup", "Рабочая частота, об/мин"), ""},
    {"IsoGrade", QT_TRANSLATE_NOOP("AcceptanceGroup", "Класс точности G"),
     QT_TRANSLATE_NOOP("AcceptanceGroup", "Из ряда ISO 21940-11: 0,4 … 4000 мм/с")},
    {"IsoLevers", QT_TRANSLATE_NOOP("AcceptanceGroup", "Центр масс от опор A; B, мм"),
     QT_TRANSLATE_NOOP("AcceptanceGroup",
                       "Два расстояния через «;». Пусто — центр масс посередине")},
    {"IsoBearings", QT_TRANSLATE_NOOP("AcceptanceGroup", "Опоры A; B по оси, мм"),
     QT_TRANSLATE_NOOP("AcceptanceGroup",
                       "Положения опор по оси; вместе с положениями плоскостей остаточный "
                       "дисбаланс приводится к опорам")},
    {"IsoPlanePositions", QT_TRANSLATE_NOOP("AcceptanceGroup", "Плоскости по оси, мм"),
     QT_TRANSLATE_NOOP("AcceptanceGroup", "По числу на плоскость через «;»")},
};

namespace {

// Numbers separated by «;», either decimal symbol; empty text: none. Empty optional: `reason`.
std::optional<std::vector<double>> ReadList(const QString& text, QString& reason) {
    std::vector<double> values;
    if (text.trimmed().isEmpty()) return values;
    for (const QString& piece : text.split(QLatin1Char(';'))) {
        const std::optional<double> value = ReadNumberText(piece);
        if (!value) {
            reason = QObject::tr("не число: «%1»").arg(piece.trimmed());
            return std::nullopt;
        }
        values.push_back(*value);
    }
    return values;
}

QString ListText(const std::vector<double>& values, const QString& separator) {
    QStringList texts;
    for (const double value : values) texts << PlainNumberText(value, separator);
    return texts.join(QStringLiteral("; "));
}

QString OptionalText(double value, const QString& separator) {
    return value != 0.0 ? PlainNumberText(value, separator) : QString();
}

// Writes a field's text into the job; false with `reason` when it cannot be used.
bool Apply(Job& job, Field field, const QString& text, QString& reason) {
    const std::optional<std::vector<double>> values = ReadList(text, reason);
    if (!values) return false;
    if (field == Limit) {
        job.Limit = *values;
        if (const std::optional<std::string> problem = balance4::job::LimitProblem(job)) {
            reason = QString::fromStdString(*problem);
            return false;
        }
        return true;
    }
    IsoSetup iso = job.Iso.value_or(IsoSetup{});
    const bool single = field == RotorMass || field == Speed || field == Grade;
    if (single && values->size() > 1) {
        reason = QObject::tr("нужно одно число");
        return false;
    }
    const double value = values->empty() ? 0.0 : values->front();
    if (single && !values->empty() && !(value > 0.0 && std::isfinite(value))) {
        reason = QObject::tr("нужно число больше нуля");
        return false;
    }
    const auto pairOrNone = [&](std::vector<double>& target) {
        if (!values->empty() && values->size() != 2) {
            reason = QObject::tr("нужны два числа через «;» или ничего");
            return false;
        }
        target = *values;
        return true;
    };
    switch (field) {
        case RotorMass:
            iso.RotorMass = value;
            break;
        case Speed:
            iso.Speed = value;
            break;
        case Grade:
            if (!values->empty() && !balance4::job::IsBalanceGrade(value)) {
                reason = QObject::tr(
                    "класс G — из ряда 0,4; 1; 2,5; 6,3; 16; 40; 100; "
                    "250; 630; 1600; 4000");
                return false;
            }
            iso.Grade = value;
            break;
        case Levers:
            if (!pairOrNone(iso.Levers)) return false;
            break;
        case Bearings:
            if (!pairOrNone(iso.Bearings)) return false;
            break;
        case PlanePositions:
            if (!values->empty() && int(values->size()) != job.Planes()) {
                reason = QObject::tr("нужно по числу на каждую из %1 плоскостей").arg(job.Planes());
                return false;
            }
            iso.PlanePositions = *values;
            break;
        default:
            break;
    }
    // Nothing given: no check asked for.
    if (iso == IsoSetup{})
        job.Iso.reset();
    else
        job.Iso = iso;
    return true;
}

QString ShownText(const Job& job, Field field, const QString& separator) {
    const IsoSetup iso = job.Iso.value_or(IsoSetup{});
    switch (field) {
        case Limit:
            return ListText(job.Limit, separator);
        case RotorMass:
            return OptionalText(iso.RotorMass, separator);
        case Speed:
            return OptionalText(iso.Speed, separator);
        case Grade:
            return OptionalText(iso.Grade, separator);
        case Levers:
            return ListText(iso.Levers, separator);
        case Bearings:
            return ListText(iso.Bearings, separator);
        case PlanePositions:
            return ListText(iso.PlanePositions, separator);
        default:
            return {};
    }
}

}  // namespace

bool Owns(JobTable table) {
    return table == JobTable::Acceptance;
}

int Rows(const Job&, JobTable) {
    return 1;
}

int Columns(const Job&, JobTable) {
    return FieldCount;
}

QString Text(const Job& job, JobTable, int, int column, const QString& separator) {
    return ShownText(job, Field(column), separator);
}

bool SetText(Job& job, JobTable, int, int column, const QString& text, QString& reason) {
    Job changed = job;
    if (!Apply(changed, Field(column), text, reason)) return false;
    job.Limit = changed.Limit;
    job.Iso = changed.Iso;
    return true;
}

QString CellName(int column) {
    if (column < 0 || column >= FieldCount) return {};
    return QCoreApplication::translate("AcceptanceGroup", kFields[column].Label);
}

}  // namespace acceptance_cells
