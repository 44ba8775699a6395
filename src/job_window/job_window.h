#pragma once
// The job window: a whole balancing job from set-up and readings to corrections, trust, trim runs,
// files and the report. It gathers what is typed into a job, has the job library calculate it and
// shows what comes back; it calculates nothing itself.
#include <QMainWindow>
#include <memory>

#include "job.h"
#include "job_result.h"

class JobCalculator;
class ManualOpener;
class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QTabWidget;
class PicturesArea;
class ReadingsTable;
class RecoveryFile;
class ResultsView;
class SetupPanel;
class TrimPanel;

class JobWindow : public QMainWindow {
    Q_OBJECT
  public:
    // `recoveryFolder` empty: the program's data folder.
    explicit JobWindow(ManualOpener* manual, const QString& recoveryFolder = QString(),
                       QWidget* parent = nullptr);
    ~JobWindow() override;

    // Opens a job file; a file that cannot be read gives a message and changes nothing.
    bool openFile(const QString& path);
    // The same after asking what to do with unsaved changes; false when the user cancels.
    bool openFileAfterAsking(const QString& path);
    // Shows a job (no file behind it when `path` is empty) as unchanged.
    void loadJob(const balance4::job::Job& job, const QString& path);
    // Offers back the job of a window that ended without closing, if there is one.
    void offerRecovery();

    // What is typed, as a job.
    balance4::job::Job currentJob() const;
    const balance4::job::JobResult& lastResult() const { return m_result; }
    const balance4::job::Job& lastCalculatedJob() const { return m_calculatedJob; }
    QString filePath() const { return m_path; }
    bool isModified() const { return m_modified; }

    bool saveTo(const QString& path);
    bool save();
    bool saveAs();
    // Calculates now (F9); with a reading missing or bad, moves to it and says why.
    void calculateNow();

    JobCalculator* calculator() const { return m_calculator; }
    SetupPanel* setupPanel() const { return m_setup; }
    ReadingsTable* readingsTable() const { return m_readings; }
    ResultsView* resultsView() const { return m_results; }
    TrimPanel* trimPanel() const { return m_trim; }
    RecoveryFile* recovery() const { return m_recovery.get(); }

  signals:
    // A calculation's results (or why there are none) are on screen.
    void resultsShown();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void createWidgets();
    void createActions();
    void createConnections();
    void restoreSettings();
    void saveSettings() const;

    void newJob();
    void openAsked();
    void openManual();
    void writeReport();
    void printReport();
    void rebuildRecentMenu();
    void reshapeTables();
    void showTables(const balance4::job::Job& job);
    QStringList runTitles(const balance4::job::Job& job) const;
    int firstRunRow() const;

    void edited();
    void requestCalculation();
    void calculated(const balance4::job::Job& job, const balance4::job::JobResult& result);
    void markFailures(const balance4::job::JobResult& result);
    void updateReadiness();
    void updateTrim(const balance4::job::Job& job);
    void recordTrim();
    void updateTitle();
    // Asks whether to save unsaved changes; false when the user cancels.
    bool maybeSave();
    void showMessage(const QString& text);

    ManualOpener* m_manual;
    JobCalculator* m_calculator = nullptr;
    std::unique_ptr<RecoveryFile> m_recovery;

    SetupPanel* m_setup = nullptr;
    ReadingsTable* m_readings = nullptr;
    ResultsView* m_results = nullptr;
    TrimPanel* m_trim = nullptr;
    PicturesArea* m_pictures = nullptr;
    QTabWidget* m_tabs = nullptr;
    QSplitter* m_sideSplitter = nullptr;
    QSplitter* m_mainSplitter = nullptr;
    QLabel* m_readiness = nullptr;
    QMenu* m_recentMenu = nullptr;

    // What the window does not show in fields: coefficients, history, the file's extras.
    balance4::job::Job m_base;
    balance4::job::Job m_calculatedJob;
    balance4::job::JobResult m_result;
    balance4::job::JobResult m_trimResult;
    QHash<quint64, QString> m_cellFailures;  // table row << 32 | column → the library's reason
    QString m_path;
    bool m_modified = false;
    bool m_loading = false;
    bool m_tableHasSlowRoll = false;  // the readings table's first row is the slow roll
};
