#include "acceptance_group.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <cmath>
#include <optional>

#include "job/acceptance.h"
#include "job/iso_check.h"
#include "job_document.h"
#include "number_texts.h"

using balance4::job::IsoSetup;
using balance4::job::Job;

namespace {

// Consecutive edits of one field are one undo step.
constexpr int kMergeKey = 300;  // + the field

struct FieldText {
    const char* Name;
    const char* Label;
    const char* Hint;
};

const FieldText kFields[] = {
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

// Numbers separated by «;», either decimal symbol; empty text: none. Empty optional: `reason`.
std::optional<std::vector<double>> ReadList(const QString& text, QString& reason) {
    std::vector<double> values;
    if (text.trimmed().isEmpty()) return values;
    for (const QString& piece : text.split(QLatin1Char(';'))) {
        const std::optional<double> value = ReadNumberText(piece);
        if (!value) {
            reason = AcceptanceGroup::tr("не число: «%1»").arg(piece.trimmed());
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
bool Apply(Job& job, AcceptanceGroup::Field field, const QString& text, QString& reason) {
    const std::optional<std::vector<double>> values = ReadList(text, reason);
    if (!values) return false;
    if (field == AcceptanceGroup::Limit) {
        job.Limit = *values;
        if (const std::optional<std::string> problem = balance4::job::LimitProblem(job)) {
            reason = QString::fromStdString(*problem);
            return false;
        }
        return true;
    }
    IsoSetup iso = job.Iso.value_or(IsoSetup{});
    const bool single = field == AcceptanceGroup::RotorMass || field == AcceptanceGroup::Speed ||
                        field == AcceptanceGroup::Grade;
    if (single && values->size() > 1) {
        reason = AcceptanceGroup::tr("нужно одно число");
        return false;
    }
    const double value = values->empty() ? 0.0 : values->front();
    if (single && !values->empty() && !(value > 0.0 && std::isfinite(value))) {
        reason = AcceptanceGroup::tr("нужно число больше нуля");
        return false;
    }
    const auto pairOrNone = [&](std::vector<double>& target) {
        if (!values->empty() && values->size() != 2) {
            reason = AcceptanceGroup::tr("нужны два числа через «;» или ничего");
            return false;
        }
        target = *values;
        return true;
    };
    switch (field) {
        case AcceptanceGroup::RotorMass:
            iso.RotorMass = value;
            break;
        case AcceptanceGroup::Speed:
            iso.Speed = value;
            break;
        case AcceptanceGroup::Grade:
            if (!values->empty() && !balance4::job::IsBalanceGrade(value)) {
                reason = AcceptanceGroup::tr(
                    "класс G — из ряда 0,4; 1; 2,5; 6,3; 16; 40; 100; "
                    "250; 630; 1600; 4000");
                return false;
            }
            iso.Grade = value;
            break;
        case AcceptanceGroup::Levers:
            if (!pairOrNone(iso.Levers)) return false;
            break;
        case AcceptanceGroup::Bearings:
            if (!pairOrNone(iso.Bearings)) return false;
            break;
        case AcceptanceGroup::PlanePositions:
            if (!values->empty() && int(values->size()) != job.Planes()) {
                reason = AcceptanceGroup::tr("нужно по числу на каждую из %1 плоскостей")
                             .arg(job.Planes());
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

QString ShownText(const Job& job, AcceptanceGroup::Field field, const QString& separator) {
    const IsoSetup iso = job.Iso.value_or(IsoSetup{});
    switch (field) {
        case AcceptanceGroup::Limit:
            return ListText(job.Limit, separator);
        case AcceptanceGroup::RotorMass:
            return OptionalText(iso.RotorMass, separator);
        case AcceptanceGroup::Speed:
            return OptionalText(iso.Speed, separator);
        case AcceptanceGroup::Grade:
            return OptionalText(iso.Grade, separator);
        case AcceptanceGroup::Levers:
            return ListText(iso.Levers, separator);
        case AcceptanceGroup::Bearings:
            return ListText(iso.Bearings, separator);
        case AcceptanceGroup::PlanePositions:
            return ListText(iso.PlanePositions, separator);
        default:
            return {};
    }
}

}  // namespace

AcceptanceGroup::AcceptanceGroup(JobDocument* document, QWidget* parent)
    : QGroupBox(tr("Приёмка"), parent), m_document(document) {
    setObjectName(QStringLiteral("AcceptanceGroup"));
    auto* form = new QFormLayout(this);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    m_grade = new QComboBox(this);
    m_grade->setEditable(true);
    m_grade->setInsertPolicy(QComboBox::NoInsert);
    for (const double grade : balance4::job::kBalanceGrades)
        m_grade->addItem(PlainNumberText(grade, balance4::jobwindow::LocaleDecimal()));
    m_grade->setCurrentIndex(-1);
    for (int field = 0; field < FieldCount; ++field) {
        const FieldText& text = kFields[field];
        const QString label = tr(text.Label);
        QLineEdit* line = field == Grade ? m_grade->lineEdit() : new QLineEdit(this);
        QWidget* control = field == Grade ? static_cast<QWidget*>(m_grade) : line;
        control->setObjectName(QString::fromLatin1(text.Name));
        control->setAccessibleName(label);
        line->setAccessibleName(label);
        m_lines[field] = line;
        if (field == RotorMass)
            form->addRow(new QLabel(tr("Допуск ISO 21940-11 (по остаточному дисбалансу):"), this));
        form->addRow(label + QLatin1Char(':'), control);
        connect(line, &QLineEdit::textEdited, this,
                [this, field](const QString& typed) { this->typed(Field(field), typed); });
    }
    connect(m_grade, &QComboBox::activated, this,
            [this](int index) { typed(Grade, m_grade->itemText(index)); });
    m_refine = new QCheckBox(tr("Уточнять коэффициенты по контрольным пускам"), this);
    m_refine->setObjectName(QStringLiteral("RefineCoefficients"));
    m_refine->setToolTip(
        tr("Каждый контрольный пуск с известными грузами на роторе уточняет "
           "коэффициенты влияния для следующей поправки"));
    form->addRow(m_refine);
    connect(m_refine, &QCheckBox::toggled, this, [this](bool on) {
        m_document->edit(tr("Уточнять коэффициенты"), [on](Job& job) { job.Refine = on; });
    });
    connect(document, &JobDocument::changed, this, [this] { showDocument(); });
    // A job opened or started anew drops what was refused in the one before.
    connect(document, &JobDocument::pathChanged, this, [this] {
        m_refused.clear();
        showDocument();
    });
    showDocument();
}

void AcceptanceGroup::typed(Field field, const QString& text) {
    QString reason;
    Job job = m_document->job();
    if (!Apply(job, field, text, reason)) {
        m_refused.insert(field, reason);
        mark(field);
        return;
    }
    m_refused.remove(field);
    mark(field);
    const Job changed = job;
    m_document->edit(
        tr("Изменить: %1").arg(tr(kFields[field].Label)),
        [changed](Job& target) {
            target.Limit = changed.Limit;
            target.Iso = changed.Iso;
        },
        kMergeKey + field);
}

void AcceptanceGroup::mark(Field field) {
    QWidget* control = field == Grade ? static_cast<QWidget*>(m_grade) : m_lines[field];
    const QString reason = m_refused.value(field);
    m_lines[field]->setStyleSheet(
        reason.isEmpty() ? QString() : QStringLiteral("background: rgb(200,40,40); color: white;"));
    const QString hint = tr(kFields[field].Hint);
    control->setToolTip(reason.isEmpty() ? hint : reason);
}

void AcceptanceGroup::showDocument() {
    const Job& job = m_document->job();
    const QString separator = balance4::jobwindow::LocaleDecimal();
    for (int field = 0; field < FieldCount; ++field) {
        QLineEdit* line = m_lines[field];
        // A refused text stays as typed until it is typed again.
        if (!m_refused.contains(field)) {
            const QString text = ShownText(job, Field(field), separator);
            if (line->text() != text) {
                const QSignalBlocker blocker(line);
                line->setText(text);
            }
        }
        mark(Field(field));
    }
    const QSignalBlocker blocker(m_refine);
    m_refine->setChecked(job.Refine);
}
