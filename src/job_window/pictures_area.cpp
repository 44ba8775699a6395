#include "pictures_area.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include "job_picture.h"
#include "job_sketches.h"
#include "number_texts.h"

PicturesArea::PicturesArea(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("PicturesArea"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(tr("Диски показаны:"), this));
    m_end = new QComboBox(this);
    m_end->setAccessibleName(tr("Сторона, с которой показаны диски"));
    m_end->addItems({tr("со стороны привода"), tr("с противоположной стороны")});
    row->addWidget(m_end);
    row->addStretch(1);
    layout->addLayout(row);
    auto* scroll = new QScrollArea(this);
    scroll->setAccessibleName(tr("Рисунки"));
    scroll->setWidgetResizable(true);
    m_picture = new balance4::jobwindow::JobPicture;
    m_picture->setObjectName(QStringLiteral("JobPicture"));
    m_picture->setAccessibleName(tr("Рисунки плоскостей и точек"));
    scroll->setWidget(m_picture);
    layout->addWidget(scroll, 1);
    connect(m_end, &QComboBox::currentIndexChanged, this, [this] { redraw(); });
}

void PicturesArea::show(const balance4::job::Job& job, const balance4::job::JobResult& result) {
    m_job = job;
    m_result = result;
    // Typing recalculates on every edit; pictures nobody sees wait until their tab is shown.
    m_stale = true;
    if (isVisible()) redraw();
}

void PicturesArea::showEvent(QShowEvent* event) {
    if (m_stale) redraw();
    QWidget::showEvent(event);
}

void PicturesArea::redraw() {
    using namespace balance4::jobwindow;
    m_stale = false;
    m_picture->SetSketches(
        MakeSketchView(m_job, m_end->currentIndex() == 0, balance4::jobwindow::LocaleDecimal()),
        MakePlaneSketches(m_job, m_result), MakePointSketches(m_job, m_result));
}
