#include "job_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QScrollArea>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QUndoStack>

#include "acceptance_view.h"
#include "job_controller.h"
#include "job_document.h"
#include "job_table_model.h"
#include "optimised_view.h"
#include "pictures_area.h"
#include "readiness.h"
#include "recovery_file.h"
#include "repeat_actions.h"
#include "results_view.h"
#include "setup_panel.h"
#include "sheet_view.h"
#include "speed_readings.h"
#include "trim_panel.h"

JobWindow::JobWindow(ManualOpener* manual, const QString& recoveryFolder, QWidget* parent)
    : QMainWindow(parent),
      m_document(new JobDocument(recoveryFolder, this)),
      m_controller(new JobController(m_document, this, manual)) {
    setObjectName(QStringLiteral("JobWindow"));
    setAcceptDrops(true);
    createWidgets();
    createActions();
    createConnections();
    restoreSettings();
    m_document->startNew(4, 4);
}

JobWindow::~JobWindow() {
    // An open cell editor commits its text as the window goes: the tables go first, while the
    // document they report to still exists.
    delete takeCentralWidget();
}

void JobWindow::createWidgets() {
    m_setup = new SetupPanel(m_document);
    auto* setupScroll = new QScrollArea;
    setupScroll->setObjectName(QStringLiteral("SetupScroll"));
    setupScroll->setAccessibleName(tr("Настройка работы"));
    setupScroll->setWidget(m_setup);
    setupScroll->setWidgetResizable(true);
    setupScroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setupScroll->setMinimumWidth(330);

    m_readings = new SheetView;
    m_readings->setObjectName(QStringLiteral("Readings"));
    m_readings->setAccessibleName(tr("Показания"));
    m_readings->setJobModel(new JobTableModel(m_document, JobTable::Readings, m_readings));
    m_results = new ResultsView;
    m_trim = new TrimPanel(m_document);
    m_pictures = new PicturesArea;
    m_tabs = new QTabWidget;
    m_tabs->setObjectName(QStringLiteral("ResultTabs"));
    m_tabs->setAccessibleName(tr("Результаты, рисунки и контрольный пуск"));
    m_tabs->addTab(m_results, tr("Результаты"));
    m_tabs->addTab(m_pictures, tr("Рисунки"));
    m_tabs->addTab(m_trim, tr("Контрольный пуск"));
    m_optimised = new OptimisedView;
    m_tabs->addTab(m_optimised, tr("Оптимизация"));
    m_tabs->addTab(new AcceptanceView(m_document), tr("Приёмка"));

    m_sideSplitter = new QSplitter(Qt::Vertical);
    m_sideSplitter->setObjectName(QStringLiteral("ReadingsSplitter"));
    m_sideSplitter->addWidget(new SpeedReadingsArea(m_document, m_readings));
    m_sideSplitter->addWidget(m_tabs);
    m_sideSplitter->setStretchFactor(0, 2);
    m_sideSplitter->setStretchFactor(1, 3);
    m_sideSplitter->setSizes({290, 430});
    m_mainSplitter = new QSplitter(Qt::Horizontal);
    m_mainSplitter->setObjectName(QStringLiteral("MainSplitter"));
    m_mainSplitter->addWidget(setupScroll);
    m_mainSplitter->addWidget(m_sideSplitter);
    m_mainSplitter->setStretchFactor(1, 1);
    m_mainSplitter->setSizes({440, 926});
    setCentralWidget(m_mainSplitter);

    m_readiness = new QLabel;
    m_readiness->setObjectName(QStringLiteral("Readiness"));
    m_readiness->setTextFormat(Qt::PlainText);
    statusBar()->addPermanentWidget(m_readiness);
    resize(1280, 720);
}

void JobWindow::createActions() {
    QMenu* file = menuBar()->addMenu(tr("&Файл"));
    file->addAction(tr("&Новая работа"), QKeySequence::New, this, [this] {
        m_controller->newJob();
        m_readings->setCurrentIndex(m_readings->model()->index(0, 0));
        m_readings->setFocus();
    });
    file->addAction(tr("&Открыть…"), QKeySequence::Open, m_controller, &JobController::openAsked);
    m_recentMenu = file->addMenu(tr("Последние файлы"));
    file->addAction(tr("&Сохранить"), QKeySequence::Save, m_controller, &JobController::save);
    file->addAction(tr("Сохранить &как…"), QKeySequence(tr("Ctrl+Shift+S")), m_controller,
                    &JobController::saveAs);
    file->addSeparator();
    file->addAction(tr("Отчёт &PDF…"), m_controller, &JobController::writeReport);
    file->addAction(tr("&Печать…"), QKeySequence::Print, m_controller, &JobController::printReport);
    file->addSeparator();
    file->addAction(tr("В&ыход"), QKeySequence(tr("Ctrl+Q")), this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu(tr("&Правка"));
    QAction* undo = m_document->undoStack()->createUndoAction(this, tr("Отменить"));
    undo->setShortcuts(QKeySequence::Undo);
    QAction* redo = m_document->undoStack()->createRedoAction(this, tr("Повторить"));
    redo->setShortcuts({QKeySequence(tr("Ctrl+Y")), QKeySequence(tr("Ctrl+Shift+Z"))});
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator();
    edit->addAction(tr("Очистить &показания"), m_document, &JobDocument::clearReadings);
    edit->addSeparator();
    (new RepeatActions(m_document, m_readings))->addTo(edit);

    QMenu* calculation = menuBar()->addMenu(tr("&Расчёт"));
    calculation->addAction(tr("&Рассчитать"), QKeySequence(Qt::Key_F9), this,
                           [this] { m_controller->showFirstProblem(m_readings); });
    calculation->addAction(tr("&Пример из калькулятора (поправки в %)"), m_controller,
                           &JobController::exampleJob);

    QMenu* help = menuBar()->addMenu(tr("&Справка"));
    help->addAction(tr("&Руководство"), QKeySequence(Qt::Key_F1), m_controller,
                    &JobController::openManual);
    m_controller->fillRecentMenu(m_recentMenu);
}

void JobWindow::createConnections() {
    connect(m_document, &JobDocument::resultChanged, this, &JobWindow::showResult);
    connect(m_document, &JobDocument::modifiedChanged, this, &JobWindow::updateTitle);
    connect(m_document, &JobDocument::pathChanged, this, &JobWindow::updateTitle);
    connect(m_controller, &JobController::status, statusBar(), &QStatusBar::showMessage);
    connect(m_controller, &JobController::recentChanged, this,
            [this] { m_controller->fillRecentMenu(m_recentMenu); });
    for (SheetView* view :
         {m_readings, m_setup->planeTable(), m_trim->runTable(), m_trim->installedTable()}) {
        connect(view, &SheetView::currentRefusal, this, [this](const QString& message) {
            if (message.isEmpty())
                statusBar()->clearMessage();
            else
                statusBar()->showMessage(message);
        });
    }
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

void JobWindow::showResult() {
    const Readiness readiness = ReadinessOf(*m_document, *m_readings->model());
    if (readiness.Waiting)
        m_results->showWaiting(readiness.Text + QStringLiteral("."));
    else
        m_results->show(m_document->calculatedJob(), m_document->result());
    m_pictures->show(m_document->calculatedJob(), m_document->result());
    m_optimised->showResult(m_document->calculatedJob(), m_document->result());
    m_tabs->setTabVisible(m_tabs->indexOf(m_optimised), m_optimised->hasAnswer());
    m_readiness->setText(readiness.Text);
    emit resultsShown();
}

void JobWindow::updateTitle() {
    const QString path = m_document->path();
    const QString name = path.isEmpty() ? tr("Новая работа") : QFileInfo(path).fileName();
    setWindowTitle(tr("%1[*] — Балансировка: работа").arg(name));
    setWindowModified(m_document->isModified());
}

void JobWindow::closeEvent(QCloseEvent* event) {
    if (!m_controller->maybeSave()) {
        event->ignore();
        return;
    }
    saveSettings();
    m_document->recovery()->remove();
    event->accept();
}

void JobWindow::changeEvent(QEvent* event) {
    // The locale's decimal symbol may have changed: calculate and write every number again.
    if (event->type() == QEvent::LocaleChange) m_document->recalculate();
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
        this, [this, path] { m_controller->openFileAfterAsking(path); }, Qt::QueuedConnection);
}
