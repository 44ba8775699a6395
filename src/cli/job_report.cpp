#include "job_report.h"

#include <cmath>
#include <nlohmann/json.hpp>
#include <ostream>
#include <vector>

#include "acceptance_text.h"
#include "cli_text.h"
#include "disagreeing_points.h"
#include "job_text.h"
#include "nearest_position.h"
#include "number_text.h"
#include "optimised_report.h"
#include "plane_dependence.h"
#include "result_words.h"
#include "spread.h"
#include "units.h"

namespace balance4::cli {

namespace {

std::string Text(const JobReport& report, double value) {
    return FormatResult(value, report.Job->Separator);
}

std::string SpreadText(const JobReport& report, double value) {
    return std::isfinite(value) ? "±" + Text(report, value) : "—";
}

// A number as the user would write it: 2 rather than 2,00.
std::string Short(const JobReport& report, double value) {
    return job::TrimmedResultText(value, report.Job->Separator);
}

// The calculator's own texts where the exact path gave them.
std::string PercentText(const JobReport& report, std::size_t k) {
    return job::ShowsCalculatorTexts(*report.Result, k)
               ? job::CalculatorPercentText(*report.Result, k)
               : Text(report, report.Result->Planes[k].Percent);
}

std::string AngleFromTrialText(const JobReport& report, std::size_t k) {
    return job::ShowsCalculatorTexts(*report.Result, k)
               ? job::CalculatorAngleText(*report.Result, k)
               : Text(report, report.Result->Planes[k].AngleFromTrial);
}

// The trial weights the results are multiples of: a trim's are those saved with the coefficients.
job::Weight TrialOf(const JobReport& report, std::size_t k) {
    if (report.From == Command::Trim && report.Job->Saved) return report.Job->Saved->Trial[k];
    const job::PlaneSetup& plane = report.Job->Plane[k];
    return {plane.TrialMass, plane.TrialAngle};
}

std::string Where(const JobReport& report, std::size_t k, const job::Position& at) {
    return std::string(report.Job->Plane[k].Holes > 0 ? "в отверстие " : "на место ") +
           std::to_string(at.Number) + " (" + Short(report, at.AngleDegrees) + "°)";
}

// One plane's lines under «Куда ставить», one line per weight, narrow enough for a printed page.
std::string SplitLines(const JobReport& report, std::size_t k) {
    const job::PlaneResult& plane = report.Result->Planes[k];
    const std::string head = "  плоскость " + std::to_string(k + 1) + ": ";
    if (plane.Split.Refused) return head + plane.Split.Refusal + "\n";
    if (plane.Split.Parts.empty()) return head + "груз не нужен\n";
    std::string text;
    for (const job::SplitPart& part : plane.Split.Parts)
        text += (text.empty() ? head : std::string(CodePoints(head), ' ')) +
                Text(report, part.Mass) + " " + report.Job->Unit + " " + Where(report, k, part.At) +
                "\n";
    if (!plane.Split.Warning.empty())
        text += std::string(CodePoints(head), ' ') + plane.Split.Warning + "\n";
    if (plane.Nearest && plane.Nearest->Recommended)
        text += std::string(CodePoints(head), ' ') +
                job::NearestPositionText(*plane.Nearest, report.Job->Separator) +
                ", останется вибрация до " + Text(report, plane.Nearest->Residual) + "\n";
    return text;
}

std::string ToleranceText(const JobReport& report) {
    const job::JobResult& result = *report.Result;
    std::string text = "Разброс: в этих пределах остаются 95 % из " +
                       std::to_string(result.SpreadSamples) + " пересчётов,\nгде каждое показание" +
                       (report.From == Command::Job ? "" : " нового пуска") +
                       " случайно (равномерно)\nизменено в пределах ±" +
                       Short(report, result.Scatter.AmplitudePercent) + " % по амплитуде и ±" +
                       Short(report, result.Scatter.PhaseDegrees) + "° по фазе.\n";
    if (result.Scatter.FromRepeats)
        text += "Это разброс повторных показаний: он больше погрешности прибора.\n";
    if (report.From == Command::Trim)
        text += std::string(result.Refined ? "Уточнённые" : "Сохранённые") +
                " коэффициенты считаются точными.\n";
    if (result.SpreadFailed > 0)
        text += "Пересчётов без результата (нулевой определитель, переполнение): " +
                std::to_string(result.SpreadFailed) + ".\n";
    return text;
}

// How much each trial weight moved the vibration; a weak one is named.
std::string RunLines(const JobReport& report) {
    std::string text;
    for (std::size_t k = 0; k < report.Result->Runs.size(); ++k) {
        const job::RunQuality& run = report.Result->Runs[k];
        text += "Пробный груз в плоскости " + std::to_string(k + 1) + " изменил вибрацию на " +
                (std::isfinite(run.ChangePercent) ? Text(report, run.ChangePercent) + " %"
                                                  : std::string("бесконечно много")) +
                (run.Weak ? " — " + std::string(job::RunQualityWord(run)) + " отклик (меньше " +
                                Short(report, job::kWeakRunPercent) +
                                " %): поправка может оказаться неточной"
                          : "") +
                (run.Large ? " — пробный груз велик (больше " +
                                 Short(report, job::kLargeRunPercent) + " %): это опасно для машины"
                           : "") +
                "\n";
    }
    return text;
}

// What is left at each point when the planes cannot cancel every point's vibration.
std::string ResidualLines(const JobReport& report) {
    const job::JobResult& result = *report.Result;
    if (result.Optimised) return OptimisedLines(report);
    if (result.Points.size() <= result.Planes.size()) return {};
    std::string text = "Остаточная вибрация после поправки (наименьшие квадраты):\n";
    for (std::size_t p = 0; p < result.Points.size(); ++p)
        text += "  точка " + std::to_string(p + 1) + ": " +
                Text(report, result.Points[p].Amplitude) +
                job::ReadingUnitAfterNumber(*report.Job) + ", фаза " +
                Text(report, result.Points[p].PhaseDegrees) + "°\n";
    return text;
}

std::string WarningLines(const JobReport& report) {
    const job::JobResult& result = *report.Result;
    std::string text;
    for (std::size_t k = 0; k < result.Planes.size(); ++k) {
        const std::string plane = std::to_string(k + 1);
        switch (result.Planes[k].Spread.Level) {
            case job::Trust::Unreliable:
                text += "Внимание, плоскость " + plane + ": " +
                        job::UnreliableRule(report.Job->Separator) +
                        ", верить ей нельзя\n"
                        "  (пробный груз мало изменил вибрацию, или пуски перепутаны).\n";
                break;
            case job::Trust::Doubtful:
                text += "Внимание, плоскость " + plane + ": " +
                        std::string(job::TrustWord(job::Trust::Doubtful)) + " — " +
                        job::DoubtfulRule(report.Job->Separator) + ".\n";
                break;
            case job::Trust::Trusted:
                break;
        }
    }
    for (const std::vector<int>& planes : result.PlanesAlike)
        text += "Внимание: " + job::PlanesActingAlikeMessage(planes) + ".\n";
    // Warnings about runs stand on their runs' lines above.
    for (const job::Warning& warning : result.Warnings)
        if (warning.About != job::WarningSubject::Run) text += "Внимание: " + warning.Text + ".\n";
    for (const job::SuspectPoint& suspect : result.Suspects)
        text += "  " + job::WithoutSuspectText(suspect, report.Job->Unit, report.Job->Separator) +
                ".\n";
    if (result.Untrusted) text += "Решение недостоверно: " + result.UntrustedReason + ".\n";
    return text;
}

// A table of texts, its first column on the left, the others on the right, indented.
std::string TableLines(const std::vector<std::vector<std::string>>& table) {
    std::size_t labelWidth = 0, valueWidth = 0;
    for (const std::vector<std::string>& row : table) {
        labelWidth = std::max(labelWidth, CodePoints(row[0]));
        for (std::size_t i = 1; i < row.size(); ++i)
            valueWidth = std::max(valueWidth, CodePoints(row[i]));
    }
    std::string text;
    for (const std::vector<std::string>& row : table) {
        text += "  " + PadRight(row[0], labelWidth);
        for (std::size_t i = 1; i < row.size(); ++i) text += "  " + PadLeft(row[i], valueWidth);
        text += "\n";
    }
    return text;
}

// The vibration by run against the limit, and the verdict.
std::string AcceptanceLines(const JobReport& report) {
    if (!report.Acceptance) return {};
    std::string text = "Вибрация по пускам:\n" +
                       TableLines(job::VibrationTable(*report.Acceptance, report.Job->Separator));
    const std::string verdict = job::VerdictText(*report.Acceptance);
    if (!verdict.empty()) text += verdict + "\n";
    return text;
}

std::string IsoBlock(const JobReport& report) {
    if (!report.Job->Iso) return {};
    if (!report.Iso) return job::IsoNotCheckedText(report.IsoProblem) + "\n";
    std::string text;
    for (const std::string& line :
         job::IsoLines(*report.Job->Iso, report.Iso->Limit, report.Iso, report.Job->Separator))
        text += line + "\n";
    return text;
}

nlohmann::ordered_json AcceptanceJson(const job::Acceptance& acceptance) {
    using Json = nlohmann::ordered_json;
    Json runs = Json::array();
    for (const job::RunVibration& run : acceptance.Runs) {
        Json entry = {{"run", job::RunName(run)},
                      {"kind", run.Kind == job::RunKind::Initial   ? "initial"
                               : run.Kind == job::RunKind::Control ? "control"
                                                                   : "predicted"},
                      {"amplitude", run.Amplitude},
                      {"phase", run.PhaseDegrees}};
        if (!acceptance.Limit.empty()) entry["above"] = run.Above;
        runs.push_back(entry);
    }
    Json json = {{"runs", runs}};
    json["limit"] = acceptance.Limit.empty() ? Json() : Json(acceptance.Limit);
    Json points = Json::array();
    if (acceptance.Judged)
        for (const bool above : acceptance.Runs[*acceptance.Judged].Above)
            points.push_back(job::PointWord(above));
    json["points"] = points;
    json["within"] = acceptance.Within ? Json(*acceptance.Within) : Json();
    json["verdict"] = job::VerdictText(acceptance);
    return json;
}

}  // namespace

std::string FormatTable(const JobReport& report) {
    const job::JobResult& result = *report.Result;
    const std::string& unit = report.Job->Unit;
    const std::size_t planes = result.Planes.size();
    struct Row {
        std::string Label;
        std::vector<std::string> Values;
    };
    std::vector<Row> rows;
    const auto row = [&](std::string label, auto value) {
        Row r{std::move(label), {}};
        for (std::size_t k = 0; k < planes; ++k) r.Values.push_back(value(k));
        rows.push_back(std::move(r));
    };
    const auto plane = [&](std::size_t k) -> const job::PlaneResult& { return result.Planes[k]; };
    row("Плоскость", [](std::size_t k) { return std::to_string(k + 1); });
    row("М, % пробной массы", [&](std::size_t k) { return PercentText(report, k); });
    row("F, град. от пробного", [&](std::size_t k) { return AngleFromTrialText(report, k); });
    row("Пробный груз, " + unit,
        [&](std::size_t k) { return Text(report, TrialOf(report, k).Mass); });
    row("Угол пробного, град.",
        [&](std::size_t k) { return Text(report, TrialOf(report, k).AngleDegrees); });
    row("Масса, " + unit, [&](std::size_t k) { return Text(report, plane(k).Mass); });
    row("Угол от нуля, град.", [&](std::size_t k) { return Text(report, plane(k).AngleFromZero); });
    bool onRotor = false, keepTrial = false, flagged = false;
    for (const job::PlaneResult& p : result.Planes) {
        onRotor = onRotor || p.OnRotor;
        keepTrial = keepTrial || p.KeepTrial;
        flagged = flagged || p.Spread.Level != job::Trust::Trusted;
    }
    if (onRotor) {
        row("Вместе с установленными, " + unit, [&](std::size_t k) {
            return plane(k).OnRotor ? Text(report, plane(k).OnRotor->Mass) : std::string("—");
        });
        row("  их угол от нуля, град.", [&](std::size_t k) {
            return plane(k).OnRotor ? Text(report, plane(k).OnRotor->AngleDegrees)
                                    : std::string("—");
        });
    }
    if (keepTrial) {
        row("Добавить к пробному, " + unit, [&](std::size_t k) {
            return plane(k).KeepTrial ? Text(report, plane(k).KeepTrial->Mass) : std::string("—");
        });
        row("  угол от нуля, град.", [&](std::size_t k) {
            return plane(k).KeepTrial ? Text(report, plane(k).KeepTrial->AngleDegrees)
                                      : std::string("—");
        });
    }
    row("Разброс массы, " + unit,
        [&](std::size_t k) { return SpreadText(report, plane(k).Spread.Mass); });
    row("Разброс угла, град.",
        [&](std::size_t k) { return SpreadText(report, plane(k).Spread.AngleDegrees); });
    if (flagged)
        row("Доверие", [&](std::size_t k) {
            const std::string_view word = job::TrustWord(plane(k).Spread.Level);
            return word.empty() ? std::string("—") : std::string(word);
        });

    std::size_t labelWidth = 0, valueWidth = 8;
    for (const Row& r : rows) {
        labelWidth = std::max(labelWidth, CodePoints(r.Label));
        for (const std::string& value : r.Values)
            valueWidth = std::max(valueWidth, CodePoints(value));
    }

    std::string text;
    if (result.PercentOnly) text += std::string(job::kTrialMassMissingText) + ".\n";
    if (report.From == Command::Trim)
        text +=
            "Повторная балансировка по коэффициентам из " + Quoted(report.CoefficientFile) + ".\n";
    if (result.Refined)
        text += job::RefinementText(*result.Refined) + "\n" +
                TableLines(job::RefinementTable(*result.Refined, report.Job->Separator));
    for (const Row& r : rows) {
        text += PadRight(r.Label, labelWidth);
        for (const std::string& value : r.Values) text += "  " + PadLeft(value, valueWidth);
        text += "\n";
    }
    text += "Углы отсчитываются " + std::string(result.RotationWord) +
            ": от места пробного груза (F) и от нулевой метки.\n";
    bool anySplit = false;
    for (std::size_t k = 0; k < planes; ++k) {
        if (!plane(k).SplitAsked) continue;
        if (!anySplit) text += "Куда ставить (углы от нуля):\n";
        anySplit = true;
        text += SplitLines(report, k);
    }
    text += RunLines(report);
    text += ResidualLines(report);
    text += ToleranceText(report);
    text += WarningLines(report);
    text += AcceptanceLines(report);
    text += IsoBlock(report);
    if (report.From == Command::Job && !report.CoefficientFile.empty())
        text += "Коэффициенты влияния сохранены в " + Quoted(report.CoefficientFile) + ".\n";
    if (report.Recorded)
        text += report.Fitted ? "Пуск записан в историю; установленными записаны грузы, которые "
                                "теперь на роторе.\n"
                              : "Пуск записан в историю; установленные грузы не изменены "
                                "(поставленную поправку отмечает --fitted).\n";
    if (!report.JobFile.empty()) text += "Задание сохранено в " + Quoted(report.JobFile) + ".\n";
    return text;
}

std::string FormatJson(const JobReport& report) {
    using Json = nlohmann::ordered_json;
    const job::JobResult& result = *report.Result;
    const auto number = [](double value) { return std::isfinite(value) ? Json(value) : Json(); };
    const auto weight = [&](const std::optional<job::Weight>& w) {
        return w ? Json{{"mass", w->Mass}, {"angle_from_zero", w->AngleDegrees}} : Json();
    };
    Json json;
    json["command"] = report.From == Command::Job ? "job" : "trim";
    json["unit"] = report.Job->Unit;
    Json texts = Json::array();
    for (std::size_t k = 0; k < result.Planes.size(); ++k) texts.push_back(PercentText(report, k));
    for (std::size_t k = 0; k < result.Planes.size(); ++k)
        texts.push_back(AngleFromTrialText(report, k));
    json["window_texts"] = texts;
    json["exact"] = result.Exact;
    if (result.PercentOnly) json["trial_mass_missing"] = job::kTrialMassMissingText;
    json["rotation"] = result.RotationWord;
    Json planes = Json::array();
    for (std::size_t k = 0; k < result.Planes.size(); ++k) {
        const job::PlaneResult& p = result.Planes[k];
        Json plane;
        plane["plane"] = k + 1;
        plane["mass_percent"] = p.Percent;
        plane["angle"] = p.AngleFromTrial;
        plane["trial_mass"] = TrialOf(report, k).Mass;
        plane["trial_angle"] = TrialOf(report, k).AngleDegrees;
        plane["mass"] = p.Mass;
        plane["angle_from_zero"] = p.AngleFromZero;
        if (p.OnRotor) plane["on_rotor"] = weight(p.OnRotor);
        if (p.KeepTrial) plane["add_to_trial"] = weight(p.KeepTrial);
        if (p.SplitAsked) {
            if (p.Split.Refused) {
                plane["split"] = nullptr;
            } else {
                Json parts = Json::array();
                for (const job::SplitPart& part : p.Split.Parts)
                    parts.push_back({{"position", part.At.Number},
                                     {"angle", part.At.AngleDegrees},
                                     {"mass", part.Mass}});
                plane["split"] = parts;
            }
            if (!p.Split.Warning.empty()) plane["split_warning"] = p.Split.Warning;
            if (p.Nearest)
                plane["nearest"] = {{"position", p.Nearest->At.Number},
                                    {"angle", p.Nearest->At.AngleDegrees},
                                    {"angle_error", p.Nearest->AngleError},
                                    {"residual", p.Nearest->Residual},
                                    {"recommended", p.Nearest->Recommended}};
        }
        // Infinite spreads (too many failed repetitions) are written as null.
        plane["spread"] = {{"mass", number(p.Spread.Mass)},
                           {"angle", number(p.Spread.AngleDegrees)},
                           {"vector", number(p.Spread.Vector)},
                           {"unreliable", p.Spread.Level == job::Trust::Unreliable},
                           {"trust", job::TrustWord(p.Spread.Level)}};
        planes.push_back(plane);
    }
    json["planes"] = planes;
    Json points = Json::array();
    for (std::size_t p = 0; p < result.Points.size() && !result.Optimised; ++p)
        points.push_back({{"point", p + 1},
                          {"speed", 1},
                          {"amplitude", result.Points[p].Amplitude},
                          {"phase", result.Points[p].PhaseDegrees}});
    for (const job::ResidualAt& r : result.Residuals)
        points.push_back({{"point", r.Point + 1},
                          {"speed", r.Speed + 1},
                          {"amplitude", r.Amplitude},
                          {"phase", r.PhaseDegrees}});
    json["residuals"] = points;
    AddOptimisedJson(report, json);
    Json runs = Json::array();
    for (const job::RunQuality& run : result.Runs)
        runs.push_back({{"change_percent", number(run.ChangePercent)},
                        {"weak", run.Weak},
                        {"large", run.Large}});
    json["runs"] = runs;
    Json warnings = Json::array();
    for (const job::Warning& warning : result.Warnings)
        warnings.push_back({{warning.About == job::WarningSubject::Plane ? "plane"
                             : warning.About == job::WarningSubject::Run ? "run"
                                                                         : "point",
                             warning.Number},
                            {"text", warning.Text}});
    json["warnings"] = warnings;
    json["dependent_planes"] = result.PlanesAlike;
    json["scatter"] = {{"amplitude_percent", result.Scatter.AmplitudePercent},
                       {"phase_degrees", result.Scatter.PhaseDegrees},
                       {"from", result.Scatter.FromRepeats ? "repeats" : "tolerance"}};
    Json suspects = Json::array(), without = Json::array();
    for (const job::SuspectPoint& suspect : result.Suspects) {
        suspects.push_back(suspect.Point);
        Json planes = Json::array();
        for (const job::Weight& w : suspect.Without) planes.push_back(weight(w));
        without.push_back({{"point", suspect.Point}, {"planes", planes}});
    }
    json["suspect_points"] = suspects;
    json["without_suspect"] = without;
    json["condition_number"] = number(result.ConditionNumber);
    json["untrusted"] = result.Untrusted;
    if (result.Untrusted) json["untrusted_reason"] = result.UntrustedReason;
    json["tolerance"] = {{"amplitude_percent", report.Job->Instrument.AmplitudePercent},
                         {"phase_degrees", report.Job->Instrument.PhaseDegrees},
                         {"distribution", "uniform"},
                         {"samples", result.SpreadSamples},
                         {"seed", job::kSpreadSeed},
                         {"failed", result.SpreadFailed},
                         {"perturbed", report.From == Command::Job ? "all" : "run0"}};
    if (!report.CoefficientFile.empty())
        json[report.From == Command::Job ? "saved_coefficients" : "coefficients"] =
            report.CoefficientFile;
    if (!report.JobFile.empty()) json["saved_job"] = report.JobFile;
    if (report.Recorded) json["installed_updated"] = report.Fitted;
    if (report.Acceptance) json["acceptance"] = AcceptanceJson(*report.Acceptance);
    if (report.Job->Iso && report.Iso)
        json["iso"] = {
            {"grade", report.Job->Iso->Grade},
            {"u_per_gmm", report.Iso->Limit.Total},
            {"e_per_gmm_per_kg", report.Iso->Limit.PerKilogram},
            {"bearing_a_gmm", report.Iso->Limit.BearingA},
            {"bearing_b_gmm", report.Iso->Limit.BearingB},
            {"residual_a_gmm", report.Iso->ResidualA},
            {"residual_b_gmm", report.Iso->WholeRotor ? Json() : Json(report.Iso->ResidualB)},
            {"within", report.Iso->Within}};
    else if (report.Job->Iso)
        json["iso"] = {{"problem", report.IsoProblem}};
    if (report.From == Command::Trim)
        json["coefficients_used"] = result.Refined ? "refined" : "saved";
    if (result.Refined) {
        Json change = Json::array();
        const std::vector<double>& percent = result.Refined->ChangePercent;
        const auto planes = static_cast<std::size_t>(result.Refined->Refined.Planes);
        for (std::size_t i = 0; i < percent.size(); i += planes)
            change.push_back(std::vector<double>(percent.begin() + static_cast<long>(i),
                                                 percent.begin() + static_cast<long>(i + planes)));
        json["refined"] = {{"runs", result.Refined->Runs},
                           {"repeated", result.Refined->Repeated},
                           {"change_percent", change}};
    }
    // A unit or a file name that is not valid UTF-8 must not stop the output.
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

namespace {

bool IsSetupCell(job::Cell cell) {
    return cell != job::Cell::Amplitude && cell != job::Cell::Phase &&
           cell != job::Cell::SlowRollAmplitude && cell != job::Cell::SlowRollPhase &&
           cell != job::Cell::RepeatAmplitude && cell != job::Cell::RepeatPhase;
}

}  // namespace

int ReportRefusal(std::string_view name, const job::JobResult& result, std::ostream& err) {
    if (result.Result == job::Outcome::NoSolution) {
        err << result.Message << "\n";
        return 1;
    }
    // A set-up that the options or a file gave is refused like a bad option, in one line.
    for (const job::CellFailure& failure : result.Failures)
        if (IsSetupCell(failure.Kind)) {
            err << name << failure.Message << "\n";
            return 2;
        }
    for (const job::CellFailure& failure : result.Failures) err << failure.Message << "\n";
    return 1;
}

int ExitStatus(const job::JobResult& result) {
    return result.Untrusted ? 3 : 0;
}

}  // namespace balance4::cli
