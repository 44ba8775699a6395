#include "trial_weight.h"

#include <cmath>
#include <numbers>

#include "job.h"
#include "number_text.h"

namespace balance4::job {

std::optional<TrialWeightRange> SizeTrialWeight(double rotorMassKg, double speedRpm,
                                                double radiusMm, int planes, std::string& error) {
    const auto positive = [](double value) { return std::isfinite(value) && value > 0.0; };
    if (!positive(rotorMassKg))
        error = "масса ротора должна быть больше нуля";
    else if (!positive(speedRpm))
        error = "частота вращения должна быть больше нуля";
    else if (!positive(radiusMm))
        error = "радиус пробного груза должен быть больше нуля";
    else if (planes < 1 || planes > kMaxPlanes)
        error = "плоскостей должно быть от 1 до 8";
    if (!error.empty()) return std::nullopt;
    const double omega = 2.0 * std::numbers::pi * speedRpm / 60.0;
    // Grams per unit share: M·g / (N·r·ω²) with r in metres, times 1000.
    const double perShare =
        rotorMassKg * kStandardGravity / (planes * radiusMm / 1000.0 * omega * omega) * 1000.0;
    const TrialWeightRange range{kTrialForceShareLeast * perShare,
                                 kTrialForceShareUsual * perShare};
    if (!std::isfinite(range.Usual) || !(range.Least > 0.0)) {
        error = "пробная масса выходит за пределы чисел: проверьте данные";
        return std::nullopt;
    }
    return range;
}

std::string TrialWeightText(const TrialWeightRange& range, const std::string& separator) {
    return "Пробная масса на плоскость: " + FormatResult(range.Usual, separator) +
           " г (не меньше " + FormatResult(range.Least, separator) + " г)";
}

}  // namespace balance4::job
