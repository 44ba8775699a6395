#include "optimised_view.h"

#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "job/optimised_text.h"
#include "number_texts.h"

using balance4::job::AnswerFigures;
using balance4::job::Job;
using balance4::job::JobResult;

namespace {

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QTableWidget* MakeTable(const QString& name, QWidget* parent) {
    auto* table = new QTableWidget(parent);
    table->setObjectName(name);
    table->setAccessibleName(name);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    table->horizontalHeader()->setStretchLastSection(false);
    return table;
}

void SetCell(QTableWidget* table, int row, int column, const QString& text) {
    auto* cell = new QTableWidgetItem(text);
    cell->setTextAlignment(Qt::AlignVCenter | Qt::AlignRight);
    table->setItem(row, column, cell);
}

// Every row in sight: the results tab scrolls, not these tables.
void FitHeight(QTableWidget* table) {
    table->resizeColumnsToContents();
    int height = table->horizontalHeader()->sizeHint().height() + 2 * table->frameWidth() + 2;
    for (int row = 0; row < table->rowCount(); ++row) height += table->rowHeight(row);
    table->setFixedHeight(height + table->horizontalScrollBar()->sizeHint().height());
}

}  // namespace

OptimisedView::OptimisedView(QWidget* parent) : QScrollArea(parent) {
    setObjectName(QStringLiteral("OptimisedView"));
    setAccessibleName(tr("Оптимизированная поправка"));
    setWidgetResizable(true);
    m_content = new QWidget(this);
    auto* layout = new QVBoxLayout(m_content);
    layout->setContentsMargins(4, 4, 4, 4);
    m_goal = new QLabel(m_content);
    m_goal->setObjectName(QStringLiteral("OptimisedGoal"));
    m_goal->setTextFormat(Qt::PlainText);
    m_goal->setWordWrap(true);
    layout->addWidget(m_goal);
    m_comparison = MakeTable(tr("Сравнение поправок"), m_content);
    m_comparison->setObjectName(QStringLiteral("OptimisedComparison"));
    layout->addWidget(m_comparison);
    m_box = new QLabel(m_content);
    m_box->setObjectName(QStringLiteral("BoxSummary"));
    m_box->setTextFormat(Qt::PlainText);
    m_box->setWordWrap(true);
    layout->addWidget(m_box);
    m_boxHoles = MakeTable(tr("Грузы из набора"), m_content);
    m_boxHoles->setObjectName(QStringLiteral("BoxHoles"));
    layout->addWidget(m_boxHoles);
    m_speedResiduals = MakeTable(tr("Остаточная вибрация по скоростям"), m_content);
    m_speedResiduals->setObjectName(QStringLiteral("SpeedResiduals"));
    layout->addWidget(m_speedResiduals);
    layout->addStretch(1);
    setWidget(m_content);
    clear();
}

void OptimisedView::clear() {
    m_hasAnswer = false;
    m_content->hide();
    m_comparison->clear();
    m_boxHoles->clear();
    m_speedResiduals->clear();
}

void OptimisedView::showResult(const Job& job, const JobResult& result) {
    if (result.Result != balance4::job::Outcome::Calculated || !result.Optimised) {
        clear();
        return;
    }
    const std::string separator = balance4::jobwindow::LocaleDecimal().toStdString();
    const balance4::job::Optimisation& setup = job.Optimise;
    QStringList goal{Q(balance4::job::ObjectiveSentence(result.Optimised->Goal))};
    if (balance4::job::AnyLimitGiven(setup.MassLimit))
        goal << tr("Пределы массы по плоскостям, %1: %2.")
                    .arg(Q(job.Unit), Q(balance4::job::LimitListText(setup.MassLimit, separator)));
    if (balance4::job::AnyLimitGiven(setup.PointLimit))
        goal << tr("Пределы вибрации по точкам: %1; вибрация точки с пределом — в долях предела.")
                    .arg(Q(balance4::job::LimitListText(setup.PointLimit, separator)));
    m_goal->setText(goal.join(QLatin1Char(' ')));
    showComparison(job, result);
    showBox(job, result);
    showSpeeds(job, result);
    m_hasAnswer = true;
    m_content->show();
}

void OptimisedView::showComparison(const Job& job, const JobResult& result) {
    const QString separator = balance4::jobwindow::LocaleDecimal();
    QList<std::pair<QString, AnswerFigures>> answers = {
        {tr("Наименьшие квадраты"), result.Optimised->LeastSquares},
        {tr("Эта поправка"), result.Optimised->Chosen}};
    if (result.Box && result.Box->Found) {
        answers.append({tr("Грузы из набора"), result.Box->Figures});
        if (result.Box->NaiveFits) answers.append({tr("Округлённая"), result.Box->Naive});
    }
    m_comparison->clear();
    m_comparison->setColumnCount(int(answers.size()));
    m_comparison->setRowCount(3);
    m_comparison->setVerticalHeaderLabels(
        {tr("Наибольшая остаточная"), tr("Где"), tr("Среднеквадратичная")});
    for (int column = 0; column < int(answers.size()); ++column) {
        const AnswerFigures& figures = answers[column].second;
        m_comparison->setHorizontalHeaderItem(column, new QTableWidgetItem(answers[column].first));
        SetCell(m_comparison, 0, column, ResultText(figures.Worst, separator));
        SetCell(m_comparison, 1, column, Q(balance4::job::WorstPlaceText(figures, job.Speeds())));
        SetCell(m_comparison, 2, column, ResultText(figures.Rms, separator));
    }
    if (answers.size() > 3)
        m_comparison->horizontalHeaderItem(3)->setToolTip(
            tr("Поправка без набора, разложенная на два отверстия и округлённая до грузов "
               "набора"));
    FitHeight(m_comparison);
}

void OptimisedView::showBox(const Job& job, const JobResult& result) {
    m_boxHoles->clear();
    if (!result.Box) {
        m_box->hide();
        m_boxHoles->hide();
        return;
    }
    const balance4::job::BoxResult& box = *result.Box;
    const std::string separator = balance4::jobwindow::LocaleDecimal().toStdString();
    const QString decimal = balance4::jobwindow::LocaleDecimal();
    QString text =
        tr("Грузы из набора %1 %2, до %3 в отверстие: ")
            .arg(Q(balance4::job::BoxKindsText(job.Optimise.Box.Masses, separator)), Q(job.Unit))
            .arg(job.Optimise.Box.PerHole);
    m_box->show();
    if (!box.Found) {
        m_box->setText(text + Q(box.Message) + QLatin1Char('.'));
        m_boxHoles->hide();
        return;
    }
    m_box->setText(text + Q(balance4::job::BoxSearchText(box, separator)));
    m_boxHoles->setColumnCount(4);
    m_boxHoles->setHorizontalHeaderLabels(
        {tr("Плоскость"), tr("Отверстие"), tr("Угол, °"), tr("Грузы, %1").arg(Q(job.Unit))});
    m_boxHoles->setRowCount(int(box.Holes.size()));
    m_boxHoles->verticalHeader()->hide();
    for (int row = 0; row < int(box.Holes.size()); ++row) {
        const balance4::job::HoleLoad& hole = box.Holes[std::size_t(row)];
        QStringList masses;
        for (const double mass : hole.Masses) masses << PlainNumberText(mass, decimal);
        SetCell(m_boxHoles, row, 0, QString::number(hole.Plane + 1));
        SetCell(m_boxHoles, row, 1, QString::number(hole.At.Number));
        SetCell(m_boxHoles, row, 2, PlainNumberText(hole.At.AngleDegrees, decimal));
        SetCell(m_boxHoles, row, 3, masses.join(QStringLiteral(" + ")));
    }
    FitHeight(m_boxHoles);
    m_boxHoles->show();
}

void OptimisedView::showSpeeds(const Job& job, const JobResult& result) {
    m_speedResiduals->clear();
    const QString separator = balance4::jobwindow::LocaleDecimal();
    const int speeds = job.Speeds();
    const bool withBox = result.Box && result.Box->Found;
    // Rows: each speed with this correction, then each speed with the box's weights.
    const int rows = speeds * (withBox ? 2 : 1);
    m_speedResiduals->setRowCount(rows);
    m_speedResiduals->setColumnCount(job.Points + 1);
    QStringList columns;
    for (int point = 0; point < job.Points; ++point) columns << tr("Т%1").arg(point + 1);
    columns << tr("Обусловленность");
    m_speedResiduals->setHorizontalHeaderLabels(columns);
    QStringList titles;
    for (int set = 0; set < (withBox ? 2 : 1); ++set) {
        const std::vector<balance4::job::ResidualAt>& residuals =
            set == 0 ? result.Residuals : result.Box->Residuals;
        for (int s = 0; s < speeds; ++s)
            titles << (set == 0 ? tr("Частота %1") : tr("Частота %1, набор")).arg(s + 1);
        for (const balance4::job::ResidualAt& r : residuals) {
            if (r.Speed >= speeds || r.Point >= job.Points) continue;
            SetCell(m_speedResiduals, set * speeds + r.Speed, r.Point,
                    ResultText(r.Amplitude, separator));
        }
        const std::vector<double>& conditions = result.Optimised->SpeedConditionNumber;
        for (int s = 0; s < speeds && s < int(conditions.size()) && set == 0; ++s)
            SetCell(m_speedResiduals, s, job.Points,
                    std::isfinite(conditions[std::size_t(s)])
                        ? ResultText(conditions[std::size_t(s)], separator)
                        : tr("бесконечность"));
    }
    m_speedResiduals->setVerticalHeaderLabels(titles);
    FitHeight(m_speedResiduals);
}
