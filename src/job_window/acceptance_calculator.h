#pragma once
// Finds the «Приёмка» figures off the window's thread, on the worker the job's calculations take
// turns on: for a job with recorded control runs they calculate the last run's trim with its
// spread and the refined coefficients, too much to do on the window's thread for every key. The
// latest request wins: one made while one is running replaces any still waiting, and a result
// that a newer request has overtaken is dropped.
#include <QObject>
#include <optional>

#include "job/job.h"
#include "job/job_result.h"
#include "report/acceptance_figures.h"

class AcceptanceCalculator : public QObject {
    Q_OBJECT
  public:
    // What the figures are found from: the job calculated, its result, and a control run
    // calculated from job.ControlRun and not yet recorded.
    struct Request {
        balance4::job::Job Job;
        balance4::job::JobResult Result;
        std::optional<balance4::job::JobResult> Trim;
    };

    explicit AcceptanceCalculator(QObject* parent = nullptr);
    ~AcceptanceCalculator() override;

    // false: found at once, before `request` returns (command line, tests).
    void setAsynchronous(bool asynchronous) { m_asynchronous = asynchronous; }
    void request(Request request);

    // The work itself, shielded: an exception gives figures with no verdict.
    static balance4::jobwindow::AcceptanceFigures Find(const Request& request);

  signals:
    void found(const balance4::job::Job& job,
               const balance4::jobwindow::AcceptanceFigures& figures);

  private:
    void start(Request request, quint64 generation);
    void finished(const balance4::job::Job& job,
                  const balance4::jobwindow::AcceptanceFigures& figures, quint64 generation);

    bool m_asynchronous = true;
    bool m_running = false;
    quint64 m_generation = 0;  // of the latest request; only its figures are told
    std::optional<std::pair<Request, quint64>> m_waiting;
};
