#include <nlohmann/json.hpp>
#include <ostream>

#include "cli_text.h"
#include "number_text.h"
#include "option_values.h"
#include "subcommands.h"
#include "trial_weight.h"

namespace balance4::cli {

int RunTrialWeight(const Options& options, std::ostream& out, std::ostream& err) {
    constexpr std::string_view kName = "balance4-calc trial-weight: ";
    const auto fail = [&](const std::string& message) {
        err << kName << message << "\n";
        return 2;
    };
    if (!options.RotorMass) return fail("нужен параметр --rotor-mass");
    if (!options.Speed) return fail("нужен параметр --speed");
    if (!options.Radius) return fail("нужен параметр --radius");
    const std::optional<double> radius = ParseOptionNumber(*options.Radius);
    if (!radius) return fail("--radius: не число: " + Quoted(*options.Radius));
    const double given[] = {*options.RotorMass, *options.Speed, *radius};
    const int planes = options.Planes != 0 ? options.Planes : 1;
    std::string error;
    const std::optional<job::TrialWeightRange> range =
        job::SizeTrialWeight(given[0], given[1], given[2], planes, error);
    if (!range) return fail(error);
    if (options.Json) {
        const nlohmann::ordered_json json = {{"command", "trial-weight"},
                                             {"rotor_mass_kg", given[0]},
                                             {"speed_rpm", given[1]},
                                             {"radius_mm", given[2]},
                                             {"planes", planes},
                                             {"share_least", job::kTrialForceShareLeast},
                                             {"share_usual", job::kTrialForceShareUsual},
                                             {"least_g", range->Least},
                                             {"usual_g", range->Usual}};
        out << json.dump(2) << "\n";
        return 0;
    }
    const std::string separator = options.Separator.empty() ? LocaleSeparator() : options.Separator;
    out << job::TrialWeightText(*range, separator) << ".\n"
        << "Центробежная сила пробного груза — от " << job::kTrialForceShareLeast * 100 << " до "
        << job::kTrialForceShareUsual * 100
        << " % веса ротора, приходящегося на плоскость:\n"
           "m = s·M·g / (N·r·ω²), ω = 2π·n/60; M — масса ротора, N — число плоскостей, r — "
           "радиус.\n";
    return 0;
}

}  // namespace balance4::cli
