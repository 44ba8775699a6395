// balance4-calc as a script would use it: a whole file of cases in one run, and bad input.
#include <gtest/gtest.h>

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <algorithm>
#include <cstdio>
#include <fstream>

#include "reference_cases.h"

namespace balance4::test {
namespace {

struct ToolRun {
    int status;
    std::vector<std::string> lines;
};

ToolRun RunTool(const std::string& input, const std::string& arguments) {
    // Tests run in parallel processes: each input file is its own.
    static int counter = 0;
    const std::string inputFile = testing::TempDir() + "calc_tool_input_" +
                                  std::to_string(getpid()) + "_" + std::to_string(++counter) +
                                  ".txt";
    std::ofstream(inputFile, std::ios::binary) << input;
    const std::string command = "'" + std::string(BALANCE4_CALC_TOOL) + "' " + arguments + " < '" +
                                inputFile + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    ToolRun run{-1, {}};
    if (!pipe) return run;
    std::string line;
    for (int c; (c = std::fgetc(pipe)) != EOF;) {
        if (c == '\n') {
            run.lines.push_back(line);
            line.clear();
        } else {
            line += static_cast<char>(c);
        }
    }
    const int status = pclose(pipe);
    std::remove(inputFile.c_str());
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

std::string Joined(const std::vector<std::string>& texts) {
    std::string line;
    for (const auto& text : texts) line += (line.empty() ? "" : "\t") + text;
    return line;
}

TEST(CalcTool, RealisticCasesInOneRun) {
    const std::vector<ReferenceCase> cases = LoadReferenceCases("realistic.tsv");
    std::string input;
    for (const ReferenceCase& c : cases) input += Joined(c.texts) + "\n";
    const ToolRun run = RunTool(input, "--separator ,");
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(run.lines.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i)
        EXPECT_TRUE(OutputMatches(cases[i].expected, run.lines[i])) << "line " << cases[i].line;
}

TEST(CalcTool, AwkwardCasesOneRunEach) {
    for (const ReferenceCase& c : LoadReferenceCases("nasty.tsv")) {
        const std::string line = Joined(c.texts);
        if (line.find('\n') != std::string::npos || line.find('\r') != std::string::npos) continue;
        if (std::count(line.begin(), line.end(), '\t') != 39) continue;  // a TAB inside a text
        const ToolRun run = RunTool(line + "\n", "--separator " + c.separator);
        EXPECT_EQ(run.status, 0);
        ASSERT_EQ(run.lines.size(), 1u) << "line " << c.line;
        EXPECT_TRUE(OutputMatches(c.expected, run.lines[0]))
            << "line " << c.line << "\n expected: " << c.expected
            << "\n actual:   " << run.lines[0];
    }
}

TEST(CalcTool, MalformedLinesAreSkippedAndCounted) {
    const std::string good =
        Joined(std::vector<std::string>(40, "1")) + "\n";  // all readings equal: zero determinant
    const std::string garbage = std::string("\xff\xfe\x00\x01 binary", 12) + "\n";
    const ToolRun run = RunTool(
        "\n" + good + "a\tb\n" + garbage + std::string(100000, '9') + "\n" + good, "--separator ,");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.lines, (std::vector<std::string>{"Некорректная масса пробных грузов",
                                                   "Некорректная масса пробных грузов"}));
}

TEST(CalcTool, HugeAndInvalidTextsGetMessages) {
    std::vector<std::string> texts(40, "1");
    texts[0] = std::string(32767, '7');
    texts[1] = "\xc3\x28";  // invalid UTF-8
    texts[2] =
        "\xe2\x80\x8f"
        "5";  // right-to-left mark
    const ToolRun run = RunTool(Joined(texts) + "\n", "--separator ,");
    EXPECT_EQ(run.status, 0);
    ASSERT_EQ(run.lines.size(), 1u);
    EXPECT_EQ(run.lines[0],
              "Неверно задан Vo1, пуск 1 | Неверно задан Fo1, пуск 1 | Неверно задан Vo1, пуск 2");
}

// The answer to each line arrives while the input stays open, as a coprocess needs it.
TEST(CalcTool, AnswersEachLineBeforeTheNextArrives) {
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
    // The second line's beginning, sent with the first line, does not hold back the first answer.
    const std::string first = Joined(cases[0].texts) + "\n", second = Joined(cases[1].texts) + "\n";
    const std::string sent[] = {first + second.substr(0, 5), second.substr(5)};
    for (std::size_t i = 0; i < 2; ++i) {
        const std::string text = answer(sent[i]);
        EXPECT_TRUE(OutputMatches(cases[i].expected, text.substr(0, text.size() - 1))) << text;
    }
    close(toTool[1]);
    close(fromTool[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(CalcTool, ExampleAndHelp) {
    EXPECT_EQ(
        RunTool("", "--example").lines,
        std::vector<std::string>{"33,63\t87,30\t123,26\t20,38\t282,20\t226,05\t70,85\t115,48"});
    const ToolRun help = RunTool("", "--help");
    EXPECT_EQ(help.status, 0);
    ASSERT_FALSE(help.lines.empty());
    EXPECT_EQ(help.lines[0].rfind("Использование: balance4-calc", 0), 0u);
}

}  // namespace
}  // namespace balance4::test
