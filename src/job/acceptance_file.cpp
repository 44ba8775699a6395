#include "acceptance_file.h"

#include <cmath>
#include <initializer_list>
#include <string_view>

namespace balance4::job {

namespace {

using Json = nlohmann::ordered_json;

struct Damaged {
    std::string Place;
};

double Number(const Json& json, const std::string& place) {
    if (!json.is_number() || !std::isfinite(json.get<double>())) throw Damaged{place};
    return json.get<double>();
}

std::vector<double> Numbers(const Json& json, const std::string& place) {
    if (!json.is_array()) throw Damaged{place};
    std::vector<double> numbers;
    for (std::size_t i = 0; i < json.size(); ++i)
        numbers.push_back(Number(json[i], place + "[" + std::to_string(i) + "]"));
    return numbers;
}

void Keys(const Json& json, const std::string& place, std::initializer_list<std::string_view> keys,
          std::initializer_list<std::string_view> optional = {}) {
    if (!json.is_object()) throw Damaged{place};
    for (const auto& [key, value] : json.items()) {
        bool known = false;
        for (const std::string_view k : keys) known = known || k == key;
        for (const std::string_view k : optional) known = known || k == key;
        if (!known) throw Damaged{place + "." + key};
    }
    for (const std::string_view key : keys)
        if (!json.contains(key)) throw Damaged{place + "." + std::string(key)};
}

Json IsoJson(const IsoSetup& iso) {
    return {{"rotor_mass_kg", iso.RotorMass},
            {"speed_rpm", iso.Speed},
            {"grade", iso.Grade},
            {"levers_mm", iso.Levers},
            {"bearings_mm", iso.Bearings},
            {"planes_mm", iso.PlanePositions}};
}

IsoSetup ReadIso(const Json& json, const std::string& place, std::size_t planes) {
    Keys(json, place,
         {"rotor_mass_kg", "speed_rpm", "grade", "levers_mm", "bearings_mm", "planes_mm"});
    IsoSetup iso;
    iso.RotorMass = Number(json["rotor_mass_kg"], place + ".rotor_mass_kg");
    iso.Speed = Number(json["speed_rpm"], place + ".speed_rpm");
    iso.Grade = Number(json["grade"], place + ".grade");
    iso.Levers = Numbers(json["levers_mm"], place + ".levers_mm");
    iso.Bearings = Numbers(json["bearings_mm"], place + ".bearings_mm");
    iso.PlanePositions = Numbers(json["planes_mm"], place + ".planes_mm");
    if (!iso.Levers.empty() && iso.Levers.size() != 2) throw Damaged{place + ".levers_mm"};
    if (!iso.Bearings.empty() && iso.Bearings.size() != 2) throw Damaged{place + ".bearings_mm"};
    if (!iso.PlanePositions.empty() && iso.PlanePositions.size() != planes)
        throw Damaged{place + ".planes_mm"};
    return iso;
}

}  // namespace

Json AcceptanceJson(const Job& job) {
    if (!job.Iso && job.Limit.empty() && job.Refine && !job.Refined) return nullptr;
    Json json = {{"version", kAcceptanceVersion}};
    if (job.Iso) json["iso"] = IsoJson(*job.Iso);
    if (!job.Limit.empty()) json["limit"] = job.Limit;
    if (!job.Refine) json["refine"] = false;
    return json;
}

std::optional<std::string> ReadAcceptance(const Json& json, Job& job) {
    const std::string place = "acceptance";
    try {
        // "refined", coefficients like the job's own, is read with them.
        Keys(json, place, {"version"}, {"iso", "limit", "refine", "refined"});
        if (!json["version"].is_number_integer() ||
            json["version"].get<long long>() != kAcceptanceVersion)
            throw Damaged{place + ".version"};
        if (json.contains("iso")) job.Iso = ReadIso(json["iso"], place + ".iso", job.Plane.size());
        if (json.contains("refine")) {
            if (!json["refine"].is_boolean()) throw Damaged{place + ".refine"};
            job.Refine = json["refine"].get<bool>();
        }
        if (json.contains("limit")) {
            job.Limit = Numbers(json["limit"], place + ".limit");
            const std::size_t size = job.Limit.size();
            if (size != 1 && size != static_cast<std::size_t>(job.Points))
                throw Damaged{place + ".limit"};
        }
    } catch (const Damaged& damaged) {
        return damaged.Place;
    }
    return std::nullopt;
}

}  // namespace balance4::job
