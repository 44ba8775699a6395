#include "trim_panel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "number_texts.h"
#include "readings_table.h"
#include "results_view.h"
#include "weights.h"

using balance4::job::Job;
using balance4::job::JobResult;
using balance4::job::Weight;

namespace {

QTableWidget* MakeTable(const QString& name, const QStringList& columns, QWidget* parent) {
    auto* table = new QTableWidget(0, int(columns.size()), parent);
    table->setObjectName(name);
    table->setAccessibleName(name);
    table->setHorizontalHeaderLabels(columns);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

QString WeightText(const Weight& weight, const QString& unit, const QString& separator) {
    return QObject::tr("%1 %2 под %3°")
        .arg(ResultText(weight.Mass, separator), unit, ResultText(weight.AngleDegrees, separator));
}

}  // namespace

TrimPanel::TrimPanel(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TrimPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(new QLabel(tr("Показания контрольного пуска, без пробных грузов:"), this));
    m_run = new ReadingsTable(this);
    m_run->setObjectName(QStringLiteral("TrimReadings"));
    m_run->setAccessibleName(tr("Показания контрольного пуска"));
    m_run->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_run->setFixedHeight(m_run->horizontalHeader()->sizeHint().height() +
                          m_run->verticalHeader()->defaultSectionSize() +
                          m_run->horizontalScrollBar()->sizeHint().height() +
                          2 * m_run->frameWidth() + 2);
    layout->addWidget(m_run);

    auto* middle = new QHBoxLayout;
    auto* installedBox = new QVBoxLayout;
    m_installed =
        MakeTable(tr("Установлено на роторе"), {tr("Масса"), tr("Угол от нуля, °")}, this);
    m_installed->setToolTip(tr("Грузы, установленные на ротор после расчёта"));
    installedBox->addWidget(new QLabel(tr("Установлено на роторе:"), this));
    installedBox->addWidget(m_installed);
    auto* fromResults = new QPushButton(tr("Установлены рассчитанные"), this);
    fromResults->setObjectName(QStringLiteral("InstalledFromResults"));
    fromResults->setAccessibleName(fromResults->text());
    installedBox->addWidget(fromResults);
    middle->addLayout(installedBox, 2);
    auto* resultBox = new QVBoxLayout;
    resultBox->addWidget(new QLabel(tr("Итог контрольного пуска:"), this));
    m_result = MakeTable(tr("Итог контрольного пуска"),
                         {tr("Добавить"), tr("Один груз на роторе"), tr("Разбивка")}, this);
    m_result->setEditTriggers(QAbstractItemView::NoEditTriggers);
    resultBox->addWidget(m_result);
    middle->addLayout(resultBox, 5);
    layout->addLayout(middle, 3);

    auto* stateRow = new QHBoxLayout;
    m_state = new QLabel(this);
    m_state->setObjectName(QStringLiteral("TrimState"));
    m_state->setTextFormat(Qt::PlainText);
    m_state->setWordWrap(true);
    stateRow->addWidget(m_state, 1);
    m_record = new QPushButton(tr("Записать в историю"), this);
    m_record->setObjectName(QStringLiteral("RecordTrim"));
    m_record->setAccessibleName(m_record->text());
    m_record->setEnabled(false);
    stateRow->addWidget(m_record);
    layout->addLayout(stateRow);

    m_history = MakeTable(tr("История контрольных пусков"), {tr("Дата"), tr("Добавлено")}, this);
    m_history->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(m_history, 2);

    connect(m_run, &ReadingsTable::edited, this, &TrimPanel::edited);
    connect(m_installed, &QTableWidget::itemChanged, this, [this] {
        if (!m_loading) emit edited();
    });
    connect(fromResults, &QPushButton::clicked, this, &TrimPanel::installedFromResults);
    connect(m_record, &QPushButton::clicked, this, &TrimPanel::recordAsked);
}

void TrimPanel::load(const Job& job) {
    m_loading = true;
    m_run->setShape({tr("Контрольный пуск")}, job.Points);
    const QString separator = balance4::jobwindow::LocaleDecimal();
    m_installed->setRowCount(job.Planes());
    QStringList titles;
    for (int plane = 0; plane < job.Planes(); ++plane) {
        titles << tr("Пл. %1").arg(plane + 1);
        const bool has = plane < int(job.Installed.size()) && !job.Installed[plane].empty();
        // Several weights in one plane act as their sum; the table edits one weight per plane.
        const Weight weight = has ? balance4::job::Combine(job.Installed[plane]) : Weight{};
        const QStringList texts = {
            has ? PlainNumberText(weight.Mass, separator) : QString(),
            has ? PlainNumberText(weight.AngleDegrees, separator) : QString()};
        for (int column = 0; column < 2; ++column) {
            auto* cell = new QTableWidgetItem(texts[column]);
            cell->setData(Qt::AccessibleTextRole, tr("Установлено в плоскости %1, %2")
                                                      .arg(plane + 1)
                                                      .arg(column == 0 ? tr("масса") : tr("угол")));
            m_installed->setItem(plane, column, cell);
        }
    }
    m_installed->setVerticalHeaderLabels(titles);
    showHistory(job);
    m_loading = false;
}

void TrimPanel::storeInstalled(Job& job) const {
    job.Installed.assign(std::size_t(job.Planes()), {});
    bool any = false;
    for (int plane = 0; plane < job.Planes() && plane < m_installed->rowCount(); ++plane) {
        const auto mass = ReadNumberText(m_installed->item(plane, 0)->text());
        const auto angle = ReadNumberText(m_installed->item(plane, 1)->text());
        if (mass && *mass != 0.0) {
            job.Installed[plane].push_back({*mass, angle.value_or(0.0)});
            any = true;
        }
    }
    if (!any) job.Installed.clear();
}

std::vector<balance4::job::ReadingText> TrimPanel::run0(const QString& separator) const {
    std::vector<balance4::job::ReadingText> readings;
    for (int point = 0; point < m_run->points(); ++point) {
        readings.push_back(
            {WithSeparator(m_run->cellText(0, point * 2), separator).toStdString(),
             WithSeparator(m_run->cellText(0, point * 2 + 1), separator).toStdString()});
    }
    return readings;
}

bool TrimPanel::runComplete() const {
    return m_run->rowCount() > 0 && m_run->emptyCells() == 0;
}

void TrimPanel::setInstalled(const std::vector<Weight>& weights) {
    const QString separator = balance4::jobwindow::LocaleDecimal();
    m_loading = true;
    for (int plane = 0; plane < m_installed->rowCount() && plane < int(weights.size()); ++plane) {
        m_installed->item(plane, 0)->setText(ResultText(weights[plane].Mass, separator));
        m_installed->item(plane, 1)->setText(ResultText(weights[plane].AngleDegrees, separator));
    }
    m_loading = false;
    emit edited();
}

void TrimPanel::showResult(const Job& job, const JobResult& result) {
    const QString separator = balance4::jobwindow::LocaleDecimal();
    const QString unit = QString::fromStdString(job.Unit);
    const bool calculated = result.Result == balance4::job::Outcome::Calculated;
    m_record->setEnabled(calculated);
    if (!calculated) {
        m_result->setRowCount(0);
        m_state->setText(result.Result == balance4::job::Outcome::NoSolution
                             ? QString::fromStdString(result.Message)
                         : result.Failures.empty()
                             ? tr("Введите все показания контрольного пуска.")
                             : QString::fromStdString(result.Failures.front().Message));
        return;
    }
    m_state->setText(result.Untrusted
                         ? tr("Недостоверно: %1. Грузы не менять.")
                               .arg(QString::fromStdString(result.UntrustedReason))
                         : tr("Углы отсчитываются %1.")
                               .arg(QString::fromStdString(std::string(result.RotationWord))));
    m_result->setRowCount(int(result.Planes.size()));
    QStringList titles;
    for (int plane = 0; plane < int(result.Planes.size()); ++plane) {
        const balance4::job::PlaneResult& r = result.Planes[plane];
        titles << tr("Пл. %1").arg(plane + 1);
        const QStringList texts = {WeightText({r.Mass, r.AngleFromZero}, unit, separator),
                                   r.OnRotor ? WeightText(*r.OnRotor, unit, separator) : QString(),
                                   r.SplitAsked ? SplitText(r.Split, unit, separator) : QString()};
        for (int column = 0; column < 3; ++column)
            m_result->setItem(plane, column, new QTableWidgetItem(texts[column]));
    }
    m_result->setVerticalHeaderLabels(titles);
}

void TrimPanel::showHistory(const Job& job) {
    const QString separator = balance4::jobwindow::LocaleDecimal();
    const QString unit = QString::fromStdString(job.Unit);
    m_history->setRowCount(int(job.TrimHistory.size()));
    for (int row = 0; row < int(job.TrimHistory.size()); ++row) {
        const balance4::job::TrimRecord& record = job.TrimHistory[row];
        QStringList corrections;
        for (int plane = 0; plane < int(record.Correction.size()); ++plane) {
            corrections << tr("пл. %1: %2")
                               .arg(plane + 1)
                               .arg(WeightText(record.Correction[plane], unit, separator));
        }
        m_history->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(record.Date)));
        m_history->setItem(row, 1, new QTableWidgetItem(corrections.join(QStringLiteral("; "))));
    }
}
