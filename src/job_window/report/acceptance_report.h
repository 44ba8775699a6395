#pragma once
// The report's conclusion on its first page (the machine, the limit, the vibration before and
// after, the verdict, the balance-grade check, the weights on the rotor, the trend), and the
// acceptance pages of its worksheet.
#include <QString>

#include "acceptance_figures.h"
#include "job/job.h"
#include "job/job_result.h"
#include "report_layout.h"

namespace balance4::jobwindow {

// The acceptance of the job the report is about: `result` is its own calculation, or a control
// run's trim calculated from job.ControlRun.
AcceptanceFigures ReportAcceptance(const job::Job& job, const job::JobResult& result);

// The speed as typed; a bare number is in revolutions per minute, as the set-up asks for it.
QString SpeedWithUnit(const job::Job& job);

// The first page's conclusion, ending the page.
void AddConclusion(ReportDocument& report, const job::Job& job, const job::JobResult& result,
                   const AcceptanceFigures& figures, const QString& d);

// The vibration by run, each point's run vectors and the coefficients' change by refinement.
void AddAcceptanceWorksheet(ReportDocument& report, const job::Job& job,
                            const AcceptanceFigures& figures, const QString& d);

}  // namespace balance4::jobwindow
