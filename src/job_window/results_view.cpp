#include "results_view.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

#include "job/angle_frame.h"
#include "job/disagreeing_points.h"
#include "job/nearest_position.h"
#include "job/optimised_text.h"
#include "job/plane_dependence.h"
#include "job/repeats.h"
#include "job/result_words.h"
#include "job/units.h"
#include "number_texts.h"

using balance4::job::Job;
using balance4::job::JobResult;
using balance4::job::Outcome;

namespace {

QTableWidget* MakeTable(const QString& name, const QStringList& columns, QWidget* parent) {
    auto* table = new QTableWidget(0, int(columns.size()), parent);
    table->setObjectName(name);
    table->setAccessibleName(name);
    table->setHorizontalHeaderLabels(columns);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    // Columns are fitted once after each fill (resizeColumnsToContents): fitting them to every
    // cell as it is set would measure the whole table again for each one.
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

void SetCell(QTableWidget* table, int row, int column, const QString& text,
             const QColor& background = QColor()) {
    QTableWidgetItem* cell = table->item(row, column);
    if (!cell) {
        cell = new QTableWidgetItem;
        table->setItem(row, column, cell);
    }
    cell->setText(text);
    cell->setData(Qt::BackgroundRole, {});
    cell->setData(Qt::ForegroundRole, {});
    cell->setTextAlignment(Qt::AlignVCenter |
                           (column + 1 < table->columnCount() ? Qt::AlignRight : Qt::AlignLeft));
    cell->setToolTip(column + 1 == table->columnCount() ? text : QString());
    if (background.isValid()) {
        cell->setBackground(background);
        cell->setForeground(Qt::white);
    }
}

QString SpreadText(const balance4::job::PlaneSpread& spread, const QString& unit,
                   const QString& separator) {
    if (!std::isfinite(spread.Vector)) return QObject::tr("не определён");
    return QStringLiteral("±%1 %2, ±%3°")
        .arg(ResultText(spread.Mass, separator), unit, ResultText(spread.AngleDegrees, separator));
}

const QColor kDoubtful(176, 112, 0);
constexpr int kRunColumn = 6;
constexpr int kSplitColumn = 7;
const QColor kUnreliable(200, 40, 40);

}  // namespace

QString MassHeading(const Job& job) {
    const QString unit = QString::fromStdString(job.Unit);
    QStringList converted;
    for (int plane = 0; plane < job.Planes(); ++plane) {
        const balance4::job::PlaneSetup& setup = job.Plane[std::size_t(plane)];
        if (setup.TrialRadius > 0.0 && setup.CorrectionRadius > 0.0)
            converted << QString::number(plane + 1);
    }
    if (converted.isEmpty()) return QObject::tr("Масса, %1").arg(unit);
    if (converted.size() == job.Planes())
        return QObject::tr("Масса, %1, на радиусе поправки").arg(unit);
    return QObject::tr("Масса, %1 (пл. %2 — на радиусе поправки)")
        .arg(unit, converted.join(QStringLiteral(", ")));
}

QString SplitText(const balance4::job::SplitResult& split, const QString& unit,
                  const QString& separator) {
    if (split.Refused) return QString::fromStdString(balance4::job::SplitRefusalText());
    QStringList parts;
    for (const balance4::job::SplitPart& part : split.Parts) {
        parts << QObject::tr("№%1 (%2°): %3 %4")
                     .arg(part.At.Number)
                     .arg(PlainNumberText(part.At.AngleDegrees, separator))
                     .arg(ResultText(part.Mass, separator), unit);
    }
    QString text = parts.join(QStringLiteral("; "));
    if (!split.Warning.empty())
        text += QStringLiteral(" — ") + QString::fromStdString(split.Warning);
    return text;
}

ResultsView::ResultsView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ResultsView"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    m_banner = new QLabel(this);
    m_banner->setObjectName(QStringLiteral("UntrustedBanner"));
    m_banner->setTextFormat(Qt::PlainText);
    m_banner->setWordWrap(true);
    m_banner->setStyleSheet(QStringLiteral(
        "background: rgb(200,40,40); color: white; font-weight: bold; padding: 6px;"));
    m_banner->hide();
    layout->addWidget(m_banner);
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("ResultSummary"));
    m_summary->setTextFormat(Qt::PlainText);
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);
    m_warnings = new QLabel(this);
    m_warnings->setObjectName(QStringLiteral("ResultWarnings"));
    m_warnings->setTextFormat(Qt::PlainText);
    m_warnings->setWordWrap(true);
    m_warnings->setStyleSheet(QStringLiteral("color: rgb(176,112,0); font-weight: bold;"));
    m_warnings->hide();
    layout->addWidget(m_warnings);
    m_planes = MakeTable(
        tr("Корректирующие грузы"),
        {tr("Масса"), tr("% пробного"), tr("От нуля, °"), tr("От пробного, °"), tr("Разброс 95 %"),
         tr("Доверие"), tr("Пробный пуск"), tr("Разбивка по позициям")},
        this);
    // The split and what to add wrap in the last column: each row is as tall as its text needs at
    // the column's width, whatever the window's size.
    m_planes->setTextElideMode(Qt::ElideNone);
    m_planes->setWordWrap(true);
    m_planes->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_planes->horizontalHeaderItem(kRunColumn)
        ->setToolTip(tr("Наибольшее изменение вибрации от пробного груза этой плоскости, % от "
                        "пуска без груза; %1")
                         .arg(QString::fromStdString(balance4::job::WeakRunRule(
                             balance4::jobwindow::LocaleDecimal().toStdString()))));
    layout->addWidget(m_planes, 3);
    layout->addWidget(new QLabel(tr("Остаточная вибрация после поправки (расчёт):"), this));
    m_points = MakeTable(tr("Остаточная вибрация"), {}, this);
    m_points->setRowCount(2);
    m_points->setVerticalHeaderLabels({tr("Амплитуда"), tr("Фаза, °")});
    m_points->horizontalHeader()->setStretchLastSection(false);
    m_points->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_points->setFixedHeight(m_points->horizontalHeader()->sizeHint().height() +
                             2 * m_points->verticalHeader()->defaultSectionSize() +
                             m_points->horizontalScrollBar()->sizeHint().height() +
                             2 * m_points->frameWidth() + 2);
    layout->addWidget(m_points);
}

void ResultsView::showWaiting(const QString& why) {
    m_banner->hide();
    m_warnings->hide();
    m_summary->setText(why);
    m_planes->setRowCount(0);
    m_points->setColumnCount(0);
}

void ResultsView::show(const Job& job, const JobResult& result) {
    if (result.Result == Outcome::Refused) {
        showWaiting(result.Failures.empty()
                        ? tr("Расчёт не выполнен.")
                        : QString::fromStdString(result.Failures.front().Message));
        return;
    }
    if (result.Result == Outcome::NoSolution) {
        showWaiting({});
        m_banner->setText(tr("Решения нет: %1. Не устанавливайте корректирующие грузы.")
                              .arg(QString::fromStdString(result.Message)));
        m_banner->show();
        return;
    }
    const QString separator = balance4::jobwindow::LocaleDecimal();
    m_banner->setVisible(result.Untrusted);
    if (result.Untrusted) {
        m_banner->setText(tr("Результат недостоверен: %1. Не устанавливайте корректирующие "
                             "грузы: проверьте показания или повторите пуски с бо́льшими пробными "
                             "грузами.")
                              .arg(QString::fromStdString(result.UntrustedReason)));
    }
    const QString word = QString::fromStdString(std::string(result.RotationWord));
    QString summary = result.Exact
                          ? tr("Углы отсчитываются %1. Решено точным путём калькулятора.").arg(word)
                          : tr("Углы отсчитываются %1. Метод наименьших квадратов, "
                               "число обусловленности %2.")
                                .arg(word, ResultText(result.ConditionNumber, separator));
    if (result.Optimised)
        summary =
            tr("Углы отсчитываются %1. %2 Оба ответа рядом — на вкладке «Оптимизация».")
                .arg(word,
                     QString::fromUtf8(balance4::job::ObjectiveSentence(result.Optimised->Goal)));
    if (result.SpreadFailed > 0) {
        summary += tr(" Разброс: %1 из %2 повторов без решения.")
                       .arg(result.SpreadFailed)
                       .arg(result.SpreadSamples);
    }
    if (result.PercentOnly)
        summary = QString::fromUtf8(balance4::job::kTrialMassMissingText) + QStringLiteral(". ") +
                  summary;
    if (job.Trials == balance4::job::TrialWeights::LeftOn)
        summary +=
            tr(" Пробные грузы остаются на роторе: в каждой плоскости добавьте то, что "
               "указано в столбце «Добавить».");
    summary += QStringLiteral(" ") + tr("Допуск показаний: %1.")
                                         .arg(QString::fromStdString(balance4::job::ScatterText(
                                             result.Scatter, separator.toStdString())));
    m_summary->setText(summary);
    showWarnings(job, result);
    showPlanes(job, result);
    showPoints(result);
    m_points->setVerticalHeaderLabels(
        {tr("Амплитуда") + QString::fromStdString(balance4::job::ReadingUnitAfterHeading(job)),
         tr("Фаза, °")});
}

void ResultsView::showPlanes(const Job& job, const JobResult& result) {
    const QString separator = balance4::jobwindow::LocaleDecimal();
    const QString unit = QString::fromStdString(job.Unit);
    m_planes->setHorizontalHeaderItem(0, new QTableWidgetItem(MassHeading(job)));
    // The way the angles run on a line of its own, so that the columns stay narrow.
    for (const auto& [column, heading] : {std::pair{2, "От нуля, °"}, {3, "От пробного, °"}})
        m_planes->setHorizontalHeaderItem(
            column,
            new QTableWidgetItem(QString::fromUtf8(heading) + QLatin1Char('\n') +
                                 QString::fromUtf8(balance4::job::AngleDirectionWord(job))));
    const bool leftOn = job.Trials == balance4::job::TrialWeights::LeftOn;
    m_planes->setHorizontalHeaderItem(
        kSplitColumn, new QTableWidgetItem(leftOn ? tr("Добавить (пробный груз остаётся)")
                                                  : tr("Разбивка по позициям")));
    m_planes->setRowCount(int(result.Planes.size()));
    QStringList titles;
    for (int plane = 0; plane < int(result.Planes.size()); ++plane) {
        const balance4::job::PlaneResult& r = result.Planes[plane];
        titles << tr("Плоскость %1").arg(plane + 1);
        // The exact path's texts are the calculator's own, to the digit.
        const bool exact = balance4::job::ShowsCalculatorTexts(result, std::size_t(plane));
        SetCell(m_planes, plane, 0, ResultText(r.Mass, separator));
        SetCell(m_planes, plane, 1,
                exact ? QString::fromStdString(
                            balance4::job::CalculatorPercentText(result, std::size_t(plane)))
                      : ResultText(r.Percent, separator));
        SetCell(m_planes, plane, 2, ResultText(r.AngleFromZero, separator));
        SetCell(m_planes, plane, 3,
                exact ? QString::fromStdString(
                            balance4::job::CalculatorAngleText(result, std::size_t(plane)))
                      : ResultText(r.AngleFromTrial, separator));
        SetCell(m_planes, plane, 4, SpreadText(r.Spread, unit, separator));
        const QColor trustColour = r.Spread.Level == balance4::job::Trust::Unreliable ? kUnreliable
                                   : r.Spread.Level == balance4::job::Trust::Doubtful ? kDoubtful
                                                                                      : QColor();
        const QString trust = QString::fromStdString(std::string(TrustWord(r.Spread.Level)));
        SetCell(m_planes, plane, 5, trust.isEmpty() ? tr("надёжно") : trust, trustColour);
        if (plane < int(result.Runs.size())) {
            const balance4::job::RunQuality& run = result.Runs[plane];
            SetCell(m_planes, plane, kRunColumn,
                    tr("%1 % — %2")
                        .arg(ResultText(run.ChangePercent, separator),
                             QString::fromUtf8(balance4::job::RunQualityWord(run))),
                    run.Weak || run.Large ? kDoubtful : QColor());
        } else {
            SetCell(m_planes, plane, kRunColumn, QString());
        }
        QString note = r.SplitAsked ? SplitText(r.Split, unit, separator) : QString();
        if (r.Nearest && r.Nearest->Recommended)
            note += QStringLiteral(" ") + QString::fromStdString(balance4::job::NearestPositionText(
                                              *r.Nearest, separator.toStdString()));
        if (plane < job.Planes()) {
            const std::string unbalance = balance4::job::UnbalanceText(
                job.Plane[std::size_t(plane)], job.Unit, r.Mass, separator.toStdString());
            if (!unbalance.empty())
                note += (note.isEmpty() ? QString() : QStringLiteral("; ")) +
                        QString::fromStdString(unbalance);
        }
        if (r.KeepTrial) {
            note = tr("добавить %1 %2 под %3°")
                       .arg(ResultText(r.KeepTrial->Mass, separator), unit,
                            ResultText(r.KeepTrial->AngleDegrees, separator)) +
                   (note.isEmpty() ? QString() : QStringLiteral("; ") + note);
        }
        SetCell(m_planes, plane, kSplitColumn, note);
    }
    m_planes->setVerticalHeaderLabels(titles);
    m_planes->resizeColumnsToContents();
}

// What the library warns of: trial weights too light or too heavy, planes that act alike, a point
// whose readings disagree with the rest (with the correction without it).
void ResultsView::showWarnings(const Job& job, const JobResult& result) {
    const std::string separator = balance4::jobwindow::LocaleDecimal().toStdString();
    QStringList lines;
    for (const std::vector<int>& planes : result.PlanesAlike)
        lines << tr("Внимание: %1.")
                     .arg(QString::fromStdString(balance4::job::PlanesActingAlikeMessage(planes)));
    for (const balance4::job::Warning& warning : result.Warnings)
        lines << tr("Внимание: %1.").arg(QString::fromStdString(warning.Text));
    for (const balance4::job::SuspectPoint& suspect : result.Suspects)
        lines << QStringLiteral("  ") +
                     QString::fromStdString(
                         balance4::job::WithoutSuspectText(suspect, job.Unit, separator)) +
                     QStringLiteral(".");
    m_warnings->setText(lines.join(QLatin1Char('\n')));
    m_warnings->setVisible(!lines.isEmpty());
}

void ResultsView::showPoints(const JobResult& result) {
    const QString separator = balance4::jobwindow::LocaleDecimal();
    m_points->setColumnCount(int(result.Points.size()));
    QStringList titles;
    for (int point = 0; point < int(result.Points.size()); ++point) {
        titles << tr("Т%1").arg(point + 1);
        for (int row = 0; row < 2; ++row) {
            const double value =
                row == 0 ? result.Points[point].Amplitude : result.Points[point].PhaseDegrees;
            SetCell(m_points, row, point, ResultText(value, separator));
            m_points->item(row, point)->setTextAlignment(Qt::AlignVCenter | Qt::AlignRight);
        }
    }
    m_points->setHorizontalHeaderLabels(titles);
    m_points->resizeColumnsToContents();
}
