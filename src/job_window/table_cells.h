#pragma once
// Where each cell of the window's tables lives in a job: the readings (a slow-roll row first when
// the job has one, then runs 0..planes), the control run, the planes' set-up and the weights on
// the rotor. Texts go in as typed and come out as the window shows them.
#include <QString>

#include "job/job.h"

enum class JobTable {
    Readings,
    ControlRun,
    Planes,
    Installed,
    Tolerance,
    // The optimisation's tables (optimisation_cells.h).
    PointLimits,
    MassLimits,
    BoxMasses,
    SpeedWeights,
    SpeedReadings,
    Acceptance,  // the «Приёмка» set-up fields (acceptance_cells.h)
};

// The planes' set-up columns.
enum PlaneColumn {
    kTrialMass,
    kTrialAngle,
    kTrialRadius,
    kCorrectionRadius,
    kPositions,
    kPlaneColumns
};

namespace table_cells {

int Rows(const balance4::job::Job& job, JobTable table);
int Columns(const balance4::job::Job& job, JobTable table);

// The text a cell shows, set-up numbers with `separator`.
QString Text(const balance4::job::Job& job, JobTable table, int row, int column,
             const QString& separator);

// Writes a typed text into the job. Readings keep their text (with the job's separator); set-up
// numbers are read, an empty text meaning "not given". False with `reason` when the text cannot
// be read: the job is left as it was.
bool SetText(balance4::job::Job& job, JobTable table, int row, int column, const QString& text,
             QString& reason);

// The readings table's row of run `run` (0..planes), and the run of a row (-1: the slow roll), a
// repeat's row included.
int ReadingRow(const balance4::job::Job& job, int run);
int RunOfRow(const balance4::job::Job& job, int row);
// The index in Job::Repeats of a repeat's row; -1 for any other row.
int RepeatOfRow(const balance4::job::Job& job, int row);

QString RowTitle(const balance4::job::Job& job, JobTable table, int row);
QString ColumnTitle(const balance4::job::Job& job, JobTable table, int column);
// A cell's name for screen readers, tooltips and messages: «Пуск 1, точка 2, фаза».
QString CellName(const balance4::job::Job& job, JobTable table, int row, int column);

}  // namespace table_cells
