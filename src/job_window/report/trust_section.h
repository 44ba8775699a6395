#pragma once
// The report's account of how far the data can be trusted: the reading scatter the spread used
// (the instrument's tolerance or the repeats' scatter) and what the checks of the data found:
// trial weights too light or too heavy, planes that act alike, points whose readings disagree
// with the rest, with the correction without them.
#include <QString>

#include "job/job.h"
#include "job/job_result.h"

namespace balance4::jobwindow {

class ReportDocument;

void TrustSection(ReportDocument& report, const job::Job& job, const job::JobResult& result,
                  const QString& d);

}  // namespace balance4::jobwindow
