#include "balancing_calculator.h"

#include <optional>

#include "correction.h"
#include "extended.h"
#include "number_text.h"

namespace balance4 {

namespace {

// The value to store for a field's text: amplitudes as typed, phases from degrees to radians.
// Empty when the text does not convert or the value does not fit a double; an error while
// converting counts as that field's failure.
std::optional<double> ConvertField(ReadingKind kind, std::string_view text,
                                   std::string_view separator) {
    const std::optional<Extended> value = ParseDecimal(text, separator);
    if (!value) return std::nullopt;
    try {
        return Store(kind == ReadingKind::Amplitude ? *value : *value * kDegreesToRadians);
    } catch (const FloatingPointError&) {
        return std::nullopt;
    }
}

}  // namespace

bool ReadMeasurements(MeasurementSet& set, std::string_view separator,
                      const ReadFieldText& readText, const ReportFieldFailure& reportFailure) {
    bool allAccepted = true;
    for (const ReadingField& field : kReadingFields) {
        const std::optional<double> value = ConvertField(field.Kind, readText(field), separator);
        if (!value) {  // the previous value stays
            allAccepted = false;
            reportFailure(field, FailureMessage(field, FieldFailure::Unreadable));
            continue;
        }
        double& slot = field.Kind == ReadingKind::Amplitude ? set.Amplitude[field.Run][field.Plane]
                                                            : set.Phase[field.Run][field.Plane];
        slot = *value;  // stored before the sign test: a refused negative value stays in the set
        if (slot < 0.0) {
            allAccepted = false;
            reportFailure(field, FailureMessage(field, FieldFailure::Negative));
        }
    }
    return allAccepted;
}

void BalancingCalculator::SetTrialMasses(double mass) {
    for (int p = 1; p <= kPlaneCount; ++p) m_set.TrialMass[p] = mass;
}

PressResult BalancingCalculator::Press(std::string_view separator, const ReadFieldText& readText,
                                       const ReportFieldFailure& reportFailure) {
    const ExtendedPrecisionScope precision;
    PressResult result;
    if (!ReadMeasurements(m_set, separator, readText, reportFailure)) return result;

    ComputeInfluenceMatrix(m_set, m_matrix);
    const std::optional<CorrectionResult> correction = ComputeCorrection(m_matrix, m_set);
    if (!correction) {
        result.Outcome = PressOutcome::InvalidTrialMass;
        return result;
    }
    result.Outcome = PressOutcome::Calculated;
    result.Texts = ResultTexts(*correction, separator);
    result.Correction = *correction;
    return result;
}

std::array<std::string, kResultLabelCount> ResultTexts(const CorrectionResult& correction,
                                                       std::string_view separator) {
    std::array<std::string, kResultLabelCount> texts;
    for (int p = 1; p <= kPlaneCount; ++p) {
        texts[p - 1] = FormatResult(correction.Plane[p].MassPercent, separator);
        texts[kPlaneCount + p - 1] = FormatResult(correction.Plane[p].AngleDegrees, separator);
    }
    return texts;
}

}  // namespace balance4
