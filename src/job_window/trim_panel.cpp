#include "trim_panel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "job/calculate.h"
#include "job_document.h"
#include "job_table_model.h"
#include "number_texts.h"
#include "results_view.h"
#include "sheet_view.h"

using balance4::job::Job;
using balance4::job::JobResult;
using balance4::job::Weight;

namespace {

QTableWidget* MakeTable(const QString& name, const QStringList& columns, QWidget* parent) {
    auto* table = new QTableWidget(0, int(columns.size()), parent);
    table->setObjectName(name);
    table->setAccessibleName(name);
    table->setHorizontalHeaderLabels(columns);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(true);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

QString WeightText(const Weight& weight, const QString& unit, const QString& separator) {
    return QObject::tr("%1 %2 под %3°")
        .arg(ResultText(weight.Mass, separator), unit, ResultText(weight.AngleDegrees, separator));
}

}  // namespace

TrimPanel::TrimPanel(JobDocument* document, QWidget* parent)
    : QWidget(parent), m_document(document) {
    setObjectName(QStringLiteral("TrimPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(new QLabel(tr("Показания контрольного пуска, без пробных грузов:"), this));
    m_run = new SheetView(this);
    m_run->setObjectName(QStringLiteral("TrimReadings"));
    m_run->setAccessibleName(tr("Показания контрольного пуска"));
    m_run->setJobModel(new JobTableModel(document, JobTable::ControlRun, m_run));
    m_run->fitHeightToRows();
    layout->addWidget(m_run);

    auto* middle = new QHBoxLayout;
    auto* installedBox = new QVBoxLayout;
    m_installed = new SheetView(this);
    m_installed->setObjectName(QStringLiteral("Installed"));
    m_installed->setAccessibleName(tr("Установлено на роторе"));
    m_installed->setToolTip(tr("Грузы, установленные на ротор после расчёта"));
    m_installed->setJobModel(new JobTableModel(document, JobTable::Installed, m_installed));
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
    m_record->setToolTip(
        tr("Поправка контрольного пуска установлена: пуск уходит в историю, "
           "«Установлено на роторе» — то, что теперь на роторе"));
    m_record->setEnabled(false);
    stateRow->addWidget(m_record);
    layout->addLayout(stateRow);

    m_history = MakeTable(tr("История контрольных пусков"), {tr("Дата"), tr("Добавлено")}, this);
    layout->addWidget(m_history, 2);

    connect(fromResults, &QPushButton::clicked, document, &JobDocument::installCorrections);
    connect(m_record, &QPushButton::clicked, document, &JobDocument::recordControlRun);
    connect(document, &JobDocument::trimChanged, this, [this] { showResult(); });
    connect(document, &JobDocument::changed, this, [this] { showHistory(); });
    showResult();
    showHistory();
}

void TrimPanel::showResult() {
    const JobResult& result = m_document->trimResult();
    const Job& job = m_document->job();
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

void TrimPanel::showHistory() {
    const Job& job = m_document->job();
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
