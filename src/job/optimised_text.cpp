#include "optimised_text.h"

#include <cmath>

#include "job_text.h"
#include "number_text.h"

namespace balance4::job {

namespace {

std::string Short(double value, std::string_view separator) {
    return TrimmedResultText(value, separator);
}

}  // namespace

std::string_view ObjectiveChoiceName(Objective objective) {
    return objective == Objective::MinMax ? "наименьший наибольший остаток" : "наименьшие квадраты";
}

std::string_view ObjectiveSentence(Objective objective) {
    return objective == Objective::MinMax
               ? "Цель: наименьшая наибольшая остаточная вибрация (минимакс)."
               : "Цель: наименьшая сумма квадратов остаточной вибрации.";
}

std::string LimitListText(const std::vector<double>& limits, std::string_view separator) {
    std::string text;
    for (const double value : limits)
        text += (text.empty() ? "" : "; ") + (value > 0.0 ? FormatResult(value, separator) : "—");
    return text;
}

bool AnyLimitGiven(const std::vector<double>& limits) {
    for (const double value : limits)
        if (value > 0.0) return true;
    return false;
}

std::string WorstPlaceText(const AnswerFigures& figures, int speeds) {
    std::string text = "точка " + std::to_string(figures.WorstPoint + 1);
    if (speeds > 1) text += ", частота " + std::to_string(figures.WorstSpeed + 1);
    return text;
}

std::string BoxKindsText(const std::vector<BoxMass>& masses, std::string_view separator) {
    std::string text;
    for (const BoxMass& kind : masses)
        text += (text.empty() ? "" : "; ") + Short(kind.Mass, separator) + "×" +
                std::to_string(kind.Count);
    return text;
}

std::string BoxKindProblem(const BoxMass& kind, int number) {
    if (std::isfinite(kind.Mass) && kind.Mass > 0.0 && kind.Count >= 1) return {};
    return "Набор грузов, груз " + std::to_string(number) +
           ": нужны масса больше нуля и число штук не меньше 1";
}

std::string BoxSearchText(const BoxResult& box, std::string_view separator) {
    return box.Proven ? "Это наилучшая раскладка."
                      : "Лучшая найденная за отведённое время; доказанный предел ниже её на " +
                            FormatResult(box.Gap * 100.0, separator) + " %.";
}

}  // namespace balance4::job
