// balance4-calc job and trim in-process: whole jobs of any shape with their printed results, the
// job file and the saved coefficients read back, and the inputs that must be refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>

#include "calculate.h"
#include "cli_run.h"
#include "job_file.h"
#include "test_support.h"

namespace balance4::test {
namespace {

using Complex = std::complex<long double>;
constexpr long double kPi = 3.141592653589793238462643383279502884L;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Each expected line appears as a whole line, in this order; others may stand between them.
void ExpectLinesInOrder(const std::string& out, const std::vector<std::string>& expected,
                        const std::string& name) {
    const std::vector<std::string> lines = Lines(out);
    std::size_t at = 0;
    for (const std::string& line : expected) {
        while (at < lines.size() && lines[at] != line) ++at;
        EXPECT_LT(at, lines.size()) << name << ": no line, or not in order:\n"
                                    << line << "\nin\n"
                                    << out;
        if (at == lines.size()) return;
        ++at;
    }
}

// What the job printed for the example before it stood on the job library; scripts read it.
const std::vector<std::string> kExampleIn20Grams = {
    "Плоскость                    1         2         3         4",
    "М, % пробной массы       33,63     87,30    123,26     20,38",
    "F, град. от пробного    282,20    226,05     70,85    115,48",
    "Пробный груз, г          20,00     20,00     20,00     20,00",
    "Угол пробного, град.      0,00      0,00      0,00      0,00",
    "Масса, г                  6,73     17,46     24,65      4,08",
    "Угол от нуля, град.     282,20    226,05     70,85    115,48",
    "Разброс массы, г         ±0,46     ±1,42     ±1,29     ±0,39",
    "Разброс угла, град.      ±4,86     ±6,01     ±3,26     ±5,68",
    "Куда ставить (углы от нуля):",
    "  плоскость 1: 4,11 г в отверстие 10 (270°)",
    "               2,84 г в отверстие 11 (300°)",
    "  плоскость 2: 8,42 г в отверстие 8 (210°)",
    "               9,65 г в отверстие 9 (240°)",
    "  плоскость 3: 16,18 г в отверстие 3 (60°)",
    "               9,28 г в отверстие 4 (90°)",
    "  плоскость 4: 0,64 г в отверстие 4 (90°)",
    "               3,51 г в отверстие 5 (120°)",
    "Разброс: в этих пределах остаются 95 % из 500 пересчётов,",
    "где каждое показание случайно (равномерно)",
    "изменено в пределах ±2 % по амплитуде и ±2° по фазе.",
};

// The example with the run that carries the trial weight in plane 1 read almost as the run
// without weight: that trial weight hardly changed the vibration.
std::vector<std::string> WeakTrialRun() {
    std::vector<std::string> texts = DefaultTexts();
    const char* run1[4][2] = {{"7,4", "239"}, {"13,6", "268"}, {"3,6", "129"}, {"2,4", "13"}};
    for (std::size_t p = 0; p < 4; ++p) {
        texts[p * 10 + 2] = run1[p][0];
        texts[p * 10 + 3] = run1[p][1];
    }
    return texts;
}

std::vector<std::string> RunZero(const std::vector<std::string>& texts) {
    std::vector<std::string> run0;
    for (std::size_t p = 0; p < 4; ++p)
        for (std::size_t k = 0; k < 2; ++k) run0.push_back(texts[p * 10 + k]);
    return run0;
}

struct JobRow {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    int status;
    std::vector<std::string> lines;  // whole lines of the table, in this order
};

TEST(JobCommand, PrintsItsResults) {
    const std::string example = Line(DefaultTexts());
    const std::vector<JobRow> rows = {
        {"the example in 20 g on 12 holes, line for line as before",
         {"job", "--example", "--trial-mass", "20", "--holes", "12"},
         "",
         0,
         kExampleIn20Grams},
        {"without trial masses the window's texts",
         {"job", "--example"},
         "",
         0,
         {"М, % пробной массы       33,63     87,30    123,26     20,38",
          "Масса, %                 33,63     87,30    123,26     20,38",
          "Углы отсчитываются по вращению: от места пробного груза (F) и от нулевой метки."}},
        {"an instrument counting phase with the rotation: the angles run against it",
         {"job", "--example", "--phase", "with-rotation"},
         "",
         0,
         {"F, град. от пробного    282,20    226,05     70,85    115,48",
          "Углы отсчитываются против вращения: от места пробного груза (F) и от нулевой метки."}},
        {"angles counted as the phase: every angle mirrored",
         {"job", "--example", "--angles", "as-phase"},
         "",
         0,
         {"F, град. от пробного     77,80    133,95    289,15    244,52",
          "Угол от нуля, град.      77,80    133,95    289,15    244,52",
          "Углы отсчитываются против вращения: от места пробного груза (F) и от нулевой метки."}},
        {"against the rotation with an instrument counting with it: today's frame",
         {"job", "--example", "--angles", "against-rotation", "--phase", "with-rotation"},
         "",
         0,
         {"F, град. от пробного    282,20    226,05     70,85    115,48",
          "Углы отсчитываются против вращения: от места пробного груза (F) и от нулевой метки."}},
        {"masses and angles per plane",
         {"job", "--example", "--trial-mass=10;20;30;40", "--trial-angle", "90,0,300,270", "--unit",
          "кг"},
         "",
         0,
         {"Масса, кг                 3,36     17,46     36,98      8,15",
          "Угол от нуля, град.      12,20    226,05     10,85     25,48"}},
        {"the nearest single hole beside the split, where it is as good",
         {"job", "--example", "--trial-mass", "20", "--holes", "24"},
         "",
         0,
         {"  плоскость 1: 1,27 г в отверстие 19 (270°)",
          "               или целиком в №20 (2,80° от поправки), останется вибрация до 0,24",
          "  плоскость 3: 6,90 г в отверстие 5 (60°)", "               17,92 г в отверстие 6 (75°)",
          "  плоскость 4: 1,24 г в отверстие 8 (105°)"}},
        {"listed positions, numbered as given",
         {"job", "--example", "--trial-mass", "20", "--positions", "300,270,100"},
         "",
         0,
         {"  плоскость 1: 4,11 г на место 2 (270°)", "               2,84 г на место 1 (300°)"}},
        {"two opposite holes cannot take a weight between them",
         {"job", "--example", "--holes", "2"},
         "",
         0,
         {"  плоскость 1: разбить нельзя — соседние места отстоят на 180° и больше"}},
        {"the readings from standard input, byte-order mark and CR LF",
         {"job", "--separator", ",", "--trial-mass", "20"},
         "\xEF\xBB\xBF" + example.substr(0, example.size() - 1) + "\r\n\r\n",
         0,
         {"Масса, г                  6,73     17,46     24,65      4,08"}},
        {"no tolerance, no spread",
         {"job", "--example", "--tolerance", "0%,0°"},
         "",
         0,
         {"Разброс массы, %         ±0,00     ±0,00     ±0,00     ±0,00"}},
        {"min-max within 10 g a plane: every point left alike, the mass at its limit",
         {"job", "--example", "--trial-mass", "20", "--objective", "min-max", "--max-mass", "10"},
         "",
         0,
         {"Масса, г                     6,68         6,24        10,00         0,98",
          "Цель: наименьшая наибольшая остаточная вибрация (минимакс).",
          "Пределы массы по плоскостям, г: 10,00; 10,00; 10,00; 10,00.",
          "  точка 1: 3,02, фаза 165,94°", "  точка 4: 3,02, фаза 53,44°"}},
        {"two speeds on one line, the second weighed double",
         {"job", "--separator", ",", "--speeds", "2", "--speed-weight", "1;2"},
         example.substr(0, example.size() - 1) + "\t" + example,
         0,
         {"Одна поправка на 2 скорости; веса скоростей: 1,00; 2,00.",
          "Число обусловленности по скоростям: 1 — 6,54; 2 — 6,54."}},
        {"a weak trial run: printed, flagged, exit status 3",
         {"job", "--separator", ","},
         Line(WeakTrialRun()),
         3,
         {"Внимание, плоскость 1: разброс больше самой поправки, верить ей нельзя"}},
    };
    for (const JobRow& row : rows) {
        const CliRun run = RunCli(row.args, row.input);
        EXPECT_EQ(run.Status, row.status) << row.name << "\n" << run.Err;
        EXPECT_EQ(run.Err, "") << row.name;
        ExpectLinesInOrder(run.Out, row.lines, row.name);
    }
    const std::string weak = RunCli({"job", "--separator", ","}, Line(WeakTrialRun())).Out;
    EXPECT_NE(weak.find("Решение недостоверно"), std::string::npos) << weak;
    EXPECT_EQ(RunCli({"job", "--example"}).Out.find("Внимание"), std::string::npos);
}

// The go/no-go rules on one plane and one point, where the trial run's change is |V1 − V0| / |V0|
// and the correction |V0| / |V1 − V0| of the trial mass.
TEST(JobCommand, GoNoGoRulesWarn) {
    struct Row {
        const char* name;
        std::string input;
        std::vector<std::pair<std::string, int>> warnings;  // "run" / "plane" and its number
        std::string line;                                   // a whole line of the table, or none
        std::string points = "1";
    };
    const std::vector<Row> rows = {
        {"a 450 % trial run",
         "2\t0\t11\t0\n",
         {{"run", 2}},
         "Пробный груз в плоскости 1 изменил вибрацию на 450.00 % — пробный груз велик (больше "
         "300 %): это опасно для машины"},
        {"290 % passes", "2\t0\t7.8\t0\n", {}, ""},
        {"a correction of 333 % of the trial mass",
         "10\t0\t13\t0\n",
         {{"plane", 1}},
         "Внимание: Плоскость 1: поправка — 333 % пробной массы, больше 300 % — пробный груз мал — "
         "повторите пуск с бо́льшим грузом."},
        {"290 % of the trial mass passes", "10\t0\t13.5\t0\n", {}, ""},
        {"a weak run, whose correction is then large too",
         "10\t0\t12\t0\n",
         {{"run", 2}, {"plane", 1}},
         ""},
        {"point 3's sensor turned by 90° in the trial run",
         "1\t180\t1\t0\t1.5\t180\t1.5\t0\t2\t180\t2\t90\n",
         {{"point", 3}},
         "  Без точки 3: плоскость 1 — 50.00 %, 0.00° от нуля.",
         "3"},
    };
    for (const Row& row : rows) {
        const std::vector<std::string> args = {"job",      "--planes",    "1", "--points",
                                               row.points, "--separator", "."};
        std::vector<std::string> json = args;
        json.push_back("--json");
        const CliRun run = RunCli(json, row.input);
        const nlohmann::json warnings = nlohmann::json::parse(run.Out)["warnings"];
        ASSERT_EQ(warnings.size(), row.warnings.size()) << row.name << "\n" << run.Out;
        for (std::size_t i = 0; i < warnings.size(); ++i) {
            EXPECT_EQ(warnings[i][row.warnings[i].first], row.warnings[i].second) << row.name;
            EXPECT_FALSE(warnings[i]["text"].get<std::string>().empty()) << row.name;
        }
        if (!row.line.empty())
            ExpectLinesInOrder(RunCli(args, row.input).Out, {row.line}, row.name);
    }
}

// 1000 kg at 3000 rpm, trial weights at 200 mm, two planes: 10 % of the 4903 N on each plane is
// 490,3 N = m·0,2 m·(314,16 1/s)², so m = 24,84 g.
TEST(JobCommand, TrialWeight) {
    struct Row {
        const char* name;
        std::vector<std::string> args;
        int status;
        std::string says;  // standard output or standard error, in part
    };
    const std::vector<std::string> rotor = {"trial-weight", "--rotor-mass", "1000",
                                            "--speed",      "3000",         "--radius",
                                            "200",          "--separator",  ","};
    const auto with = [&](std::vector<std::string> more) {
        std::vector<std::string> args = rotor;
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };
    const std::vector<Row> rows = {
        {"two planes", with({"--planes", "2"}), 0,
         "Пробная масса на плоскость: 24,84 г (не меньше 12,42 г)"},
        {"one plane carries the whole rotor", rotor, 0, "49,68 г"},
        {"no speed",
         {"trial-weight", "--rotor-mass", "1000", "--radius", "200"},
         2,
         "нужен параметр --speed"},
        {"a radius given twice", with({"--radius", "0"}), 2, "--radius задан дважды"},
        {"a radius of zero",
         {"trial-weight", "--rotor-mass", "1", "--speed", "1", "--radius", "0"},
         2,
         "радиус пробного груза должен быть больше нуля"},
        {"nine planes", with({"--planes", "9"}), 2, "от 1 до 8"},
    };
    for (const Row& row : rows) {
        const CliRun run = RunCli(row.args);
        EXPECT_EQ(run.Status, row.status) << row.name << "\n" << run.Err;
        EXPECT_NE((row.status == 0 ? run.Out : run.Err).find(row.says), std::string::npos)
            << row.name << ": " << run.Out << run.Err;
    }
    const nlohmann::json json =
        nlohmann::json::parse(RunCli(with({"--json", "--planes", "2"})).Out);
    EXPECT_NEAR(json["usual_g"].get<double>(), 24.8405, 5e-5);
    EXPECT_NEAR(json["least_g"].get<double>(), 12.4203, 5e-5);
}

// A job's readings made from influence coefficients and a run without weight chosen here; the
// correction is solved here on its own, by the normal equations and Cramer's rule.
struct SmallJob {
    std::vector<Complex> Run0;                  // per point
    std::vector<std::vector<Complex>> Effect;   // [point][plane]: what each trial weight adds
    std::vector<double> TrialMass, TrialAngle;  // per plane
};

Complex Polar(long double amplitude, long double degrees) {
    return std::polar(amplitude, degrees * kPi / 180.0L);
}

std::string Number(long double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.17g", static_cast<double>(value));
    return text;
}

void AddReading(std::vector<std::string>& texts, Complex v) {
    long double degrees = std::arg(v) * 180.0L / kPi;
    if (degrees < 0) degrees += 360.0L;
    texts.push_back(Number(std::abs(v)));
    texts.push_back(Number(degrees));
}

// Point by point: run 0, then each trial run; amplitude before phase.
std::string JobLine(const SmallJob& job) {
    std::vector<std::string> texts;
    for (std::size_t p = 0; p < job.Run0.size(); ++p) {
        AddReading(texts, job.Run0[p]);
        for (const Complex& effect : job.Effect[p]) AddReading(texts, job.Run0[p] + effect);
    }
    return Line(texts);
}

std::string RunZeroLine(const SmallJob& job) {
    std::vector<std::string> texts;
    for (const Complex& v : job.Run0) AddReading(texts, v);
    return Line(texts);
}

// Two planes: (AᴴA)x = −AᴴV0 by Cramer's rule; the multiples of each trial weight.
std::vector<Complex> SolveTwoPlanes(const SmallJob& job) {
    Complex g[2][2] = {}, b[2] = {};
    for (std::size_t p = 0; p < job.Run0.size(); ++p)
        for (std::size_t i = 0; i < 2; ++i) {
            for (std::size_t j = 0; j < 2; ++j)
                g[i][j] += std::conj(job.Effect[p][i]) * job.Effect[p][j];
            b[i] -= std::conj(job.Effect[p][i]) * job.Run0[p];
        }
    const Complex det = g[0][0] * g[1][1] - g[0][1] * g[1][0];
    return {(b[0] * g[1][1] - g[0][1] * b[1]) / det, (g[0][0] * b[1] - b[0] * g[1][0]) / det};
}

double Degrees(long double angle) {
    long double degrees = std::fmod(angle * 180.0L / kPi, 360.0L);
    if (degrees < 0) degrees += 360.0L;
    return static_cast<double>(degrees);
}

void ExpectAgrees(const SmallJob& job, const std::string& name) {
    const std::string shape = std::to_string(job.Run0.size());
    const CliRun run =
        RunCli({"job", "--planes", "2", "--points=" + shape, "--separator", ".", "--trial-mass",
                Number(job.TrialMass[0]) + ";" + Number(job.TrialMass[1]), "--trial-angle",
                Number(job.TrialAngle[0]) + ";" + Number(job.TrialAngle[1]), "--json"},
               JobLine(job));
    ASSERT_EQ(run.Status, 0) << name << "\n" << run.Err;
    const nlohmann::json json = nlohmann::json::parse(run.Out);
    const std::vector<Complex> x = SolveTwoPlanes(job);
    for (std::size_t k = 0; k < 2; ++k) {
        const nlohmann::json& plane = json["planes"][k];
        // A weight at angle u from its trial weight is e^(−iu) times it: the angles run against
        // the phase.
        const double percent = static_cast<double>(std::abs(x[k]) * 100.0L);
        const double fromTrial = Degrees(-std::arg(x[k]));
        const double fromZero = Degrees(-std::arg(x[k]) + job.TrialAngle[k] * kPi / 180.0L);
        EXPECT_NEAR(plane["mass_percent"].get<double>(), percent, percent * 1e-9) << name << k;
        EXPECT_NEAR(plane["angle"].get<double>(), fromTrial, 1e-7) << name << k;
        EXPECT_NEAR(plane["mass"].get<double>(), percent / 100 * job.TrialMass[k], percent * 1e-9)
            << name << k;
        EXPECT_NEAR(plane["angle_from_zero"].get<double>(), fromZero, 1e-7) << name << k;
    }
    EXPECT_EQ(json["objective"], "least-squares") << name;
    if (job.Run0.size() == 2) return;
    ASSERT_EQ(json["residuals"].size(), job.Run0.size()) << name;
    for (std::size_t p = 0; p < job.Run0.size(); ++p) {
        EXPECT_EQ(json["residuals"][p]["point"], p + 1) << name;
        const Complex left = job.Run0[p] + job.Effect[p][0] * x[0] + job.Effect[p][1] * x[1];
        EXPECT_NEAR(json["residuals"][p]["amplitude"].get<double>(),
                    static_cast<double>(std::abs(left)), 1e-9)
            << name << " point " << p;
    }
}

// The example read three times, the repeats off by ∓5 % in amplitude and ∓5° in phase: the readings
// of a point now differ by 10 % and 10°, which outgrows the 2 % and 2° of the instrument.
TEST(JobCommand, RepeatsMeasureTheScatter) {
    const auto scaled = [](double amplitudeFactor, double phaseTurn) {
        std::vector<std::string> texts = DefaultTexts();
        for (std::size_t i = 0; i < texts.size(); ++i) {
            std::string text = texts[i];
            std::replace(text.begin(), text.end(), ',', '.');
            const double value = std::stod(text);
            texts[i] = Number(i % 2 == 0 ? value * amplitudeFactor
                                         : std::fmod(value + phaseTurn + 360, 360));
        }
        return texts;
    };
    struct Row {
        const char* name;
        std::string input;
        std::string repeatRun;
        double amplitude, phase;  // the scatter the spread used
        std::string from;
        const char* trust;  // of every plane; null: not checked
    };
    const std::vector<Row> rows = {
        {"repeats 10 % and 10° apart",
         Line(scaled(1, 0)) + Line(scaled(0.95, -5)) + Line(scaled(1.05, 5)), "", 10, 10, "repeats",
         "сомнительно"},
        {"repeats within the tolerance",
         Line(scaled(1, 0)) + Line(scaled(0.995, -0.5)) + Line(scaled(1.005, 0.5)), "", 2, 2,
         "tolerance", ""},
        {"run 1 alone read again, 6 % higher", Line(scaled(1, 0)) + Line(RunZero(scaled(1.06, 0))),
         "1", 6 / 1.03, 2, "repeats", nullptr},
    };
    for (const Row& row : rows) {
        std::vector<std::string> args = {"job", "--separator", ".", "--json"};
        if (!row.repeatRun.empty()) args.insert(args.end(), {"--repeat-run", row.repeatRun});
        const CliRun run = RunCli(args, row.input);
        ASSERT_EQ(run.Status, 0) << row.name << "\n" << run.Err;
        const nlohmann::json json = nlohmann::json::parse(run.Out);
        EXPECT_EQ(json["scatter"]["from"], row.from) << row.name;
        EXPECT_NEAR(json["scatter"]["amplitude_percent"].get<double>(), row.amplitude, 1e-6)
            << row.name;
        EXPECT_NEAR(json["scatter"]["phase_degrees"].get<double>(), row.phase, 1e-6) << row.name;
        for (const nlohmann::json& plane : json["planes"]) {
            if (row.trust) {
                EXPECT_EQ(plane["spread"]["trust"], row.trust) << row.name;
            }
        }
    }
}

TEST(JobCommand, TwoPlanesAgreeWithASolveOfTheirOwn) {
    const SmallJob square = {
        {Polar(7.2, 238), Polar(3.5, 128)},
        {{Polar(4.1, 35), Polar(1.3, 250)}, {Polar(0.9, 110), Polar(3.8, 300)}},
        {20, 35},
        {30, 300}};
    ExpectAgrees(square, "2 planes, 2 points");
    // Three points: no correction cancels all three, so the residuals are not zero.
    const SmallJob three = {{Polar(7.2, 238), Polar(3.5, 128), Polar(5.0, 10)},
                            {{Polar(4.1, 35), Polar(1.3, 250)},
                             {Polar(0.9, 110), Polar(3.8, 300)},
                             {Polar(2.2, 200), Polar(2.9, 80)}},
                            {12.5, 40},
                            {0, 90}};
    ExpectAgrees(three, "2 planes, 3 points");
}

// A job saved and read back is the same job: the same file, the same results.
TEST(JobCommand, SavedJobReadsBack) {
    const SmallJob job = {{Polar(7.2, 238), Polar(3.5, 128), Polar(5.0, 10)},
                          {{Polar(4.1, 35), Polar(1.3, 250)},
                           {Polar(0.9, 110), Polar(3.8, 300)},
                           {Polar(2.2, 200), Polar(2.9, 80)}},
                          {12.5, 40},
                          {0, 90}};
    const std::string first = TempPath("first.json"), second = TempPath("second.json");
    const CliRun saved = RunCli({"job", "--planes=2", "--points=3", "--separator", ".",
                                 "--trial-mass", "12.5;40", "--trial-angle", "0;90", "--holes",
                                 "8;12", "--tolerance", "1;1", "--json", "--save-job", first},
                                JobLine(job));
    ASSERT_EQ(saved.Status, 0) << saved.Err;
    const CliRun again = RunCli({"job", "--job", first, "--json", "--save-job", second});
    ASSERT_EQ(again.Status, 0) << again.Err;
    EXPECT_EQ(Slurp(second), Slurp(first));
    nlohmann::json a = nlohmann::json::parse(saved.Out), b = nlohmann::json::parse(again.Out);
    a.erase("saved_job");
    b.erase("saved_job");
    EXPECT_EQ(a, b);
    // The job file's coefficients give the job back in a trim of its run without weight.
    const CliRun trim =
        RunCli({"trim", "--job", first, "--separator", ".", "--json"}, RunZeroLine(job));
    ASSERT_EQ(trim.Status, 0) << trim.Err;
    const nlohmann::json t = nlohmann::json::parse(trim.Out);
    for (std::size_t k = 0; k < 2; ++k)
        EXPECT_NEAR(t["planes"][k]["mass"].get<double>(), a["planes"][k]["mass"].get<double>(),
                    1e-12);
    std::remove(first.c_str());
    std::remove(second.c_str());
}

// A trim on the run without weight of the job that saved the coefficients is that job again, to
// the digit, from the old coefficient file as from the job file.
TEST(JobCommand, SavedCoefficientsGiveTheJobBackInATrim) {
    const std::string coefficients = TempPath("coefficients.txt"), job = TempPath("job.json");
    const std::vector<std::string> options = {
        "--separator",     ",",      "--trial-mass", "12.5,20,0.1,1e3", "--trial-angle",
        "0,45,359.99,120", "--unit", "n т",          "--json"};
    std::vector<std::string> args = {"job", "--save-coefficients", coefficients, "--save-job", job};
    args.insert(args.end(), options.begin(), options.end());
    const CliRun calculated = RunCli(args, Line(DefaultTexts()));
    ASSERT_EQ(calculated.Status, 0) << calculated.Err;
    const nlohmann::json a = nlohmann::json::parse(calculated.Out);
    for (const std::vector<std::string>& source :
         {std::vector<std::string>{"--coefficients", coefficients},
          std::vector<std::string>{"--job", job}}) {
        const CliRun trim = RunCli({"trim", source[0], source[1], "--separator", ",", "--json"},
                                   Line(RunZero(DefaultTexts())));
        ASSERT_EQ(trim.Status, 0) << trim.Err;
        const nlohmann::json b = nlohmann::json::parse(trim.Out);
        EXPECT_EQ(a["window_texts"], b["window_texts"]) << source[0];
        EXPECT_EQ(b["unit"], "n т");
        for (std::size_t i = 0; i < 4; ++i)
            for (const char* key :
                 {"mass_percent", "angle", "trial_mass", "trial_angle", "mass", "angle_from_zero"})
                EXPECT_EQ(a["planes"][i][key], b["planes"][i][key]) << key << " " << i;
    }
    std::remove(coefficients.c_str());
    std::remove(job.c_str());
}

// A trim saved by the tool is recorded by the library's one rule: the file RecordTrim gives, apart
// from the date; whether the installed weights changed is said in the table and in JSON.
TEST(JobCommand, SavedTrimIsTheLibrarysRecord) {
    const std::string source = TempPath("before-trim.json"), saved = TempPath("after-trim.json");
    ASSERT_EQ(
        RunCli({"job", "--example", "--trial-mass", "20", "--holes", "12", "--save-job", source})
            .Status,
        0);
    const std::vector<std::string> run0 = {"3,1", "200", "6,2", "250", "1,9", "40", "2,0", "330"};
    for (const bool fitted : {true, false}) {
        std::vector<std::string> args = {"trim", "--job",      source, "--separator",
                                         ",",    "--save-job", saved};
        if (fitted) args.push_back("--fitted");
        if (!fitted) args.push_back("--json");
        const CliRun trim = RunCli(args, Line(run0));
        ASSERT_EQ(trim.Status, 0) << trim.Err;
        if (fitted)
            EXPECT_NE(trim.Out.find("установленными записаны грузы"), std::string::npos)
                << trim.Out;
        else
            EXPECT_EQ(nlohmann::json::parse(trim.Out)["installed_updated"], false);

        std::string error;
        std::optional<job::Job> expected = job::LoadJobFile(source, error);
        const std::optional<job::Job> written = job::LoadJobFile(saved, error);
        ASSERT_TRUE(expected && written) << error;
        ASSERT_EQ(written->TrimHistory.size(), 1u);
        const std::string date = written->TrimHistory[0].Date;
        EXPECT_TRUE(std::regex_match(date, std::regex(R"(\d\d\.\d\d\.\d{4} \d\d:\d\d)"))) << date;
        for (std::size_t i = 0; i < run0.size(); i += 2)
            expected->ControlRun.push_back({run0[i], run0[i + 1]});
        const job::JobResult made = job::Trim(*expected, expected->ControlRun);
        job::RecordTrim(*expected, made, date, fitted ? job::TrimFitted::Yes : job::TrimFitted::No);
        EXPECT_EQ(Slurp(saved), job::FormatJobFile(*expected)) << "fitted " << fitted;
        EXPECT_EQ(written->Installed.empty(), !fitted);
    }
    std::remove(source.c_str());
    std::remove(saved.c_str());
}

// A two-plane job (NPTEL, Example 13.5, as in the job library's tests) with one control run
// recorded.
job::Job PublishedJob() {
    const Complex v1 = -Polar(30, 230), v2 = -Polar(70, 330);
    const Complex near = Polar(50, 61), far = Polar(42, 130);
    job::Job published = job::MakeJob(2, 2);
    published.Separator = ".";
    published.Unit = "кг";
    for (job::PlaneSetup& plane : published.Plane) {
        plane.TrialMass = 0.3;
        plane.TrialAngle = 330;
    }
    const auto text = [](Complex v) {
        std::vector<std::string> texts;
        AddReading(texts, v);
        return job::ReadingText{texts[0], texts[1]};
    };
    published.Readings = {
        {text(v1), text(v2)}, {text(v1 + near), text(v2 + far)}, {text(v1 + far), text(v2 + near)}};
    published.Saved = job::Calculate(published).Saved;
    published.TrimHistory = {{"2026-12-10", {{"0.67", "48.5"}, {"0.22", "63.5"}}, {}, {}}};
    return published;
}

// The verdict in the table and the JSON of `job`, and of a `trim` adding a second control run.
TEST(JobCommand, VerdictAgainstTheLimit) {
    const job::Job published = PublishedJob();
    const std::string path = TempPath("verdict.json");
    std::string error;
    ASSERT_TRUE(job::SaveJobFile(path, published, error)) << error;

    const CliRun calculated = RunCli({"job", "--job", path, "--limit", "2.8"});
    ASSERT_EQ(calculated.Status, 0) << calculated.Err;
    ExpectLinesInOrder(
        calculated.Out,
        {"Вибрация по пускам:", "  Пуск                точка 1  точка 2",
         "  пуск 0                30.00    70.00", "  контрольный пуск 1     0.67     0.22",
         "  прогноз                0.00     0.00", "  Норма                  2.80     2.80",
         "  Оценка              в норме  в норме",
         "Итог: вибрация в норме во всех точках (контрольный пуск 1)."},
        "job");
    const CliRun trimmed = RunCli({"trim", "--job", path, "--limit", "0.5;0.1", "--json"},
                                  Line({"0.31", "12", "0.12", "200"}));
    ASSERT_EQ(trimmed.Status, 0) << trimmed.Err;
    const nlohmann::json acceptance = nlohmann::json::parse(trimmed.Out)["acceptance"];
    EXPECT_EQ(acceptance["within"], false);
    EXPECT_EQ(acceptance["points"], nlohmann::json({"в норме", "выше нормы"}));
    EXPECT_EQ(acceptance["runs"].size(), 4u);
    EXPECT_EQ(acceptance["verdict"], "Итог: вибрация выше нормы в точке 2 (контрольный пуск 2).");
    // Without a limit the runs are shown and no verdict is claimed.
    const nlohmann::json open =
        nlohmann::json::parse(RunCli({"job", "--job", path, "--json"}).Out)["acceptance"];
    EXPECT_TRUE(open["within"].is_null());
    EXPECT_EQ(open["verdict"], "");
    const CliRun refused = RunCli({"job", "--job", path, "--limit", "1;2;3"});
    EXPECT_EQ(refused.Status, 2);
    EXPECT_NE(refused.Err.find("--limit"), std::string::npos) << refused.Err;
    std::remove(path.c_str());
}

// A trim refines the coefficients by the recorded control run unless told not to, says by how
// much, and the saved job keeps which coefficients it used.
TEST(JobCommand, TrimRefinesTheCoefficients) {
    job::Job published = PublishedJob();
    published.TrimHistory[0].Correction = {{0.02, 40}, {0.01, 300}};
    published.Iso = job::IsoSetup{120, 1500, 6.3, {400, 600}, {}, {}};
    for (job::PlaneSetup& plane : published.Plane) plane.CorrectionRadius = 250;
    const std::string path = TempPath("refine.json"), saved = TempPath("refined.json");
    std::string error;
    ASSERT_TRUE(job::SaveJobFile(path, published, error)) << error;
    const std::string run = Line({"0.31", "12", "0.12", "200"});

    const CliRun refined = RunCli({"trim", "--job", path, "--save-job", saved}, run);
    ASSERT_EQ(refined.Status, 0) << refined.Err;
    ExpectLinesInOrder(
        refined.Out,
        {"Коэффициенты влияния уточнены по 4 пускам (пробным и контрольным).",
         "  Изменение, %  плоскость 1  плоскость 2", "Допуск ISO 21940-11, G 6.3: выполнен"},
        "refined");
    EXPECT_NE(Slurp(saved).find("\"refined\""), std::string::npos);
    const nlohmann::json json =
        nlohmann::json::parse(RunCli({"trim", "--job", path, "--json"}, run).Out);
    EXPECT_EQ(json["coefficients_used"], "refined");
    EXPECT_EQ(json["refined"]["runs"], 4);
    EXPECT_GT(json["refined"]["change_percent"][0][0].get<double>(), 0.01);
    // The trim's own correction, kilograms at 250 mm, is what remains on plane 1.
    EXPECT_NEAR(json["iso"]["residual_a_gmm"].get<double>(),
                json["planes"][0]["mass"].get<double>() * 1000 * 250, 1e-9);
    // `job` checks what the recorded control run left, not the job's first correction.
    EXPECT_NEAR(
        nlohmann::json::parse(RunCli({"job", "--job", path, "--json"}).Out)["iso"]["residual_a_gmm"]
            .get<double>(),
        0.02 * 1000 * 250, 1e-9);
    EXPECT_NE(RunCli({"job", "--job", path, "--unit", "ед."})
                  .Out.find("\nДопуск ISO 21940-11 не проверен: единица массы «ед.» не "
                            "переводится в граммы: задайте г или кг.\n"),
              std::string::npos);

    const nlohmann::json plain = nlohmann::json::parse(
        RunCli({"trim", "--job", path, "--json", "--no-refine", "--save-job", saved}, run).Out);
    EXPECT_EQ(plain["coefficients_used"], "saved");
    EXPECT_FALSE(plain.contains("refined"));
    EXPECT_NE(json["planes"][0]["mass"], plain["planes"][0]["mass"]);
    EXPECT_NE(Slurp(saved).find("\"refine\": false"), std::string::npos);
    EXPECT_EQ(Slurp(saved).find("\"refined\""), std::string::npos);
    std::remove(path.c_str());
    std::remove(saved.c_str());
}

struct BadRow {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    int status;
    std::string message;  // part of standard error
};

TEST(JobCommand, BadInputGetsItsMessageAndNoResult) {
    const std::string good = TempPath("good.txt"), damaged = TempPath("damaged.txt"),
                      exampleJob = TempPath("example.json");
    ASSERT_EQ(
        RunCli({"job", "--example", "--trial-mass", "20", "--save-coefficients", good}).Status, 0);
    std::string text = Slurp(good);
    text[text.find("coefficient 2 3 ") + 16] ^= 1;  // one digit of a coefficient
    std::ofstream(damaged, std::ios::binary) << text;
    ASSERT_EQ(RunCli({"job", "--example", "--save-job", exampleJob}).Status, 0);
    const std::string example = Line(DefaultTexts());
    const std::string run0 = Line(RunZero(DefaultTexts()));
    // The example with one text replaced: point p (0..3), run r (0..4), phase or amplitude.
    const auto exampleWith = [](std::size_t p, std::size_t r, bool phase, const char* text) {
        std::vector<std::string> texts = DefaultTexts();
        texts[p * 10 + r * 2 + (phase ? 1 : 0)] = text;
        return Line(texts);
    };

    const std::vector<BadRow> rows = {
        {"zero trial mass", {"job", "--example", "--trial-mass", "0"}, "", 2, "больше нуля"},
        {"negative trial mass",
         {"job", "--example", "--trial-mass", "1,2,-3,4"},
         "",
         2,
         "больше нуля"},
        {"holes not a number", {"job", "--example", "--holes", "12,x,12,12"}, "", 2, "«x»"},
        {"39 readings",
         {"job", "--separator", ","},
         Line(std::vector<std::string>(39, "1")),
         2,
         "найдено 39"},
        {"a 2 × 2 line is 12 readings",
         {"job", "--planes", "2"},
         example,
         2,
         "ожидается 12 показаний"},
        {"a second line of another length",
         {"job", "--separator", ","},
         example + "1\t2\n",
         2,
         "строка 2: ожидается 40 показаний через TAB, найдено 2"},
        {"a repeat of one run without --repeat-run",
         {"job", "--separator", ","},
         example + Line(RunZero(DefaultTexts())),
         2,
         "строка 2: ожидается 40"},
        {"--repeat-run past the runs",
         {"job", "--separator", ",", "--repeat-run", "6"},
         example,
         2,
         "--repeat-run: пусков в задании 5, дано 6"},
        {"too many repeats",
         {"job", "--separator", ","},
         [&] {
             std::string many;
             for (int i = 0; i < 52; ++i) many += example;
             return many;
         }(),
         2,
         "Пуск 1 повторён больше 50 раз"},
        {"a repeat's phase past a turn",
         {"job", "--separator", ",", "--repeat-run", "1"},
         example + "7,6\t238\t3,5\t128\t2,5\t12\t1\t400\n",
         1,
         "Повтор пуска 1, точка 4: фаза 400° вне"},
        {"a repeat's reading refused",
         {"job", "--separator", ",", "--repeat-run", "1"},
         example + "7,6\t238\tx\t128\t2,5\t12\t1\t40\n",
         1,
         "Неверно задан повтор пуска 1, точка 2 (амплитуда)"},
        {"refused reading", {"job", "--separator", "."}, example, 1, "Неверно задан Vo1, пуск 1"},
        {"a mass limit of zero",
         {"job", "--example", "--max-mass", "0"},
         "",
         2,
         "--max-mass: предел должен быть больше нуля"},
        {"two limits for four points",
         {"job", "--example", "--point-limit", "1;2"},
         "",
         2,
         "--point-limit: нужно одно число или 4"},
        {"a box of weights with a kind of no count",
         {"job", "--example", "--holes", "12", "--weights-box", "5×4; 10"},
         "",
         2,
         "--weights-box: нужно «масса×штук; …»"},
        {"a box of weights, four kinds, and 360 holes a plane",
         {"job", "--example", "--holes", "360", "--weights-box", "5×4; 10×3; 20×2; 40×1"},
         "",
         2,
         "Слишком много отверстий и масс для подбора"},
        {"a box of weights and no holes",
         {"job", "--example", "--weights-box", "5×4"},
         "",
         2,
         "Плоскость 1: для грузов из набора нужны отверстия или места"},
        {"two speeds but the readings of one",
         {"job", "--separator", ",", "--speeds", "2"},
         example,
         2,
         "ожидается 80 показаний через TAB, найдено 40"},
        {"a phase typed 1040 for 104",
         {"job", "--separator", ","},
         exampleWith(1, 1, true, "1040"),
         1,
         "Пуск 2, точка 2: фаза 1040° вне 0…360° — опечатка?"},
        {"a phase of 360,5",
         {"job", "--separator", ","},
         exampleWith(3, 4, true, "360,5"),
         1,
         "Пуск 5, точка 4: фаза 360,5° вне"},
        {"a trial angle of 352116",
         {"job", "--example", "--trial-angle", "0;0;352116;0"},
         "",
         2,
         "Плоскость 3: угол пробного груза 352116° вне 0…360°"},
        {"a negative trial angle",
         {"job", "--example", "--trial-angle", "-90"},
         "",
         2,
         "Плоскость 1: угол пробного груза -90° вне"},
        {"a position past a turn",
         {"job", "--example", "--positions", "10;400"},
         "",
         2,
         "--positions: позиция 2 — не угол от 0 до 360°"},
        {"an amplitude that dwarfs the rest is named, not the trial masses",
         {"job", "--separator", ","},
         exampleWith(0, 0, false, "1e308"),
         1,
         "Пуск 1, точка 1: амплитуда 1e308 несоизмеримо больше остальных"},
        {"an amplitude 10¹² times the median",
         {"job", "--separator", ","},
         exampleWith(2, 3, false, "1e13"),
         1,
         "Пуск 4, точка 3: амплитуда 1e13"},
        {"zero determinant",
         {"job", "--separator", ","},
         Line(std::vector<std::string>(40, "1")),
         1,
         "Некорректная масса пробных грузов"},
        {"old coefficient file of 2 planes",
         {"job", "--planes", "2", "--save-coefficients", good},
         Line(std::vector<std::string>(12, "1")),
         2,
         "--save-job"},
        {"a job file of another shape",
         {"job", "--job", exampleJob, "--planes", "2"},
         "",
         2,
         "в задании плоскостей 4"},
        {"trim reading refused",
         {"trim", "--separator", ",", "--coefficients", good},
         "7,2\t238\t-1\t269\t3,5\t128\t2,5\t12\n",
         1,
         "Неверно задан Vo2, пуск 1 !!!"},
        {"trim phase past a turn",
         {"trim", "--separator", ",", "--coefficients", good},
         "7,2\t238\t1\t269\t3,5\t128\t2,5\t612\n",
         1,
         "Пуск 1, точка 4: фаза 612° вне"},
        {"trim with 7 texts",
         {"trim", "--coefficients", good},
         "1\t2\t3\t4\t5\t6\t7\n",
         2,
         "найдено 7"},
        {"trim of another shape",
         {"trim", "--coefficients", good, "--points", "5"},
         run0,
         2,
         "в задании точек измерения 4"},
        {"no such file", {"trim", "--coefficients", good + ".none"}, run0, 2, "не открывается"},
        {"a digit changed", {"trim", "--coefficients", damaged}, run0, 2, "повреждён"},
    };
    for (const BadRow& row : rows) {
        const CliRun run = RunCli(row.args, row.input);
        EXPECT_EQ(run.Status, row.status) << row.name << "\n" << run.Err;
        EXPECT_EQ(run.Out, "") << row.name;
        EXPECT_NE(run.Err.find(row.message), std::string::npos) << row.name << ": " << run.Err;
        if (row.status == 2) {  // one line
            EXPECT_EQ(run.Err.find('\n'), run.Err.size() - 1) << row.name << ": " << run.Err;
        }
    }
    for (const std::string& path : {good, damaged, exampleJob}) std::remove(path.c_str());
}

}  // namespace
}  // namespace balance4::test
