#include <iostream>
#include <optional>

#include "calculate.h"
#include "case_input.h"
#include "cli_text.h"
#include "coefficient_file_io.h"
#include "job_report.h"
#include "reading_fields.h"
#include "subcommands.h"

namespace balance4::cli {

job::Job JobFromOptions(const JobOptions& options, const std::string& separator) {
    job::Job job = job::MakeJob(4, 4);
    job.Separator = separator;
    job.Unit = options.Unit;
    job.Instrument = {options.ToleranceAmplitudePercent, options.TolerancePhaseDegrees};
    for (std::size_t i = 0; i < 4; ++i) {
        job::PlaneSetup& plane = job.Plane[i];
        plane.TrialMass = options.TrialMass[i];
        plane.TrialAngle = options.TrialAngle[i];
        plane.Holes = options.Holes[i];
        if (plane.Holes == 0)
            for (const Position& position : options.Positions[i])
                plane.Positions.push_back(position.AngleDegrees);
    }
    return job;
}

int RunJob(const std::vector<std::string_view>& args, std::istream& in, std::ostream& out,
           std::ostream& err) {
    constexpr std::string_view kName = "balance4-calc job: ";
    std::string error;
    const std::optional<JobOptions> options = ParseJobOptions(Command::Job, args, error);
    if (!options) {
        err << kName << error << "\n";
        return 2;
    }
    if (options->Help) {
        out << Usage(Command::Job);
        return 0;
    }

    std::vector<std::string> texts;
    if (options->Example) {
        for (const ReadingField& field : kReadingFields) texts.emplace_back(field.DefaultText);
    } else if (std::optional<std::vector<std::string>> read =
                   ReadCase(in, kReadingFields.size(), error)) {
        texts = std::move(*read);
    } else {
        err << kName << error << "\n";
        return 2;
    }
    // The example's texts are written with a decimal comma, as in the window.
    const std::string separator = options->Example              ? ","
                                  : !options->Separator.empty() ? options->Separator
                                                                : LocaleSeparator();

    job::Job job = JobFromOptions(*options, separator);
    for (std::size_t f = 0; f < kReadingFields.size(); ++f) {
        const ReadingField& field = kReadingFields[f];
        job::ReadingText& reading = job.Readings[static_cast<std::size_t>(field.Run)]
                                                [static_cast<std::size_t>(field.Plane - 1)];
        (field.Kind == ReadingKind::Amplitude ? reading.Amplitude : reading.Phase) = texts[f];
    }
    const job::JobResult result = job::Calculate(job);
    if (result.Result == job::Outcome::Refused) {
        for (const job::CellFailure& failure : result.Failures) err << failure.Message << "\n";
        return 1;
    }
    if (result.Result == job::Outcome::NoSolution) {
        err << result.Message << "\n";
        return 1;
    }

    JobReport report;
    report.From = Command::Job;
    report.Options = &*options;
    report.Result = &result;
    report.TrialMass = options->TrialMass;
    report.TrialAngle = options->TrialAngle;
    report.Unit = options->Unit;
    report.Separator = separator;

    if (!options->SaveCoefficients.empty()) {
        if (!SaveCoefficientFile(options->SaveCoefficients, *result.Saved, error)) {
            err << kName << error << "\n";
            return 2;
        }
        report.CoefficientFile = options->SaveCoefficients;
    }
    out << (options->Json ? FormatJson(report) : FormatTable(report));
    return 0;
}

}  // namespace balance4::cli
