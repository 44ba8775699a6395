#include "job_calculator.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>
#include <exception>

#include "job/search_stop.h"

using balance4::job::Job;
using balance4::job::JobResult;

JobCalculator::JobCalculator(Work work, QObject* parent)
    : QObject(parent), m_work(std::move(work)) {}

JobCalculator::~JobCalculator() = default;

JobResult JobCalculator::RunSafely(const Work& work, const Job& job) {
    try {
        return work(job);
    } catch (const std::exception& error) {
        JobResult result;
        result.Result = balance4::job::Outcome::NoSolution;
        result.Message = std::string("ошибка расчёта: ") + error.what();
        return result;
    }
}

void JobCalculator::request(const Job& job) {
    const quint64 generation = ++m_generation;
    if (!m_asynchronous) {
        emit calculated(job, RunSafely(m_work, job));
        return;
    }
    if (m_running) {
        m_waiting.emplace(job, generation);
        // A search still running (the box of weights) gives up what it has: its result is stale.
        m_stop->store(true);
        return;
    }
    start(job, generation);
}

QThreadPool& CalculationWorker() {
    static QThreadPool* pool = [] {
        auto* made = new QThreadPool;
        made->setMaxThreadCount(1);
        return made;
    }();
    return *pool;
}

void JobCalculator::start(const Job& job, quint64 generation) {
    m_running = true;
    m_stop = std::make_shared<std::atomic<bool>>(false);
    QPointer<JobCalculator> self(this);
    CalculationWorker().start([self, work = m_work, job, generation, stop = m_stop] {
        const balance4::job::StopScope scope(*stop);
        JobResult result = RunSafely(work, job);
        // Delivered on the application's thread, where the guard may be looked at safely.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, job, generation, result = std::move(result)] {
                if (self) self->finished(job, result, generation);
            },
            Qt::QueuedConnection);
    });
}

void JobCalculator::finished(const Job& job, const JobResult& result, quint64 generation) {
    m_running = false;
    if (m_waiting) {
        const auto [next, nextGeneration] = std::move(*m_waiting);
        m_waiting.reset();
        start(next, nextGeneration);
        return;
    }
    // A request answered at once since then has made this result stale.
    if (generation == m_generation) emit calculated(job, result);
}
