#include "go_no_go.h"

#include <cmath>

#include "disagreeing_points.h"

namespace balance4::job {

namespace {

// A percentage in whole numbers, which needs no decimal separator.
std::string Percent(double value) {
    return std::isfinite(value) ? std::to_string(std::llround(value)) + " %" : "бесконечно много";
}

std::string RunOf(std::size_t plane) {
    return "Пуск " + std::to_string(plane + 2) + " (пробный груз в плоскости " +
           std::to_string(plane + 1) + ")";
}

}  // namespace

std::string WeakRunWarning(std::size_t plane, double changePercent) {
    return RunOf(plane) + ": вибрация изменилась на " + Percent(changePercent) + ", меньше " +
           Percent(kWeakRunPercent) + " — слабый пуск, поправка может оказаться неточной";
}

std::string LargeRunWarning(std::size_t plane, double changePercent) {
    return RunOf(plane) + ": вибрация изменилась на " + Percent(changePercent) + ", больше " +
           Percent(kLargeRunPercent) + " — пробный груз велик, это опасно для машины";
}

std::string LightTrialWarning(std::size_t plane, double correctionPercent) {
    return "Плоскость " + std::to_string(plane + 1) + ": поправка — " + Percent(correctionPercent) +
           " пробной массы, больше " + Percent(kLargeCorrectionPercent) +
           " — пробный груз мал — повторите пуск с бо́льшим грузом";
}

void AddRuleWarnings(JobResult& result) {
    for (std::size_t k = 0; k < result.Runs.size(); ++k) {
        const RunQuality& run = result.Runs[k];
        const int number = static_cast<int>(k) + 2;
        if (run.Weak)
            result.Warnings.push_back(
                {WarningSubject::Run, number, WeakRunWarning(k, run.ChangePercent)});
        if (run.Large)
            result.Warnings.push_back(
                {WarningSubject::Run, number, LargeRunWarning(k, run.ChangePercent)});
    }
    for (std::size_t k = 0; k < result.Planes.size(); ++k)
        if (result.Planes[k].Percent > kLargeCorrectionPercent)
            result.Warnings.push_back({WarningSubject::Plane, static_cast<int>(k) + 1,
                                       LightTrialWarning(k, result.Planes[k].Percent)});
    for (const SuspectPoint& suspect : result.Suspects)
        result.Warnings.push_back(
            {WarningSubject::Point, suspect.Point, SuspectPointMessage(suspect.Point - 1)});
}

}  // namespace balance4::job
