#include "optimisation_cells.h"

#include <QObject>

#include "job/optimised_text.h"
#include "number_texts.h"

using balance4::job::BoxMass;
using balance4::job::Job;
using balance4::job::ReadingText;

namespace optimisation_cells {

namespace {

std::vector<double>* ListOf(Job& job, JobTable table) {
    switch (table) {
        case JobTable::PointLimits:
            return &job.Optimise.PointLimit;
        case JobTable::MassLimits:
            return &job.Optimise.MassLimit;
        case JobTable::SpeedWeights:
            return &job.Optimise.SpeedWeight;
        default:
            return nullptr;
    }
}

ReadingText* SpeedReadingAt(Job& job, int row, int column) {
    const auto speed = std::size_t(SpeedOfRow(job, row) - 1);
    const auto run = std::size_t(SpeedRunOfRow(job, row));
    if (speed >= job.MoreSpeeds.size() || run >= job.MoreSpeeds[speed].Readings.size())
        return nullptr;
    std::vector<ReadingText>& readings = job.MoreSpeeds[speed].Readings[run];
    return std::size_t(column / 2) < readings.size() ? &readings[std::size_t(column / 2)] : nullptr;
}

// A list with nothing given is no list: the file stays as before.
void Trim(std::vector<double>& values) {
    while (!values.empty() && values.back() == 0.0) values.pop_back();
}

}  // namespace

bool Owns(JobTable table) {
    return table == JobTable::PointLimits || table == JobTable::MassLimits ||
           table == JobTable::BoxMasses || table == JobTable::SpeedWeights ||
           table == JobTable::SpeedReadings;
}

int SpeedOfRow(const Job& job, int row) {
    return row / (job.Planes() + 1) + 1;
}

int SpeedRunOfRow(const Job& job, int row) {
    return row % (job.Planes() + 1);
}

int FirstRowOfSpeed(const Job& job, int speed) {
    return (speed - 1) * (job.Planes() + 1);
}

int Rows(const Job& job, JobTable table) {
    if (table == JobTable::SpeedReadings) return int(job.MoreSpeeds.size()) * (job.Planes() + 1);
    return table == JobTable::BoxMasses ? int(job.Optimise.Box.Masses.size()) + 1 : 1;
}

int Columns(const Job& job, JobTable table) {
    switch (table) {
        case JobTable::PointLimits:
            return job.Points;
        case JobTable::MassLimits:
            return job.Planes();
        case JobTable::SpeedWeights:
            return job.Speeds();
        case JobTable::SpeedReadings:
            return job.Points * 2;
        default:
            return 2;
    }
}

QString Text(const Job& job, JobTable table, int row, int column, const QString& separator) {
    if (table == JobTable::SpeedReadings) {
        const ReadingText* reading = SpeedReadingAt(const_cast<Job&>(job), row, column);
        if (!reading) return {};
        return QString::fromStdString(column % 2 == 0 ? reading->Amplitude : reading->Phase);
    }
    if (table == JobTable::BoxMasses) {
        if (row >= int(job.Optimise.Box.Masses.size())) return {};
        const BoxMass& kind = job.Optimise.Box.Masses[std::size_t(row)];
        return column == 0 ? PlainNumberText(kind.Mass, separator) : QString::number(kind.Count);
    }
    const std::vector<double>& values = *ListOf(const_cast<Job&>(job), table);
    const double value = std::size_t(column) < values.size() ? values[std::size_t(column)] : 0.0;
    return value != 0.0 ? PlainNumberText(value, separator) : QString();
}

bool SetText(Job& job, JobTable table, int row, int column, const QString& text, QString& reason) {
    const QString typed = text.trimmed();
    const std::optional<double> number = ReadNumberText(typed);
    if (table == JobTable::SpeedReadings) {
        // Kept as typed, like the first speed's readings: the calculation refuses what is no
        // number.
        if (ReadingText* reading = SpeedReadingAt(job, row, column))
            (column % 2 == 0 ? reading->Amplitude : reading->Phase) =
                (number ? WithSeparator(typed, QString::fromStdString(job.Separator)) : typed)
                    .toStdString();
        return true;
    }
    if (!typed.isEmpty() && !number) {
        reason = QObject::tr("не число");
        return false;
    }
    if (table != JobTable::BoxMasses) {
        std::vector<double>& values = *ListOf(job, table);
        if (values.size() <= std::size_t(column)) values.resize(std::size_t(column) + 1);
        values[std::size_t(column)] = number.value_or(0.0);
        Trim(values);
        return true;
    }
    std::vector<BoxMass>& masses = job.Optimise.Box.Masses;
    const bool added = row >= int(masses.size());
    // Emptying a kind's mass takes the kind out of the box.
    if (column == 0 && typed.isEmpty()) {
        if (!added) masses.erase(masses.begin() + row);
        return true;
    }
    if (added && typed.isEmpty()) return true;
    BoxMass kind = added ? BoxMass{0.0, 1} : masses[std::size_t(row)];
    if (column == 0) {
        kind.Mass = *number;
    } else {
        if (!number || *number != double(int(*number))) {
            reason = QObject::tr("нужно целое число");
            return false;
        }
        kind.Count = int(*number);
    }
    const std::string problem = balance4::job::BoxKindProblem(kind, row + 1);
    if (!problem.empty()) {
        reason = QString::fromStdString(problem);
        return false;
    }
    if (added)
        masses.push_back(kind);
    else
        masses[std::size_t(row)] = kind;
    return true;
}

QString RowTitle(const Job& job, JobTable table, int row) {
    switch (table) {
        case JobTable::SpeedReadings: {
            const int run = SpeedRunOfRow(job, row);
            return run == 0 ? QObject::tr("Пуск 0 — без груза")
                            : QObject::tr("Пуск %1 — груз в плоскости %1").arg(run);
        }
        case JobTable::PointLimits:
            return QObject::tr("Предел вибрации");
        case JobTable::MassLimits:
            return QObject::tr("Предел массы, %1").arg(QString::fromStdString(job.Unit));
        case JobTable::SpeedWeights:
            return QObject::tr("Вес");
        default:
            return row < int(job.Optimise.Box.Masses.size()) ? QString::number(row + 1)
                                                             : QStringLiteral("+");
    }
}

QString ColumnTitle(const Job& job, JobTable table, int column) {
    switch (table) {
        case JobTable::SpeedReadings:
            return column % 2 == 0 ? QObject::tr("Т%1 ампл.").arg(column / 2 + 1)
                                   : QObject::tr("Т%1 фаза, °").arg(column / 2 + 1);
        case JobTable::PointLimits:
            return QObject::tr("Т%1").arg(column + 1);
        case JobTable::MassLimits:
            return QObject::tr("Пл. %1").arg(column + 1);
        case JobTable::SpeedWeights:
            return QObject::tr("Частота %1").arg(column + 1);
        default:
            return column == 0 ? QObject::tr("Масса, %1").arg(QString::fromStdString(job.Unit))
                               : QObject::tr("Штук");
    }
}

QString CellName(const Job& job, JobTable table, int row, int column) {
    switch (table) {
        case JobTable::SpeedReadings:
            return QObject::tr("Частота %1, пуск %2, точка %3, %4")
                .arg(SpeedOfRow(job, row) + 1)
                .arg(SpeedRunOfRow(job, row))
                .arg(column / 2 + 1)
                .arg(column % 2 == 0 ? QObject::tr("амплитуда") : QObject::tr("фаза"));
        case JobTable::PointLimits:
            return QObject::tr("Предел вибрации в точке %1").arg(column + 1);
        case JobTable::MassLimits:
            return QObject::tr("Предел массы в плоскости %1").arg(column + 1);
        case JobTable::SpeedWeights:
            return QObject::tr("Вес частоты %1").arg(column + 1);
        default:
            return QObject::tr("Набор грузов, груз %1, %2")
                .arg(row + 1)
                .arg(column == 0 ? QObject::tr("масса") : QObject::tr("штук"));
    }
}

bool FailureAt(const Job& job, const balance4::job::CellFailure& failure, JobTable table, int row,
               int column) {
    using balance4::job::Cell;
    if (table == JobTable::SpeedReadings)
        return failure.Speed == SpeedOfRow(job, row) && failure.Run == SpeedRunOfRow(job, row) &&
               failure.Point == column / 2 &&
               failure.Kind == (column % 2 == 0 ? Cell::Amplitude : Cell::Phase);
    if (failure.Kind != balance4::job::Cell::Limit) return false;
    switch (table) {
        case JobTable::PointLimits:
            return failure.Point == column;
        case JobTable::MassLimits:
            return failure.Plane == column && failure.Point < 0;
        default:
            return false;
    }
}

}  // namespace optimisation_cells
