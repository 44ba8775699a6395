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
    ReadingTexts texts;
    if (options->Example) {
        for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = kReadingFields[i].DefaultText;
    } else if (std::optional<std::vector<std::string>> read =
                   ReadCase(in, kReadingFields.size(), error)) {
        std::move(read->begin(), read->end(), texts.begin());
    } else {
        err << kName << error << "\n";
        return 2;
    }
    // The example's texts are written with a decimal comma, as in the window.
    const std::string separator = options->Example              ? ","
                                  : !options->Separator.empty() ? options->Separator
                                                                : LocaleSeparator();

    // The window's own press, with trial masses of 100: its eight texts are the percent and the
    // angle from each trial weight, whatever trial masses the user gave.
    BalancingCalculator calculator;
    calculator.SetTrialMasses();
    PressResult press;
    try {
        press = calculator.Press(texts, separator);
    } catch (const FloatingPointError& failure) {
        err << failure.what() << ".\n";
        return 1;
    }
    if (press.Outcome == PressOutcome::Refused) {
        for (const RefusedField& failure : press.Failures) err << failure.Message << "\n";
        return 1;
    }
    if (press.Outcome == PressOutcome::InvalidTrialMass) {
        err << kInvalidTrialMassMessage << "\n";
        return 1;
    }
    const CorrectionResult* const correction = &press.Correction;

    JobReport report;
    report.From = Command::Job;
    report.Options = &*options;
    report.WindowTexts = press.Texts;
    report.Correction = *correction;
    report.TrialMass = options->TrialMass;
    report.TrialAngle = options->TrialAngle;
    report.Unit = options->Unit;
    report.Separator = separator;
    report.Spread = EstimateSpread(
        calculator.Measurements(), calculator.Matrix(), true, *correction, options->TrialMass,
        {options->ToleranceAmplitudePercent, options->TolerancePhaseDegrees});

    if (!options->SaveCoefficients.empty()) {
        const SavedCoefficients saved{calculator.Matrix(), options->TrialMass, options->TrialAngle,
                                      options->Unit};
        if (!SaveCoefficientFile(options->SaveCoefficients, saved, error)) {
            err << kName << error << "\n";
            return 2;
        }
        report.CoefficientFile = options->SaveCoefficients;
    }
    out << (options->Json ? FormatJson(report) : FormatTable(report));
    return 0;
}

}  // namespace balance4::cli
