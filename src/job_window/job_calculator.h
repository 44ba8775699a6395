#pragma once
// Calculates jobs off the window's thread, so that typing never waits for the spread. The latest
// request wins: a request made while one is running replaces any request still waiting, and a
// result that a newer request has overtaken is dropped.
#include <QObject>
#include <optional>

#include "job.h"
#include "job_result.h"

class JobCalculator : public QObject {
    Q_OBJECT
  public:
    explicit JobCalculator(QObject* parent = nullptr);
    ~JobCalculator() override;

    // false: requests are calculated at once, before `request` returns (command line, tests).
    void setAsynchronous(bool asynchronous) { m_asynchronous = asynchronous; }

    void request(const balance4::job::Job& job);
    bool busy() const { return m_running; }

    // The calculation itself, shielded: an exception becomes a result without a solution.
    static balance4::job::JobResult CalculateSafely(const balance4::job::Job& job);

  signals:
    void calculated(const balance4::job::Job& job, const balance4::job::JobResult& result);

  private:
    void start(const balance4::job::Job& job, quint64 generation);
    void finished(const balance4::job::Job& job, const balance4::job::JobResult& result,
                  quint64 generation);

    bool m_asynchronous = true;
    bool m_running = false;
    quint64 m_generation = 0;  // of the latest request; only its result is told
    std::optional<std::pair<balance4::job::Job, quint64>> m_waiting;
};
