// balance4-calc job and trim as a technician would run them: whole jobs with their printed
// results, the saved coefficients read back by a trim, and the inputs that must be refused.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <optional>
#include <sstream>

#include "test_support.h"

namespace balance4::test {
namespace {

struct CalcRun {
    int status = -1;
    std::string out, err;
};

std::string TempPath(const std::string& name) {
    return testing::TempDir() + "calc_job_" + std::to_string(getpid()) + "_" + name;
}

std::string Slurp(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

CalcRun Calc(const std::string& arguments, const std::string& input = "") {
    static int counter = 0;
    const std::string in = TempPath("in_" + std::to_string(++counter));
    const std::string err = in + ".err";
    std::ofstream(in, std::ios::binary) << input;
    const std::string command = "'" + std::string(BALANCE4_CALC_TOOL) + "' " + arguments + " < '" +
                                in + "' 2> '" + err + "'";
    CalcRun run;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        for (int c; (c = std::fgetc(pipe)) != EOF;) run.out += static_cast<char>(c);
        const int status = pclose(pipe);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    run.err = Slurp(err);
    std::remove(in.c_str());
    std::remove(err.c_str());
    return run;
}

std::string Line(const std::vector<std::string>& texts) {
    std::string line;
    for (const std::string& text : texts) line += (line.empty() ? "" : "\t") + text;
    return line + "\n";
}

// The example with the run that carries the trial weight in plane 1 read almost as the run
// without weight: that trial weight hardly changed the vibration.
std::vector<std::string> WeakTrialRun() {
    std::vector<std::string> texts = DefaultTexts();
    const char* run1[4][2] = {{"7,4", "239"}, {"13,6", "268"}, {"3,6", "129"}, {"2,4", "13"}};
    for (int p = 0; p < 4; ++p) {
        texts[static_cast<std::size_t>(p * 10 + 2)] = run1[p][0];
        texts[static_cast<std::size_t>(p * 10 + 3)] = run1[p][1];
    }
    return texts;
}

std::vector<std::string> RunZero(const std::vector<std::string>& texts) {
    std::vector<std::string> run0;
    for (int p = 0; p < 4; ++p)
        for (int k = 0; k < 2; ++k) run0.push_back(texts[static_cast<std::size_t>(p * 10 + k)]);
    return run0;
}

struct JobRow {
    const char* name;
    std::string arguments;
    std::string input;
    std::vector<std::string> lines;  // each must appear in the table as a whole line
};

const std::string kExampleLine = Line(DefaultTexts());

std::vector<JobRow> Jobs() {
    return {
        {"without trial masses the window's texts",
         "--example",
         "",
         {"М, % пробной массы       33,63     87,30    123,26     20,38",
          "F, град. от пробного    282,20    226,05     70,85    115,48",
          "Масса, %                 33,63     87,30    123,26     20,38"}},
        {"20 g on 12 holes",
         "--example --trial-mass 20 --holes 12",
         "",
         {"Масса, г                  6,73     17,46     24,65      4,08",
          // the spread the manual shows for this example
          "Разброс массы, г         ±0,46     ±1,42     ±1,29     ±0,39",
          "Разброс угла, град.      ±4,86     ±6,01     ±3,26     ±5,68",
          "  плоскость 1: 4,11 г в отверстие 10 (270°)",
          "               2,84 г в отверстие 11 (300°)",
          "  плоскость 3: 16,18 г в отверстие 3 (60°)",
          "               9,28 г в отверстие 4 (90°)"}},
        {"masses and angles per plane; angles past 360 come round",
         "--example --trial-mass 10,20,30,40 --trial-angle 90,0,300,-90 --unit кг",
         "",
         {"Масса, кг                 3,36     17,46     36,98      8,15",
          "Угол от нуля, град.      12,20    226,05     10,85     25,48"}},
        {"a correction on a hole goes there whole",
         "--example --trial-angle 77.79872292040005 --holes 6",
         "",
         {"  плоскость 1: 33,63 % в отверстие 1 (0°)"}},
        {"listed positions, numbered as given",
         "--example --trial-mass 20 --positions 300,270,100",
         "",
         {"  плоскость 1: 4,11 г на место 2 (270°)", "               2,84 г на место 1 (300°)"}},
        {"two opposite holes cannot take a weight between them",
         "--example --holes 2",
         "",
         {"  плоскость 1: нельзя — соседние места отстоят на 180° и больше"}},
        {"byte-order mark and CRLF from a spreadsheet",
         "--separator , --trial-mass 20",
         "\xEF\xBB\xBF" + kExampleLine.substr(0, kExampleLine.size() - 1) + "\r\n\r\n",
         {"Масса, г                  6,73     17,46     24,65      4,08"}},
        {"no tolerance, no spread",
         "--example --tolerance 0%,0°",
         "",
         {"Разброс массы, %         ±0,00     ±0,00     ±0,00     ±0,00",
          "Разброс угла, град.      ±0,00     ±0,00     ±0,00     ±0,00"}},
        {"a weak trial run is flagged",
         "--separator ,",
         Line(WeakTrialRun()),
         {"Внимание, плоскость 1: разброс больше самой поправки, верить ей нельзя"}},
    };
}

TEST(CalcJob, JobsPrintTheirResults) {
    for (const JobRow& row : Jobs()) {
        const CalcRun run = Calc("job " + row.arguments, row.input);
        EXPECT_EQ(run.status, 0) << row.name << "\n" << run.err;
        EXPECT_EQ(run.err, "") << row.name;
        for (const std::string& line : row.lines)
            EXPECT_NE(("\n" + run.out).find("\n" + line + "\n"), std::string::npos)
                << row.name << ": no line\n"
                << line << "\nin\n"
                << run.out;
    }
    // The example is to be trusted: no plane flagged.
    EXPECT_EQ(Calc("job --example").out.find("Внимание"), std::string::npos);
}

// Whatever the positions, the parts put back together are the correction.
TEST(CalcJob, SplitPartsAddUpToTheCorrection) {
    for (const JobRow& row : Jobs()) {
        const CalcRun run = Calc("job --json " + row.arguments, row.input);
        ASSERT_EQ(run.status, 0) << row.name;
        const nlohmann::json json = nlohmann::json::parse(run.out);
        for (const auto& plane : json["planes"]) {
            if (!plane.contains("split") || plane["split"].is_null()) continue;
            const double rad = M_PI / 180.0;
            double x = 0.0, y = 0.0;
            for (const auto& part : plane["split"]) {
                EXPECT_GT(part["mass"].get<double>(), 0.0) << row.name;
                x += part["mass"].get<double>() * std::cos(part["angle"].get<double>() * rad);
                y += part["mass"].get<double>() * std::sin(part["angle"].get<double>() * rad);
            }
            const double mass = plane["mass"], angle = plane["angle_from_zero"];
            // One part is placed when the correction lies within 0,005° of its position.
            const double allowed = mass * 1e-4;
            EXPECT_NEAR(x, mass * std::cos(angle * rad), allowed) << row.name << " " << plane;
            EXPECT_NEAR(y, mass * std::sin(angle * rad), allowed) << row.name << " " << plane;
        }
    }
}

TEST(CalcJob, JsonCarriesTheWindowTextsAndExactValues) {
    const CalcRun run = Calc("job --example --json --trial-mass 20 --trial-angle 10");
    ASSERT_EQ(run.status, 0);
    const nlohmann::json json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["window_texts"],
              (std::vector<std::string>{"33,63", "87,30", "123,26", "20,38", "282,20", "226,05",
                                        "70,85", "115,48"}));
    EXPECT_EQ(Digits(json["planes"][0]["mass_percent"], 12), Digits(33.6258137909, 12));
    EXPECT_EQ(Digits(json["planes"][0]["mass"], 12), Digits(6.72516275817, 12));
    EXPECT_EQ(Digits(json["planes"][0]["angle_from_zero"], 12), Digits(292.201277080, 12));
    EXPECT_EQ(json["tolerance"]["samples"], 500);
}

// A trim on the run without weight of the job that saved the coefficients is that job again.
TEST(CalcJob, SavedCoefficientsGiveTheJobBackInATrim) {
    const std::string file = TempPath("coefficients.txt");
    for (const auto& texts : {DefaultTexts(), WeakTrialRun()}) {
        const CalcRun job = Calc(
            "job --json --separator , --trial-mass 12.5,20,0.1,1e3 --trial-angle "
            "0,45,359.99,120 --unit 'n т' --save-coefficients '" +
                file + "'",
            Line(texts));
        ASSERT_EQ(job.status, 0) << job.err;
        const CalcRun trim =
            Calc("trim --json --separator , --coefficients '" + file + "'", Line(RunZero(texts)));
        ASSERT_EQ(trim.status, 0) << trim.err;
        nlohmann::json a = nlohmann::json::parse(job.out), b = nlohmann::json::parse(trim.out);
        EXPECT_EQ(a["window_texts"], b["window_texts"]);
        EXPECT_EQ(b["unit"], "n т");  // words of the name also found in the word "unit"
        for (std::size_t i = 0; i < 4; ++i)
            for (const char* key :
                 {"mass_percent", "angle", "trial_mass", "trial_angle", "mass", "angle_from_zero"})
                EXPECT_EQ(a["planes"][i][key], b["planes"][i][key]) << key << " " << i;
        // Saving what was read writes the same file.
        const std::string saved = Slurp(file);
        ASSERT_EQ(Calc("job --separator , --trial-mass 12.5,20,0.1,1e3 --trial-angle "
                       "0,45,359.99,120 --unit 'n т' --save-coefficients '" +
                           file + "'",
                       Line(texts))
                      .status,
                  0);
        EXPECT_EQ(Slurp(file), saved);
    }
    // A file copied through a Windows editor still reads.
    std::string crlf = "\xEF\xBB\xBF";
    for (const char c : Slurp(file)) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    std::ofstream(file, std::ios::binary) << crlf;
    EXPECT_EQ(
        Calc("trim --separator , --coefficients '" + file + "'", Line(RunZero(WeakTrialRun())))
            .status,
        0);
    std::remove(file.c_str());
}

TEST(CalcJob, LineModeSkipsAByteOrderMark) {
    const CalcRun run = Calc("--separator ,", "\xEF\xBB\xBF" + kExampleLine);
    EXPECT_EQ(run.out, "33,63\t87,30\t123,26\t20,38\t282,20\t226,05\t70,85\t115,48\n");
}

struct BadRow {
    const char* name;
    std::string arguments;
    std::string input;
    int status;
    std::string message;  // part of the one line on standard error
    std::optional<std::string> file =
        {};  // the coefficient file a trim gets, when the row is about it
};

TEST(CalcJob, BadInputGetsOneMessageAndNoResult) {
    const std::string good = TempPath("good.txt"), bad = TempPath("bad.txt");
    ASSERT_EQ(Calc("job --example --trial-mass 20 --save-coefficients '" + good + "'").status, 0);
    const std::string text = Slurp(good);
    std::string digit = text;
    digit[digit.find("coefficient 2 3 ") + 16] ^= 1;  // one digit of a coefficient
    std::string plane = text;
    plane.replace(plane.find("coefficient 1 2 "), 16, "coefficient 444444444444444444441 2 ");
    std::string version = text;
    version.replace(version.find(" 1\n"), 3, " 2\n");
    const std::string run0 = Line(RunZero(DefaultTexts()));
    const std::string trimGood = "trim --separator , --coefficients '" + good + "'";
    const std::string trimBad = "trim --coefficients '" + bad + "'";

    const std::vector<BadRow> rows = {
        {"unknown option", "job --example --holes-count 3", "", 2, "«--holes-count»"},
        {"zero trial mass", "job --example --trial-mass 0", "", 2, "больше нуля"},
        {"negative trial mass", "job --example --trial-mass 1,2,-3,4", "", 2, "больше нуля"},
        {"three trial masses", "job --example --trial-mass 1,2,3", "", 2, "или 4"},
        {"one hole", "job --example --holes 1", "", 2, "от 2 до"},
        {"holes not a number", "job --example --holes 12,x,12,12", "", 2, "«x»"},
        {"one position", "job --example --positions 90", "", 2, "от 2 до"},
        {"unit with a blank at its end", "job --example --unit 'г '", "", 2, "--unit"},
        {"holes and positions", "job --example --holes 4 --positions 0,90", "", 2, "вместе"},
        {"tolerance of one number", "job --example --tolerance 2", "", 2, "--tolerance"},
        {"missing value", "job --example --trial-angle", "", 2, "нужно значение"},
        {"option twice", "job --example --holes 4 --holes 6", "", 2, "дважды"},
        {"trim without a file", "trim", run0, 2, "--coefficients"},
        {"trial mass in a trim", trimGood + " --trial-mass 5", run0, 2, "«--trial-mass»"},
        {"39 readings", "job --separator ,", Line(std::vector<std::string>(39, "1")), 2,
         "найдено 39"},
        {"two cases", "job --separator ,", kExampleLine + kExampleLine, 2, "найдено строк: 2"},
        {"refused reading", "job --separator .", kExampleLine, 1, "Неверно задан Vo1, пуск 1"},
        {"zero determinant", "job --separator ,", Line(std::vector<std::string>(40, "1")), 1,
         "Некорректная масса пробных грузов"},
        {"trim reading refused", trimGood, "7,2\t238\t-1\t269\t3,5\t128\t2,5\t12\n", 1,
         "Неверно задан Vo2, пуск 1 !!!"},
        {"trim with 7 texts", trimGood, "1\t2\t3\t4\t5\t6\t7\n", 2, "найдено 7"},
        {"no such file", trimBad + ".none", run0, 2, "не открывается"},
        {"a directory", "trim --coefficients '" + testing::TempDir() + "'", run0, 2,
         "файл коэффициентов"},
        {"a digit changed", trimBad, run0, 2, "повреждён", digit},
        {"truncated", trimBad, run0, 2, "обрезан", text.substr(0, text.size() / 2)},
        {"empty", trimBad, run0, 2, "не файл коэффициентов", ""},
        {"foreign", trimBad, run0, 2, "не файл коэффициентов",
         "\x89PNG\r\n\x1a\n" + std::string(100, '\0')},
        {"newer version", trimBad, run0, 2, "версия файла «2»", version},
        {"plane number out of range", trimBad, run0, 2, "повреждён (строка", plane},
    };
    for (const BadRow& row : rows) {
        if (row.file) std::ofstream(bad, std::ios::binary | std::ios::trunc) << *row.file;
        const CalcRun run = Calc(row.arguments, row.input);
        EXPECT_EQ(run.status, row.status) << row.name << "\n" << run.err;
        EXPECT_EQ(run.out, "") << row.name;
        EXPECT_NE(run.err.find(row.message), std::string::npos) << row.name << ": " << run.err;
        if (row.status == 2) {  // one line
            EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << row.name << ": " << run.err;
        }
    }
    std::remove(good.c_str());
    std::remove(bad.c_str());
}

}  // namespace
}  // namespace balance4::test
