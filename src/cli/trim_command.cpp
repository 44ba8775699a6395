#include <algorithm>
#include <iostream>
#include <optional>

#include "balancing_calculator.h"
#include "case_input.h"
#include "cli_text.h"
#include "coefficient_file.h"
#include "correction.h"
#include "extended.h"
#include "job_report.h"
#include "reading_fields.h"
#include "subcommands.h"

namespace balance4::cli {

int RunTrim(const std::vector<std::string_view>& args, std::istream& in, std::ostream& out,
            std::ostream& err) {
    constexpr std::string_view kName = "balance4-calc trim: ";
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
    const std::optional<SavedCoefficients> saved =
        LoadCoefficientFile(options->Coefficients, error);
    if (!saved) {
        err << kName << error << "\n";
        return 2;
    }
    const std::optional<std::vector<std::string>> texts = ReadCase(in, kRunZeroFieldCount, error);
    if (!texts) {
        err << kName << error << "\n";
        return 2;
    }
    const std::string separator =
        options->Separator.empty() ? LocaleSeparator() : options->Separator;

    // The run without weight is read as the window reads its fields, so a bad text gets that
    // field's message; the trial runs are not measured again.
    RunZeroTexts runZero;
    std::move(texts->begin(), texts->end(), runZero.begin());
    MatrixSolveResult solved;
    try {
        solved = SolveWithMatrix(saved->Matrix, runZero, separator);
    } catch (const FloatingPointError& failure) {
        err << failure.what() << ".\n";
        return 1;
    }
    if (solved.Outcome == PressOutcome::Refused) {
        for (const RefusedField& failure : solved.Failures) err << failure.Message << "\n";
        return 1;
    }
    if (solved.Outcome == PressOutcome::InvalidTrialMass) {
        err << kInvalidTrialMassMessage << "\n";
        return 1;
    }
    const CorrectionResult* const correction = &solved.Correction;

    JobReport report;
    report.From = Command::Trim;
    report.Options = &*options;
    report.WindowTexts = solved.Texts;
    report.Correction = *correction;
    report.TrialMass = saved->TrialMass;
    report.TrialAngle = saved->TrialAngle;
    report.Unit = options->Unit.empty() ? saved->Unit : options->Unit;
    report.Separator = separator;
    report.Spread =
        EstimateSpread(solved.Readings, saved->Matrix, false, *correction, saved->TrialMass,
                       {options->ToleranceAmplitudePercent, options->TolerancePhaseDegrees});
    report.CoefficientFile = options->Coefficients;
    out << (options->Json ? FormatJson(report) : FormatTable(report));
    return 0;
}

}  // namespace balance4::cli
