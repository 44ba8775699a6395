// The command line of balance4-calc: one grammar in every mode, lists with «;», and every refusal
// a Russian line that names the option.
#include <gtest/gtest.h>

#include <sstream>

#include "options.h"

namespace balance4::test {
namespace {

using cli::Command;
using cli::Options;

// The fields a row can look at, in one line.
std::string Describe(const Options& o) {
    std::ostringstream text;
    text << (o.Mode == Command::Job ? "job" : o.Mode == Command::Trim ? "trim" : "lines");
    if (o.Help) text << " help";
    if (o.Example) text << " example";
    if (o.Json) text << " json";
    if (!o.Separator.empty()) text << " sep=" << o.Separator;
    if (o.Planes) text << " planes=" << o.Planes;
    if (o.Points) text << " points=" << o.Points;
    if (o.TrialMass) text << " mass=" << *o.TrialMass;
    if (o.TrialAngle) text << " angle=" << *o.TrialAngle;
    if (o.Holes) text << " holes=" << *o.Holes;
    if (o.Positions) {
        text << " positions=";
        for (const double angle : *o.Positions) text << angle << "/";
    }
    if (o.Tolerance)
        text << " tolerance=" << o.Tolerance->AmplitudePercent << "/" << o.Tolerance->PhaseDegrees;
    if (!o.Unit.empty()) text << " unit=" << o.Unit;
    if (!o.Phase.empty()) text << " phase=" << o.Phase;
    if (!o.TrialWeights.empty()) text << " trials=" << o.TrialWeights;
    if (!o.Objective.empty()) text << " objective=" << o.Objective;
    if (o.PointLimit) text << " limit=" << *o.PointLimit;
    if (o.MassLimit) text << " max-mass=" << *o.MassLimit;
    if (o.WeightsBox) text << " box=" << *o.WeightsBox << "/" << o.PerHole << "/" << o.TimeLimit;
    if (!o.Coefficients.empty()) text << " coefficients=" << o.Coefficients;
    if (!o.JobFile.empty()) text << " job=" << o.JobFile;
    if (!o.SaveJob.empty()) text << " save-job=" << o.SaveJob;
    if (!o.SaveCoefficients.empty()) text << " save-coefficients=" << o.SaveCoefficients;
    return text.str();
}

std::string Parse(const std::vector<std::string>& args) {
    Command mode = Command::Lines;
    std::string error;
    const std::optional<Options> options = cli::ParseOptions(args, mode, error);
    return options ? Describe(*options) : "error: " + error;
}

struct OptionRow {
    const char* name;
    std::vector<std::string> args;
    std::string expected;  // Describe(), or "error: " and a part of the message
};

TEST(Options, Rows) {
    const std::vector<OptionRow> rows = {
        {"no arguments: the line mode", {}, "lines"},
        {"--separator=, in the line mode", {"--separator=,"}, "lines sep=,"},
        {"-h in a subcommand", {"trim", "-h"}, "trim help"},
        {"a whole job, both spellings",
         {"job", "--planes", "2", "--points=3", "--trial-mass=20,5;10,5", "--trial-angle", "-90",
          "--holes", "12", "--tolerance=3;1,5", "--unit", "кг", "--json", "--save-job=a.json"},
         "job json planes=2 points=3 mass=20,5;10,5 angle=-90 holes=12 tolerance=3/1.5 "
         "unit=кг save-job=a.json"},
        {"the instrument's phase and trial weights left on",
         {"job", "--phase=with-rotation", "--trial-weights", "left-on"},
         "job phase=with-rotation trials=left-on"},
        {"a phase word of another language", {"job", "--phase", "lead"}, "error: --phase: нужно"},
        {"min-max with limits per point and per plane",
         {"job", "--objective=min-max", "--point-limit", "50", "--max-mass", "3,5;4"},
         "job objective=min-max limit=50 max-mass=3,5;4"},
        {"a box of weights, two to a hole, for half a second",
         {"job", "--weights-box=5x4; 10×3", "--per-hole", "2", "--time-limit", "0.5"},
         "job box=5x4; 10×3/2/0.5"},
        {"a time limit without a box",
         {"job", "--time-limit", "5"},
         "error: --per-hole и --time-limit задаются вместе с --weights-box"},
        {"an objective the tool does not know",
         {"job", "--objective", "minimax"},
         "error: --objective: нужно least-squares или min-max"},
        {"--tolerance alone keeps the default", {"job", "--tolerance", "--json"}, "job json"},
        {"positions as given, with a decimal comma after «;»",
         {"job", "--positions", "0;90,5;330"},
         "job positions=0/90.5/330/"},
        {"a position below zero is refused, not wrapped round",
         {"job", "--positions", "0;90;-30"},
         "error: --positions: позиция 3 — не угол от 0 до 360°"},
        {"trim from a job file", {"trim", "--job", "r.json"}, "trim job=r.json"},
        {"unknown option",
         {"job", "--holes-count", "3"},
         "error: неизвестный параметр «--holes-count»"},
        {"a stray word", {"job", "--json", "extra"}, "error: неизвестный параметр «extra»"},
        {"option twice",
         {"job", "--holes", "4", "--holes=6"},
         "error: параметр --holes задан дважды"},
        {"flag twice", {"job", "--json", "--json"}, "error: параметр --json задан дважды"},
        {"a flag takes no value",
         {"job", "--json=no"},
         "error: параметру --json значение не нужно"},
        {"missing value at the end",
         {"job", "--trial-angle"},
         "error: параметру --trial-angle нужно значение"},
        {"an option is no value",
         {"job", "--unit", "--json"},
         "error: параметру --unit нужно значение"},
        {"empty value", {"job", "--save-job="}, "error: параметру --save-job нужно значение"},
        {"a job option in the line mode",
         {"--trial-mass", "20"},
         "error: неизвестный параметр «--trial-mass»"},
        {"a trim has no trial masses",
         {"trim", "--coefficients", "c", "--trial-mass", "5"},
         "error: неизвестный параметр «--trial-mass»"},
        {"line-mode option before the subcommand",
         {"--separator", ",", "job"},
         "error: параметр --separator ставится после имени режима"},
        {"nine planes",
         {"job", "--planes", "9"},
         "error: --planes: число плоскостей должно быть целым, от 1 до 8"},
        {"fewer points than planes",
         {"job", "--planes", "3", "--points", "2"},
         "error: --points: точек измерения нужно не меньше"},
        {"holes and positions",
         {"job", "--holes", "4", "--positions", "0,90"},
         "error: вместе не задаются"},
        {"one position", {"job", "--positions", "90"}, "error: --positions: нужно от 2 до"},
        {"0 and 360 are one place",
         {"job", "--positions", "0,90,360"},
         "error: позиции 1 и 3 совпадают"},
        {"tolerance of one number", {"job", "--tolerance", "2"}, "error: --tolerance"},
        {"tolerance with decimal commas but no «;»",
         {"job", "--tolerance", "2,5,1,5"},
         "error: разделяйте числа «;»"},
        {"unit with a blank at its end", {"job", "--unit", "г "}, "error: --unit"},
        {"empty separator", {"--separator", ""}, "error: параметру --separator нужно значение"},
        {"trim without a file",
         {"trim"},
         "error: нужен параметр --coefficients FILE или --job FILE"},
        {"two sources", {"trim", "--coefficients", "a", "--job", "b"}, "error: вместе не задаются"},
        {"fitted with nothing to record",
         {"trim", "--coefficients", "c", "--fitted"},
         "error: --fitted: отметка о поставленных грузах пишется в задание"},
        {"example and a job file", {"job", "--example", "--job", "b"}, "error: вместе не задаются"},
    };
    for (const OptionRow& row : rows) {
        const std::string actual = Parse(row.args);
        if (row.expected.starts_with("error: "))
            EXPECT_NE(actual.find(row.expected.substr(7)), std::string::npos)
                << row.name << ": " << actual;
        else
            EXPECT_EQ(actual, row.expected) << row.name;
    }
}

struct ListRow {
    const char* name;
    std::string text;
    int planes;
    std::vector<double> expected;  // empty: refused with a message holding `message`
    std::string message = {};
};

TEST(Options, PlaneLists) {
    const std::vector<ListRow> rows = {
        {"one for all", "20", 4, {20, 20, 20, 20}},
        {"integers by commas, as scripts give them", "20,10,20,10", 4, {20, 10, 20, 10}},
        {"four by commas is four masses", "20,5,10,5", 4, {20, 5, 10, 5}},
        {"decimal commas by «;»", "20,5;10,5", 2, {20.5, 10.5}},
        {"points and commas mixed by «;»", "12.5;0,1;1e3", 3, {12.5, 0.1, 1000}},
        {"one decimal comma where two numbers cannot be meant",
         "20,5",
         4,
         {20.5, 20.5, 20.5, 20.5}},
        {"two numbers or one, for two planes", "20,5", 2, {}, "это два числа или одно"},
        {"two decimal-comma numbers without «;»", "20,5,10,5", 2, {}, "разделяйте числа «;»"},
        {"three for four planes", "1,2,3", 4, {}, "одно число или 4"},
        {"not a number", "12.5;x", 2, {}, "не число: «x»"},
        {"one plane", "7", 1, {7}},
    };
    for (const ListRow& row : rows) {
        std::string error;
        const auto numbers = cli::ParsePlaneNumbers("--trial-mass", row.text, row.planes, error);
        if (row.expected.empty()) {
            EXPECT_FALSE(numbers) << row.name;
            EXPECT_NE(error.find(row.message), std::string::npos) << row.name << ": " << error;
            EXPECT_TRUE(error.starts_with("--trial-mass: ")) << row.name << ": " << error;
        } else {
            ASSERT_TRUE(numbers) << row.name << ": " << error;
            EXPECT_EQ(*numbers, row.expected) << row.name;
        }
    }
}

}  // namespace
}  // namespace balance4::test
