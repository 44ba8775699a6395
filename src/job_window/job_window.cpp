#include "job_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDragEnterEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QScrollArea>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "calculate.h"
#include "job_calculator.h"
#include "job_file.h"
#include "job_report.h"
#include "manual_opener.h"
#include "number_texts.h"
#include "pictures_area.h"
#include "reading_grid.h"
#include "readings_table.h"
#include "recent_files.h"
#include "recovery_file.h"
#include "results_view.h"
#include "setup_panel.h"
#include "trim_panel.h"

using balance4::job::Job;
using balance4::job::JobResult;
using balance4::job::Outcome;

namespace {

const QString kFileFilter = QObject::tr("Работы балансировки (*.json);;Все файлы (*)");

quint64 CellKey(int row, int column) {
    return (quint64(quint32(row)) << 32) | quint32(column);
}

}  // namespace

JobWindow::JobWindow(ManualOpener* manual, const QString& recoveryFolder, QWidget* parent)
    : QMainWindow(parent),
      m_manual(manual),
      m_calculator(new JobCalculator(this)),
      m_recovery(std::make_unique<RecoveryFile>(recoveryFolder)) {
    setObjectName(QStringLiteral("JobWindow"));
    setAcceptDrops(true);
    createWidgets();
    createActions();
    createConnections();
    restoreSettings();
    Job job = balance4::job::MakeJob(4, 4);
    job.Date = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")).toStdString();
    loadJob(job, {});
}

JobWindow::~JobWindow() {
    // An open cell editor commits its text as the window goes: the tables go first, while the
    // window's members they report to still exist, and nothing they say is taken as an edit.
    m_loading = true;
    m_readings->setCellCheck({});
    m_readings->setPasteHook({});
    delete takeCentralWidget();
}

void JobWindow::createWidgets() {
    m_setup = new SetupPanel;
    auto* setupScroll = new QScrollArea;
    setupScroll->setObjectName(QStringLiteral("SetupScroll"));
    setupScroll->setAccessibleName(tr("Настройка работы"));
    setupScroll->setWidget(m_setup);
    setupScroll->setWidgetResizable(true);
    setupScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setupScroll->setMinimumWidth(280);

    m_readings = new ReadingsTable;
    m_readings->setObjectName(QStringLiteral("Readings"));
    m_readings->setAccessibleName(tr("Показания"));
    m_results = new ResultsView;
    m_trim = new TrimPanel;
    m_pictures = new PicturesArea;
    m_tabs = new QTabWidget;
    m_tabs->setObjectName(QStringLiteral("ResultTabs"));
    m_tabs->setAccessibleName(tr("Результаты, рисунки и контрольный пуск"));
    m_tabs->addTab(m_results, tr("Результаты"));
    m_tabs->addTab(m_pictures, tr("Рисунки"));
    m_tabs->addTab(m_trim, tr("Контрольный пуск"));

    m_sideSplitter = new QSplitter(Qt::Vertical);
    m_sideSplitter->setObjectName(QStringLiteral("ReadingsSplitter"));
    m_sideSplitter->addWidget(m_readings);
    m_sideSplitter->addWidget(m_tabs);
    m_sideSplitter->setStretchFactor(0, 2);
    m_sideSplitter->setStretchFactor(1, 3);
    m_sideSplitter->setSizes({290, 430});
    m_mainSplitter = new QSplitter(Qt::Horizontal);
    m_mainSplitter->setObjectName(QStringLiteral("MainSplitter"));
    m_mainSplitter->addWidget(setupScroll);
    m_mainSplitter->addWidget(m_sideSplitter);
    m_mainSplitter->setStretchFactor(1, 1);
    m_mainSplitter->setSizes({380, 986});
    setCentralWidget(m_mainSplitter);

    m_readiness = new QLabel;
    m_readiness->setObjectName(QStringLiteral("Readiness"));
    m_readiness->setTextFormat(Qt::PlainText);
    statusBar()->addPermanentWidget(m_readiness);
    resize(1280, 720);
}

void JobWindow::createActions() {
    QMenu* file = menuBar()->addMenu(tr("&Файл"));
    file->addAction(tr("&Новая работа"), QKeySequence::New, this, [this] { newJob(); });
    file->addAction(tr("&Открыть…"), QKeySequence::Open, this, [this] { openAsked(); });
    m_recentMenu = file->addMenu(tr("Последние файлы"));
    file->addAction(tr("&Сохранить"), QKeySequence::Save, this, [this] { save(); });
    file->addAction(tr("Сохранить &как…"), QKeySequence(tr("Ctrl+Shift+S")), this,
                    [this] { saveAs(); });
    file->addSeparator();
    file->addAction(tr("Отчёт &PDF…"), this, [this] { writeReport(); });
    file->addAction(tr("&Печать…"), QKeySequence::Print, this, [this] { printReport(); });
    file->addSeparator();
    file->addAction(tr("В&ыход"), QKeySequence(tr("Ctrl+Q")), this, [this] { close(); });

    QMenu* calculation = menuBar()->addMenu(tr("&Расчёт"));
    calculation->addAction(tr("&Рассчитать"), QKeySequence(Qt::Key_F9), this,
                           [this] { calculateNow(); });
    calculation->addAction(tr("&Пример из калькулятора"), this, [this] {
        if (!maybeSave()) return;
        loadJob(balance4::job::ExampleJob(), {});
    });

    QMenu* help = menuBar()->addMenu(tr("&Справка"));
    help->addAction(tr("&Руководство"), QKeySequence(Qt::Key_F1), this, [this] { openManual(); });
    rebuildRecentMenu();
}

void JobWindow::createConnections() {
    connect(m_setup, &SetupPanel::edited, this, &JobWindow::edited);
    connect(m_setup, &SetupPanel::shapeEdited, this, [this] {
        if (m_loading) return;
        reshapeTables();
        edited();
    });
    connect(m_readings, &ReadingsTable::edited, this, &JobWindow::edited);
    connect(m_trim, &TrimPanel::edited, this, &JobWindow::edited);
    connect(m_readings, &ReadingsTable::problemAtCurrentCell, this,
            [this](const QString& message) { statusBar()->showMessage(message); });
    connect(m_trim->runTable(), &ReadingsTable::problemAtCurrentCell, this,
            [this](const QString& message) { statusBar()->showMessage(message); });
    connect(m_calculator, &JobCalculator::calculated, this, &JobWindow::calculated);
    connect(m_trim, &TrimPanel::installedFromResults, this, [this] {
        if (m_result.Result != Outcome::Calculated) return;
        std::vector<balance4::job::Weight> weights;
        for (const balance4::job::PlaneResult& plane : m_result.Planes)
            weights.push_back({plane.Mass, plane.AngleFromZero});
        m_trim->setInstalled(weights);
    });
    connect(m_trim, &TrimPanel::recordAsked, this, &JobWindow::recordTrim);

    // A pasted reading line of the command-line tool fills the whole table.
    m_readings->setPasteHook([this](const QString& text) {
        const QList<QStringList> lines = SplitSpreadsheetBlock(text);
        if (lines.size() != 1) return false;
        const Job job = currentJob();
        const QList<QStringList> rows = RunRowsFromReadingLine(lines[0], job.Planes(), job.Points);
        if (rows.isEmpty()) return false;
        m_readings->setBlock(firstRunRow(), 0, rows);
        return true;
    });
    const auto check = [](int, int, const QString& text) {
        return ReadNumberText(text) ? QString() : tr("не число");
    };
    m_readings->setCellCheck([this, check](int row, int column, const QString& text) {
        const QString local = check(row, column, text);
        return local.isEmpty() ? m_cellFailures.value(CellKey(row, column)) : local;
    });
    m_trim->runTable()->setCellCheck(check);
}

void JobWindow::restoreSettings() {
    QSettings settings;
    restoreGeometry(settings.value(QStringLiteral("window/geometry")).toByteArray());
    m_mainSplitter->restoreState(
        settings.value(QStringLiteral("window/mainSplitter")).toByteArray());
    m_sideSplitter->restoreState(
        settings.value(QStringLiteral("window/sideSplitter")).toByteArray());
}

void JobWindow::saveSettings() const {
    QSettings settings;
    settings.setValue(QStringLiteral("window/geometry"), saveGeometry());
    settings.setValue(QStringLiteral("window/mainSplitter"), m_mainSplitter->saveState());
    settings.setValue(QStringLiteral("window/sideSplitter"), m_sideSplitter->saveState());
}

QStringList JobWindow::runTitles(const Job& job) const {
    QStringList titles;
    if (m_setup->slowRollAsked()) titles << tr("Малые обороты — биение");
    titles << tr("Пуск 0 — без груза");
    for (int run = 1; run <= job.Planes(); ++run) {
        if (job.Trials == balance4::job::TrialWeights::LeftOn && run > 1)
            titles << tr("Пуск %1 — грузы в плоскостях 1–%1").arg(run);
        else
            titles << tr("Пуск %1 — груз в плоскости %1").arg(run);
    }
    return titles;
}

int JobWindow::firstRunRow() const {
    return m_tableHasSlowRoll ? 1 : 0;
}

void JobWindow::reshapeTables() {
    // The texts typed so far, in the new shape; a run keeps its row when the slow-roll row comes
    // or goes.
    Job job = currentJob();
    m_setup->store(job);
    if (m_setup->slowRollAsked() && job.SlowRoll.empty())
        job.SlowRoll.assign(std::size_t(job.Points), {});
    if (!m_setup->slowRollAsked()) job.SlowRoll.clear();
    showTables(job);
}

void JobWindow::showTables(const Job& job) {
    const bool wasLoading = m_loading;
    m_loading = true;
    m_tableHasSlowRoll = m_setup->slowRollAsked();
    m_readings->setShape(runTitles(job), job.Points);
    m_readings->clearTexts();
    QList<QStringList> rows;
    const auto rowOf = [](const std::vector<balance4::job::ReadingText>& readings) {
        QStringList row;
        for (const auto& reading : readings)
            row << QString::fromStdString(reading.Amplitude)
                << QString::fromStdString(reading.Phase);
        return row;
    };
    if (m_tableHasSlowRoll) rows << rowOf(job.SlowRoll);
    for (const auto& run : job.Readings) rows << rowOf(run);
    {
        const QSignalBlocker blocker(m_readings);
        m_readings->setBlock(0, 0, rows);
    }
    m_readings->recheck();
    m_base = job;
    m_trim->load(job);
    m_loading = wasLoading;
}

Job JobWindow::currentJob() const {
    Job job = m_base;
    m_setup->store(job);
    job.Separator = balance4::jobwindow::LocaleDecimal().toStdString();
    const QString separator = QString::fromStdString(job.Separator);
    const int offset = firstRunRow();
    const auto reading = [&](int row, int point) {
        return balance4::job::ReadingText{
            WithSeparator(m_readings->cellText(row, point * 2), separator).toStdString(),
            WithSeparator(m_readings->cellText(row, point * 2 + 1), separator).toStdString()};
    };
    for (int run = 0; run <= job.Planes(); ++run) {
        for (int point = 0; point < job.Points; ++point)
            job.Readings[run][point] = reading(run + offset, point);
    }
    job.SlowRoll.clear();
    if (offset == 1) {
        for (int point = 0; point < job.Points; ++point) job.SlowRoll.push_back(reading(0, point));
    }
    m_trim->storeInstalled(job);
    return job;
}

void JobWindow::loadJob(const Job& job, const QString& path) {
    m_loading = true;
    m_setup->load(job);
    m_path = path;
    m_cellFailures.clear();
    showTables(job);
    m_loading = false;
    m_modified = false;
    updateTitle();
    m_results->showWaiting({});
    requestCalculation();
}

bool JobWindow::openFile(const QString& path) {
    std::string error;
    const std::optional<Job> job =
        balance4::job::LoadJobFile(QFile::encodeName(path).toStdString(), error);
    if (!job) {
        showMessage(tr("Не удалось открыть «%1»: %2")
                        .arg(QFileInfo(path).fileName(), QString::fromStdString(error)));
        return false;
    }
    loadJob(*job, QFileInfo(path).absoluteFilePath());
    RecentFiles::add(path);
    rebuildRecentMenu();
    m_recovery->remove();
    return true;
}

bool JobWindow::openFileAfterAsking(const QString& path) {
    return maybeSave() && openFile(path);
}

void JobWindow::offerRecovery() {
    const QStringList orphans = m_recovery->orphans();
    if (orphans.isEmpty()) return;
    QString originalPath;
    QString error;
    // The newest first; any other is offered at the next start.
    const QString orphan = orphans.first();
    const std::optional<Job> job = RecoveryFile::Read(orphan, originalPath, error);
    if (!job) {
        RecoveryFile::Discard(orphan);
        return;
    }
    QMessageBox question(
        QMessageBox::Question, windowTitle(),
        tr("Программа была закрыта, не сохранив работу%1. Восстановить её?")
            .arg(originalPath.isEmpty() ? QString()
                                        : tr(" «%1»").arg(QFileInfo(originalPath).fileName())),
        QMessageBox::NoButton, this);
    question.setObjectName(QStringLiteral("RecoveryQuestion"));
    question.setTextFormat(Qt::PlainText);
    QPushButton* restore = question.addButton(tr("Восстановить"), QMessageBox::AcceptRole);
    question.addButton(tr("Не восстанавливать"), QMessageBox::RejectRole);
    question.exec();
    if (question.clickedButton() == restore) {
        loadJob(*job, originalPath);
        m_modified = true;
        updateTitle();
        m_recovery->write(currentJob(), m_path);
    }
    RecoveryFile::Discard(orphan);
}

bool JobWindow::saveTo(const QString& path) {
    std::string error;
    const Job job = currentJob();
    bool saved = false;
    try {
        saved = balance4::job::SaveJobFile(QFile::encodeName(path).toStdString(), job, error);
    } catch (const std::exception& exception) {
        error = exception.what();
    }
    if (!saved) {
        showMessage(tr("Не удалось сохранить «%1»: %2")
                        .arg(QFileInfo(path).fileName(), QString::fromStdString(error)));
        return false;
    }
    m_path = QFileInfo(path).absoluteFilePath();
    m_modified = false;
    updateTitle();
    RecentFiles::add(m_path);
    rebuildRecentMenu();
    m_recovery->remove();
    statusBar()->showMessage(tr("Сохранено: %1").arg(m_path), 5000);
    return true;
}

bool JobWindow::save() {
    return m_path.isEmpty() ? saveAs() : saveTo(m_path);
}

bool JobWindow::saveAs() {
    QString path = QFileDialog::getSaveFileName(this, tr("Сохранить работу"), m_path, kFileFilter);
    if (path.isEmpty()) return false;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".json");
    return saveTo(path);
}

void JobWindow::newJob() {
    if (!maybeSave()) return;
    Job job = balance4::job::MakeJob(m_base.Planes(), m_base.Points);
    job.Date = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")).toStdString();
    loadJob(job, {});
    m_recovery->remove();
}

void JobWindow::openAsked() {
    if (!maybeSave()) return;
    const QString path = QFileDialog::getOpenFileName(
        this, tr("Открыть работу"), QFileInfo(m_path).absolutePath(), kFileFilter);
    if (!path.isEmpty()) openFile(path);
}

void JobWindow::rebuildRecentMenu() {
    m_recentMenu->clear();
    const QStringList files = RecentFiles::list();
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        m_recentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path), this, [this, path] {
            if (!maybeSave()) return;
            if (!openFile(path) && !QFileInfo::exists(path)) {
                RecentFiles::remove(path);
                rebuildRecentMenu();
            }
        });
    }
    m_recentMenu->setEnabled(!files.isEmpty());
}

void JobWindow::edited() {
    if (m_loading) return;
    m_modified = true;
    updateTitle();
    const Job job = currentJob();
    m_calculator->request(job);
    m_recovery->write(job, m_path);
    updateTrim(job);
}

void JobWindow::requestCalculation() {
    const Job job = currentJob();
    m_calculator->request(job);
    updateTrim(job);
}

void JobWindow::calculateNow() {
    // A cell being edited counts: leaving its editor commits the text.
    if (QWidget* focus = QApplication::focusWidget();
        focus && m_readings->isAncestorOf(focus) && focus != m_readings)
        m_readings->setFocus();
    m_calculator->request(currentJob());
    int row = 0;
    int column = 0;
    QString reason;
    if (m_readings->firstProblem(row, column, reason)) {
        m_readings->setCurrentCell(row, column);
        m_readings->setFocus();
        statusBar()->showMessage(reason);
        return;
    }
    for (row = 0; row < m_readings->rowCount(); ++row) {
        for (column = 0; column < m_readings->columnCount(); ++column) {
            if (m_readings->cellText(row, column).trimmed().isEmpty()) {
                m_readings->setCurrentCell(row, column);
                m_readings->setFocus();
                statusBar()->showMessage(
                    tr("%1: не заполнено").arg(m_readings->cellName(row, column)));
                return;
            }
        }
    }
    const QString setupProblem = m_setup->firstProblem();
    if (!setupProblem.isEmpty()) statusBar()->showMessage(setupProblem);
}

void JobWindow::calculated(const Job& job, const JobResult& result) {
    m_calculatedJob = job;
    m_result = result;
    if (result.Result == Outcome::Calculated && result.Saved) m_base.Saved = result.Saved;
    markFailures(result);
    m_results->show(job, result);
    m_pictures->show(job, result);
    updateReadiness();
    emit resultsShown();
}

void JobWindow::markFailures(const JobResult& result) {
    const QHash<quint64, QString> before = std::move(m_cellFailures);
    m_cellFailures.clear();
    const int offset = firstRunRow();
    for (const balance4::job::CellFailure& failure : result.Failures) {
        int row = -1;
        int column = failure.Point * 2;
        switch (failure.Kind) {
            case balance4::job::Cell::Amplitude:
                row = failure.Run + offset;
                break;
            case balance4::job::Cell::Phase:
                row = failure.Run + offset;
                ++column;
                break;
            case balance4::job::Cell::SlowRollAmplitude:
                row = 0;
                break;
            case balance4::job::Cell::SlowRollPhase:
                row = 0;
                ++column;
                break;
            default:
                continue;
        }
        // An empty cell is still to be typed, not wrong.
        if (row < 0 || m_readings->cellText(row, column).trimmed().isEmpty()) continue;
        m_cellFailures.insert(CellKey(row, column), QString::fromStdString(failure.Message));
    }
    if (m_cellFailures != before) m_readings->recheck();
}

void JobWindow::updateReadiness() {
    const int bad = m_readings->badCells();
    const int empty = m_readings->emptyCells();
    QString text;
    if (bad > 0) {
        int row = 0;
        int column = 0;
        QString reason;
        m_readings->firstProblem(row, column, reason);
        text = tr("Неверных показаний: %1 (%2)").arg(bad).arg(reason);
    } else if (empty > 0) {
        text = tr("Не заполнено показаний: %1").arg(empty);
    } else if (m_result.Result == Outcome::Refused) {
        text = m_result.Failures.empty()
                   ? QString()
                   : QString::fromStdString(m_result.Failures.front().Message);
    } else if (m_result.Result == Outcome::NoSolution) {
        text = tr("Решения нет");
    } else {
        text = m_result.Untrusted ? tr("Рассчитано: недостоверно") : tr("Рассчитано");
    }
    if (m_result.Result == Outcome::Refused && (bad > 0 || empty > 0))
        m_results->showWaiting(text + QStringLiteral("."));
    m_readiness->setText(text);
}

void JobWindow::updateTrim(const Job& job) {
    if (!m_trim->runComplete()) {
        m_trimResult = {};
        m_trim->showResult(job, m_trimResult);
        return;
    }
    Job withCoefficients = job;
    if (!withCoefficients.Saved) withCoefficients.Saved = m_base.Saved;
    m_trimResult =
        balance4::job::Trim(withCoefficients, m_trim->run0(QString::fromStdString(job.Separator)));
    m_trim->showResult(job, m_trimResult);
}

void JobWindow::recordTrim() {
    if (m_trimResult.Result != Outcome::Calculated) return;
    const Job job = currentJob();
    balance4::job::TrimRecord record;
    record.Date =
        QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy hh:mm")).toStdString();
    record.Readings = m_trim->run0(QString::fromStdString(job.Separator));
    for (const balance4::job::PlaneResult& plane : m_trimResult.Planes)
        record.Correction.push_back({plane.Mass, plane.AngleFromZero});
    m_base.TrimHistory.push_back(record);
    m_trim->load(currentJob());
    edited();
}

void JobWindow::updateTitle() {
    const QString name = m_path.isEmpty() ? tr("Новая работа") : QFileInfo(m_path).fileName();
    setWindowTitle(tr("%1[*] — Балансировка: работа").arg(name));
    setWindowModified(m_modified);
}

bool JobWindow::maybeSave() {
    if (!m_modified) return true;
    QMessageBox question(QMessageBox::Warning, windowTitle(),
                         tr("Работа изменена. Сохранить изменения?"), QMessageBox::NoButton, this);
    question.setObjectName(QStringLiteral("UnsavedQuestion"));
    question.setTextFormat(Qt::PlainText);
    QPushButton* saveButton = question.addButton(tr("Сохранить"), QMessageBox::AcceptRole);
    QPushButton* discard = question.addButton(tr("Не сохранять"), QMessageBox::DestructiveRole);
    QPushButton* cancel = question.addButton(tr("Отмена"), QMessageBox::RejectRole);
    question.setDefaultButton(saveButton);
    question.setEscapeButton(cancel);
    question.exec();
    if (question.clickedButton() == saveButton) return save();
    if (question.clickedButton() == discard) {
        m_recovery->remove();
        return true;
    }
    return false;
}

void JobWindow::closeEvent(QCloseEvent* event) {
    if (!maybeSave()) {
        event->ignore();
        return;
    }
    saveSettings();
    m_recovery->remove();
    event->accept();
}

void JobWindow::changeEvent(QEvent* event) {
    // The locale's decimal symbol may have changed: calculate and write every number again.
    if (event->type() == QEvent::LocaleChange && !m_loading) requestCalculation();
    QMainWindow::changeEvent(event);
}

void JobWindow::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.first().isLocalFile()) event->acceptProposedAction();
}

void JobWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile()) return;
    event->acceptProposedAction();
    const QString path = urls.first().toLocalFile();
    // The drag's source waits for the drop to end: ask and open after it.
    QMetaObject::invokeMethod(
        this, [this, path] { openFileAfterAsking(path); }, Qt::QueuedConnection);
}

void JobWindow::openManual() {
    if (!m_manual) return;
    QPointer<JobWindow> self(this);
    m_manual->open(QString::fromLatin1(kManualFileName), [self](bool opened) {
        if (!opened && self) self->showMessage(tr("Запрашиваемый документ не найден"));
    });
}

void JobWindow::writeReport() {
    if (m_result.Result != Outcome::Calculated) {
        showMessage(tr("Отчёт пишется по рассчитанной работе: сначала введите все показания."));
        return;
    }
    QString path = QFileDialog::getSaveFileName(
        this, tr("Отчёт PDF"),
        m_path.isEmpty() ? QString()
                         : QFileInfo(m_path).completeBaseName() + QStringLiteral(".pdf"),
        tr("PDF (*.pdf)"));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
    QString error;
    if (!balance4::jobwindow::WriteReportPdf(m_calculatedJob, m_result, path, error)) {
        showMessage(tr("Отчёт не записан: %1").arg(error));
        return;
    }
    statusBar()->showMessage(tr("Отчёт записан: %1").arg(path), 5000);
}

void JobWindow::printReport() {
    if (m_result.Result != Outcome::Calculated) {
        showMessage(tr("Печатается рассчитанная работа: сначала введите все показания."));
        return;
    }
    balance4::jobwindow::PrintReport(m_calculatedJob, m_result, this);
}

void JobWindow::showMessage(const QString& text) {
    QMessageBox box(QMessageBox::Warning, windowTitle(), text, QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("JobMessage"));
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
