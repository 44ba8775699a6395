#pragma once
// The report of a calculated job, as a PDF file or on a printer: one way for the menu and the
// command line.
#include <QString>

#include "job.h"
#include "job_result.h"

class QWidget;

bool WriteJobReport(const balance4::job::Job& job, const balance4::job::JobResult& result,
                    const QString& path, QString& error);
void PrintJobReport(const balance4::job::Job& job, const balance4::job::JobResult& result,
                    QWidget* parent);
