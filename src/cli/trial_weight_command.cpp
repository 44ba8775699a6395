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
    struct Given {
        const char* Name;
        const std::optional<std::string>& Text;
        double Value = 0.0;
    };
    Given given[] = {{"--rotor-mass", options.RotorMass},
                     {"--speed", options.Speed},
                     {"--radius", options.Radius}};
    for (Given& value : given) {
        if (!value.Text) return fail(std::string("нужен параметр ") + value.Name);
        const std::optional<double> number = ParseOptionNumber(*value.Text);
        if (!number) return fail(std::string(value.Name) + ": не число: " + Quoted(*value.Text));
        value.Value = *number;
    }
    const int planes = options.Planes != 0 ? options.Planes : 1;
    std::string error;
    const std::optional<job::TrialWeightRange> range =
        job::SizeTrialWeight(given[0].Value, given[1].Value, given[2].Value, planes, error);
    if (!range) return fail(error);
    if (options.Json) {
        const nlohmann::ordered_json json = {{"command", "trial-weight"},
                                             {"rotor_mass_kg", given[0].Value},
                                             {"speed_rpm", given[1].Value},
                                             {"radius_mm", given[2].Value},
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
