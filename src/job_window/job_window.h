#pragma once
// The job window: menus and layout over the job document. The document holds the job and its
// undo stack, the controller does what the commands ask, the panels and tables show the document;
// the window itself only arranges them.
#include <QMainWindow>

class JobController;
class JobDocument;
class ManualOpener;
class OptimisedView;
class PicturesArea;
class QLabel;
class QMenu;
class QSplitter;
class QTabWidget;
class ResultsView;
class SetupPanel;
class SheetView;
class TrimPanel;

class JobWindow : public QMainWindow {
    Q_OBJECT
  public:
    // `recoveryFolder` empty: the program's data folder.
    explicit JobWindow(ManualOpener* manual, const QString& recoveryFolder = QString(),
                       QWidget* parent = nullptr);
    ~JobWindow() override;

    JobDocument* document() const { return m_document; }
    JobController* controller() const { return m_controller; }
    SetupPanel* setupPanel() const { return m_setup; }
    SheetView* readingsTable() const { return m_readings; }
    ResultsView* resultsView() const { return m_results; }
    TrimPanel* trimPanel() const { return m_trim; }

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
    void showResult();
    void updateTitle();

    JobDocument* m_document;
    JobController* m_controller;
    SetupPanel* m_setup = nullptr;
    SheetView* m_readings = nullptr;
    ResultsView* m_results = nullptr;
    TrimPanel* m_trim = nullptr;
    PicturesArea* m_pictures = nullptr;
    OptimisedView* m_optimised = nullptr;
    QTabWidget* m_tabs = nullptr;
    QSplitter* m_sideSplitter = nullptr;
    QSplitter* m_mainSplitter = nullptr;
    QLabel* m_readiness = nullptr;
    QMenu* m_recentMenu = nullptr;
};
