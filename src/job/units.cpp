#include "units.h"

#include <cmath>

#include "number_text.h"

namespace balance4::job {

std::optional<double> GramsPerUnit(const std::string& unit) {
    if (unit == "г" || unit == "g" || unit == "гр") return 1.0;
    if (unit == "кг" || unit == "kg") return 1000.0;
    if (unit == "мг" || unit == "mg") return 0.001;
    if (OunceUnit(unit)) return kGramsPerOunce;
    return std::nullopt;
}

bool OunceUnit(const std::string& unit) {
    return unit == "oz" || unit == "унц" || unit == "унц.";
}

double CorrectionAt(const PlaneSetup& plane) {
    if (plane.TrialRadius > 0.0 && plane.CorrectionRadius > 0.0) return plane.CorrectionRadius;
    return plane.CorrectionRadius > 0.0 ? 0.0 : plane.TrialRadius;
}

std::string UnbalanceText(const PlaneSetup& plane, const std::string& unit, double mass,
                          const std::string& separator) {
    const double radius = CorrectionAt(plane);
    const std::optional<double> grams = GramsPerUnit(unit);
    if (!(radius > 0.0) || !grams || !std::isfinite(mass)) return {};
    std::string text = "дисбаланс " + FormatResult(mass * *grams * radius, separator) + " г·мм";
    if (OunceUnit(unit))
        text += ", " + FormatResult(mass * radius / kMillimetresPerInch, separator) + " oz·in";
    return text;
}

std::string ReadingUnitAfterHeading(const Job& job) {
    return job.ReadingUnit.empty() ? std::string() : ", " + job.ReadingUnit;
}

std::string ReadingUnitAfterNumber(const Job& job) {
    return job.ReadingUnit.empty() ? std::string() : " " + job.ReadingUnit;
}

}  // namespace balance4::job
