#include "optimisation_panel.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

#include "job/optimised_text.h"
#include "job_document.h"
#include "job_table_model.h"
#include "merge_keys.h"
#include "sheet_view.h"

using balance4::job::Job;
using balance4::job::Objective;

SheetView* MakeSetupSheet(JobDocument* document, JobTable table, const QString& name,
                          const QString& title, QWidget* parent) {
    auto* sheet = new SheetView(parent);
    sheet->setObjectName(name);
    sheet->setAccessibleName(title);
    sheet->setJobModel(new JobTableModel(document, table, sheet));
    sheet->fitHeightToRows();
    QObject::connect(sheet, &SheetView::currentRefusal, sheet, [sheet](const QString& message) {
        auto* window = qobject_cast<QMainWindow*>(sheet->window());
        if (!window) return;
        if (message.isEmpty())
            window->statusBar()->clearMessage();
        else
            window->statusBar()->showMessage(message);
    });
    return sheet;
}

OptimisationPanel::OptimisationPanel(JobDocument* document, QWidget* parent)
    : QGroupBox(tr("Оптимизация"), parent), m_document(document) {
    setObjectName(QStringLiteral("OptimisationPanel"));
    auto* form = new QFormLayout(this);
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    m_objective = new QComboBox(this);
    m_objective->setObjectName(QStringLiteral("Objective"));
    m_objective->setAccessibleName(tr("Цель поправки"));
    for (const Objective goal : {Objective::LeastSquares, Objective::MinMax})
        m_objective->addItem(
            QString::fromUtf8(balance4::job::ObjectiveChoiceName(goal).data(),
                              qsizetype(balance4::job::ObjectiveChoiceName(goal).size())));
    m_objective->setToolTip(
        tr("Наименьшие квадраты — наименьшая сумма квадратов остатков; "
           "наименьший наибольший остаток — самая плохая точка как можно "
           "лучше"));
    form->addRow(tr("Цель:"), m_objective);
    auto* pointLabel = new QLabel(tr("Пределы вибрации по точкам (пусто — без предела):"), this);
    pointLabel->setWordWrap(true);
    form->addRow(pointLabel);
    m_pointLimits = MakeSetupSheet(document, JobTable::PointLimits, QStringLiteral("PointLimits"),
                                   tr("Пределы вибрации"), this);
    m_pointLimits->setToolTip(tr("Точка с пределом L считается как остаток / L"));
    form->addRow(m_pointLimits);
    auto* massLabel = new QLabel(tr("Пределы массы по плоскостям (пусто — без предела):"), this);
    massLabel->setWordWrap(true);
    form->addRow(massLabel);
    m_massLimits = MakeSetupSheet(document, JobTable::MassLimits, QStringLiteral("MassLimits"),
                                  tr("Пределы массы"), this);
    m_massLimits->setToolTip(tr("Масса на радиусе поправки не превысит предел"));
    form->addRow(m_massLimits);
    m_speedLabel = new QLabel(tr("Веса частот (пусто — 1):"), this);
    form->addRow(m_speedLabel);
    m_speedWeights = MakeSetupSheet(document, JobTable::SpeedWeights,
                                    QStringLiteral("SpeedWeights"), tr("Веса частот"), this);
    m_speedWeights->setToolTip(tr("Остаток на частоте с весом w считается как w × остаток"));
    form->addRow(m_speedWeights);

    connect(m_objective, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_document->edit(
            tr("Цель поправки"),
            [index](Job& job) {
                job.Optimise.Goal = index == 1 ? Objective::MinMax : Objective::LeastSquares;
            },
            kObjectiveKey);
    });
    connect(document, &JobDocument::changed, this, [this] { showDocument(); });
    showDocument();
}

void OptimisationPanel::showDocument() {
    const QSignalBlocker blocker(m_objective);
    m_objective->setCurrentIndex(m_document->job().Optimise.Goal == Objective::MinMax ? 1 : 0);
    const bool speeds = m_document->job().Speeds() > 1;
    m_speedLabel->setVisible(speeds);
    m_speedWeights->setVisible(speeds);
}
