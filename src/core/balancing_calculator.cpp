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

// Reads one field into the set; a refusal is added to `failures`.
void ReadField(MeasurementSet& set, int index, std::string_view text, std::string_view separator,
               std::vector<RefusedField>& failures) {
    const ReadingField& field = kReadingFields[static_cast<std::size_t>(index)];
    const std::optional<double> value = ConvertField(field.Kind, text, separator);
    if (!value) {  // the previous value stays
        failures.push_back({index, FailureMessage(field, FieldFailure::Unreadable)});
        return;
    }
    double& slot = field.Kind == ReadingKind::Amplitude ? set.Amplitude[field.Run][field.Plane]
                                                        : set.Phase[field.Run][field.Plane];
    slot = *value;  // stored before the sign test: a refused negative value stays in the set
    if (slot < 0.0) failures.push_back({index, FailureMessage(field, FieldFailure::Negative)});
}

// Fills in the outcome of a calculation over accepted readings.
void Finish(const InfluenceMatrix& matrix, const MeasurementSet& set, std::string_view separator,
            PressResult& result) {
    const std::optional<CorrectionResult> correction = ComputeCorrection(matrix, set);
    if (!correction) {
        result.Outcome = PressOutcome::InvalidTrialMass;
        return;
    }
    result.Outcome = PressOutcome::Calculated;
    result.Texts = ResultTexts(*correction, separator);
    result.Correction = *correction;
}

}  // namespace

std::vector<RefusedField> ReadMeasurements(MeasurementSet& set, const ReadingTexts& texts,
                                           std::string_view separator) {
    const ExtendedPrecisionScope precision;
    std::vector<RefusedField> failures;
    for (int i = 0; i < kReadingFieldCount; ++i)
        ReadField(set, i, texts[static_cast<std::size_t>(i)], separator, failures);
    return failures;
}

void BalancingCalculator::SetTrialMasses(double mass) {
    for (int p = 1; p <= kPlaneCount; ++p) m_set.TrialMass[p] = mass;
}

PressResult BalancingCalculator::Press(const ReadingTexts& texts, std::string_view separator) {
    const ExtendedPrecisionScope precision;
    PressResult result;
    result.Failures = ReadMeasurements(m_set, texts, separator);
    if (!result.Failures.empty()) return result;

    ComputeInfluenceMatrix(m_set, m_matrix);
    Finish(m_matrix, m_set, separator, result);
    return result;
}

MatrixSolveResult SolveWithMatrix(const InfluenceMatrix& matrix, const RunZeroTexts& texts,
                                  std::string_view separator) {
    const ExtendedPrecisionScope precision;
    MatrixSolveResult result;
    for (int p = 1; p <= kPlaneCount; ++p) result.Readings.TrialMass[p] = kDefaultTrialMass;
    std::size_t next = 0;
    for (int i = 0; i < kReadingFieldCount; ++i) {
        if (kReadingFields[static_cast<std::size_t>(i)].Run != 0) continue;
        ReadField(result.Readings, i, texts[next++], separator, result.Failures);
    }
    if (!result.Failures.empty()) return result;

    Finish(matrix, result.Readings, separator, result);
    return result;
}

std::array<std::string, kResultLabelCount> ResultTexts(const CorrectionResult& correction,
                                                       std::string_view separator) {
    const ExtendedPrecisionScope precision;
    std::array<std::string, kResultLabelCount> texts;
    for (int p = 1; p <= kPlaneCount; ++p) {
        texts[p - 1] = FormatResult(correction.Plane[p].MassPercent, separator);
        texts[kPlaneCount + p - 1] = FormatResult(correction.Plane[p].AngleDegrees, separator);
    }
    return texts;
}

}  // namespace balance4
