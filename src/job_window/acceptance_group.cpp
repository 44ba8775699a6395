#include "acceptance_group.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

#include "acceptance_cells.h"
#include "job/iso_check.h"
#include "job_document.h"
#include "merge_keys.h"
#include "number_texts.h"

using balance4::job::Job;

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
        const acceptance_cells::FieldText& text = acceptance_cells::kFields[field];
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
    showDocument();
}

void AcceptanceGroup::typed(Field field, const QString& text) {
    m_document->setCells(JobTable::Acceptance, {{0, int(field), text}},
                         tr("Изменить: %1").arg(tr(acceptance_cells::kFields[field].Label)),
                         kAcceptanceKey + int(field));
}

QString AcceptanceGroup::refusal(Field field) const {
    return m_document->refusal(JobTable::Acceptance, 0, int(field));
}

void AcceptanceGroup::mark(Field field) {
    QWidget* control = field == Grade ? static_cast<QWidget*>(m_grade) : m_lines[field];
    const QString reason = refusal(field);
    m_lines[field]->setStyleSheet(
        reason.isEmpty() ? QString() : QStringLiteral("background: rgb(200,40,40); color: white;"));
    const QString hint = tr(acceptance_cells::kFields[field].Hint);
    control->setToolTip(reason.isEmpty() ? hint : reason);
}

void AcceptanceGroup::showDocument() {
    for (int field = 0; field < FieldCount; ++field) {
        QLineEdit* line = m_lines[field];
        // A refused text is the document's until it is typed again.
        const QString text = m_document->cellText(JobTable::Acceptance, 0, field);
        if (line->text() != text) {
            const QSignalBlocker blocker(line);
            line->setText(text);
        }
        mark(Field(field));
    }
    const QSignalBlocker blocker(m_refine);
    m_refine->setChecked(m_document->job().Refine);
}
