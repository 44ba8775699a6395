#include "table_cells.h"

#include <QObject>

#include "acceptance_cells.h"
#include "job/angle_frame.h"
#include "job/calculate.h"
#include "job/positions.h"
#include "job/units.h"
#include "job/weights.h"
#include "number_texts.h"
#include "optimisation_cells.h"
#include "reading_rows.h"

using balance4::job::Job;
using balance4::job::PlaneSetup;
using balance4::job::ReadingText;
using balance4::job::Weight;

namespace table_cells {

namespace {

// Radii and trial masses: zero is "not given" and shows empty.
QString OptionalNumber(double value, const QString& separator) {
    return value != 0.0 ? PlainNumberText(value, separator) : QString();
}

ReadingText* ReadingAt(Job& job, JobTable table, int row, int column) {
    const auto point = std::size_t(column / 2);
    if (table == JobTable::ControlRun) {
        if (job.ControlRun.empty()) job.ControlRun.assign(std::size_t(job.Points), {});
        return point < job.ControlRun.size() ? &job.ControlRun[point] : nullptr;
    }
    const int repeat = RepeatOfRow(job, row);
    const int run = RunOfRow(job, row);
    std::vector<ReadingText>& readings = repeat >= 0 ? job.Repeats[std::size_t(repeat)].Readings
                                         : run < 0   ? job.SlowRoll
                                                     : job.Readings[std::size_t(run)];
    return point < readings.size() ? &readings[point] : nullptr;
}

const ReadingText* ReadingAt(const Job& job, JobTable table, int row, int column) {
    return ReadingAt(const_cast<Job&>(job), table, row, column);
}

Weight InstalledWeight(const Job& job, int plane) {
    if (plane >= int(job.Installed.size()) || job.Installed[std::size_t(plane)].empty()) return {};
    // Several weights in one plane act as their sum; the table edits one weight per plane.
    return balance4::job::Combine(job.Installed[std::size_t(plane)]);
}

bool SetNumber(const QString& text, double& value, bool emptyIsZero, QString& reason) {
    if (text.trimmed().isEmpty() && emptyIsZero) {
        value = 0.0;
        return true;
    }
    const std::optional<double> number = ReadNumberText(text);
    if (!number) {
        reason = QObject::tr("не число");
        return false;
    }
    value = *number;
    return true;
}

}  // namespace

int Rows(const Job& job, JobTable table) {
    if (optimisation_cells::Owns(table)) return optimisation_cells::Rows(job, table);
    if (acceptance_cells::Owns(table)) return acceptance_cells::Rows(job, table);
    switch (table) {
        case JobTable::Readings:
            return int(ReadingRowContents(job).size());
        case JobTable::ControlRun:
        case JobTable::Tolerance:
            return 1;
        case JobTable::Planes:
        case JobTable::Installed:
            return job.Planes();
        default:
            break;
    }
    return 0;
}

int Columns(const Job& job, JobTable table) {
    if (optimisation_cells::Owns(table)) return optimisation_cells::Columns(job, table);
    if (acceptance_cells::Owns(table)) return acceptance_cells::Columns(job, table);
    switch (table) {
        case JobTable::Readings:
        case JobTable::ControlRun:
            return job.Points * 2;
        case JobTable::Planes:
            return kPlaneColumns;
        case JobTable::Installed:
        case JobTable::Tolerance:
            return 2;
        default:
            break;
    }
    return 0;
}

int ReadingRow(const Job& job, int run) {
    const std::vector<ReadingRowContent> rows = ReadingRowContents(job);
    for (int row = 0; row < int(rows.size()); ++row)
        if (rows[std::size_t(row)].Run == run && rows[std::size_t(row)].Repeat < 0) return row;
    return run + (job.SlowRoll.empty() ? 0 : 1);
}

int RunOfRow(const Job& job, int row) {
    const std::vector<ReadingRowContent> rows = ReadingRowContents(job);
    if (row >= 0 && row < int(rows.size())) return rows[std::size_t(row)].Run;
    return row - (job.SlowRoll.empty() ? 0 : 1);
}

int RepeatOfRow(const Job& job, int row) {
    const std::vector<ReadingRowContent> rows = ReadingRowContents(job);
    return row >= 0 && row < int(rows.size()) ? rows[std::size_t(row)].Repeat : -1;
}

QString Text(const Job& job, JobTable table, int row, int column, const QString& separator) {
    if (row < 0 || column < 0 || row >= Rows(job, table) || column >= Columns(job, table))
        return {};
    if (optimisation_cells::Owns(table))
        return optimisation_cells::Text(job, table, row, column, separator);
    if (acceptance_cells::Owns(table))
        return acceptance_cells::Text(job, table, row, column, separator);
    switch (table) {
        case JobTable::Readings:
        case JobTable::ControlRun: {
            if (table == JobTable::ControlRun && job.ControlRun.empty()) return {};
            const ReadingText* reading = ReadingAt(job, table, row, column);
            if (!reading) return {};
            return QString::fromStdString(column % 2 == 0 ? reading->Amplitude : reading->Phase);
        }
        case JobTable::Planes: {
            const PlaneSetup& plane = job.Plane[std::size_t(row)];
            switch (column) {
                case kTrialMass:
                    return OptionalNumber(plane.TrialMass, separator);
                case kTrialAngle:
                    return PlainNumberText(plane.TrialAngle, separator);
                case kTrialRadius:
                    return OptionalNumber(plane.TrialRadius, separator);
                case kCorrectionRadius:
                    return OptionalNumber(plane.CorrectionRadius, separator);
                default:
                    return QString::fromStdString(
                        balance4::job::PositionsText(plane, separator.toStdString()));
            }
        }
        case JobTable::Installed: {
            if (row >= int(job.Installed.size()) || job.Installed[std::size_t(row)].empty())
                return {};
            const Weight weight = InstalledWeight(job, row);
            return PlainNumberText(column == 0 ? weight.Mass : weight.AngleDegrees, separator);
        }
        case JobTable::Tolerance:
            return PlainNumberText(
                column == 0 ? job.Instrument.AmplitudePercent : job.Instrument.PhaseDegrees,
                separator);
        default:
            break;
    }
    return {};
}

bool SetText(Job& job, JobTable table, int row, int column, const QString& text, QString& reason) {
    if (row < 0 || column < 0 || row >= Rows(job, table) || column >= Columns(job, table))
        return true;
    if (optimisation_cells::Owns(table))
        return optimisation_cells::SetText(job, table, row, column, text, reason);
    if (acceptance_cells::Owns(table))
        return acceptance_cells::SetText(job, table, row, column, text, reason);
    switch (table) {
        case JobTable::Readings:
        case JobTable::ControlRun: {
            ReadingText* reading = ReadingAt(job, table, row, column);
            if (!reading) return true;
            // A number is kept with the job's decimal separator; anything else as typed, to be
            // shown refused.
            const std::string typed =
                (ReadNumberText(text) ? WithSeparator(text, QString::fromStdString(job.Separator))
                                      : text.trimmed())
                    .toStdString();
            (column % 2 == 0 ? reading->Amplitude : reading->Phase) = typed;
            if (table == JobTable::ControlRun) {
                // A control run with nothing typed is no control run: the file stays as before.
                bool any = false;
                for (const ReadingText& r : job.ControlRun)
                    any = any || !r.Amplitude.empty() || !r.Phase.empty();
                if (!any) job.ControlRun.clear();
            }
            return true;
        }
        case JobTable::Planes: {
            PlaneSetup& plane = job.Plane[std::size_t(row)];
            switch (column) {
                case kTrialMass:
                    return SetNumber(text, plane.TrialMass, true, reason);
                case kTrialAngle:
                    return SetNumber(text, plane.TrialAngle, true, reason);
                case kTrialRadius:
                    return SetNumber(text, plane.TrialRadius, true, reason);
                case kCorrectionRadius:
                    return SetNumber(text, plane.CorrectionRadius, true, reason);
                default: {
                    std::string error;
                    PlaneSetup scratch = plane;
                    if (!balance4::job::ParsePositionsText(text.trimmed().toStdString(),
                                                           job.Separator, scratch, error)) {
                        reason = QString::fromStdString(error);
                        return false;
                    }
                    plane.Holes = scratch.Holes;
                    plane.Positions = scratch.Positions;
                    return true;
                }
            }
        }
        case JobTable::Installed: {
            Weight weight = InstalledWeight(job, row);
            if (!SetNumber(text, column == 0 ? weight.Mass : weight.AngleDegrees, true, reason))
                return false;
            job.Installed.resize(std::size_t(job.Planes()));
            job.Installed[std::size_t(row)].clear();
            if (weight.Mass != 0.0 || weight.AngleDegrees != 0.0)
                job.Installed[std::size_t(row)].push_back(weight);
            bool any = false;
            for (const auto& weights : job.Installed) any = any || !weights.empty();
            if (!any) job.Installed.clear();
            return true;
        }
        case JobTable::Tolerance:
            return SetNumber(
                text, column == 0 ? job.Instrument.AmplitudePercent : job.Instrument.PhaseDegrees,
                false, reason);
        default:
            break;
    }
    return true;
}

QString RowTitle(const Job& job, JobTable table, int row) {
    if (optimisation_cells::Owns(table)) return optimisation_cells::RowTitle(job, table, row);
    switch (table) {
        case JobTable::Readings: {
            const int run = RunOfRow(job, row);
            if (const int repeat = RepeatOfRow(job, row); repeat >= 0) {
                int number = 0;
                int repeats = 0;
                for (int i = 0; i < int(job.Repeats.size()); ++i) {
                    if (job.Repeats[std::size_t(i)].Run != run) continue;
                    ++repeats;
                    if (i <= repeat) ++number;
                }
                return repeats > 1 ? QObject::tr("Повтор %1 пуска %2").arg(number).arg(run)
                                   : QObject::tr("Повтор пуска %1").arg(run);
            }
            if (run < 0) return QObject::tr("Малые обороты — биение");
            if (run == 0) return QObject::tr("Пуск 0 — без груза");
            if (job.Trials == balance4::job::TrialWeights::LeftOn && run > 1)
                return QObject::tr("Пуск %1 — грузы в плоскостях 1–%1").arg(run);
            return QObject::tr("Пуск %1 — груз в плоскости %1").arg(run);
        }
        case JobTable::ControlRun:
            return QObject::tr("Контрольный пуск");
        case JobTable::Planes:
        case JobTable::Installed:
            return QObject::tr("Пл. %1").arg(row + 1);
        case JobTable::Tolerance:
            return QObject::tr("Погрешность прибора");
        default:
            break;
    }
    return {};
}

QString ColumnTitle(const Job& job, JobTable table, int column) {
    if (optimisation_cells::Owns(table)) return optimisation_cells::ColumnTitle(job, table, column);
    switch (table) {
        case JobTable::Readings:
        case JobTable::ControlRun:
            return column % 2 == 0
                       ? QObject::tr("Т%1 ампл.").arg(column / 2 + 1) +
                             QString::fromStdString(balance4::job::ReadingUnitAfterHeading(job))
                       : QObject::tr("Т%1 фаза, °").arg(column / 2 + 1);
        case JobTable::Planes: {
            const QString unit = QString::fromStdString(job.Unit);
            switch (column) {
                case kTrialMass:
                    return QObject::tr("Пробный\nгруз, %1").arg(unit);
                case kTrialAngle:
                    // The way it runs in short; the tooltip says it whole.
                    return QObject::tr("Угол\nгруза, °\n%1")
                        .arg(QString::fromUtf8(balance4::job::AngleDirectionWord(job))
                                 .replace(QStringLiteral("вращению"), QStringLiteral("вращ."))
                                 .replace(QStringLiteral("вращения"), QStringLiteral("вращ.")));
                case kTrialRadius:
                    return QObject::tr("Радиус\nгруза");
                case kCorrectionRadius:
                    return QObject::tr("Радиус\nпоправки");
                default:
                    return QObject::tr("Отверстия\nили углы");
            }
        }
        case JobTable::Installed:
            return column == 0 ? QObject::tr("Масса, %1").arg(QString::fromStdString(job.Unit))
                               : QString::fromStdString(
                                     balance4::job::AngleHeading("Угол от нуля, °", job));
        case JobTable::Tolerance:
            return column == 0 ? QObject::tr("Погрешность амплитуды, %")
                               : QObject::tr("Погрешность фазы, °");
        default:
            break;
    }
    return {};
}

QString CellName(const Job& job, JobTable table, int row, int column) {
    if (optimisation_cells::Owns(table))
        return optimisation_cells::CellName(job, table, row, column);
    if (acceptance_cells::Owns(table)) return acceptance_cells::CellName(column);
    switch (table) {
        case JobTable::Readings:
        case JobTable::ControlRun:
            return QObject::tr("%1, точка %2, %3")
                .arg(RowTitle(job, table, row).section(QStringLiteral(" — "), 0, 0))
                .arg(column / 2 + 1)
                .arg(column % 2 == 0 ? QObject::tr("амплитуда") : QObject::tr("фаза"));
        case JobTable::Planes:
            return QObject::tr("Плоскость %1, %2")
                .arg(row + 1)
                .arg(ColumnTitle(job, table, column).simplified().toLower());
        case JobTable::Installed:
            return QObject::tr("Установлено в плоскости %1, %2")
                .arg(row + 1)
                .arg(column == 0 ? QObject::tr("масса") : QObject::tr("угол"));
        case JobTable::Tolerance:
            return ColumnTitle(job, table, column);
        default:
            break;
    }
    return {};
}

}  // namespace table_cells
