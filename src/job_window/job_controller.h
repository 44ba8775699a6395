#pragma once
// What the job window's commands do with the document, files and the user: new, open, save with
// the unsaved-changes question, the recovery offer after a crash, the recent files, the report
// and the manual, and F9's "where is the first thing to fix". Questions and messages are modal
// boxes over the window.
#include <QObject>
#include <QString>

class JobDocument;
class ManualOpener;
struct ManualOpening;
class QMenu;
class QWidget;
class SheetView;

class JobController : public QObject {
    Q_OBJECT
  public:
    JobController(JobDocument* document, QWidget* window, ManualOpener* manual);

    void newJob();
    void exampleJob();
    void openAsked();
    // Opens a job file; a file that cannot be read gives a message and changes nothing.
    bool openFile(const QString& path);
    // The same after asking what to do with unsaved changes; false when the user cancels.
    bool openFileAfterAsking(const QString& path);
    bool save();
    bool saveAs();
    bool saveTo(const QString& path);
    // Asks whether to save unsaved changes; false when the user cancels.
    bool maybeSave();
    // Offers back the job of a window that ended without closing, if there is one.
    void offerRecovery();
    void writeReport();
    void printReport();
    // F1: the manual at the job window's chapter where the opener can, else at page 1 with the
    // chapter's page in the status bar; a manual that cannot be shown is told in a message.
    void openManual();
    static QString ManualNotOpenedText();
    void fillRecentMenu(QMenu* menu);
    // F9: moves to the first refused or empty reading and says why; else the first set-up problem.
    void showFirstProblem(SheetView* readings);

  signals:
    // A line for the status bar; `timeout` 0: until replaced.
    void status(const QString& text, int timeout);
    void recentChanged();

  private:
    void showMessage(const QString& text);
    void tellManualOpening(const ManualOpening& opening);
    void remember(const QString& path);

    JobDocument* m_document;
    QWidget* m_window;
    ManualOpener* m_manual;
};
