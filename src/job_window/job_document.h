#pragma once
// The job being edited, under the window: the job itself (readings, set-up, the control run and
// what is on the rotor), its file, the results of its calculation and control run, and an undo
// stack whose clean state is "saved". Every edit is one undo step holding the whole job before
// and after, so undoing a change of shape brings back what the smaller shape dropped. Texts that
// cannot be read as the number a set-up cell needs are kept beside the job, shown and refused,
// until they are typed again.
#include <QMap>
#include <QObject>
#include <QString>
#include <functional>

#include "job/job.h"
#include "job/job_result.h"
#include "report/acceptance_figures.h"
#include "table_cells.h"

class AcceptanceCalculator;
class JobCalculator;
class QTimer;
class QUndoStack;
class RecoveryFile;

class JobDocument : public QObject {
    Q_OBJECT
  public:
    // A set-up text that could not be read, with the reason.
    struct PendingText {
        QString Text;
        QString Reason;
        bool operator==(const PendingText&) const = default;
    };
    struct CellKey {
        JobTable Table;
        int Row;
        int Column;
        auto operator<=>(const CellKey&) const = default;
    };
    // One cell's new text, for edits of several cells at once.
    struct CellEdit {
        int Row;
        int Column;
        QString Text;
    };
    struct State {
        balance4::job::Job Job;
        QMap<CellKey, PendingText> Pending;
        bool operator==(const State&) const = default;
    };

    // `recoveryFolder` empty: the program's data folder.
    explicit JobDocument(const QString& recoveryFolder = QString(), QObject* parent = nullptr);
    ~JobDocument() override;

    const balance4::job::Job& job() const { return m_state.Job; }
    const State& state() const { return m_state; }
    QString path() const { return m_path; }
    bool isModified() const;
    QUndoStack* undoStack() const { return m_undo; }
    RecoveryFile* recovery() const { return m_recovery.get(); }

    // The job as a new document: no edits to undo, unmodified unless `modified` (a job brought
    // back after a crash).
    void load(const balance4::job::Job& job, const QString& path, bool modified = false);
    // A job of the given shape, dated today, with nothing typed.
    void startNew(int planes, int points);
    bool open(const QString& path, QString& error);
    bool saveTo(const QString& path, QString& error);

    // Edits, each one undo step named `what`. Consecutive edits with the same `mergeKey` (> 0)
    // are one step, as typing into one field is.
    void edit(const QString& what, const std::function<void(balance4::job::Job&)>& change,
              int mergeKey = 0);
    void setCells(JobTable table, const QList<CellEdit>& cells, const QString& what,
                  int mergeKey = 0);
    void clearReadings();
    // The calculated control run's correction was fitted: the run goes into the history and the
    // weights now on the rotor are kept.
    bool recordControlRun();
    // The calculated corrections are on the rotor.
    void installCorrections();

    // A cell's text as shown, and why it is refused (empty when it is not).
    QString cellText(JobTable table, int row, int column) const;
    QString refusal(JobTable table, int row, int column) const;

    // The latest calculation (of `calculatedJob`) and control run.
    const balance4::job::JobResult& result() const { return m_result; }
    const balance4::job::Job& calculatedJob() const { return m_calculatedJob; }
    const balance4::job::JobResult& trimResult() const { return m_trimResult; }
    // Calculations run on a worker thread; false: at once, before an edit returns (tests).
    void setAsynchronous(bool asynchronous);
    void recalculate();

    // The «Приёмка» figures of the latest calculation and control run, and the job they are of.
    // They are found on the worker too, and only while wanted (the tab is in sight).
    const balance4::jobwindow::AcceptanceFigures& acceptance() const { return m_acceptance; }
    const balance4::job::Job& acceptanceJob() const { return m_acceptanceJob; }
    void setAcceptanceWanted(bool wanted);

  signals:
    // The job changed (an edit, undo, redo, load); `reshaped`: tables changed rows or columns.
    void changed(bool reshaped);
    void resultChanged();
    void trimChanged();
    void acceptanceChanged();
    void modifiedChanged(bool modified);
    void pathChanged(const QString& path);

  private:
    friend class StateCommand;
    void setState(const State& state);
    void push(const QString& what, State after, int mergeKey);
    void calculated(const balance4::job::Job& job, const balance4::job::JobResult& result);
    void trimmed(const balance4::job::Job& job, const balance4::job::JobResult& result);
    void requestTrim();
    void requestAcceptance();
    void findAcceptance();
    QString separator() const;

    State m_state;
    QString m_path;
    bool m_restored = false;  // brought back after a crash: modified though nothing was undone
    QUndoStack* m_undo;
    std::unique_ptr<RecoveryFile> m_recovery;
    JobCalculator* m_calculator;
    JobCalculator* m_trimmer;
    QTimer* m_trimDelay;  // the control run waits for a pause in the typing
    bool m_asynchronous = true;
    balance4::job::Job m_calculatedJob;
    balance4::job::JobResult m_result;
    balance4::job::Job m_trimmedJob;
    balance4::job::JobResult m_trimResult;
    AcceptanceCalculator* m_acceptanceFinder;
    QTimer* m_acceptanceDelay;  // a result and its control run told together ask once
    bool m_acceptanceWanted = false;
    bool m_acceptanceStale = true;  // asked for while not wanted
    balance4::job::Job m_acceptanceJob;
    balance4::jobwindow::AcceptanceFigures m_acceptance;
};
