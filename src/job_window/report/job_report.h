#pragma once
// The job's report: a calculated job's conclusion on the first page (before and after, verdict,
// balance grade, weights on the rotor), then the worksheet: title block, readings, coefficients,
// results with their splits, spreads and trust, the pictures, the residuals, the trim history and
// the acceptance, on numbered A4 pages. The same pages go to a PDF file and to a printer.
#include <QString>

#include "job/job.h"
#include "job/job_result.h"

class QPagedPaintDevice;
class QWidget;

namespace balance4::jobwindow {

// Writes the report to `path` through a temporary file renamed over it, so that a failed report
// never leaves a half-written file over an old one. False: `error` says why, in Russian.
bool WriteReportPdf(const job::Job& job, const job::JobResult& result, const QString& path,
                    QString& error);

// Asks for a printer and prints the report there; says so in a message when printing fails.
void PrintReport(const job::Job& job, const job::JobResult& result, QWidget* parent);

// Draws the report on a device whose page layout is already set. False if it cannot be drawn on.
bool PaintReport(QPagedPaintDevice& device, const job::Job& job, const job::JobResult& result);

}  // namespace balance4::jobwindow
