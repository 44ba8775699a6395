#pragma once
// What the report says about a job, in order, as blocks for the page layout.
#include <QString>

#include "job/job.h"
#include "job/job_result.h"
#include "report_layout.h"

namespace balance4::jobwindow {

// `decimal`: the decimal symbol of every number the report writes.
ReportDocument BuildReport(const job::Job& job, const job::JobResult& result,
                           const QString& decimal);

// The job's title and machine, for the foot of every page.
QString ReportFooter(const job::Job& job);

}  // namespace balance4::jobwindow
