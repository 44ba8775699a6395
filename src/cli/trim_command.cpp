#include <iostream>
#include <optional>

#include "acceptance.h"
#include "calculate.h"
#include "case_input.h"
#include "iso_check.h"
#include "job_file.h"
#include "job_report.h"
#include "job_setup.h"
#include "reading_line.h"
#include "subcommands.h"

namespace balance4::cli {

int RunTrim(const Options& options, std::istream& in, std::ostream& out, std::ostream& err) {
    constexpr std::string_view kName = "balance4-calc trim: ";
    std::string error;
    std::optional<job::Job> job = JobToTrim(options, error);
    if (!job) {
        err << kName << error << "\n";
        return 2;
    }
    const std::optional<std::vector<std::string>> texts =
        ReadCase(in, 2 * static_cast<std::size_t>(job->Saved->Points), error);
    if (!texts) {
        err << kName << error << "\n";
        return 2;
    }
    std::optional<std::vector<std::vector<job::ReadingText>>> runs =
        job::RunsFromReadingLine(*texts, 0, job->Saved->Points);
    if (!runs) return 2;  // ReadCase has counted them
    job->ControlRun = std::move(runs->front());
    const job::JobResult result = job::Trim(*job, job->ControlRun);
    if (result.Result != job::Outcome::Calculated) return ReportRefusal(kName, result, err);

    JobReport report{Command::Trim,
                     &*job,
                     &result,
                     options.JobFile.empty() ? options.Coefficients : options.JobFile,
                     {}};
    // Before the run goes into the history, where it would count twice.
    std::optional<job::Acceptance> acceptance;
    if (!job->Limit.empty() || !job->TrimHistory.empty()) {
        acceptance = job::AcceptanceOfTrim(*job, job->ControlRun, result);
        report.Acceptance = &*acceptance;
    }
    std::optional<job::IsoCheck> iso;
    if (job->Iso) iso = job::CheckJobIso(*job, *job->Iso, result, report.IsoProblem);
    if (iso) report.Iso = &*iso;
    if (!options.SaveJob.empty()) {
        job::RecordTrim(*job, result, job::RecordDate(),
                        options.Fitted ? job::TrimFitted::Yes : job::TrimFitted::No);
        // The file keeps which coefficients this trim used.
        job->Refined = result.Refined ? std::make_optional(result.Refined->Refined) : std::nullopt;
        if (!job::SaveJobFile(options.SaveJob, *job, error)) {
            err << kName << error << "\n";
            return 2;
        }
        report.JobFile = options.SaveJob;
        report.Recorded = true;
        report.Fitted = options.Fitted;
    }
    out << (options.Json ? FormatJson(report) : FormatTable(report));
    return ExitStatus(result);
}

}  // namespace balance4::cli
