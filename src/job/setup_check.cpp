#include "setup_check.h"

#include <cmath>

#include "positions.h"
#include "readings.h"

namespace balance4::job {

namespace {

bool Finite(double value) {
    return std::isfinite(value);
}

std::string OfPlane(const std::string& what, std::size_t k) {
    return what + ", плоскость " + std::to_string(k + 1);
}

void Fail(std::vector<CellFailure>& failures, Cell cell, std::size_t plane, const char* what) {
    failures.push_back({cell, -1, -1, static_cast<int>(plane), OfPlane(what, plane)});
}

// Radii, positions and installed weights of each plane; the trial weights where `trials`.
void CheckPlanes(const Job& job, bool trials, std::vector<CellFailure>& failures) {
    for (std::size_t k = 0; k < job.Plane.size(); ++k) {
        const PlaneSetup& plane = job.Plane[k];
        if (trials && !(Finite(plane.TrialMass) && plane.TrialMass >= 0.0))  // 0: not given
            Fail(failures, Cell::TrialMass, k, "Неверно задана пробная масса");
        if (trials && !Finite(plane.TrialAngle))
            Fail(failures, Cell::TrialAngle, k, "Неверно задан угол пробного груза");
        if (!(Finite(plane.TrialRadius) && plane.TrialRadius >= 0.0))
            Fail(failures, Cell::TrialRadius, k, "Неверно задан радиус пробного груза");
        if (!(Finite(plane.CorrectionRadius) && plane.CorrectionRadius >= 0.0))
            Fail(failures, Cell::CorrectionRadius, k, "Неверно задан радиус поправки");
        if (const std::optional<std::string> problem = PositionsProblem(plane))
            failures.push_back({Cell::Positions, -1, -1, static_cast<int>(k),
                                OfPlane("Неверно заданы места для грузов", k) + ": " + *problem});
        if (k < job.Installed.size())
            for (const Weight& weight : job.Installed[k])
                if (!(Finite(weight.Mass) && weight.Mass >= 0.0 && Finite(weight.AngleDegrees))) {
                    Fail(failures, Cell::Installed, k, "Неверно задан установленный груз");
                    break;
                }
    }
    const Tolerance& tolerance = job.Instrument;
    // Amplitudes must stay positive, and a phase off by more than half a turn means nothing.
    if (!(tolerance.AmplitudePercent >= 0.0 && tolerance.AmplitudePercent < 100.0 &&
          tolerance.PhaseDegrees >= 0.0 && tolerance.PhaseDegrees <= 180.0))
        failures.push_back({Cell::Tolerance, -1, -1, -1, "Неверно задан допуск прибора"});
}

void FailShape(std::vector<CellFailure>& failures, std::string message) {
    failures.push_back({Cell::Shape, -1, -1, -1, std::move(message)});
}

// Slow roll and installed weights, when given, have one entry per point and per plane.
bool ExtrasFit(const Job& job, std::size_t planes, std::size_t points,
               std::vector<CellFailure>& failures) {
    if (!job.SlowRoll.empty() && job.SlowRoll.size() != points) {
        FailShape(failures, "Биение задано не для каждой точки");
        return false;
    }
    if (!job.Installed.empty() && job.Installed.size() != planes) {
        FailShape(failures, "Установленные грузы заданы не для каждой плоскости");
        return false;
    }
    return true;
}

bool ShapeFits(int planes, int points) {
    return planes >= 1 && planes <= kMaxPlanes && points >= planes && points <= kMaxPoints;
}

constexpr const char* kShapeMessage =
    "Плоскостей должно быть от 1 до 8, точек — не меньше, чем плоскостей, и не больше 16";

}  // namespace

void CheckSetup(const Job& job, std::vector<CellFailure>& failures) {
    if (!ShapeFits(job.Planes(), job.Points)) return FailShape(failures, kShapeMessage);
    bool fits = job.Readings.size() == job.Plane.size() + 1;
    for (const std::vector<ReadingText>& run : job.Readings)
        fits = fits && run.size() == static_cast<std::size_t>(job.Points);
    if (!fits) return FailShape(failures, "Показаний не столько, сколько пусков и точек");
    if (!ExtrasFit(job, job.Plane.size(), static_cast<std::size_t>(job.Points), failures)) return;
    CheckPlanes(job, true, failures);
}

void CheckTrimSetup(const Job& job, const std::vector<ReadingText>& run0,
                    std::vector<CellFailure>& failures) {
    if (!job.Saved) {
        failures.push_back({Cell::Coefficients, -1, -1, -1, "Нет сохранённых коэффициентов"});
        return;
    }
    const Coefficients& saved = *job.Saved;
    bool usable = ShapeFits(saved.Planes, saved.Points) &&
                  saved.Element.size() == static_cast<std::size_t>(saved.Planes * saved.Points) &&
                  saved.Trial.size() == static_cast<std::size_t>(saved.Planes);
    for (std::size_t i = 0; usable && i < saved.Element.size(); ++i)
        usable = Finite(saved.Element[i].Magnitude) && saved.Element[i].Magnitude >= 0.0 &&
                 Finite(saved.Element[i].Angle);
    for (std::size_t k = 0; usable && k < saved.Trial.size(); ++k)
        usable = Finite(saved.Trial[k].Mass) && saved.Trial[k].Mass > 0.0 &&
                 Finite(saved.Trial[k].AngleDegrees);
    if (!usable) {
        failures.push_back(
            {Cell::Coefficients, -1, -1, -1, "Сохранённые коэффициенты не годятся для расчёта"});
        return;
    }
    if (run0.size() != static_cast<std::size_t>(saved.Points))
        return FailShape(failures, "Показаний нового пуска должно быть " +
                                       std::to_string(saved.Points) + " — по одному на точку");
    const auto planes = static_cast<std::size_t>(saved.Planes);
    if (!ExtrasFit(job, planes, run0.size(), failures)) return;
    // The job's own planes give radii and positions when they match the coefficients.
    if (job.Plane.size() == planes) CheckPlanes(job, false, failures);
}

bool HasSlowRoll(const Job& job) {
    for (const ReadingText& text : job.SlowRoll)
        if (!text.Amplitude.empty() || !text.Phase.empty()) return true;
    return false;
}

std::vector<Complex> ReadSlowRoll(const Job& job, std::vector<CellFailure>& failures) {
    if (!HasSlowRoll(job)) return {};
    std::vector<Complex> slowRoll;
    for (std::size_t p = 0; p < job.SlowRoll.size(); ++p) {
        const ReadingText& text = job.SlowRoll[p];
        if (text.Amplitude.empty() && text.Phase.empty()) {
            slowRoll.emplace_back();
            continue;
        }
        const std::optional<PolarReading> reading = ReadReading(
            text, job.Separator, Cell::SlowRollAmplitude, Cell::SlowRollPhase, -1,
            static_cast<int>(p), "Неверно задано биение, точка " + std::to_string(p + 1), failures);
        slowRoll.push_back(reading ? AsComplex(*reading) : Complex{});
    }
    return slowRoll;
}

}  // namespace balance4::job
