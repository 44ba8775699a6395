#include "angle_frame_choice.h"

#include "job/angle_frame.h"
#include "job_document.h"
#include "merge_keys.h"

using balance4::job::AngleFrame;
using balance4::job::Job;

AngleFrameChoice::AngleFrameChoice(JobDocument* document, QWidget* parent)
    : QComboBox(parent), m_document(document) {
    setObjectName(QStringLiteral("AngleFrame"));
    setAccessibleName(tr("Углы на роторе отсчитываются"));
    setToolTip(
        tr("Для пробных грузов, мест под грузы и поправок. Данные из статей часто "
           "отсчитывают углы грузов так же, как фазу: выберите «как фаза у прибора»"));
    addItems({QString(), QString()});
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_document->edit(
            tr("Отсчёт углов на роторе"),
            [index](Job& job) {
                job.Angles = index == 0 ? AngleFrame::AgainstPhase : AngleFrame::AsPhase;
            },
            kAngleFrameKey);
    });
    connect(document, &JobDocument::changed, this, [this] { showDocument(); });
    showDocument();
}

void AngleFrameChoice::showDocument() {
    const QSignalBlocker blocker(this);
    Job job = m_document->job();
    const AngleFrame current = job.Angles;
    job.Angles = AngleFrame::AgainstPhase;
    setItemText(
        0, tr("%1 (против фазы)").arg(QString::fromUtf8(balance4::job::AngleDirectionWord(job))));
    job.Angles = AngleFrame::AsPhase;
    setItemText(1, tr("%1 (как фаза у прибора)")
                       .arg(QString::fromUtf8(balance4::job::AngleDirectionWord(job))));
    setCurrentIndex(current == AngleFrame::AgainstPhase ? 0 : 1);
}
