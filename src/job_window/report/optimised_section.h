#pragma once
// The report's part on an optimised correction: the objective and the limits, least squares and
// this answer side by side, the residual of every point at every speed, and the weights from the
// box hole by hole with how far the search got.
#include <QString>

#include "job/job.h"
#include "job/job_result.h"
#include "report_layout.h"

namespace balance4::jobwindow {

// Nothing for a plain least-squares job.
void OptimisedSection(ReportDocument& report, const job::Job& job, const job::JobResult& result,
                      const QString& decimal);

}  // namespace balance4::jobwindow
