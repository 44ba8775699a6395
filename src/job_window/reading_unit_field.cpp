#include "reading_unit_field.h"

#include <QCompleter>

#include "job_document.h"
#include "merge_keys.h"

ReadingUnitField::ReadingUnitField(JobDocument* document, QWidget* parent)
    : QLineEdit(parent), m_document(document) {
    setObjectName(QStringLiteral("ReadingUnit"));
    setAccessibleName(tr("Единица показаний прибора"));
    setPlaceholderText(tr("мкм, мм/с, mils…"));
    setToolTip(tr("Только подпись к амплитудам: числа не пересчитываются"));
    setCompleter(
        new QCompleter({QStringLiteral("мкм"), QStringLiteral("mils"), QStringLiteral("мм/с"),
                        QStringLiteral("in/s"), QStringLiteral("g")},
                       this));
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) {
        const std::string unit = text.trimmed().toStdString();
        m_document->edit(
            tr("Единица показаний"), [unit](balance4::job::Job& job) { job.ReadingUnit = unit; },
            kReadingUnitKey);
    });
    connect(document, &JobDocument::changed, this, [this] {
        const QString unit = QString::fromStdString(m_document->job().ReadingUnit);
        if (text().trimmed() == unit) return;
        const QSignalBlocker blocker(this);
        setText(unit);
    });
}
