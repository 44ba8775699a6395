#include "job_report.h"

#include <cmath>
#include <nlohmann/json.hpp>
#include <optional>
#include <vector>

#include "cli_text.h"
#include "number_text.h"
#include "spread.h"

namespace balance4::cli {

namespace {

const job::PlaneResult& PlaneOf(const JobReport& report, int plane) {
    return report.Result->Planes[static_cast<std::size_t>(plane - 1)];
}

std::string Text(const JobReport& report, double value) {
    return FormatResult(value, report.Separator);
}

std::string SpreadText(const JobReport& report, double value) {
    return std::isfinite(value) ? "±" + Text(report, value) : "—";
}

// A tolerance as the user would write it: 2 rather than 2,00.
std::string Short(const JobReport& report, double value) {
    std::string text = Text(report, value);
    if (text.find(report.Separator) == std::string::npos) return text;  // the general format
    if (text.ends_with(report.Separator + "00"))
        return text.erase(text.size() - 2 - report.Separator.size());
    if (text.ends_with('0')) text.pop_back();
    return text;
}

std::string Where(const JobReport& report, int plane, const Position& at) {
    const bool holes = report.Options->Holes[static_cast<std::size_t>(plane - 1)] != 0;
    return std::string(holes ? "в отверстие " : "на место ") + std::to_string(at.Number) + " (" +
           Short(report, at.AngleDegrees) + "°)";
}

// One plane's lines under "Куда ставить", one line per weight, narrow enough for a printed page.
std::string SplitLines(const JobReport& report, int plane, const job::SplitResult& split) {
    const std::string head = "  плоскость " + std::to_string(plane) + ": ";
    if (split.Refused) return head + "нельзя — соседние места отстоят на 180° и больше\n";
    const std::vector<job::SplitPart>& parts = split.Parts;
    if (parts.empty()) return head + "груз не нужен\n";
    std::string text;
    for (const job::SplitPart& part : parts) {
        text += (text.empty() ? head : std::string(CodePoints(head), ' ')) +
                Text(report, part.Mass) + " " + report.Unit + " " + Where(report, plane, part.At) +
                "\n";
    }
    return text;
}

std::string ToleranceText(const JobReport& report) {
    std::string text =
        "Разброс: в этих пределах остаются 95 % из " +
        std::to_string(report.Result->SpreadSamples) + " пересчётов,\nгде каждое показание" +
        (report.From == Command::Job ? "" : " нового пуска") +
        " случайно (равномерно)\nизменено в пределах ±" +
        Short(report, report.Options->ToleranceAmplitudePercent) + " % по амплитуде и ±" +
        Short(report, report.Options->TolerancePhaseDegrees) + "° по фазе.\n";
    if (report.From == Command::Trim) text += "Сохранённые коэффициенты считаются точными.\n";
    if (report.Result->SpreadFailed > 0)
        text += "Пересчётов без результата (нулевой определитель, переполнение): " +
                std::to_string(report.Result->SpreadFailed) + ".\n";
    return text;
}

}  // namespace

std::string FormatTable(const JobReport& report) {
    const std::string& unit = report.Unit;
    struct Row {
        std::string Label;
        std::array<std::string, 4> Values;
    };
    std::vector<Row> rows;
    const auto row = [&](std::string label, auto value) {
        Row r{std::move(label), {}};
        for (std::size_t i = 0; i < 4; ++i) r.Values[i] = value(i);
        rows.push_back(std::move(r));
    };
    row("Плоскость", [](std::size_t i) { return std::to_string(i + 1); });
    row("М, % пробной массы", [&](std::size_t i) { return report.Result->WindowTexts[i]; });
    row("F, град. от пробного", [&](std::size_t i) { return report.Result->WindowTexts[i + 4]; });
    row("Пробный груз, " + unit, [&](std::size_t i) { return Text(report, report.TrialMass[i]); });
    row("Угол пробного, град.", [&](std::size_t i) { return Text(report, report.TrialAngle[i]); });
    const std::vector<job::PlaneResult>& planes = report.Result->Planes;
    row("Масса, " + unit, [&](std::size_t i) { return Text(report, planes[i].Mass); });
    row("Угол от нуля, град.",
        [&](std::size_t i) { return Text(report, planes[i].AngleFromZero); });
    row("Разброс массы, " + unit,
        [&](std::size_t i) { return SpreadText(report, planes[i].Spread.Mass); });
    row("Разброс угла, град.",
        [&](std::size_t i) { return SpreadText(report, planes[i].Spread.AngleDegrees); });

    std::size_t labelWidth = 0, valueWidth = 8;
    for (const Row& r : rows) {
        labelWidth = std::max(labelWidth, CodePoints(r.Label));
        for (const std::string& value : r.Values)
            valueWidth = std::max(valueWidth, CodePoints(value));
    }

    std::string text;
    if (report.From == Command::Trim)
        text +=
            "Повторная балансировка по коэффициентам из " + Quoted(report.CoefficientFile) + ".\n";
    for (const Row& r : rows) {
        text += PadRight(r.Label, labelWidth);
        for (const std::string& value : r.Values) text += "  " + PadLeft(value, valueWidth);
        text += "\n";
    }

    bool anySplit = false;
    for (int j = 1; j <= 4; ++j) {
        const job::PlaneResult& plane = PlaneOf(report, j);
        if (!plane.SplitAsked) continue;
        if (!anySplit) text += "Куда ставить (углы от нуля):\n";
        anySplit = true;
        text += SplitLines(report, j, plane.Split);
    }
    text += ToleranceText(report);
    for (int j = 1; j <= 4; ++j)
        if (PlaneOf(report, j).Spread.Level == job::Trust::Unreliable)
            text += "Внимание, плоскость " + std::to_string(j) +
                    ": разброс больше самой поправки, верить ей нельзя\n"
                    "  (пробный груз мало изменил вибрацию, или пуски перепутаны).\n";
    if (report.From == Command::Job && !report.CoefficientFile.empty())
        text += "Коэффициенты влияния сохранены в " + Quoted(report.CoefficientFile) + ".\n";
    return text;
}

std::string FormatJson(const JobReport& report) {
    using Json = nlohmann::ordered_json;
    Json json;
    json["command"] = report.From == Command::Job ? "job" : "trim";
    json["unit"] = report.Unit;
    json["window_texts"] = report.Result->WindowTexts;
    Json planes = Json::array();
    for (int j = 1; j <= 4; ++j) {
        const std::size_t i = static_cast<std::size_t>(j - 1);
        const job::PlaneResult& result = PlaneOf(report, j);
        const job::PlaneSpread& spread = result.Spread;
        Json plane;
        plane["plane"] = j;
        plane["mass_percent"] = result.Percent;
        plane["angle"] = result.AngleFromTrial;
        plane["trial_mass"] = report.TrialMass[i];
        plane["trial_angle"] = report.TrialAngle[i];
        plane["mass"] = result.Mass;
        plane["angle_from_zero"] = result.AngleFromZero;
        if (result.SplitAsked) {
            if (result.Split.Refused) {
                plane["split"] = nullptr;
            } else {
                Json parts = Json::array();
                for (const job::SplitPart& part : result.Split.Parts)
                    parts.push_back({{"position", part.At.Number},
                                     {"angle", part.At.AngleDegrees},
                                     {"mass", part.Mass}});
                plane["split"] = parts;
            }
        }
        // Infinite spreads (too many failed repetitions) are written as null.
        plane["spread"] = {{"mass", spread.Mass},
                           {"angle", spread.AngleDegrees},
                           {"vector", spread.Vector},
                           {"unreliable", spread.Level == job::Trust::Unreliable}};
        planes.push_back(plane);
    }
    json["planes"] = planes;
    json["tolerance"] = {{"amplitude_percent", report.Options->ToleranceAmplitudePercent},
                         {"phase_degrees", report.Options->TolerancePhaseDegrees},
                         {"distribution", "uniform"},
                         {"samples", report.Result->SpreadSamples},
                         {"seed", job::kSpreadSeed},
                         {"failed", report.Result->SpreadFailed},
                         {"perturbed", report.From == Command::Job ? "all" : "run0"}};
    if (!report.CoefficientFile.empty())
        json[report.From == Command::Job ? "saved_coefficients" : "coefficients"] =
            report.CoefficientFile;
    // A unit or a file name that is not valid UTF-8 must not stop the output.
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace balance4::cli
