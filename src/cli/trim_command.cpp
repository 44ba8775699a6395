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

int RunTrim(const Options& given, std::istream& in, std::ostream& out, std::ostream& err) {
    constexpr std::string_view kName = "balance4-calc trim: ";
    constexpr std::size_t kRunZeroTexts = 2 * kPlaneCount;
    std::string error;
    const std::optional<JobOptions> options = ToJobOptions(given, error);
    if (!options) {
        err << kName << error << "\n";
        return 2;
    }
    // The calculation runs outside a press: set extended precision for it here.
    const ExtendedPrecisionScope precision;
    const std::optional<SavedCoefficients> saved =
        LoadCoefficientFile(options->Coefficients, error);
    if (!saved) {
        err << kName << error << "\n";
        return 2;
    }
    const std::optional<std::vector<std::string>> texts = ReadCase(in, kRunZeroTexts, error);
    if (!texts) {
        err << kName << error << "\n";
        return 2;
    }
    const std::string separator =
        options->Separator.empty() ? LocaleSeparator() : options->Separator;

    // The run without weight goes through the window's own reading of its fields, so a bad text
    // gets that field's message; the trial runs are not measured again, and their fields are given
    // a valid placeholder that the correction never reads.
    MeasurementSet set;
    for (int p = 1; p <= kPlaneCount; ++p) set.TrialMass[p] = kDefaultTrialMass;
    std::vector<std::string> messages;
    std::size_t next = 0;
    const bool accepted = ReadMeasurements(
        set, separator,
        [&](const ReadingField& field) {
            return field.Run == 0 ? (*texts)[next++] : std::string("0");
        },
        [&](const ReadingField&, const std::string& message) { messages.push_back(message); });
    if (!accepted) {
        for (const std::string& message : messages) err << message << "\n";
        return 1;
    }

    std::optional<CorrectionResult> correction;
    try {
        correction = ComputeCorrection(saved->Matrix, set);
    } catch (const FloatingPointError& failure) {
        err << failure.what() << ".\n";
        return 1;
    }
    if (!correction) {
        err << kInvalidTrialMassMessage << "\n";
        return 1;
    }

    JobReport report;
    report.From = Command::Trim;
    report.Options = &*options;
    report.WindowTexts = ResultTexts(*correction, separator);
    report.Correction = *correction;
    report.TrialMass = saved->TrialMass;
    report.TrialAngle = saved->TrialAngle;
    report.Unit = options->Unit.empty() ? saved->Unit : options->Unit;
    report.Separator = separator;
    report.Spread =
        EstimateSpread(set, saved->Matrix, false, *correction, saved->TrialMass,
                       {options->ToleranceAmplitudePercent, options->TolerancePhaseDegrees});
    report.CoefficientFile = options->Coefficients;
    out << (options->Json ? FormatJson(report) : FormatTable(report));
    return 0;
}

}  // namespace balance4::cli
