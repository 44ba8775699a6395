// balance4-calc as a started program: its arguments, standard streams and exit status, and an
// answer to each line while its input stays open.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "cli_run.h"
#include "reference_cases.h"
#include "test_support.h"

namespace balance4::test {
namespace {

struct SmokeRow {
    const char* name;
    std::string arguments;  // as a shell takes them
    std::string input;
    int status;
    std::string out;  // a part of standard output
    std::string err;  // a part of standard error
};

CliRun RunProgram(const std::string& arguments, const std::string& input) {
    static int counter = 0;
    const std::string in = TempPath("smoke_in_" + std::to_string(++counter));
    const std::string err = in + ".err";
    std::ofstream(in, std::ios::binary) << input;
    const std::string command = "'" + std::string(BALANCE4_CALC_TOOL) + "' " + arguments + " < '" +
                                in + "' 2> '" + err + "'";
    CliRun run;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        for (int c; (c = std::fgetc(pipe)) != EOF;) run.Out += static_cast<char>(c);
        const int status = pclose(pipe);
        run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    run.Err = Slurp(err);
    std::remove(in.c_str());
    std::remove(err.c_str());
    return run;
}

TEST(Program, Rows) {
    const std::string example = Line(DefaultTexts());
    // The trial weight in plane 1 hardly changed the vibration.
    std::vector<std::string> weak = DefaultTexts();
    const char* run1[4][2] = {{"7,4", "239"}, {"13,6", "268"}, {"3,6", "129"}, {"2,4", "13"}};
    for (std::size_t p = 0; p < 4; ++p) {
        weak[p * 10 + 2] = run1[p][0];
        weak[p * 10 + 3] = run1[p][1];
    }
    const std::vector<SmokeRow> rows = {
        {"the line mode", "--separator ,", example + example, 0,
         "33,63\t87,30\t123,26\t20,38\t282,20\t226,05\t70,85\t115,48\n33,63", ""},
        {"a line that is not a case", "--separator=,", "a\tb\n", 1, "", "строка 1"},
        {"help", "--help", "", 0, "Использование: balance4-calc", ""},
        {"a job", "job --example --trial-mass 20 --holes 12", "", 0,
         "Масса, г                  6,73", ""},
        {"a job flagged «недостоверно»", "job --separator ,", Line(weak), 3, "недостоверно", ""},
        {"a bad option", "job --example --trial-mass 20,5,10", "", 2, "",
         "balance4-calc job: --trial-mass"},
        {"a refused reading", "job --separator .", example, 1, "", "Неверно задан Vo1, пуск 1"},
        {"a box of weights searched from the rounded split",
         "job --example --holes 8 --weights-box '1×50'", "", 0, "Это наилучшая раскладка.", ""},
        {"a box search cut short by its time limit",
         "job --job " BALANCE4_TEST_DATA_DIR "/job_v1.json --holes 24 "
         "--weights-box '10×40; 20×30; 50×10' --per-hole 3 --time-limit 0.001",
         "", 0, "Масса, г", ""},
    };
    for (const SmokeRow& row : rows) {
        const CliRun run = RunProgram(row.arguments, row.input);
        EXPECT_EQ(run.Status, row.status) << row.name << "\n" << run.Err;
        EXPECT_NE(run.Out.find(row.out), std::string::npos) << row.name << ": " << run.Out;
        EXPECT_NE(run.Err.find(row.err), std::string::npos) << row.name << ": " << run.Err;
        // Nothing of the solvers' own log reaches either stream.
        for (const char* log : {"Cbc", "Clp", "Coin"})
            EXPECT_EQ((run.Out + run.Err).find(log), std::string::npos) << row.name << ": " << log;
        if (row.status != 0) {
            EXPECT_EQ(run.Out.empty(), row.status != 3) << row.name;
        }
    }
}

// The answer to each line arrives while the input stays open, as a coprocess needs it.
TEST(Program, AnswersEachLineBeforeTheNextArrives) {
    int toTool[2], fromTool[2];
    ASSERT_EQ(pipe(toTool), 0);
    ASSERT_EQ(pipe(fromTool), 0);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        dup2(toTool[0], 0);
        dup2(fromTool[1], 1);
        for (int fd : {toTool[0], toTool[1], fromTool[0], fromTool[1]}) close(fd);
        execl(BALANCE4_CALC_TOOL, BALANCE4_CALC_TOOL, "--separator", ",", nullptr);
        _exit(127);
    }
    close(toTool[0]);
    close(fromTool[1]);
    const auto answer = [&](const std::string& line) {
        if (write(toTool[1], line.data(), line.size()) != static_cast<ssize_t>(line.size()))
            return std::string("write failed");
        std::string text;
        for (char c = 0; c != '\n';) {
            pollfd ready{fromTool[0], POLLIN, 0};
            if (poll(&ready, 1, 10000) != 1 || read(fromTool[0], &c, 1) != 1)
                return text + " (no answer while the input is open)";
            text += c;
        }
        return text;
    };
    const std::vector<ReferenceCase> cases = LoadReferenceCases("realistic.tsv");
    for (std::size_t i = 0; i < 2; ++i) {
        const std::string text = answer(Line(cases[i].texts));
        EXPECT_TRUE(OutputMatches(cases[i].expected, text.substr(0, text.size() - 1))) << text;
    }
    close(toTool[1]);
    close(fromTool[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace
}  // namespace balance4::test
