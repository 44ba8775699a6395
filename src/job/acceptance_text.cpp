#include "acceptance_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "number_text.h"

namespace balance4::job {

namespace {

constexpr std::string_view kNoBreakSpace = "\u00A0";

std::string WithSeparator(std::string text, std::string_view separator) {
    const std::size_t point = text.find('.');
    if (point != std::string::npos) text.replace(point, 1, separator);
    return text;
}

// Fixed decimals, the whole part grouped by threes.
std::string Grouped(double value, int decimals, std::string_view separator) {
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, std::fabs(value));
    std::string text = buffer;
    const std::size_t whole = std::min(text.find('.'), text.size());
    std::string grouped;
    for (std::size_t i = 0; i < whole; ++i) {
        if (i > 0 && (whole - i) % 3 == 0) grouped += kNoBreakSpace;
        grouped += text[i];
    }
    return (value < 0 ? "-" : "") + grouped + WithSeparator(text.substr(whole), separator);
}

// A number as the user types it: 2,5 rather than 2,50, 40 rather than 40,0; whole numbers grouped.
std::string Short(double value, std::string_view separator) {
    if (value == std::round(value) && std::fabs(value) < 1e15) return Grouped(value, 0, separator);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return WithSeparator(buffer, separator);
}

}  // namespace

std::string UnbalanceText(double value, std::string_view separator) {
    if (!std::isfinite(value)) return "—";
    const double magnitude = std::fabs(value);
    const int whole = magnitude > 0.0 ? static_cast<int>(std::floor(std::log10(magnitude))) + 1 : 1;
    return Grouped(value, std::clamp(4 - whole, 1, 9), separator);
}

std::string GradeText(double grade, std::string_view separator) {
    return "G " + Short(grade, separator);
}

std::string IsoVerdictText(double grade, bool within, std::string_view separator) {
    return "Допуск ISO 21940-11, " + GradeText(grade, separator) + ": " +
           (within ? "выполнен" : "не выполнен");
}

std::vector<std::string> IsoLines(const IsoSetup& setup, const PermissibleUnbalance& limit,
                                  const IsoCheck* check, std::string_view separator) {
    const auto gmm = [&](double value) { return UnbalanceText(value, separator) + " г·мм"; };
    std::vector<std::string> lines = {
        "Допустимый остаточный дисбаланс по ISO 21940-11, " + GradeText(setup.Grade, separator) +
            ", масса ротора " + Short(setup.RotorMass, separator) + " кг, " +
            Short(setup.Speed, separator) + " об/мин:",
        "  всего " + gmm(limit.Total) + " (" + UnbalanceText(limit.PerKilogram, separator) +
            " г·мм/кг)",
    };
    if (!check || !check->WholeRotor)
        lines.push_back("  на опору A " + gmm(limit.BearingA) + ", на опору B " +
                        gmm(limit.BearingB) +
                        (limit.ByLevers ? std::string(" (по расстояниям до центра масс)")
                                        : std::string(" (центр масс посередине)")));
    if (!check) return lines;
    if (check->WholeRotor) {
        lines.push_back("Остаточный дисбаланс плоскости 1: " + gmm(check->ResidualA));
    } else {
        lines.push_back(std::string(check->ByStatics ? "Остаточный дисбаланс, приведённый к "
                                                       "опорам: A "
                                                     : "Остаточный дисбаланс: плоскость 1 (A) ") +
                        gmm(check->ResidualA) + (check->ByStatics ? ", B " : ", плоскость 2 (B) ") +
                        gmm(check->ResidualB));
    }
    lines.push_back(IsoVerdictText(setup.Grade, check->Within, separator));
    return lines;
}

std::string IsoNotCheckedText(std::string_view problem) {
    return "Допуск ISO 21940-11 не проверен: " + std::string(problem) + ".";
}

std::string RunName(const RunVibration& run) {
    switch (run.Kind) {
        case RunKind::Control:
            return "контрольный пуск " + std::to_string(run.Number);
        case RunKind::Predicted:
            return "прогноз";
        case RunKind::Initial:
            break;
    }
    return "пуск 0";
}

std::string_view PointWord(bool above) {
    return above ? "выше нормы" : "в норме";
}

std::vector<std::vector<std::string>> VibrationTable(const Acceptance& acceptance,
                                                     std::string_view separator) {
    std::size_t points = acceptance.Limit.size();
    for (const RunVibration& run : acceptance.Runs) points = std::max(points, run.Amplitude.size());
    std::vector<std::vector<std::string>> table = {{"Пуск"}};
    for (std::size_t p = 0; p < points; ++p) table[0].push_back("точка " + std::to_string(p + 1));
    for (const RunVibration& run : acceptance.Runs) {
        std::vector<std::string>& row = table.emplace_back(1, RunName(run));
        for (std::size_t p = 0; p < points; ++p)
            row.push_back(p < run.Amplitude.size() ? FormatResult(run.Amplitude[p], separator)
                                                   : "—");
    }
    if (acceptance.Limit.empty()) return table;
    std::vector<std::string>& limit = table.emplace_back(1, "Норма");
    for (const double value : acceptance.Limit) limit.push_back(FormatResult(value, separator));
    if (!acceptance.Judged) return table;
    std::vector<std::string>& verdict = table.emplace_back(1, "Оценка");
    for (const bool above : acceptance.Runs[*acceptance.Judged].Above)
        verdict.emplace_back(PointWord(above));
    return table;
}

std::vector<std::vector<std::string>> BeforeAfterTable(const Acceptance& acceptance,
                                                       std::string_view separator) {
    const RunVibration* initial = nullptr;
    const RunVibration* control = nullptr;
    const RunVibration* predicted = nullptr;
    for (const RunVibration& run : acceptance.Runs) {
        if (run.Kind == RunKind::Initial) initial = &run;
        if (run.Kind == RunKind::Control) control = &run;
        if (run.Kind == RunKind::Predicted) predicted = &run;
    }
    const auto amplitude = [&](const RunVibration* run, std::size_t p) {
        return run && p < run->Amplitude.size() ? FormatResult(run->Amplitude[p], separator)
                                                : std::string("—");
    };
    std::vector<std::vector<std::string>> table = {
        {"Точка", "пуск 0", control ? RunName(*control) : "после", "прогноз", "норма", "оценка"}};
    const std::size_t points = initial
                                   ? std::max(initial->Amplitude.size(), acceptance.Limit.size())
                                   : acceptance.Limit.size();
    for (std::size_t p = 0; p < points; ++p) {
        const std::vector<bool>* above =
            acceptance.Judged ? &acceptance.Runs[*acceptance.Judged].Above : nullptr;
        table.push_back(
            {std::to_string(p + 1), amplitude(initial, p), amplitude(control, p),
             amplitude(predicted, p),
             p < acceptance.Limit.size() ? FormatResult(acceptance.Limit[p], separator) : "—",
             above && p < above->size() ? std::string(PointWord((*above)[p])) : "—"});
    }
    return table;
}

std::string VerdictText(const Acceptance& acceptance) {
    if (!acceptance.Within) return {};
    const RunVibration& judged = acceptance.Runs[*acceptance.Judged];
    const std::string run = " (" + RunName(judged) + ").";
    if (*acceptance.Within) return "Итог: вибрация в норме во всех точках" + run;
    std::string points;
    int count = 0;
    for (std::size_t p = 0; p < judged.Above.size(); ++p)
        if (judged.Above[p]) {
            points += (count++ == 0 ? "" : ", ") + std::to_string(p + 1);
        }
    return "Итог: вибрация выше нормы в " + std::string(count == 1 ? "точке " : "точках ") +
           points + run;
}

std::string_view NoVerdictText() {
    return "Норма вибрации не задана: итог не оценивается.";
}

std::string RefinementText(const Refinement& refinement) {
    std::string text = "Коэффициенты влияния уточнены по " + std::to_string(refinement.Runs) +
                       " пускам (пробным и контрольным).";
    if (refinement.Repeated > 0)
        text += " Контрольных пусков с теми же грузами, что в пуске, уже учтённом, не учтено: " +
                std::to_string(refinement.Repeated) + ".";
    return text;
}

std::vector<std::vector<std::string>> RefinementTable(const Refinement& refinement,
                                                      std::string_view separator) {
    const auto planes = static_cast<std::size_t>(refinement.Refined.Planes);
    std::vector<std::vector<std::string>> table = {{"Изменение, %"}};
    for (std::size_t k = 0; k < planes; ++k)
        table[0].push_back("плоскость " + std::to_string(k + 1));
    for (std::size_t i = 0; i < refinement.ChangePercent.size(); ++i) {
        if (i % planes == 0) table.push_back({"точка " + std::to_string(i / planes + 1)});
        table.back().push_back(FormatResult(refinement.ChangePercent[i], separator));
    }
    return table;
}

}  // namespace balance4::job
