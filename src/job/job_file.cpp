#include "job_file.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

#include "acceptance_file.h"
#include "atomic_file.h"
#include "coefficient_file.h"
#include "job_text.h"
#include "positions.h"

namespace balance4::job {

namespace {

using Json = nlohmann::ordered_json;

constexpr std::string_view kFormat = "balance4-job";
constexpr std::size_t kLargestFile = 16 * 1024 * 1024;
constexpr std::size_t kDeepest = 6;  // the format nests four deep; anything deeper is foreign

// A file that does not fit the format; what() names the place.
struct Damaged {
    std::string Place;
};

Json ReadingJson(const ReadingText& reading) {
    return Json::array({reading.Amplitude, reading.Phase});
}

Json ReadingsJson(const std::vector<ReadingText>& readings) {
    Json json = Json::array();
    for (const ReadingText& reading : readings) json.push_back(ReadingJson(reading));
    return json;
}

Json WeightJson(const Weight& weight) {
    return {{"mass", weight.Mass}, {"angle", weight.AngleDegrees}};
}

Json WeightsJson(const std::vector<Weight>& weights) {
    Json json = Json::array();
    for (const Weight& weight : weights) json.push_back(WeightJson(weight));
    return json;
}

Json CoefficientsJson(const Coefficients& saved) {
    Json elements = Json::array();
    for (const Coefficient& c : saved.Element)
        elements.push_back(Json::array({c.Magnitude, c.Angle}));
    return {{"planes", saved.Planes},
            {"points", saved.Points},
            {"elements", elements},
            {"trial", WeightsJson(saved.Trial)},
            {"unit", saved.Unit}};
}

// --- reading, every value checked against its place ---

std::string At(const std::string& place, std::string_view key) {
    return place.empty() ? std::string(key) : place + "." + std::string(key);
}

std::string At(const std::string& place, std::size_t index) {
    return place + "[" + std::to_string(index) + "]";
}

// The object's keys must be exactly `keys`; the optional ones may be missing.
void Keys(const Json& json, const std::string& place, std::initializer_list<std::string_view> keys,
          std::initializer_list<std::string_view> optional = {}) {
    if (!json.is_object()) throw Damaged{place.empty() ? "начало" : place};
    for (const auto& [key, value] : json.items()) {
        bool known = false;
        for (const std::string_view k : keys) known = known || k == key;
        for (const std::string_view k : optional) known = known || k == key;
        if (!known) throw Damaged{At(place, key)};
    }
    for (const std::string_view key : keys)
        if (!json.contains(key)) throw Damaged{At(place, key)};
}

std::string Text(const Json& json, const std::string& place) {
    if (!json.is_string()) throw Damaged{place};
    return json.get<std::string>();
}

double Number(const Json& json, const std::string& place) {
    if (!json.is_number()) throw Damaged{place};
    const double value = json.get<double>();
    if (!std::isfinite(value)) throw Damaged{place};
    return value;
}

int Integer(const Json& json, const std::string& place, int low, int high) {
    if (!json.is_number_integer()) throw Damaged{place};
    const auto value = json.get<long long>();
    if (value < low || value > high) throw Damaged{place};
    return static_cast<int>(value);
}

const Json& Array(const Json& json, const std::string& place, std::size_t size = SIZE_MAX) {
    if (!json.is_array() || (size != SIZE_MAX && json.size() != size)) throw Damaged{place};
    return json;
}

template <typename T>
T Word(const Json& json, const std::string& place, std::string_view first, T firstValue,
       std::string_view second, T secondValue) {
    const std::string word = Text(json, place);
    if (word == first) return firstValue;
    if (word == second) return secondValue;
    throw Damaged{place};
}

ReadingText ReadReadingText(const Json& json, const std::string& place) {
    Array(json, place, 2);
    return {Text(json[0], At(place, 0)), Text(json[1], At(place, 1))};
}

std::vector<ReadingText> ReadReadingTexts(const Json& json, const std::string& place,
                                          std::size_t size) {
    std::vector<ReadingText> readings;
    for (std::size_t i = 0; i < Array(json, place, size).size(); ++i)
        readings.push_back(ReadReadingText(json[i], At(place, i)));
    return readings;
}

Weight ReadWeight(const Json& json, const std::string& place) {
    Keys(json, place, {"mass", "angle"});
    return {Number(json["mass"], At(place, "mass")), Number(json["angle"], At(place, "angle"))};
}

std::vector<Weight> ReadWeights(const Json& json, const std::string& place,
                                std::size_t size = SIZE_MAX) {
    std::vector<Weight> weights;
    for (std::size_t i = 0; i < Array(json, place, size).size(); ++i)
        weights.push_back(ReadWeight(json[i], At(place, i)));
    return weights;
}

PlaneSetup ReadPlane(const Json& json, const std::string& place) {
    Keys(json, place,
         {"trial_mass", "trial_angle", "trial_radius", "correction_radius", "holes", "positions"});
    PlaneSetup plane;
    plane.TrialMass = Number(json["trial_mass"], At(place, "trial_mass"));
    plane.TrialAngle = Number(json["trial_angle"], At(place, "trial_angle"));
    plane.TrialRadius = Number(json["trial_radius"], At(place, "trial_radius"));
    plane.CorrectionRadius = Number(json["correction_radius"], At(place, "correction_radius"));
    plane.Holes = Integer(json["holes"], At(place, "holes"), 0, kMaxHoles);
    const std::string positions = At(place, "positions");
    for (std::size_t i = 0; i < Array(json["positions"], positions).size(); ++i)
        plane.Positions.push_back(Number(json["positions"][i], At(positions, i)));
    if (const std::optional<std::string> problem = PositionsProblem(plane))
        throw Damaged{(plane.Holes != 0 ? At(place, "holes") : positions) + ": " + *problem};
    return plane;
}

Coefficients ReadCoefficients(const Json& json, const std::string& place) {
    Keys(json, place, {"planes", "points", "elements", "trial", "unit"});
    Coefficients saved;
    saved.Planes = Integer(json["planes"], At(place, "planes"), 1, kMaxPlanes);
    saved.Points = Integer(json["points"], At(place, "points"), saved.Planes, kMaxPoints);
    const std::string elements = At(place, "elements");
    Array(json["elements"], elements, static_cast<std::size_t>(saved.Planes * saved.Points));
    for (std::size_t i = 0; i < json["elements"].size(); ++i) {
        const Json& element = Array(json["elements"][i], At(elements, i), 2);
        saved.Element.push_back({Number(element[0], At(At(elements, i), 0)),
                                 Number(element[1], At(At(elements, i), 1))});
    }
    saved.Trial =
        ReadWeights(json["trial"], At(place, "trial"), static_cast<std::size_t>(saved.Planes));
    saved.Unit = Text(json["unit"], At(place, "unit"));
    return saved;
}

// The first version that has a control run.
constexpr int kControlRunVersion = 2;

// The further speeds' and the optimisation's fields have versions of their own, so that a file
// without them is the same as before.
constexpr int kMoreSpeedsVersion = 1;
constexpr int kOptimisationVersion = 1;

std::vector<double> ReadNumbers(const Json& json, const std::string& place, std::size_t most) {
    std::vector<double> numbers;
    if (Array(json, place).size() > most) throw Damaged{place};
    for (std::size_t i = 0; i < json.size(); ++i) numbers.push_back(Number(json[i], At(place, i)));
    return numbers;
}

void ReadMoreSpeeds(const Json& json, Job& job) {
    // Each key needs the other.
    for (const char* key : {"more_speeds", "more_speeds_version"})
        if (!json.contains(key)) throw Damaged{key};
    if (Integer(json["more_speeds_version"], "more_speeds_version", 1, 1000) != kMoreSpeedsVersion)
        throw Damaged{"more_speeds_version"};
    const Json& speeds = Array(json["more_speeds"], "more_speeds");
    for (std::size_t s = 0; s < speeds.size(); ++s) {
        const std::string place = At("more_speeds", s);
        Keys(speeds[s], place, {"speed", "readings"});
        SpeedReadings speed{Text(speeds[s]["speed"], At(place, "speed")), {}};
        const std::string readings = At(place, "readings");
        const Json& runs = Array(speeds[s]["readings"], readings, job.Plane.size() + 1);
        for (std::size_t r = 0; r < runs.size(); ++r)
            speed.Readings.push_back(
                ReadReadingTexts(runs[r], At(readings, r), static_cast<std::size_t>(job.Points)));
        job.MoreSpeeds.push_back(std::move(speed));
    }
}

Optimisation ReadOptimisation(const Json& json) {
    const std::string place = "optimisation";
    Keys(json, place,
         {"version", "objective", "point_limits", "mass_limits", "speed_weights", "box"});
    if (Integer(json["version"], At(place, "version"), 1, 1000) != kOptimisationVersion)
        throw Damaged{At(place, "version")};
    Optimisation optimisation;
    optimisation.Goal = Word(json["objective"], At(place, "objective"), "least-squares",
                             Objective::LeastSquares, "min-max", Objective::MinMax);
    optimisation.PointLimit =
        ReadNumbers(json["point_limits"], At(place, "point_limits"), kMaxPoints);
    optimisation.MassLimit = ReadNumbers(json["mass_limits"], At(place, "mass_limits"), kMaxPlanes);
    optimisation.SpeedWeight = ReadNumbers(json["speed_weights"], At(place, "speed_weights"), 1000);
    const std::string box = At(place, "box");
    Keys(json["box"], box, {"masses", "per_hole", "seconds"});
    const std::string masses = At(box, "masses");
    for (std::size_t m = 0; m < Array(json["box"]["masses"], masses).size(); ++m) {
        const Json& kind = json["box"]["masses"][m];
        Keys(kind, At(masses, m), {"mass", "count"});
        optimisation.Box.Masses.push_back(
            {Number(kind["mass"], At(At(masses, m), "mass")),
             Integer(kind["count"], At(At(masses, m), "count"), 0, 1000000)});
    }
    optimisation.Box.PerHole = Integer(json["box"]["per_hole"], At(box, "per_hole"), 0, 1000);
    optimisation.Box.Seconds = Number(json["box"]["seconds"], At(box, "seconds"));
    return optimisation;
}

Json OptimisationJson(const Optimisation& optimisation) {
    Json masses = Json::array();
    for (const BoxMass& kind : optimisation.Box.Masses)
        masses.push_back({{"mass", kind.Mass}, {"count", kind.Count}});
    return {{"version", kOptimisationVersion},
            {"objective", optimisation.Goal == Objective::MinMax ? "min-max" : "least-squares"},
            {"point_limits", optimisation.PointLimit},
            {"mass_limits", optimisation.MassLimit},
            {"speed_weights", optimisation.SpeedWeight},
            {"box",
             {{"masses", masses},
              {"per_hole", optimisation.Box.PerHole},
              {"seconds", optimisation.Box.Seconds}}}};
}

Job ReadJob(const Json& json, int version) {
    const std::initializer_list<std::string_view> keys = {
        "format", "version",   "title",      "machine",   "date",          "speed",     "who",
        "unit",   "separator", "convention", "rotation",  "trial_weights", "tolerance", "points",
        "planes", "readings",  "slow_roll",  "installed", "trim_history"};
    if (version >= kControlRunVersion)
        Keys(json, "", keys,
             {"coefficients", "acceptance", "control_run", "repeats", "angles", "more_speeds",
              "more_speeds_version", "optimisation", "reading_unit"});
    else
        Keys(json, "", keys,
             {"coefficients", "acceptance", "more_speeds", "more_speeds_version", "optimisation",
              "reading_unit"});
    Job job;
    job.Plane.clear();
    job.Readings.clear();
    job.Title = Text(json["title"], "title");
    job.Machine = Text(json["machine"], "machine");
    job.Date = Text(json["date"], "date");
    job.Speed = Text(json["speed"], "speed");
    job.Who = Text(json["who"], "who");
    job.Unit = Text(json["unit"], "unit");
    if (json.contains("reading_unit")) job.ReadingUnit = Text(json["reading_unit"], "reading_unit");
    job.Separator = Text(json["separator"], "separator");
    job.Convention =
        Word(json["convention"], "convention", "against-rotation", PhaseConvention::AgainstRotation,
             "with-rotation", PhaseConvention::WithRotation);
    job.Rotation = Word(json["rotation"], "rotation", "clockwise", RotationDirection::Clockwise,
                        "counterclockwise", RotationDirection::CounterClockwise);
    job.Trials = Word(json["trial_weights"], "trial_weights", "removed", TrialWeights::Removed,
                      "left-on", TrialWeights::LeftOn);
    Keys(json["tolerance"], "tolerance", {"amplitude_percent", "phase_degrees"});
    job.Instrument.AmplitudePercent =
        Number(json["tolerance"]["amplitude_percent"], "tolerance.amplitude_percent");
    job.Instrument.PhaseDegrees =
        Number(json["tolerance"]["phase_degrees"], "tolerance.phase_degrees");

    const Json& planes = Array(json["planes"], "planes");
    if (planes.empty() || planes.size() > kMaxPlanes) throw Damaged{"planes"};
    for (std::size_t k = 0; k < planes.size(); ++k)
        job.Plane.push_back(ReadPlane(planes[k], At("planes", k)));
    job.Points = Integer(json["points"], "points", job.Planes(), kMaxPoints);
    const auto points = static_cast<std::size_t>(job.Points);
    const Json& runs = Array(json["readings"], "readings", planes.size() + 1);
    for (std::size_t r = 0; r < runs.size(); ++r)
        job.Readings.push_back(ReadReadingTexts(runs[r], At("readings", r), points));
    if (!Array(json["slow_roll"], "slow_roll").empty())
        job.SlowRoll = ReadReadingTexts(json["slow_roll"], "slow_roll", points);
    if (json.contains("control_run") && !Array(json["control_run"], "control_run").empty())
        job.ControlRun = ReadReadingTexts(json["control_run"], "control_run", points);
    const Json& installed = Array(json["installed"], "installed");
    if (!installed.empty()) {
        Array(installed, "installed", planes.size());
        for (std::size_t k = 0; k < installed.size(); ++k)
            job.Installed.push_back(ReadWeights(installed[k], At("installed", k)));
    }
    const Json& history = Array(json["trim_history"], "trim_history");
    for (std::size_t i = 0; i < history.size(); ++i) {
        const std::string place = At("trim_history", i);
        Keys(history[i], place, {"date", "readings", "correction"}, {"on_rotor"});
        job.TrimHistory.push_back(
            {Text(history[i]["date"], At(place, "date")),
             ReadReadingTexts(history[i]["readings"], At(place, "readings"), SIZE_MAX),
             ReadWeights(history[i]["correction"], At(place, "correction")),
             {}});
        if (history[i].contains("on_rotor")) {
            if (json["version"] != kExtendedFileVersion) throw Damaged{At(place, "on_rotor")};
            const std::string where = At(place, "on_rotor");
            const Json& onRotor = Array(history[i]["on_rotor"], where, planes.size());
            for (std::size_t k = 0; k < onRotor.size(); ++k)
                job.TrimHistory.back().OnRotor.push_back(ReadWeights(onRotor[k], At(where, k)));
        }
    }
    if (json.contains("coefficients"))
        job.Saved = ReadCoefficients(json["coefficients"], "coefficients");
    if (json.contains("acceptance"))
        if (const std::optional<std::string> place = ReadAcceptance(json["acceptance"], job))
            throw Damaged{*place};
    if (json.contains("acceptance") && json["acceptance"].contains("refined"))
        job.Refined = ReadCoefficients(json["acceptance"]["refined"], "acceptance.refined");
    if (json.contains("angles")) {
        if (json["version"] != kExtendedFileVersion) throw Damaged{"angles"};
        job.Angles = Word(json["angles"], "angles", "against-phase", AngleFrame::AgainstPhase,
                          "as-phase", AngleFrame::AsPhase);
    }
    if (json.contains("repeats")) {
        if (json["version"] != kExtendedFileVersion) throw Damaged{"repeats"};
        const Json& repeats = Array(json["repeats"], "repeats");
        for (std::size_t i = 0; i < repeats.size(); ++i) {
            const std::string place = At("repeats", i);
            Keys(repeats[i], place, {"run", "readings"});
            job.Repeats.push_back(
                {Integer(repeats[i]["run"], At(place, "run"), 0, job.Planes()),
                 ReadReadingTexts(repeats[i]["readings"], At(place, "readings"), points)});
        }
    }
    if (json.contains("more_speeds") || json.contains("more_speeds_version"))
        ReadMoreSpeeds(json, job);
    if (json.contains("optimisation")) job.Optimise = ReadOptimisation(json["optimisation"]);
    return job;
}

// Line and character of a byte offset, for a message about broken JSON.
std::string LineAndColumn(std::string_view text, std::size_t offset) {
    offset = std::min(offset, text.size());
    std::size_t line = 1, column = 1;
    for (std::size_t i = 0; i < offset; ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            ++column;
        }
    }
    return "строка " + std::to_string(line) + ", знак " + std::to_string(column);
}

struct TooDeep {};

}  // namespace

std::string FormatJobFile(const Job& job) {
    Json json;
    json["format"] = kFormat;
    const bool extended =
        !job.ControlRun.empty() || !job.Repeats.empty() || job.Angles != AngleFrame::AgainstPhase ||
        std::any_of(job.TrimHistory.begin(), job.TrimHistory.end(),
                    [](const TrimRecord& record) { return !record.OnRotor.empty(); });
    json["version"] = extended ? kExtendedFileVersion : 1;
    json["title"] = job.Title;
    json["machine"] = job.Machine;
    json["date"] = job.Date;
    json["speed"] = job.Speed;
    json["who"] = job.Who;
    json["unit"] = job.Unit;
    if (!job.ReadingUnit.empty()) json["reading_unit"] = job.ReadingUnit;
    json["separator"] = job.Separator;
    json["convention"] =
        job.Convention == PhaseConvention::AgainstRotation ? "against-rotation" : "with-rotation";
    json["rotation"] =
        job.Rotation == RotationDirection::Clockwise ? "clockwise" : "counterclockwise";
    json["trial_weights"] = job.Trials == TrialWeights::Removed ? "removed" : "left-on";
    json["tolerance"] = {{"amplitude_percent", job.Instrument.AmplitudePercent},
                         {"phase_degrees", job.Instrument.PhaseDegrees}};
    json["points"] = job.Points;
    json["planes"] = Json::array();
    for (const PlaneSetup& plane : job.Plane)
        json["planes"].push_back({{"trial_mass", plane.TrialMass},
                                  {"trial_angle", plane.TrialAngle},
                                  {"trial_radius", plane.TrialRadius},
                                  {"correction_radius", plane.CorrectionRadius},
                                  {"holes", plane.Holes},
                                  {"positions", plane.Positions}});
    json["readings"] = Json::array();
    for (const std::vector<ReadingText>& run : job.Readings)
        json["readings"].push_back(ReadingsJson(run));
    json["slow_roll"] = ReadingsJson(job.SlowRoll);
    if (!job.ControlRun.empty()) json["control_run"] = ReadingsJson(job.ControlRun);
    json["installed"] = Json::array();
    for (const std::vector<Weight>& weights : job.Installed)
        json["installed"].push_back(WeightsJson(weights));
    json["trim_history"] = Json::array();
    for (const TrimRecord& record : job.TrimHistory) {
        Json entry = {{"date", record.Date},
                      {"readings", ReadingsJson(record.Readings)},
                      {"correction", WeightsJson(record.Correction)}};
        if (!record.OnRotor.empty()) {
            entry["on_rotor"] = Json::array();
            for (const std::vector<Weight>& weights : record.OnRotor)
                entry["on_rotor"].push_back(WeightsJson(weights));
        }
        json["trim_history"].push_back(std::move(entry));
    }
    if (job.Saved) json["coefficients"] = CoefficientsJson(*job.Saved);
    if (Json acceptance = AcceptanceJson(job); !acceptance.is_null()) {
        if (job.Refined) acceptance["refined"] = CoefficientsJson(*job.Refined);
        json["acceptance"] = std::move(acceptance);
    }
    if (job.Angles != AngleFrame::AgainstPhase) json["angles"] = "as-phase";
    if (!job.Repeats.empty()) {
        json["repeats"] = Json::array();
        for (const RepeatRun& repeat : job.Repeats)
            json["repeats"].push_back(
                {{"run", repeat.Run}, {"readings", ReadingsJson(repeat.Readings)}});
    }
    if (!job.MoreSpeeds.empty()) {
        json["more_speeds_version"] = kMoreSpeedsVersion;
        json["more_speeds"] = Json::array();
        for (const SpeedReadings& speed : job.MoreSpeeds) {
            Json runs = Json::array();
            for (const std::vector<ReadingText>& run : speed.Readings)
                runs.push_back(ReadingsJson(run));
            json["more_speeds"].push_back({{"speed", speed.Speed}, {"readings", runs}});
        }
    }
    if (job.Optimise != Optimisation{}) json["optimisation"] = OptimisationJson(job.Optimise);
    // Texts that are not valid UTF-8 must not stop the save: they are written with U+FFFD.
    return json.dump(1, '\t', false, Json::error_handler_t::replace) + "\n";
}

std::optional<Job> ParseJobFile(std::string_view text, std::string& error) {
    std::string content(text);
    SkipByteOrderMark(content);
    if (content.starts_with(kCoefficientFileMagic)) {
        std::optional<Coefficients> saved = ParseCoefficientFile(content, error);
        if (!saved) return std::nullopt;
        Job job = MakeJob(saved->Planes, saved->Points);
        job.Unit = saved->Unit;
        for (std::size_t k = 0; k < job.Plane.size(); ++k) {
            job.Plane[k].TrialMass = saved->Trial[k].Mass;
            job.Plane[k].TrialAngle = saved->Trial[k].AngleDegrees;
        }
        job.Saved = std::move(saved);
        return job;
    }
    if (content.find_first_not_of(" \t\r\n") == std::string::npos) {
        error = "файл пуст";
        return std::nullopt;
    }
    Json json;
    try {
        json = Json::parse(content, [](int depth, Json::parse_event_t, Json&) {
            if (static_cast<std::size_t>(depth) > kDeepest) throw TooDeep{};
            return true;
        });
    } catch (const Json::parse_error& failure) {
        if (!content.starts_with('{') && content.find("\"format\"") == std::string::npos) {
            error = "это не файл задания balance4";
        } else if (failure.byte >= content.size()) {
            error = "файл обрезан";
        } else {
            error = "файл повреждён (" + LineAndColumn(content, failure.byte - 1) + ")";
        }
        return std::nullopt;
    } catch (const TooDeep&) {
        error = "это не файл задания balance4";
        return std::nullopt;
    } catch (const Json::exception&) {  // a number beyond the double range
        error = content.starts_with('{') ? "файл повреждён (число вне допустимых пределов)"
                                         : "это не файл задания balance4";
        return std::nullopt;
    }
    if (!json.is_object() || !json.contains("format") || json["format"] != kFormat) {
        error = "это не файл задания balance4";
        return std::nullopt;
    }
    if (!json.contains("version") || !json["version"].is_number_integer()) {
        error = "файл повреждён (version)";
        return std::nullopt;
    }
    const long long version = json["version"].get<long long>();
    if (version < 1 || version > kJobFileVersion) {
        error = "версия файла " + Quoted(json["version"].dump()) +
                ", программа читает версии с 1 по " + std::to_string(kJobFileVersion);
        return std::nullopt;
    }
    try {
        return ReadJob(json, static_cast<int>(version));
    } catch (const Damaged& damaged) {
        error = "файл повреждён (" + damaged.Place + ")";
        return std::nullopt;
    }
}

bool SaveJobFile(const std::string& path, const Job& job, std::string& error) {
    std::string reason;
    if (!WriteFileAtomically(path, FormatJobFile(job), reason)) {
        error = "файл задания " + Quoted(path) + " не записан: " + reason;
        return false;
    }
    return true;
}

std::optional<Job> LoadJobFile(const std::string& path, std::string& error) {
    const std::optional<std::string> text = ReadWholeFile(path, kLargestFile, error);
    if (!text) return std::nullopt;
    std::optional<Job> job = ParseJobFile(*text, error);
    if (!job) error = "файл " + Quoted(path) + ": " + error;
    return job;
}

}  // namespace balance4::job
