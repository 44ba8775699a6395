#pragma once
// The «Приёмка» set-up fields as cells of the job document: the vibration limit (one for every
// point or one per point) and the balance-grade check's inputs, in one row. Lists are typed with
// «;» between values; a text that cannot be used is refused with the reason and the job keeps its
// last good value, as in every other set-up cell.
#include <QString>

#include "job/job.h"
#include "table_cells.h"

namespace acceptance_cells {

// The fields in their column order.
enum Field { Limit, RotorMass, Speed, Grade, Levers, Bearings, PlanePositions, FieldCount };

// Each field's object name, label and hint (translated in the «AcceptanceGroup» context).
struct FieldText {
    const char* Name;
    const char* Label;
    const char* Hint;
};
extern const FieldText kFields[FieldCount];

bool Owns(JobTable table);
int Rows(const balance4::job::Job& job, JobTable table);
int Columns(const balance4::job::Job& job, JobTable table);
QString Text(const balance4::job::Job& job, JobTable table, int row, int column,
             const QString& separator);
bool SetText(balance4::job::Job& job, JobTable table, int row, int column, const QString& text,
             QString& reason);
// The field's label, for messages: «Норма вибрации».
QString CellName(int column);

}  // namespace acceptance_cells
