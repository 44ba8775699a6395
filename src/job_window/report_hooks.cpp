#include "report_hooks.h"

#include <QObject>

bool WriteJobReport(const balance4::job::Job&, const balance4::job::JobResult&, const QString&,
                    QString& error) {
    error = QObject::tr("отчёт ещё не готов в этой сборке");
    return false;
}

void PrintJobReport(const balance4::job::Job&, const balance4::job::JobResult&, QWidget*) {}
