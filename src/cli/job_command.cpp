#include <iostream>
#include <optional>

#include "acceptance.h"
#include "atomic_file.h"
#include "calculate.h"
#include "coefficient_file.h"
#include "iso_check.h"
#include "job_file.h"
#include "job_report.h"
#include "job_setup.h"
#include "job_text.h"
#include "subcommands.h"

namespace balance4::cli {

int RunJob(const Options& options, std::istream& in, std::ostream& out, std::ostream& err) {
    constexpr std::string_view kName = "balance4-calc job: ";
    std::string error;
    std::optional<job::Job> job = JobToCalculate(options, in, error);
    if (!job) {
        err << kName << error << "\n";
        return 2;
    }
    if (!options.SaveCoefficients.empty() && (job->Planes() != 4 || job->Points != 4)) {
        err << kName
            << "--save-coefficients: прежний файл коэффициентов только для 4 плоскостей и 4 "
               "точек; сохраните задание: --save-job ФАЙЛ\n";
        return 2;
    }
    const job::JobResult result = job::Calculate(*job);
    if (result.Result != job::Outcome::Calculated) return ReportRefusal(kName, result, err);
    job->Saved = result.Saved;

    // Until every trial mass is given, the results are those of the job in % of its trial masses.
    const job::Job shown = result.PercentOnly ? job::PercentJob(*job) : *job;
    JobReport report{Command::Job, &shown, &result, {}, {}};
    std::optional<job::Acceptance> acceptance;
    if (!job->Limit.empty() || !job->TrimHistory.empty()) {
        acceptance = job::AcceptanceOfJob(*job, result);
        report.Acceptance = &*acceptance;
    }
    std::optional<job::IsoCheck> iso;
    if (job->Iso) iso = job::CheckJobIso(*job, *job->Iso, result, report.IsoProblem);
    if (iso) report.Iso = &*iso;
    if (!options.SaveCoefficients.empty()) {
        if (!job::WriteFileAtomically(options.SaveCoefficients,
                                      job::FormatCoefficientFile(*result.Saved), error)) {
            err << kName << "файл коэффициентов " << job::Quoted(options.SaveCoefficients)
                << " не записан: " << error << "\n";
            return 2;
        }
        report.CoefficientFile = options.SaveCoefficients;
    }
    if (!options.SaveJob.empty()) {
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
