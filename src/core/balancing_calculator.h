#pragma once
#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "correction.h"
#include "influence_matrix.h"
#include "measurement_set.h"
#include "reading_fields.h"

namespace balance4 {

enum class PressOutcome {
    Refused,           // some field failed; each was reported; nothing calculated
    InvalidTrialMass,  // the system is singular: its determinant is zero or rounding noise
    Calculated,        // Texts holds the eight results
};

struct PressResult {
    PressOutcome Outcome = PressOutcome::Refused;
    std::array<std::string, kResultLabelCount> Texts;  // LabelM1..LabelM4, LabelF1..LabelF4
    CorrectionResult Correction;                       // the values behind Texts
};

// The eight result texts of a correction, in label order LabelM1..LabelM4, LabelF1..LabelF4.
std::array<std::string, kResultLabelCount> ResultTexts(const CorrectionResult& correction,
                                                       std::string_view separator);

// Supplies a field's current text (UTF-8) at the moment the press reaches it.
using ReadFieldText = std::function<std::string(const ReadingField&)>;
// Told about each failing field, in visiting order, with its message; returns when the user has
// seen it.
using ReportFieldFailure = std::function<void(const ReadingField&, const std::string& message)>;

// The program-wide measurement set and influence matrix, and the calculate action over them.
// Both persist from press to press, as they do for the life of the program.
class BalancingCalculator {
  public:
    // The calculator window sets the trial masses each time it is shown.
    void SetTrialMasses(double mass = kDefaultTrialMass);

    // One press of F9: reads, stores and checks all 40 fields, and calculates only when every field
    // was accepted. Throws FloatingPointError when the calculation overflows; no result is then
    // returned, the measurement set keeps the readings and the matrix may be partly rewritten.
    PressResult Press(std::string_view separator, const ReadFieldText& readText,
                      const ReportFieldFailure& reportFailure);

    const MeasurementSet& Measurements() const { return m_set; }
    const InfluenceMatrix& Matrix() const { return m_matrix; }

  private:
    MeasurementSet m_set;
    InfluenceMatrix m_matrix;
};

// Reads the 40 fields into the set; true when every one was accepted. Exposed for tests.
bool ReadMeasurements(MeasurementSet& set, std::string_view separator,
                      const ReadFieldText& readText, const ReportFieldFailure& reportFailure);

}  // namespace balance4
