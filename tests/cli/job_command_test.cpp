// balance4-calc job and trim in-process: whole jobs of any shape with their printed results, the
// job file and the saved coefficients read back, and the inputs that must be refused.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli_run.h"
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
        {"masses and angles per plane; angles past 360 come round",
         {"job", "--example", "--trial-mass=10;20;30;40", "--trial-angle", "90,0,300,-90", "--unit",
          "кг"},
         "",
         0,
         {"Масса, кг                 3,36     17,46     36,98      8,15",
          "Угол от нуля, град.      12,20    226,05     10,85     25,48"}},
        {"listed positions, numbered as given",
         {"job", "--example", "--trial-mass", "20", "--positions", "300,270,100"},
         "",
         0,
         {"  плоскость 1: 4,11 г на место 2 (270°)", "               2,84 г на место 1 (300°)"}},
        {"two opposite holes cannot take a weight between them",
         {"job", "--example", "--holes", "2"},
         "",
         0,
         {"  плоскость 1: нельзя — соседние места отстоят на 180° и больше"}},
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
        {"two cases", {"job", "--separator", ","}, example + example, 2, "найдено строк: 2"},
        {"refused reading", {"job", "--separator", "."}, example, 1, "Неверно задан Vo1, пуск 1"},
        {"a mass limit of zero",
         {"job", "--example", "--max-mass", "0"},
         "",
         2,
         "--max-mass: предел должен быть больше нуля"},
        {"two limits for four points",
         {"job", "--example", "--limit", "1;2"},
         "",
         2,
         "--limit: нужно одно число или 4"},
        {"a box of weights with a kind of no count",
         {"job", "--example", "--holes", "12", "--weights-box", "5×4; 10"},
         "",
         2,
         "--weights-box: нужно «масса×штук; …»"},
        {"a box of weights and a thousand holes a plane",
         {"job", "--example", "--holes", "1000", "--weights-box", "5×4; 10×3"},
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
