#include "optimised_report.h"

#include <cmath>

#include "cli_text.h"
#include "job_text.h"
#include "number_text.h"
#include "optimised_text.h"

namespace balance4::cli {

namespace {

std::string Text(const JobReport& report, double value) {
    return FormatResult(value, report.Job->Separator);
}

// One point's predicted residual, with its speed when the job has several.
std::string ResidualLine(const JobReport& report, const job::ResidualAt& residual) {
    return std::string("  ") +
           (report.Job->Speeds() > 1 ? "скорость " + std::to_string(residual.Speed + 1) + ", "
                                     : "") +
           "точка " + std::to_string(residual.Point + 1) + ": " + Text(report, residual.Amplitude) +
           ", фаза " + Text(report, residual.PhaseDegrees) + "°\n";
}

// A number as the user would write it: 2 rather than 2,00.
std::string Short(const JobReport& report, double value) {
    return job::TrimmedResultText(value, report.Job->Separator);
}

// Where the worst residual is. The tool names a speed «скорость», as its --speeds option, its help
// and its residual lines do.
std::string WhereText(const JobReport& report, const job::AnswerFigures& figures) {
    std::string text = "точка " + std::to_string(figures.WorstPoint + 1);
    if (report.Job->Speeds() > 1) text += ", скорость " + std::to_string(figures.WorstSpeed + 1);
    return text;
}

// The weights from the box, hole by hole, and what they leave.
std::string BoxLines(const JobReport& report) {
    const job::BoxResult& box = *report.Result->Box;
    const std::string& unit = report.Job->Unit;
    std::string text = "Грузы из набора " +
                       job::BoxKindsText(report.Job->Optimise.Box.Masses, report.Job->Separator) +
                       " " + unit + ", до " + std::to_string(report.Job->Optimise.Box.PerHole) +
                       " в отверстие:\n";
    if (!box.Found) return text + "  " + box.Message + ".\n";
    for (std::size_t k = 0; k < report.Job->Plane.size(); ++k) {
        const std::string head = "  плоскость " + std::to_string(k + 1) + ": ";
        std::string lines;
        for (const job::HoleLoad& hole : box.Holes) {
            if (hole.Plane != static_cast<int>(k)) continue;
            std::string masses;
            for (const double mass : hole.Masses)
                masses += (masses.empty() ? "" : " + ") + Short(report, mass);
            lines += (lines.empty() ? head : std::string(CodePoints(head), ' ')) +
                     (report.Job->Plane[k].Holes > 0 ? "отверстие " : "место ") +
                     std::to_string(hole.At.Number) + " (" + Short(report, hole.At.AngleDegrees) +
                     "°): " + masses + " " + unit + "\n";
        }
        text += lines.empty() ? head + "грузы не нужны\n" : lines;
    }
    text += "  наибольшая остаточная вибрация " + Text(report, box.Figures.Worst) + " (" +
            WhereText(report, box.Figures) + "), среднеквадратичная " +
            Text(report, box.Figures.Rms) + ";\n";
    text += "  без набора " + Text(report, report.Result->Optimised->Chosen.Worst) +
            "; поправка, разложенная на два отверстия и округлённая до грузов набора, — " +
            (box.NaiveFits ? Text(report, box.Naive.Worst) : std::string("не помещается в набор")) +
            ".\n";
    text += "  " + job::BoxSearchText(box, report.Job->Separator) + "\n";
    for (const job::ResidualAt& residual : box.Residuals) text += ResidualLine(report, residual);
    return text;
}

}  // namespace

std::string_view ObjectiveName(job::Objective objective) {
    return objective == job::Objective::MinMax ? "min-max" : "least-squares";
}

std::string OptimisedLines(const JobReport& report) {
    const job::JobResult& result = *report.Result;
    if (!result.Optimised) return {};
    const job::Optimisation& setup = report.Job->Optimise;
    const job::OptimisedSummary& summary = *result.Optimised;
    std::string text = std::string(job::ObjectiveSentence(summary.Goal)) + "\n";
    const std::string& separator = report.Job->Separator;
    if (job::AnyLimitGiven(setup.MassLimit))
        text += "Пределы массы по плоскостям, " + report.Job->Unit + ": " +
                job::LimitListText(setup.MassLimit, separator) + ".\n";
    const bool pointLimits = job::AnyLimitGiven(setup.PointLimit);
    if (pointLimits)
        text += "Пределы вибрации по точкам: " + job::LimitListText(setup.PointLimit, separator) +
                ";\n  вибрация точки с пределом считается в долях предела.\n";
    if (report.Job->Speeds() > 1) {
        std::string weights;
        for (int s = 0; s < report.Job->Speeds(); ++s) {
            const double weight = s < static_cast<int>(setup.SpeedWeight.size()) &&
                                          setup.SpeedWeight[static_cast<std::size_t>(s)] > 0.0
                                      ? setup.SpeedWeight[static_cast<std::size_t>(s)]
                                      : 1.0;
            weights += (weights.empty() ? "" : "; ") + Text(report, weight);
        }
        text += "Одна поправка на " + std::to_string(report.Job->Speeds()) +
                " скорости; веса скоростей: " + weights + ".\n";
    }
    const std::string head = "Остаточная вибрация";
    const std::string plain = "наименьшие квадраты", chosen = "эта поправка";
    const std::string worstLeast = Text(report, summary.LeastSquares.Worst) + " (" +
                                   WhereText(report, summary.LeastSquares) + ")";
    const std::string worstChosen =
        Text(report, summary.Chosen.Worst) + " (" + WhereText(report, summary.Chosen) + ")";
    const std::string worstLabel = pointLimits ? "  наибольшая (доля предела)" : "  наибольшая";
    const std::string rmsLabel = "  среднеквадратичная";
    const std::size_t label =
        std::max({CodePoints(head), CodePoints(worstLabel), CodePoints(rmsLabel)});
    const std::size_t left = std::max(CodePoints(plain), CodePoints(worstLeast));
    const std::size_t right = std::max(CodePoints(chosen), CodePoints(worstChosen));
    const auto line = [&](const std::string& a, const std::string& b, const std::string& c) {
        return PadRight(a, label) + "  " + PadLeft(b, left) + "  " + PadLeft(c, right) + "\n";
    };
    text += line(head, plain, chosen);
    text += line(worstLabel, worstLeast, worstChosen);
    text +=
        line(rmsLabel, Text(report, summary.LeastSquares.Rms), Text(report, summary.Chosen.Rms));
    text += "Остаточная вибрация после этой поправки:\n";
    for (const job::ResidualAt& residual : result.Residuals) text += ResidualLine(report, residual);
    if (summary.SpeedConditionNumber.size() > 1) {
        text += "Число обусловленности по скоростям:";
        for (std::size_t s = 0; s < summary.SpeedConditionNumber.size(); ++s)
            text += std::string(s == 0 ? " " : "; ") + std::to_string(s + 1) + " — " +
                    (std::isfinite(summary.SpeedConditionNumber[s])
                         ? Text(report, summary.SpeedConditionNumber[s])
                         : std::string("бесконечность"));
        text += ".\n";
    }
    if (result.Box) text += BoxLines(report);
    return text;
}

void AddOptimisedJson(const JobReport& report, nlohmann::ordered_json& json) {
    using Json = nlohmann::ordered_json;
    const job::JobResult& result = *report.Result;
    json["objective"] = ObjectiveName(report.Job->Optimise.Goal);
    if (!result.Optimised) return;
    const job::OptimisedSummary& summary = *result.Optimised;
    const auto figures = [](const job::AnswerFigures& f) {
        return Json{{"worst", f.Worst},
                    {"worst_point", f.WorstPoint + 1},
                    {"worst_speed", f.WorstSpeed + 1},
                    {"rms", f.Rms}};
    };
    const auto limits = [](const std::vector<double>& values) {
        Json list = Json::array();
        for (const double value : values) list.push_back(value > 0.0 ? Json(value) : Json());
        return list;
    };
    Json conditions = Json::array();
    for (const double c : summary.SpeedConditionNumber)
        conditions.push_back(std::isfinite(c) ? Json(c) : Json());
    json["optimised"] = {{"least_squares", figures(summary.LeastSquares)},
                         {"chosen", figures(summary.Chosen)},
                         {"point_limits", limits(report.Job->Optimise.PointLimit)},
                         {"mass_limits", limits(report.Job->Optimise.MassLimit)},
                         {"speeds", report.Job->Speeds()},
                         {"condition_numbers", conditions}};
    if (!result.Box) return;
    const job::BoxResult& box = *result.Box;
    Json holes = Json::array();
    for (const job::HoleLoad& hole : box.Holes)
        holes.push_back({{"plane", hole.Plane + 1},
                         {"hole", hole.At.Number},
                         {"angle", hole.At.AngleDegrees},
                         {"masses", hole.Masses}});
    Json residuals = Json::array();
    for (const job::ResidualAt& r : box.Residuals)
        residuals.push_back({{"point", r.Point + 1},
                             {"speed", r.Speed + 1},
                             {"amplitude", r.Amplitude},
                             {"phase", r.PhaseDegrees}});
    Json kinds = Json::array();
    for (const job::BoxMass& kind : report.Job->Optimise.Box.Masses)
        kinds.push_back({{"mass", kind.Mass}, {"count", kind.Count}});
    json["box"] = {{"masses", kinds},
                   {"per_hole", report.Job->Optimise.Box.PerHole},
                   {"time_limit", report.Job->Optimise.Box.Seconds},
                   {"found", box.Found}};
    if (!box.Found) {
        json["box"]["message"] = box.Message;
        return;
    }
    json["box"]["proven"] = box.Proven;
    json["box"]["gap"] = box.Gap;
    json["box"]["holes"] = holes;
    json["box"]["figures"] = figures(box.Figures);
    json["box"]["rounded_split"] = box.NaiveFits ? figures(box.Naive) : Json();
    json["box"]["residuals"] = residuals;
}

}  // namespace balance4::cli
