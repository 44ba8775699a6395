#include "options.h"

#include <CLI/CLI.hpp>
#include <deque>
#include <utility>

#include "cli_text.h"

namespace balance4::cli {

namespace {

// One option of one mode, and what was given for it. Every option takes at most one value and may
// be given once; both are checked here rather than by the parser, whose own messages are English.
struct Given {
    std::string Name;
    bool Flag = false;
    bool ValueOptional = false;      // --tolerance alone keeps the default
    const CLI::App* Mode = nullptr;  // the mode it belongs to
    CLI::Option* Option = nullptr;
    std::vector<std::string> Values;
};

class Grammar {
  public:
    Grammar() {
        Prepare(m_app);
        m_job = m_app.add_subcommand("job");
        m_trim = m_app.add_subcommand("trim");
        m_iso = m_app.add_subcommand("iso");
        m_weight = m_app.add_subcommand("trial-weight");
        for (CLI::App* sub : {m_job, m_trim, m_iso, m_weight}) Prepare(*sub);
        m_app.require_subcommand(0, 1);

        AddFlag(m_app, "--help", "-h");
        AddFlag(m_app, "--example");
        AddValue(m_app, "--separator");

        for (CLI::App* sub : {m_job, m_trim}) {
            AddFlag(*sub, "--help", "-h");
            for (const char* name : {"--planes", "--points", "--unit", "--holes", "--positions",
                                     "--separator", "--job", "--save-job", "--limit", "--angles"})
                AddValue(*sub, name);
            AddValue(*sub, "--tolerance", true);
            AddFlag(*sub, "--json");
        }
        AddFlag(*m_job, "--example");
        for (const char* name :
             {"--trial-mass", "--trial-angle", "--save-coefficients", "--phase", "--trial-weights",
              "--repeat-run", "--objective", "--point-limit", "--max-mass", "--weights-box",
              "--per-hole", "--time-limit", "--speeds", "--speed-weight"})
            AddValue(*m_job, name);
        AddValue(*m_trim, "--coefficients");
        AddFlag(*m_trim, "--fitted");
        for (CLI::App* sub : {m_job, m_trim}) AddFlag(*sub, "--no-refine");
        AddFlag(*m_iso, "--help", "-h");
        for (const char* name : {"--rotor-mass", "--speed", "--grade", "--bearing-distances",
                                 "--job", "--separator", "--save-job"})
            AddValue(*m_iso, name);
        AddFlag(*m_iso, "--json");
        AddFlag(*m_weight, "--help", "-h");
        AddFlag(*m_weight, "--json");
        for (const char* name : {"--rotor-mass", "--speed", "--radius", "--planes", "--separator"})
            AddValue(*m_weight, name);
    }

    // Fills `options`; false with `error` set when the arguments are not a command line of ours.
    bool Parse(const std::vector<std::string>& args, Options& options, std::string& error) {
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        try {
            m_app.parse(reversed);
        } catch (const CLI::ParseError& failure) {
            options.Mode = Mode();
            // Not expected: every check the parser could make is made below, in Russian.
            error = "неверный параметр: " + Quoted(failure.what());
            return false;
        }
        options.Mode = Mode();
        CLI::App& active = *AppOf(options.Mode);
        for (CLI::App* app : {&m_app, &active})
            if (!app->remaining().empty()) {
                error = "неизвестный параметр " + Quoted(app->remaining().front());
                return false;
            }
        for (const Given& given : m_given) {
            if (given.Option->count() == 0) continue;
            if (given.Mode != &active) {
                error = "параметр " + given.Name + " ставится после имени режима";
                return false;
            }
            if (given.Option->count() > 1) {
                error = "параметр " + given.Name + " задан дважды";
                return false;
            }
            // The parser takes «--json=no» as a flag's value; a flag here takes none.
            if (given.Flag && given.Option->results() != std::vector<std::string>{"true"}) {
                error = "параметру " + given.Name + " значение не нужно";
                return false;
            }
            if (!given.Flag && !given.ValueOptional &&
                (given.Values.empty() || given.Values.front().empty())) {
                error = "параметру " + given.Name + " нужно значение";
                return false;
            }
        }
        return Take(options, error);
    }

  private:
    static void Prepare(CLI::App& app) {
        app.set_help_flag();
        app.allow_extras();
    }

    void AddFlag(CLI::App& app, const std::string& name, const std::string& alias = "") {
        Given& given = m_given.emplace_back();
        given.Name = name;
        given.Flag = true;
        given.Mode = &app;
        given.Option = app.add_flag(alias.empty() ? name : alias + "," + name);
        given.Option->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    }

    void AddValue(CLI::App& app, const std::string& name, bool optional = false) {
        Given& given = m_given.emplace_back();
        given.Name = name;
        given.ValueOptional = optional;
        given.Mode = &app;
        // At most one value: a value beginning with «-» (other than a number) is not taken, so
        // «--unit --json» reads as a missing unit, not as the unit «--json».
        given.Option = app.add_option(name, given.Values)
                           ->expected(0, 1)
                           ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    }

    Command Mode() const {
        return m_job->parsed()      ? Command::Job
               : m_trim->parsed()   ? Command::Trim
               : m_iso->parsed()    ? Command::Iso
               : m_weight->parsed() ? Command::TrialWeight
                                    : Command::Lines;
    }

    CLI::App* AppOf(Command mode) {
        return const_cast<CLI::App*>(std::as_const(*this).AppOf(mode));
    }
    const CLI::App* AppOf(Command mode) const {
        switch (mode) {
            case Command::Job:
                return m_job;
            case Command::Trim:
                return m_trim;
            case Command::Iso:
                return m_iso;
            case Command::TrialWeight:
                return m_weight;
            case Command::Lines:
                break;
        }
        return &m_app;
    }

    const Given* Find(const std::string& name) const {
        const CLI::App* active = AppOf(Mode());
        for (const Given& given : m_given)
            if (given.Name == name && given.Mode == active && given.Option->count() > 0)
                return &given;
        return nullptr;
    }

    // The value given for an option; empty optional when it was not given.
    std::optional<std::string> Value(const std::string& name) const {
        const Given* given = Find(name);
        if (!given) return std::nullopt;
        return given->Values.empty() ? std::string() : given->Values.front();
    }

    bool Take(Options& options, std::string& error) const {
        options.Help = Find("--help") != nullptr;
        options.Example = Find("--example") != nullptr;
        options.Json = Find("--json") != nullptr;
        options.Fitted = Find("--fitted") != nullptr;
        options.NoRefine = Find("--no-refine") != nullptr;
        const auto fail = [&](std::string message) {
            error = std::move(message);
            return false;
        };
        const auto file = [&](const std::string& name, std::string& path) {
            if (const std::optional<std::string> value = Value(name)) path = *value;
            return true;
        };
        if (const std::optional<std::string> separator = Value("--separator")) {
            if (separator->empty()) return fail("--separator: нужен один знак");
            options.Separator = *separator;
        }
        if (const std::optional<std::string> planes = Value("--planes")) {
            const std::optional<int> count = ParseWholeNumber(*planes, 1, kMostPlanes);
            if (!count)
                return fail("--planes: число плоскостей должно быть целым, от 1 до " +
                            std::to_string(kMostPlanes) + ", дано " + Quoted(*planes));
            options.Planes = *count;
        }
        if (const std::optional<std::string> points = Value("--points")) {
            const std::optional<int> count = ParseWholeNumber(*points, 1, kMostPoints);
            if (!count)
                return fail("--points: число точек измерения должно быть целым, от 1 до " +
                            std::to_string(kMostPoints) + ", дано " + Quoted(*points));
            options.Points = *count;
        }
        if (options.Planes != 0 && options.Points != 0 && options.Points < options.Planes)
            return fail("--points: точек измерения нужно не меньше, чем плоскостей (" +
                        std::to_string(options.Planes) + "), дано " +
                        std::to_string(options.Points));
        if (const std::optional<std::string> run = Value("--repeat-run")) {
            const std::optional<int> number = ParseWholeNumber(*run, 1, kMostPlanes + 1);
            if (!number)
                return fail("--repeat-run: номер пуска должен быть целым, от 1 до " +
                            std::to_string(kMostPlanes + 1) + ", дано " + Quoted(*run));
            options.RepeatRun = *number;
        }
        options.TrialMass = Value("--trial-mass");
        options.TrialAngle = Value("--trial-angle");
        options.Holes = Value("--holes");
        options.Limit = Value("--limit");
        if (const std::optional<std::string> positions = Value("--positions")) {
            options.Positions = ParsePositions(*positions, error);
            if (!options.Positions) return false;
        }
        if (options.Holes && options.Positions)
            return fail("--holes и --positions вместе не задаются: выберите одно");
        if (const std::optional<std::string> tolerance = Value("--tolerance");
            tolerance && !tolerance->empty()) {
            options.Tolerance = ParseTolerance(*tolerance, error);
            if (!options.Tolerance) return false;
        }
        if (const std::optional<std::string> unit = Value("--unit")) {
            if (!IsUnitName(*unit))
                return fail("--unit: нужно короткое название единицы, дано " + Quoted(*unit));
            options.Unit = *unit;
        }
        const auto word = [&](const std::string& name, const char* first, const char* second,
                              std::string& value) {
            const std::optional<std::string> given = Value(name);
            if (!given) return true;
            if (*given != first && *given != second)
                return fail(name + ": нужно " + first + " или " + second + ", дано " +
                            Quoted(*given));
            value = *given;
            return true;
        };
        if (const std::optional<std::string> angles = Value("--angles")) {
            if (*angles != "with-rotation" && *angles != "against-rotation" &&
                *angles != "as-phase")
                return fail("--angles: нужно with-rotation, against-rotation или as-phase, дано " +
                            Quoted(*angles));
            options.Angles = *angles;
        }
        if (!word("--phase", "against-rotation", "with-rotation", options.Phase) ||
            !word("--trial-weights", "removed", "left-on", options.TrialWeights) ||
            !word("--objective", "least-squares", "min-max", options.Objective))
            return false;
        options.PointLimit = Value("--point-limit");
        options.MassLimit = Value("--max-mass");
        options.WeightsBox = Value("--weights-box");
        if (const std::optional<std::string> speeds = Value("--speeds")) {
            const std::optional<int> count = ParseWholeNumber(*speeds, 1, kMostSpeeds);
            if (!count)
                return fail("--speeds: число скоростей — целое, от 1 до " +
                            std::to_string(kMostSpeeds) + ", дано " + Quoted(*speeds));
            options.Speeds = *count;
        }
        options.SpeedWeight = Value("--speed-weight");
        if (const std::optional<std::string> perHole = Value("--per-hole")) {
            const std::optional<int> count = ParseWholeNumber(*perHole, 1, 8);
            if (!count)
                return fail("--per-hole: грузов в одном отверстии — целое число от 1 до 8, дано " +
                            Quoted(*perHole));
            options.PerHole = *count;
        }
        if (const std::optional<std::string> seconds = Value("--time-limit")) {
            const std::optional<double> value = ParseOptionNumber(*seconds);
            if (!value || !(*value > 0.0 && *value <= 3600.0))
                return fail("--time-limit: нужно число секунд больше 0 и не больше 3600, дано " +
                            Quoted(*seconds));
            options.TimeLimit = *value;
        }
        if ((options.PerHole != 0 || options.TimeLimit != 0.0) && !options.WeightsBox)
            return fail("--per-hole и --time-limit задаются вместе с --weights-box");
        options.Radius = Value("--radius");
        file("--save-coefficients", options.SaveCoefficients);
        file("--coefficients", options.Coefficients);
        file("--job", options.JobFile);
        file("--save-job", options.SaveJob);
        if (!TakeRotor(options, error)) return false;
        if (options.Help) return true;
        if (options.Mode == Command::Trim && options.Coefficients.empty() &&
            options.JobFile.empty())
            return fail("нужен параметр --coefficients FILE или --job FILE");
        if (options.Fitted && options.SaveJob.empty())
            return fail(
                "--fitted: отметка о поставленных грузах пишется в задание, нужен "
                "--save-job ФАЙЛ");
        if (!options.Coefficients.empty() && !options.JobFile.empty())
            return fail("--coefficients и --job вместе не задаются: выберите одно");
        if (options.Mode == Command::Iso && !options.SaveJob.empty() && options.JobFile.empty())
            return fail("--save-job: нужно задание, --job ФАЙЛ");
        if (options.Example && !options.JobFile.empty())
            return fail("--example и --job вместе не задаются: выберите одно");
        return true;
    }

    // iso: the numbers are checked against their ranges where the check is made.
    bool TakeRotor(Options& options, std::string& error) const {
        const auto number = [&](const std::string& name, std::optional<double>& value) {
            const std::optional<std::string> given = Value(name);
            if (!given) return true;
            value = ParseOptionQuantity(*given);
            if (!value) error = name + ": нужно число, дано " + Quoted(*given);
            return value.has_value();
        };
        if (!number("--rotor-mass", options.RotorMass) || !number("--speed", options.Speed) ||
            !number("--grade", options.Grade))
            return false;
        if (const std::optional<std::string> levers = Value("--bearing-distances")) {
            // One number alone would be taken for both bearings, as a plane list takes it.
            if (levers->find_first_of(";,") == std::string::npos) {
                error = "--bearing-distances: нужно два расстояния, LA;LB, дано " + Quoted(*levers);
                return false;
            }
            options.Levers = ParsePlaneNumbers("--bearing-distances", *levers, 2, error);
            if (!options.Levers) return false;
        }
        return true;
    }

    CLI::App m_app;
    CLI::App* m_job = nullptr;
    CLI::App* m_trim = nullptr;
    CLI::App* m_iso = nullptr;
    CLI::App* m_weight = nullptr;
    std::deque<Given> m_given;  // stable addresses: the parser writes into their values
};

}  // namespace

std::optional<Options> ParseOptions(const std::vector<std::string>& args, Command& mode,
                                    std::string& error) {
    Grammar grammar;
    Options options;
    const bool parsed = grammar.Parse(args, options, error);
    mode = options.Mode;
    if (!parsed) return std::nullopt;
    return options;
}

}  // namespace balance4::cli
