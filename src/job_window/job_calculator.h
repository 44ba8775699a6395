#pragma once
// Calculates jobs off the window's thread, so that typing never waits for the spread: a job's
// calculation or its control run, whichever `work` is. The latest request wins: a request made
// while one is running replaces any request still waiting and asks a search the running one makes
// (the box of weights) to stop; a result that a newer request has overtaken is dropped.
#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

#include "job/job.h"
#include "job/job_result.h"

class QThreadPool;

// The one worker thread every calculation of the window takes turns on, so that they never take
// the core the window's own thread needs to repaint. It lives as long as the program.
QThreadPool& CalculationWorker();

class JobCalculator : public QObject {
    Q_OBJECT
  public:
    using Work = std::function<balance4::job::JobResult(const balance4::job::Job&)>;

    explicit JobCalculator(Work work, QObject* parent = nullptr);
    ~JobCalculator() override;

    // false: requests are calculated at once, before `request` returns (command line, tests).
    void setAsynchronous(bool asynchronous) { m_asynchronous = asynchronous; }

    void request(const balance4::job::Job& job);
    bool busy() const { return m_running; }

    // The work itself, shielded: an exception becomes a result without a solution.
    static balance4::job::JobResult RunSafely(const Work& work, const balance4::job::Job& job);

  signals:
    void calculated(const balance4::job::Job& job, const balance4::job::JobResult& result);

  private:
    void start(const balance4::job::Job& job, quint64 generation);
    void finished(const balance4::job::Job& job, const balance4::job::JobResult& result,
                  quint64 generation);

    Work m_work;
    bool m_asynchronous = true;
    bool m_running = false;
    quint64 m_generation = 0;  // of the latest request; only its result is told
    std::optional<std::pair<balance4::job::Job, quint64>> m_waiting;
    std::shared_ptr<std::atomic<bool>> m_stop;  // the running calculation's
};
