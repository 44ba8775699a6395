#include "job_options.h"

#include <algorithm>
#include <cmath>

#include "cli_text.h"

namespace balance4::cli {

namespace {

constexpr int kMostPositions = 1000;
constexpr std::string_view kDegreeSign = "\xC2\xB0";

constexpr std::string_view kJobUsage =
    "Usage: balance4-calc job [options] < case\n"
    "\n"
    "Reads one case, the 40 reading texts on one line separated by TAB (as in the line mode), and\n"
    "prints each plane's correction: the window's percent and angle, the mass in the trial mass's\n"
    "unit, the angle from the common zero, the split onto holes or positions, and how far the\n"
    "result moves when the readings vary within the instrument's tolerance.\n"
    "\n"
    "  --trial-mass M | M1,M2,M3,M4   trial masses (any unit; decimal point)\n"
    "  --trial-angle A | A1,A2,A3,A4  where each trial weight was fixed, degrees from the common\n"
    "                                 zero, counted like the result angles\n"
    "  --unit TEXT                    name of the mass unit (default \"г\")\n"
    "  --holes N | N1,N2,N3,N4        N equally spaced holes, hole 1 at 0°\n"
    "  --positions A,B,C,...          positions in degrees from the common zero, numbered 1, 2, "
    "...\n"
    "  --tolerance A,P                amplitude tolerance in %, phase tolerance in degrees\n"
    "                                 (default 2,2)\n"
    "  --save-coefficients FILE       save the influence coefficients for later trim runs\n"
    "  --json                         one JSON object instead of the table\n"
    "  --separator C                  decimal separator of the readings (default: the locale's)\n"
    "  --example                      use the built-in example readings (decimal comma)\n"
    "\n"
    "Exit status: 0; 1 when a reading was refused or the correction is impossible (messages on\n"
    "standard error); 2 for a bad option, input line or file.\n";

constexpr std::string_view kTrimUsage =
    "Usage: balance4-calc trim --coefficients FILE [options] < run0\n"
    "\n"
    "Reads the 8 texts of a new run without weight on one line separated by TAB (plane 1\n"
    "amplitude, plane 1 phase, plane 2 amplitude, ...) and prints the corrections from the\n"
    "influence coefficients saved by `balance4-calc job --save-coefficients`, with the trial\n"
    "masses and angles recorded there.\n"
    "\n"
    "  --coefficients FILE            the saved coefficients (required)\n"
    "  --unit, --holes, --positions, --tolerance, --json, --separator   as for `job`; the\n"
    "                                 tolerance varies the new readings only\n"
    "\n"
    "Exit status: 0; 1 when a reading was refused or the correction is impossible; 2 for a bad\n"
    "option, input line or coefficient file.\n";

// One value for every plane, or four: by plane 1..4.
bool PlaneValues(std::string_view option, std::string_view value, std::array<double, 4>& out,
                 std::string& error) {
    const std::vector<std::string> parts = SplitAt(value, ',');
    if (parts.size() != 1 && parts.size() != 4) {
        error = std::string(option) + ": нужно одно число или четыре через запятую, дано " +
                Quoted(value);
        return false;
    }
    for (std::size_t i = 0; i < 4; ++i) {
        const std::optional<double> number = ParseOptionNumber(parts[parts.size() == 1 ? 0 : i]);
        if (!number) {
            error = std::string(option) + ": не число: " + Quoted(parts[parts.size() == 1 ? 0 : i]);
            return false;
        }
        out[i] = *number;
    }
    return true;
}

std::optional<int> WholeNumber(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (text.empty() || text.size() > 9) return std::nullopt;
    int number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + (c - '0');
    }
    return number;
}

bool ParseHoles(std::string_view value, JobOptions& options, std::string& error) {
    const std::vector<std::string> parts = SplitAt(value, ',');
    if (parts.size() != 1 && parts.size() != 4) {
        error =
            "--holes: нужно одно число отверстий или четыре через запятую, дано " + Quoted(value);
        return false;
    }
    for (std::size_t i = 0; i < 4; ++i) {
        const std::string& part = parts[parts.size() == 1 ? 0 : i];
        const std::optional<int> count = WholeNumber(part);
        if (!count || *count < 2 || *count > kMostPositions) {
            error = "--holes: число отверстий должно быть целым, от 2 до " +
                    std::to_string(kMostPositions) + ", дано " + Quoted(part);
            return false;
        }
        options.Holes[i] = *count;
        options.Positions[i] = EquallySpaced(*count);
    }
    return true;
}

bool ParsePositions(std::string_view value, JobOptions& options, std::string& error) {
    const std::vector<std::string> parts = SplitAt(value, ',');
    std::vector<Position> positions;
    for (const std::string& part : parts) {
        const std::optional<double> angle = ParseOptionNumber(part);
        if (!angle) {
            error = "--positions: не число: " + Quoted(part);
            return false;
        }
        positions.push_back({static_cast<int>(positions.size()) + 1, NormalisedDegrees(*angle)});
    }
    if (positions.size() < 2 || positions.size() > kMostPositions) {
        error = "--positions: нужно от 2 до " + std::to_string(kMostPositions) +
                " позиций через запятую, дано " + Quoted(value);
        return false;
    }
    for (const Position& a : positions)
        for (const Position& b : positions)
            if (a.Number < b.Number &&
                std::fabs(a.AngleDegrees - b.AngleDegrees) < 0.005) {  // 0 and 360 included
                error = "--positions: позиции " + std::to_string(a.Number) + " и " +
                        std::to_string(b.Number) + " совпадают";
                return false;
            }
    options.Positions.fill(positions);
    return true;
}

// "2,2", "2%,2°" or "2 %, 2 °".
bool ParseTolerance(std::string_view value, JobOptions& options, std::string& error) {
    std::vector<std::string> parts = SplitAt(value, ',');
    const auto strip = [](std::string& text, std::string_view sign) {
        while (!text.empty() && text.back() == ' ') text.pop_back();
        if (text.ends_with(sign)) text.erase(text.size() - sign.size());
    };
    if (parts.size() == 2) {
        strip(parts[0], "%");
        strip(parts[1], kDegreeSign);
    }
    const std::optional<double> amplitude =
        parts.size() == 2 ? ParseOptionNumber(parts[0]) : std::nullopt;
    const std::optional<double> phase =
        parts.size() == 2 ? ParseOptionNumber(parts[1]) : std::nullopt;
    // Amplitudes must stay positive, and a phase off by more than half a turn means nothing.
    if (!amplitude || !phase || !(*amplitude >= 0.0 && *amplitude < 100.0) ||
        !(*phase >= 0.0 && *phase <= 180.0)) {
        error = "--tolerance: нужно «A%,P°» (амплитуда от 0 до 100 %, фаза от 0 до 180°), дано " +
                Quoted(value);
        return false;
    }
    options.ToleranceAmplitudePercent = *amplitude;
    options.TolerancePhaseDegrees = *phase;
    return true;
}

bool Allowed(Command command, std::string_view name) {
    static constexpr std::string_view kBoth[] = {
        "--unit", "--holes", "--positions", "--tolerance", "--json", "--separator", "--help"};
    static constexpr std::string_view kJob[] = {"--trial-mass", "--trial-angle",
                                                "--save-coefficients", "--example"};
    if (std::find(std::begin(kBoth), std::end(kBoth), name) != std::end(kBoth)) return true;
    if (command == Command::Trim) return name == "--coefficients";
    return std::find(std::begin(kJob), std::end(kJob), name) != std::end(kJob);
}

}  // namespace

std::optional<JobOptions> ParseJobOptions(Command command,
                                          const std::vector<std::string_view>& args,
                                          std::string& error) {
    JobOptions options;
    std::vector<std::string_view> seen;
    const auto fail = [&](std::string message) {
        error = std::move(message);
        return std::nullopt;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string_view name = args[i];
        std::optional<std::string_view> value;
        if (const std::size_t equals = name.find('=');
            name.starts_with("--") && equals != name.npos) {
            value = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        if (name == "-h") name = "--help";
        if (!Allowed(command, name)) return fail("неизвестный параметр " + Quoted(args[i]));
        if (std::find(seen.begin(), seen.end(), name) != seen.end())
            return fail("параметр " + std::string(name) + " задан дважды");
        seen.push_back(name);

        const bool flag = name == "--json" || name == "--example" || name == "--help";
        // --tolerance alone keeps the default tolerance.
        const bool optional = name == "--tolerance";
        if (flag) {
            if (value) return fail("параметру " + std::string(name) + " значение не нужно");
        } else if (!value) {
            if (i + 1 < args.size() && !(optional && args[i + 1].starts_with("--"))) {
                value = args[++i];
            } else if (!optional) {
                return fail("параметру " + std::string(name) + " нужно значение");
            }
        }

        if (name == "--help") {
            options.Help = true;
        } else if (name == "--json") {
            options.Json = true;
        } else if (name == "--example") {
            options.Example = true;
        } else if (name == "--trial-mass") {
            if (!PlaneValues(name, *value, options.TrialMass, error)) return std::nullopt;
            for (const double mass : options.TrialMass)
                if (!(mass > 0.0))
                    return fail("--trial-mass: пробная масса должна быть больше нуля, дано " +
                                Quoted(*value));
            options.TrialMassGiven = true;
        } else if (name == "--trial-angle") {
            if (!PlaneValues(name, *value, options.TrialAngle, error)) return std::nullopt;
            for (double& angle : options.TrialAngle) angle = NormalisedDegrees(angle);
        } else if (name == "--unit") {
            if (!IsUnitName(*value))
                return fail("--unit: нужно короткое название единицы, дано " + Quoted(*value));
            options.Unit = *value;
        } else if (name == "--holes") {
            if (!ParseHoles(*value, options, error)) return std::nullopt;
        } else if (name == "--positions") {
            if (!ParsePositions(*value, options, error)) return std::nullopt;
        } else if (name == "--tolerance") {
            if (value && !ParseTolerance(*value, options, error)) return std::nullopt;
        } else if (name == "--separator") {
            if (value->empty()) return fail("--separator: нужен один знак");
            options.Separator = *value;
        } else if (name == "--save-coefficients" || name == "--coefficients") {
            if (value->empty()) return fail(std::string(name) + ": нужно имя файла");
            (name == "--coefficients" ? options.Coefficients : options.SaveCoefficients) = *value;
        }
    }
    const auto given = [&](std::string_view name) {
        return std::find(seen.begin(), seen.end(), name) != seen.end();
    };
    if (given("--holes") && given("--positions"))
        return fail("--holes и --positions вместе не задаются: выберите одно");
    if (command == Command::Trim && !options.Help && options.Coefficients.empty())
        return fail("нужен параметр --coefficients FILE");
    // A trim takes the unit recorded with the coefficients unless one is given.
    if (command == Command::Job && options.Unit.empty())
        options.Unit = options.TrialMassGiven ? "г" : "%";
    return options;
}

std::string_view Usage(Command command) {
    return command == Command::Job ? kJobUsage : kTrimUsage;
}

}  // namespace balance4::cli
