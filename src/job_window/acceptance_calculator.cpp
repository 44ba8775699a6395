#include "acceptance_calculator.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>
#include <exception>

#include "job_calculator.h"

using balance4::job::Job;
using balance4::jobwindow::AcceptanceFigures;

AcceptanceCalculator::AcceptanceCalculator(QObject* parent) : QObject(parent) {}

AcceptanceCalculator::~AcceptanceCalculator() = default;

AcceptanceFigures AcceptanceCalculator::Find(const Request& request) {
    try {
        return balance4::jobwindow::MakeAcceptanceFigures(request.Job, request.Result,
                                                          request.Trim ? &*request.Trim : nullptr);
    } catch (const std::exception&) {
        return {};
    }
}

void AcceptanceCalculator::request(Request request) {
    const quint64 generation = ++m_generation;
    if (!m_asynchronous) {
        emit found(request.Job, Find(request));
        return;
    }
    if (m_running) {
        m_waiting.emplace(std::move(request), generation);
        return;
    }
    start(std::move(request), generation);
}

void AcceptanceCalculator::start(Request request, quint64 generation) {
    m_running = true;
    QPointer<AcceptanceCalculator> self(this);
    CalculationWorker().start([self, request = std::move(request), generation] {
        AcceptanceFigures figures = Find(request);
        // Delivered on the application's thread, where the guard may be looked at safely.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, job = request.Job, generation, figures = std::move(figures)] {
                if (self) self->finished(job, figures, generation);
            },
            Qt::QueuedConnection);
    });
}

void AcceptanceCalculator::finished(const Job& job, const AcceptanceFigures& figures,
                                    quint64 generation) {
    m_running = false;
    if (m_waiting) {
        auto [next, nextGeneration] = std::move(*m_waiting);
        m_waiting.reset();
        start(std::move(next), nextGeneration);
        return;
    }
    // A request answered at once since then has made these figures stale.
    if (generation == m_generation) emit found(job, figures);
}
