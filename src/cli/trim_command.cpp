#include <ctime>
#include <iostream>
#include <optional>

#include "acceptance.h"
#include "calculate.h"
#include "case_input.h"
#include "job_file.h"
#include "job_report.h"
#include "job_setup.h"
#include "subcommands.h"

namespace balance4::cli {

namespace {

// The date a trim run is recorded with, as the user's calendar shows it: YYYY-MM-DD.
std::string Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    char text[16] = {};
    if (localtime_r(&now, &local) == nullptr ||
        std::strftime(text, sizeof text, "%Y-%m-%d", &local) == 0)
        return {};
    return text;
}

}  // namespace

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
    const std::vector<job::ReadingText> run0 = RunZeroReadings(*texts);
    const job::JobResult result = job::Trim(*job, run0);
    if (result.Result != job::Outcome::Calculated) return ReportRefusal(kName, result, err);

    JobReport report{Command::Trim,
                     &*job,
                     &result,
                     options.JobFile.empty() ? options.Coefficients : options.JobFile,
                     {}};
    // Before the run goes into the history, where it would count twice.
    std::optional<job::Acceptance> acceptance;
    if (!job->Limit.empty() || !job->TrimHistory.empty()) {
        acceptance = job::AcceptanceOfTrim(*job, run0, result);
        report.Acceptance = &*acceptance;
    }
    const std::optional<job::IsoCheck> iso = CheckJobIso(*job, &result, report.IsoProblem);
    if (iso) report.Iso = &*iso;
    if (!options.SaveJob.empty()) {
        job::TrimRecord record{Today(), run0, {}};
        for (const job::PlaneResult& plane : result.Planes)
            record.Correction.push_back({plane.Mass, plane.AngleFromZero});
        job->TrimHistory.push_back(std::move(record));
        // The file keeps which coefficients this trim used.
        job->Refined = result.Refined ? std::make_optional(result.Refined->Refined) : std::nullopt;
        if (!job::SaveJobFile(options.SaveJob, *job, error)) {
            err << kName << error << "\n";
            return 2;
        }
        report.JobFile = options.SaveJob;
    }
    out << (options.Json ? FormatJson(report) : FormatTable(report));
    return ExitStatus(result);
}

}  // namespace balance4::cli
