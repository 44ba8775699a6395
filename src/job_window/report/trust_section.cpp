#include "trust_section.h"

#include "job/disagreeing_points.h"
#include "job/plane_dependence.h"
#include "job/repeats.h"
#include "job_tables.h"
#include "report_layout.h"

namespace balance4::jobwindow {

void TrustSection(ReportDocument& report, const job::Job& job, const job::JobResult& result,
                  const QString& d) {
    const std::string separator = d.toStdString();
    report.Heading(QStringLiteral("Доверие к данным"));
    report.Text(QStringLiteral("Допуск показаний в расчёте разброса: %1.")
                    .arg(Utf8(job::ScatterText(result.Scatter, separator))));
    if (!job.Repeats.empty())
        report.Text(QStringLiteral("Повторных пусков: %1.").arg(job.Repeats.size()),
                    ReportDocument::Style::Small);
    QStringList warnings;
    for (const std::vector<int>& planes : result.PlanesAlike)
        warnings << Utf8(job::PlanesActingAlikeMessage(planes));
    for (const job::Warning& warning : result.Warnings) warnings << Utf8(warning.Text);
    for (const job::SuspectPoint& suspect : result.Suspects)
        warnings << Utf8(job::WithoutSuspectText(suspect, job.Unit, separator));
    if (warnings.isEmpty()) {
        report.Text(QStringLiteral("Проверки данных замечаний не дали."));
        return;
    }
    report.Text(QStringLiteral("Внимание:"), ReportDocument::Style::Bold);
    for (const QString& warning : warnings) report.Text(QStringLiteral("— ") + warning + '.');
}

}  // namespace balance4::jobwindow
