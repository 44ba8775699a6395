#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "correction.h"
#include "influence_matrix.h"
#include "measurement_set.h"
#include "reading_fields.h"

namespace balance4 {

// The 40 reading texts (UTF-8), one per entry of kReadingFields and in its order.
using ReadingTexts = std::array<std::string, kReadingFieldCount>;

// The eight texts of the run without weight, Vo1, Fo1, Vo2, Fo2 ... Fo4: that run's entries of
// kReadingFields, in their order.
inline constexpr int kRunZeroFieldCount = 2 * kPlaneCount;
using RunZeroTexts = std::array<std::string, kRunZeroFieldCount>;

// A refused field: its index in kReadingFields and the message the user is shown for it.
struct RefusedField {
    int Field = 0;
    std::string Message;

    bool operator==(const RefusedField&) const = default;
};

enum class PressOutcome {
    Refused,           // some field failed (see Failures); nothing calculated
    InvalidTrialMass,  // the system is singular: its determinant is zero or rounding noise
    Calculated,        // Texts and Correction hold the results
};

struct PressResult {
    PressOutcome Outcome = PressOutcome::Refused;
    std::vector<RefusedField> Failures;                // in visiting order; empty unless Refused
    std::array<std::string, kResultLabelCount> Texts;  // LabelM1..LabelM4, LabelF1..LabelF4
    CorrectionResult Correction;                       // the values behind Texts
};

// A solve over a given influence matrix also hands back the readings it solved, for repeating the
// calculation with moved readings.
struct MatrixSolveResult : PressResult {
    MeasurementSet Readings;  // the run without weight as read, trial masses of 100
};

// The program-wide measurement set and influence matrix, and the calculate action over them.
// Both persist from press to press, as they do for the life of the program.
class BalancingCalculator {
  public:
    // The calculator window sets the trial masses each time it is shown.
    void SetTrialMasses(double mass = kDefaultTrialMass);

    // One press of F9: reads, stores and checks all 40 texts, and calculates only when every field
    // was accepted. A refused field keeps its previous value, except a negative one, which is
    // stored. Throws FloatingPointError when the calculation overflows; no result is then
    // returned, the measurement set keeps the readings and the matrix may be partly rewritten.
    PressResult Press(const ReadingTexts& texts, std::string_view separator);

    const MeasurementSet& Measurements() const { return m_set; }
    const InfluenceMatrix& Matrix() const { return m_matrix; }

  private:
    MeasurementSet m_set;
    InfluenceMatrix m_matrix;
};

// The correction for a new run without weight over an influence matrix kept from earlier runs
// (a trim run): the eight texts are read and checked as the press reads those fields, then solved
// with trial masses of 100, so the masses come out in percent of the trial masses the matrix was
// measured with. Throws FloatingPointError as the press does.
MatrixSolveResult SolveWithMatrix(const InfluenceMatrix& matrix, const RunZeroTexts& texts,
                                  std::string_view separator);

// The eight result texts of a correction, in label order LabelM1..LabelM4, LabelF1..LabelF4.
std::array<std::string, kResultLabelCount> ResultTexts(const CorrectionResult& correction,
                                                       std::string_view separator);

// Reads the 40 texts into the set, as a press does; the refused fields in visiting order (none:
// every field was accepted). Exposed for tests.
std::vector<RefusedField> ReadMeasurements(MeasurementSet& set, const ReadingTexts& texts,
                                           std::string_view separator);

}  // namespace balance4
