#include <iostream>
#include <optional>

#include "calculate.h"
#include "case_input.h"
#include "cli_text.h"
#include "coefficient_file_io.h"
#include "job_report.h"
#include "subcommands.h"

namespace balance4::cli {

int RunTrim(const std::vector<std::string_view>& args, std::istream& in, std::ostream& out,
            std::ostream& err) {
    constexpr std::string_view kName = "balance4-calc trim: ";
    constexpr std::size_t kPoints = 4;
    std::string error;
    const std::optional<JobOptions> options = ParseJobOptions(Command::Trim, args, error);
    if (!options) {
        err << kName << error << "\n";
        return 2;
    }
    if (options->Help) {
        out << Usage(Command::Trim);
        return 0;
    }
    const std::optional<job::Coefficients> saved =
        LoadCoefficientFile(options->Coefficients, error);
    if (!saved) {
        err << kName << error << "\n";
        return 2;
    }
    const std::optional<std::vector<std::string>> texts = ReadCase(in, 2 * kPoints, error);
    if (!texts) {
        err << kName << error << "\n";
        return 2;
    }
    const std::string separator =
        options->Separator.empty() ? LocaleSeparator() : options->Separator;

    job::Job job = JobFromOptions(*options, separator);
    job.Unit = options->Unit.empty() ? saved->Unit : options->Unit;
    job.Saved = saved;
    std::vector<job::ReadingText> run0;
    for (std::size_t p = 0; p < kPoints; ++p)
        run0.push_back({(*texts)[2 * p], (*texts)[2 * p + 1]});
    const job::JobResult result = job::Trim(job, run0);
    if (result.Result == job::Outcome::Refused) {
        for (const job::CellFailure& failure : result.Failures) err << failure.Message << "\n";
        return 1;
    }
    if (result.Result == job::Outcome::NoSolution) {
        err << result.Message << "\n";
        return 1;
    }

    JobReport report;
    report.From = Command::Trim;
    report.Options = &*options;
    report.Result = &result;
    for (std::size_t k = 0; k < 4; ++k) {
        report.TrialMass[k] = saved->Trial[k].Mass;
        report.TrialAngle[k] = saved->Trial[k].AngleDegrees;
    }
    report.Unit = job.Unit;
    report.Separator = separator;
    report.CoefficientFile = options->Coefficients;
    out << (options->Json ? FormatJson(report) : FormatTable(report));
    return 0;
}

}  // namespace balance4::cli
