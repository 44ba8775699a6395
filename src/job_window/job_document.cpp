#include "job_document.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <QUndoStack>

#include "acceptance_calculator.h"
#include "job/calculate.h"
#include "job/job_file.h"
#include "job_calculator.h"
#include "number_texts.h"
#include "optimisation_cells.h"
#include "recovery_file.h"

using balance4::job::Cell;
using balance4::job::CellFailure;
using balance4::job::Job;
using balance4::job::JobResult;
using balance4::job::Outcome;

// One edit: the document before and after it.
class StateCommand : public QUndoCommand {
  public:
    StateCommand(JobDocument* document, const QString& what, JobDocument::State before,
                 JobDocument::State after, int mergeKey)
        : QUndoCommand(what),
          m_document(document),
          m_before(std::move(before)),
          m_after(std::move(after)),
          m_mergeKey(mergeKey > 0 ? mergeKey : -1) {}

    int id() const override { return m_mergeKey; }
    bool mergeWith(const QUndoCommand* other) override {
        m_after = static_cast<const StateCommand*>(other)->m_after;
        return true;
    }
    void undo() override { m_document->setState(m_before); }
    void redo() override { m_document->setState(m_after); }

  private:
    JobDocument* m_document;
    JobDocument::State m_before;
    JobDocument::State m_after;
    int m_mergeKey;
};

namespace {

std::vector<int> RepeatedRuns(const Job& job) {
    std::vector<int> runs;
    for (const balance4::job::RepeatRun& repeat : job.Repeats) runs.push_back(repeat.Run);
    return runs;
}

// The shape and the headings the tables show: when one of these changes, the tables are rebuilt.
bool SameTables(const Job& a, const Job& b) {
    return a.Planes() == b.Planes() && a.Points == b.Points &&
           a.SlowRoll.empty() == b.SlowRoll.empty() && a.Trials == b.Trials && a.Unit == b.Unit &&
           a.Convention == b.Convention && a.Angles == b.Angles && a.ReadingUnit == b.ReadingUnit &&
           RepeatedRuns(a) == RepeatedRuns(b);
}

bool Complete(const std::vector<balance4::job::ReadingText>& run) {
    if (run.empty()) return false;
    for (const auto& reading : run) {
        if (QString::fromStdString(reading.Amplitude).trimmed().isEmpty() ||
            QString::fromStdString(reading.Phase).trimmed().isEmpty())
            return false;
    }
    return true;
}

// Whether a failure of the library's is about the given cell of a table.
bool FailureAt(const CellFailure& failure, const Job& job, JobTable table, int row, int column) {
    if (optimisation_cells::Owns(table))
        return optimisation_cells::FailureAt(job, failure, table, row, column);
    switch (table) {
        case JobTable::Readings: {
            const int run = table_cells::RunOfRow(job, row);
            const bool amplitude = column % 2 == 0;
            if (failure.Point != column / 2 || failure.Speed != 0) return false;
            if (const int repeat = table_cells::RepeatOfRow(job, row); repeat >= 0)
                return failure.Run == repeat &&
                       failure.Kind == (amplitude ? Cell::RepeatAmplitude : Cell::RepeatPhase);
            if (run < 0)
                return failure.Kind == (amplitude ? Cell::SlowRollAmplitude : Cell::SlowRollPhase);
            return failure.Run == run &&
                   failure.Kind == (amplitude ? Cell::Amplitude : Cell::Phase);
        }
        case JobTable::ControlRun:
            return failure.Point == column / 2 &&
                   failure.Kind == (column % 2 == 0 ? Cell::Amplitude : Cell::Phase);
        case JobTable::Planes: {
            static constexpr Cell kKinds[] = {Cell::TrialMass, Cell::TrialAngle, Cell::TrialRadius,
                                              Cell::CorrectionRadius, Cell::Positions};
            return failure.Plane == row && failure.Kind == kKinds[column];
        }
        case JobTable::Installed:
            return failure.Plane == row && failure.Kind == Cell::Installed;
        case JobTable::Tolerance:
            return failure.Kind == Cell::Tolerance;
        default:
            break;
    }
    return false;
}

}  // namespace

JobDocument::JobDocument(const QString& recoveryFolder, QObject* parent)
    : QObject(parent),
      m_undo(new QUndoStack(this)),
      m_recovery(std::make_unique<RecoveryFile>(recoveryFolder)),
      m_calculator(
          new JobCalculator([](const Job& job) { return balance4::job::Calculate(job); }, this)),
      m_trimmer(new JobCalculator(
          [](const Job& job) { return balance4::job::Trim(job, job.ControlRun); }, this)),
      m_trimDelay(new QTimer(this)),
      m_acceptanceFinder(new AcceptanceCalculator(this)),
      m_acceptanceDelay(new QTimer(this)) {
    // While readings are typed each one recalculates the job; the control run, which hangs on
    // the job's coefficients, is redone once the typing pauses, so that it never delays the
    // job's own results.
    m_trimDelay->setSingleShot(true);
    m_trimDelay->setInterval(80);
    connect(m_trimDelay, &QTimer::timeout, this, [this] { m_trimmer->request(m_state.Job); });
    connect(m_undo, &QUndoStack::cleanChanged, this,
            [this] { emit modifiedChanged(isModified()); });
    // The stack's index moves after an edit's redo or undo has run: only then does it say
    // whether the job now differs from its file.
    connect(m_undo, &QUndoStack::indexChanged, this, [this] {
        if (isModified())
            m_recovery->write(m_state.Job, m_path);
        else
            m_recovery->remove();
    });
    connect(m_calculator, &JobCalculator::calculated, this, &JobDocument::calculated);
    connect(m_trimmer, &JobCalculator::calculated, this, &JobDocument::trimmed);
    // The acceptance hangs on both the result and the control run.
    m_acceptanceDelay->setSingleShot(true);
    m_acceptanceDelay->setInterval(0);
    connect(m_acceptanceDelay, &QTimer::timeout, this, &JobDocument::findAcceptance);
    connect(this, &JobDocument::resultChanged, this, &JobDocument::requestAcceptance);
    connect(this, &JobDocument::trimChanged, this, &JobDocument::requestAcceptance);
    connect(m_acceptanceFinder, &AcceptanceCalculator::found, this,
            [this](const Job& job, const balance4::jobwindow::AcceptanceFigures& figures) {
                m_acceptanceJob = job;
                m_acceptance = figures;
                emit acceptanceChanged();
            });
}

JobDocument::~JobDocument() = default;

bool JobDocument::isModified() const {
    return m_restored || !m_undo->isClean();
}

QString JobDocument::separator() const {
    return balance4::jobwindow::LocaleDecimal();
}

void JobDocument::setAsynchronous(bool asynchronous) {
    m_asynchronous = asynchronous;
    m_calculator->setAsynchronous(asynchronous);
    m_trimmer->setAsynchronous(asynchronous);
    m_acceptanceFinder->setAsynchronous(asynchronous);
}

void JobDocument::load(const Job& job, const QString& path, bool modified) {
    m_undo->clear();
    m_state = {job, {}};
    m_path = path;
    m_restored = modified;
    m_calculatedJob = {};
    m_result = {};
    m_trimmedJob = {};
    m_trimResult = {};
    // Another job's figures are not shown while this one's are found.
    m_acceptanceJob = {};
    m_acceptance = {};
    emit acceptanceChanged();
    emit changed(true);
    emit pathChanged(m_path);
    emit modifiedChanged(isModified());
    if (modified)
        m_recovery->write(m_state.Job, m_path);
    else
        m_recovery->remove();
    emit resultChanged();
    emit trimChanged();
    recalculate();
}

void JobDocument::startNew(int planes, int points) {
    Job job = balance4::job::MakeJob(planes, points);
    job.Date = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")).toStdString();
    job.Separator = separator().toStdString();
    load(job, {});
}

bool JobDocument::open(const QString& path, QString& error) {
    std::string message;
    const std::optional<Job> job =
        balance4::job::LoadJobFile(QFile::encodeName(path).toStdString(), message);
    if (!job) {
        error = QString::fromStdString(message);
        return false;
    }
    load(*job, QFileInfo(path).absoluteFilePath());
    return true;
}

bool JobDocument::saveTo(const QString& path, QString& error) {
    std::string message;
    bool saved = false;
    try {
        saved =
            balance4::job::SaveJobFile(QFile::encodeName(path).toStdString(), m_state.Job, message);
    } catch (const std::exception& exception) {
        message = exception.what();
    }
    if (!saved) {
        error = QString::fromStdString(message);
        return false;
    }
    m_path = QFileInfo(path).absoluteFilePath();
    m_restored = false;
    m_undo->setClean();
    m_recovery->remove();
    emit pathChanged(m_path);
    emit modifiedChanged(false);
    return true;
}

void JobDocument::setState(const State& state) {
    const bool reshaped = !SameTables(m_state.Job, state.Job);
    // The coefficients of the latest calculation are the job's, whatever the edit.
    std::optional<balance4::job::Coefficients> saved = m_state.Job.Saved;
    m_state = state;
    if (saved) m_state.Job.Saved = saved;
    emit changed(reshaped);
    recalculate();
}

void JobDocument::push(const QString& what, State after, int mergeKey) {
    if (after == m_state) return;
    m_undo->push(new StateCommand(this, what, m_state, std::move(after), mergeKey));
}

void JobDocument::edit(const QString& what, const std::function<void(Job&)>& change, int mergeKey) {
    State after = m_state;
    change(after.Job);
    push(what, std::move(after), mergeKey);
}

void JobDocument::setCells(JobTable table, const QList<CellEdit>& cells, const QString& what,
                           int mergeKey) {
    State after = m_state;
    for (const CellEdit& cell : cells) {
        QString reason;
        const CellKey key{table, cell.Row, cell.Column};
        if (table_cells::SetText(after.Job, table, cell.Row, cell.Column, cell.Text, reason))
            after.Pending.remove(key);
        else
            after.Pending.insert(key, {cell.Text.trimmed(), reason});
    }
    push(what, std::move(after), mergeKey);
}

void JobDocument::clearReadings() {
    edit(tr("Очистить показания"), [](Job& job) {
        for (auto& run : job.Readings) {
            for (auto& reading : run) reading = {};
        }
        for (auto& reading : job.SlowRoll) reading = {};
        for (auto& repeat : job.Repeats)
            for (auto& reading : repeat.Readings) reading = {};
    });
}

bool JobDocument::recordControlRun() {
    if (m_trimResult.Result != Outcome::Calculated ||
        m_trimmedJob.ControlRun != m_state.Job.ControlRun)
        return false;
    State after = m_state;
    if (!after.Job.Saved) after.Job.Saved = m_trimmedJob.Saved;
    balance4::job::RecordTrim(after.Job, m_trimResult, balance4::job::RecordDate(),
                              balance4::job::TrimFitted::Yes);
    push(tr("Записать контрольный пуск"), std::move(after), 0);
    return true;
}

void JobDocument::installCorrections() {
    if (m_result.Result != Outcome::Calculated) return;
    edit(tr("Установлены рассчитанные"), [this](Job& job) {
        job.Installed.clear();
        for (const balance4::job::PlaneResult& plane : m_result.Planes)
            job.Installed.push_back(balance4::job::PlacedWeights(plane));
        job.Installed.resize(std::size_t(job.Planes()));
    });
}

QString JobDocument::cellText(JobTable table, int row, int column) const {
    const auto pending = m_state.Pending.constFind({table, row, column});
    if (pending != m_state.Pending.constEnd()) return pending->Text;
    return table_cells::Text(m_state.Job, table, row, column, separator());
}

QString JobDocument::refusal(JobTable table, int row, int column) const {
    const auto pending = m_state.Pending.constFind({table, row, column});
    if (pending != m_state.Pending.constEnd()) return pending->Reason;
    const QString text = cellText(table, row, column);
    const bool reading = table == JobTable::Readings || table == JobTable::ControlRun;
    if (reading && text.trimmed().isEmpty()) return {};
    if (reading && !ReadNumberText(text)) return tr("не число");
    // A failure of the latest result counts while its cell still holds what was calculated.
    const bool trim = table == JobTable::ControlRun ||
                      (table == JobTable::Installed && m_result.Result == Outcome::Calculated);
    const Job& calculated = trim ? m_trimmedJob : m_calculatedJob;
    const JobResult& result = trim ? m_trimResult : m_result;
    if (!SameTables(calculated, m_state.Job) ||
        table_cells::Text(calculated, table, row, column, separator()) != text)
        return {};
    for (const CellFailure& failure : result.Failures) {
        if (FailureAt(failure, m_state.Job, table, row, column))
            return QString::fromStdString(failure.Message);
    }
    return {};
}

void JobDocument::recalculate() {
    if (!m_state.Pending.isEmpty()) {
        // The job still holds the last good value of a refused text: nothing is calculated on it.
        const auto first = m_state.Pending.constBegin();
        JobResult refused;
        refused.Failures.push_back({Cell::Shape, -1, -1, -1,
                                    (table_cells::CellName(m_state.Job, first.key().Table,
                                                           first.key().Row, first.key().Column) +
                                     QStringLiteral(": ") + first.value().Reason)
                                        .toStdString()});
        m_calculatedJob = m_state.Job;
        m_result = refused;
        emit resultChanged();
        requestTrim();
        return;
    }
    // The control run follows once the job's coefficients are known.
    m_calculator->request(m_state.Job);
}

void JobDocument::calculated(const Job& job, const JobResult& result) {
    m_calculatedJob = job;
    m_result = result;
    if (result.Result == Outcome::Calculated && result.Saved) m_state.Job.Saved = result.Saved;
    emit resultChanged();
    requestTrim();
}

void JobDocument::requestTrim() {
    if (!Complete(m_state.Job.ControlRun) || !m_state.Job.Saved) {
        m_trimDelay->stop();
        m_trimmedJob = m_state.Job;
        m_trimResult = {};
        emit trimChanged();
        return;
    }
    if (m_asynchronous)
        m_trimDelay->start();
    else
        m_trimmer->request(m_state.Job);
}

void JobDocument::trimmed(const Job& job, const JobResult& result) {
    m_trimmedJob = job;
    m_trimResult = result;
    emit trimChanged();
}

void JobDocument::setAcceptanceWanted(bool wanted) {
    m_acceptanceWanted = wanted;
    if (wanted && m_acceptanceStale) requestAcceptance();
}

void JobDocument::requestAcceptance() {
    m_acceptanceStale = !m_acceptanceWanted;
    if (m_acceptanceStale) return;
    if (m_asynchronous)
        m_acceptanceDelay->start();
    else
        findAcceptance();
}

void JobDocument::findAcceptance() {
    // A control run counts while the one calculated is still the one typed.
    const bool trimmed = m_trimResult.Result == Outcome::Calculated &&
                         !m_calculatedJob.ControlRun.empty() &&
                         m_state.Job.ControlRun == m_calculatedJob.ControlRun;
    m_acceptanceFinder->request({m_calculatedJob, m_result,
                                 trimmed ? std::optional<JobResult>(m_trimResult) : std::nullopt});
}
