#include "iso_check.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

#include "calculate.h"
#include "units.h"
#include "weights.h"

namespace balance4::job {

namespace {

bool Positive(double value) {
    return std::isfinite(value) && value > 0.0;
}

// Far beyond any machine: past them an input is a typing error, not a rotor.
constexpr double kMostRotorMass = 1e7;  // kg
constexpr double kMostSpeed = 1e6;      // rpm
constexpr double kMostLever = 1e6;      // mm

bool InRange(double value, double most) {
    return Positive(value) && value <= most;
}

// Where the weights of plane k sit, mm: the correction radius, else the trial radius. A correction
// radius given alone is taken as the trial weight's radius too (the mass is not converted then).
double RadiusOf(const PlaneSetup& plane) {
    return plane.CorrectionRadius > 0.0 ? plane.CorrectionRadius : plane.TrialRadius;
}

std::string PlaneName(std::size_t k) {
    return "плоскость " + std::to_string(k + 1);
}

}  // namespace

bool IsBalanceGrade(double grade) {
    return std::any_of(kBalanceGrades.begin(), kBalanceGrades.end(),
                       [&](double g) { return std::fabs(grade - g) <= 1e-9 * g; });
}

std::optional<PermissibleUnbalance> Permissible(const IsoSetup& setup, std::string& error) {
    if (!InRange(setup.RotorMass, kMostRotorMass)) {
        error = "масса ротора должна быть больше нуля и не больше 10 000 000 кг";
        return std::nullopt;
    }
    if (!InRange(setup.Speed, kMostSpeed)) {
        error = "рабочая частота вращения должна быть больше нуля и не больше 1 000 000 об/мин";
        return std::nullopt;
    }
    if (!IsBalanceGrade(setup.Grade)) {
        error =
            "класс точности балансировки G должен быть из ряда 0,4; 1; 2,5; 6,3; 16; 40; 100; 250; "
            "630; 1600; 4000";
        return std::nullopt;
    }
    if (!setup.Levers.empty() &&
        (setup.Levers.size() != 2 || !InRange(setup.Levers[0], kMostLever) ||
         !InRange(setup.Levers[1], kMostLever))) {
        error =
            "расстояния от центра масс до опор A и B должны быть больше нуля и не больше "
            "1 000 000 мм";
        return std::nullopt;
    }
    const double omega = 2.0 * std::numbers::pi * setup.Speed / 60.0;
    PermissibleUnbalance limit;
    limit.PerKilogram = 1000.0 * setup.Grade / omega;
    limit.Total = limit.PerKilogram * setup.RotorMass;
    if (!std::isfinite(limit.Total)) {
        error = "рабочая частота вращения слишком мала для расчёта";
        return std::nullopt;
    }
    double shareA = 0.5, shareB = 0.5;
    if (!setup.Levers.empty()) {
        const double span = setup.Levers[0] + setup.Levers[1];
        shareA = std::clamp(setup.Levers[1] / span, kLeastBearingShare, kMostBearingShare);
        shareB = std::clamp(setup.Levers[0] / span, kLeastBearingShare, kMostBearingShare);
        limit.ByLevers = true;
    }
    limit.BearingA = limit.Total * shareA;
    limit.BearingB = limit.Total * shareB;
    return limit;
}

std::optional<IsoCheck> CheckIso(const Job& job, const IsoSetup& setup,
                                 const std::vector<Weight>& remaining, std::string& error) {
    const std::optional<PermissibleUnbalance> limit = Permissible(setup, error);
    if (!limit) return std::nullopt;
    const std::optional<double> grams = GramsPerUnit(job.Unit);
    if (!grams) {
        error = "единица массы «" + job.Unit + "» не переводится в граммы: задайте г или кг";
        return std::nullopt;
    }
    const std::size_t planes = remaining.size();
    if (planes == 0 || planes != job.Plane.size()) {
        error = "нет поправки для каждой плоскости";
        return std::nullopt;
    }
    // Residual unbalance per plane as a vector, g·mm.
    std::vector<std::complex<double>> unbalance;
    for (std::size_t k = 0; k < planes; ++k) {
        const double radius = RadiusOf(job.Plane[k]);
        if (!Positive(radius)) {
            error = PlaneName(k) + ": нужен радиус коррекции или радиус пробного груза (мм)";
            return std::nullopt;
        }
        unbalance.push_back(AsVector(remaining[k]) * (*grams * radius));
    }
    IsoCheck check;
    check.Limit = *limit;
    const bool positions = setup.Bearings.size() == 2 && setup.PlanePositions.size() == planes;
    if (positions) {
        const double zA = setup.Bearings[0], zB = setup.Bearings[1];
        if (!std::isfinite(zA) || !std::isfinite(zB) || zA == zB) {
            error = "опоры A и B должны стоять в разных местах по оси";
            return std::nullopt;
        }
        std::complex<double> a, b;
        for (std::size_t k = 0; k < planes; ++k) {
            const double z = setup.PlanePositions[k];
            a += unbalance[k] * ((zB - z) / (zB - zA));
            b += unbalance[k] * ((z - zA) / (zB - zA));
        }
        check.ByStatics = true;
        check.ResidualA = std::abs(a);
        check.ResidualB = std::abs(b);
    } else if (planes == 1) {
        check.WholeRotor = true;
        check.ResidualA = std::abs(unbalance[0]);
        check.Within = check.ResidualA <= limit->Total;
        return check;
    } else if (planes == 2) {
        check.ResidualA = std::abs(unbalance[0]);
        check.ResidualB = std::abs(unbalance[1]);
    } else {
        error =
            "для трёх и более плоскостей нужны осевые положения опор и каждой плоскости коррекции";
        return std::nullopt;
    }
    check.Within = check.ResidualA <= limit->BearingA && check.ResidualB <= limit->BearingB;
    return check;
}

std::optional<std::vector<Weight>> RemainingCorrection(const Job& job, std::string& error) {
    if (!job.TrimHistory.empty()) return job.TrimHistory.back().Correction;
    const JobResult result = Calculate(job);
    if (result.Result != Outcome::Calculated) {
        error = !result.Message.empty()    ? result.Message
                : !result.Failures.empty() ? result.Failures.front().Message
                                           : "задание не рассчитано";
        return std::nullopt;
    }
    std::vector<Weight> remaining;
    for (const PlaneResult& plane : result.Planes)
        remaining.push_back({plane.Mass, plane.AngleFromZero});
    return remaining;
}

std::optional<IsoCheck> CheckJobIso(const Job& job, const IsoSetup& setup, const JobResult& result,
                                    std::string& error) {
    const bool calculated = result.Result == Outcome::Calculated;
    const bool trim = calculated && result.Runs.empty();
    std::optional<std::vector<Weight>> remaining;
    if (trim || (calculated && job.TrimHistory.empty())) {
        remaining.emplace();
        for (const PlaneResult& plane : result.Planes)
            remaining->push_back({plane.Mass, plane.AngleFromZero});
    } else if (!job.TrimHistory.empty()) {
        remaining = RemainingCorrection(job, error);
    } else {
        // Not calculated: why, without calculating the job again.
        error = !result.Message.empty()    ? result.Message
                : !result.Failures.empty() ? result.Failures.front().Message
                                           : "задание не рассчитано";
        return std::nullopt;
    }
    if (!remaining) return std::nullopt;
    return CheckIso(job, setup, *remaining, error);
}

}  // namespace balance4::job
