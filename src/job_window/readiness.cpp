#include "readiness.h"

#include <QAbstractItemModel>
#include <QObject>

#include "job_document.h"
#include "job_table_model.h"

using balance4::job::Outcome;

Readiness ReadinessOf(const JobDocument& document, const QAbstractItemModel& readings) {
    int bad = 0;
    int empty = 0;
    QString firstReason;
    for (int row = 0; row < readings.rowCount(); ++row) {
        for (int column = 0; column < readings.columnCount(); ++column) {
            const QModelIndex at = readings.index(row, column);
            if (!at.data(JobTableModel::RefusalRole).toString().isEmpty()) {
                if (bad++ == 0) firstReason = at.data(Qt::ToolTipRole).toString();
            } else if (at.data(Qt::EditRole).toString().trimmed().isEmpty()) {
                ++empty;
            }
        }
    }
    const balance4::job::JobResult& result = document.result();
    Readiness readiness;
    if (bad > 0) {
        readiness.Text = QObject::tr("Неверных показаний: %1 (%2)").arg(bad).arg(firstReason);
    } else if (empty > 0) {
        readiness.Text = QObject::tr("Не заполнено показаний: %1").arg(empty);
    } else if (result.Result == Outcome::Refused) {
        readiness.Text = result.Failures.empty()
                             ? QString()
                             : QString::fromStdString(result.Failures.front().Message);
    } else if (result.Result == Outcome::NoSolution) {
        readiness.Text = QObject::tr("Решения нет");
    } else {
        readiness.Text =
            result.Untrusted ? QObject::tr("Рассчитано: недостоверно") : QObject::tr("Рассчитано");
    }
    readiness.Waiting = result.Result == Outcome::Refused && (bad > 0 || empty > 0);
    return readiness;
}
