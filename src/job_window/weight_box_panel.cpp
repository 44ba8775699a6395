#include "weight_box_panel.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

#include "job/weight_box.h"
#include "job_document.h"
#include "merge_keys.h"
#include "optimisation_panel.h"
#include "sheet_view.h"

using balance4::job::Job;

WeightBoxPanel::WeightBoxPanel(JobDocument* document, QWidget* parent)
    : QGroupBox(tr("Набор грузов"), parent), m_document(document) {
    setObjectName(QStringLiteral("WeightBoxPanel"));
    auto* form = new QFormLayout(this);
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    auto* hint = new QLabel(tr("Массы и число грузов каждой массы; пусто — без набора. Грузы "
                               "ставятся в отверстия или места плоскостей."),
                            this);
    hint->setWordWrap(true);
    form->addRow(hint);
    m_masses = MakeSetupSheet(document, JobTable::BoxMasses, QStringLiteral("WeightBox"),
                              tr("Набор грузов"), this);
    form->addRow(m_masses);
    m_perHole = new QSpinBox(this);
    m_perHole->setObjectName(QStringLiteral("PerHole"));
    m_perHole->setAccessibleName(tr("Грузов в отверстие"));
    m_perHole->setRange(1, balance4::job::kMostPerHole);
    form->addRow(tr("Грузов в отверстие:"), m_perHole);
    m_seconds = new QDoubleSpinBox(this);
    m_seconds->setObjectName(QStringLiteral("BoxSeconds"));
    m_seconds->setAccessibleName(tr("Время подбора, с"));
    m_seconds->setDecimals(1);
    m_seconds->setRange(0.1, 3600.0);
    m_seconds->setSingleStep(1.0);
    form->addRow(tr("Время подбора, с:"), m_seconds);

    connect(m_perHole, &QSpinBox::valueChanged, this, [this](int count) {
        m_document->edit(
            tr("Грузов в отверстие"), [count](Job& job) { job.Optimise.Box.PerHole = count; },
            kPerHoleKey);
    });
    connect(m_seconds, &QDoubleSpinBox::valueChanged, this, [this](double seconds) {
        m_document->edit(
            tr("Время подбора"), [seconds](Job& job) { job.Optimise.Box.Seconds = seconds; },
            kSecondsKey);
    });
    connect(document, &JobDocument::changed, this, [this] { showDocument(); });
    showDocument();
}

void WeightBoxPanel::showDocument() {
    const balance4::job::WeightBox& box = m_document->job().Optimise.Box;
    const QSignalBlocker perHole(m_perHole);
    const QSignalBlocker seconds(m_seconds);
    m_perHole->setValue(box.PerHole);
    m_seconds->setValue(box.Seconds);
}
