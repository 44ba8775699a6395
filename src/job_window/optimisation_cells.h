#pragma once
// The cells of the optimisation's tables: the vibration limit per point and the mass limit per
// plane (one row each, empty: no limit), the box of weights (a row per kind of mass, mass and
// count, and an empty row to type a new kind into), the weight of each speed, and the readings of
// the further speeds (speed s from 1: runs 0..planes one under another).
#include <QString>

#include "job/job.h"
#include "job/job_result.h"
#include "table_cells.h"

namespace optimisation_cells {

// The table is one of these.
bool Owns(JobTable table);

int Rows(const balance4::job::Job& job, JobTable table);
int Columns(const balance4::job::Job& job, JobTable table);
QString Text(const balance4::job::Job& job, JobTable table, int row, int column,
             const QString& separator);
bool SetText(balance4::job::Job& job, JobTable table, int row, int column, const QString& text,
             QString& reason);
QString RowTitle(const balance4::job::Job& job, JobTable table, int row);
QString ColumnTitle(const balance4::job::Job& job, JobTable table, int column);
QString CellName(const balance4::job::Job& job, JobTable table, int row, int column);

// Whether a failure of the calculation is about this cell.
bool FailureAt(const balance4::job::Job& job, const balance4::job::CellFailure& failure,
               JobTable table, int row, int column);

// The further speeds' readings: which speed (from 1) and run a row holds, and a speed's first row.
int SpeedOfRow(const balance4::job::Job& job, int row);
int SpeedRunOfRow(const balance4::job::Job& job, int row);
int FirstRowOfSpeed(const balance4::job::Job& job, int speed);

}  // namespace optimisation_cells
