#include "job_calculator.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>
#include <exception>

#include "calculate.h"

using balance4::job::Job;
using balance4::job::JobResult;

JobCalculator::JobCalculator(QObject* parent) : QObject(parent) {}

JobCalculator::~JobCalculator() = default;

JobResult JobCalculator::CalculateSafely(const Job& job) {
    try {
        return balance4::job::Calculate(job);
    } catch (const std::exception& error) {
        JobResult result;
        result.Result = balance4::job::Outcome::NoSolution;
        result.Message = std::string("ошибка расчёта: ") + error.what();
        return result;
    }
}

void JobCalculator::request(const Job& job) {
    if (!m_asynchronous) {
        emit calculated(job, CalculateSafely(job));
        return;
    }
    if (m_running) {
        m_waiting = job;
        return;
    }
    start(job);
}

void JobCalculator::start(const Job& job) {
    m_running = true;
    QPointer<JobCalculator> self(this);
    QThreadPool::globalInstance()->start([self, job] {
        JobResult result = CalculateSafely(job);
        // Delivered on the application's thread, where the guard may be looked at safely.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, job, result = std::move(result)] {
                if (self) self->finished(job, result);
            },
            Qt::QueuedConnection);
    });
}

void JobCalculator::finished(const Job& job, const JobResult& result) {
    m_running = false;
    if (m_waiting) {
        const Job next = std::move(*m_waiting);
        m_waiting.reset();
        start(next);
        return;
    }
    emit calculated(job, result);
}
