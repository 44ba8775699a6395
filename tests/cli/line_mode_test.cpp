// The line mode in-process: cases one a line, answered as the calculator window answers F9.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>
#include <streambuf>

#include "cli_run.h"
#include "line_mode.h"
#include "reference_cases.h"
#include "test_support.h"

namespace balance4::test {
namespace {

const std::string kExampleAnswer = "33,63\t87,30\t123,26\t20,38\t282,20\t226,05\t70,85\t115,48\n";
const std::string kSingular = "Некорректная масса пробных грузов\n";

struct LineRow {
    const char* name;
    std::vector<std::string> args;
    std::string input;
    int status;
    std::string out;
    std::string err = {};  // a part of standard error; empty: nothing there
};

TEST(LineMode, Rows) {
    const std::string example = Line(DefaultTexts());
    const std::string equal = Line(std::vector<std::string>(40, "1"));  // zero determinant
    std::vector<std::string> bad(40, "1");
    bad[0] = std::string(32767, '7');
    bad[1] = "\xc3\x28";  // invalid UTF-8
    bad[2] =
        "\xe2\x80\x8f"
        "5";  // right-to-left mark
    const std::vector<LineRow> rows = {
        {"the example", {"--example"}, "", 0, kExampleAnswer},
        {"byte-order mark and CR LF from a spreadsheet",
         {"--separator", ","},
         "\xEF\xBB\xBF" + example.substr(0, example.size() - 1) + "\r\n",
         0,
         kExampleAnswer},
        {"the last line without its end",
         {"--separator=,"},
         example.substr(0, example.size() - 1),
         0,
         kExampleAnswer},
        {"lines not of 40 texts are skipped and counted",
         {"--separator", ","},
         "\n" + equal + "a\tb\n" + std::string("\xff\xfe\x00\x01 binary", 12) + "\n" +
             std::string(100000, '9') + "\n" + equal,
         1,
         kSingular + kSingular,
         "строка 3: нужно 40 показаний через TAB, найдено 2; строка пропущена"},
        {"huge and invalid texts get their fields' messages",
         {"--separator", ","},
         Line(bad),
         0,
         "Неверно задан Vo1, пуск 1 | Неверно задан Fo1, пуск 1 | Неверно задан Vo1, пуск 2\n"},
    };
    for (const LineRow& row : rows) {
        const CliRun run = RunCli(row.args, row.input);
        EXPECT_EQ(run.Status, row.status) << row.name;
        EXPECT_EQ(run.Out, row.out) << row.name;
        if (row.err.empty())
            EXPECT_EQ(run.Err, "") << row.name;
        else
            EXPECT_NE(run.Err.find(row.err), std::string::npos) << row.name << ": " << run.Err;
    }
}

// Every realistic case in one run, in order, as a batch check runs them.
TEST(LineMode, RealisticCasesInOneRun) {
    const std::vector<ReferenceCase> cases = LoadReferenceCases("realistic.tsv");
    std::string input;
    for (const ReferenceCase& c : cases) input += Line(c.texts);
    const CliRun run = RunCli({"--separator", ","}, input);
    EXPECT_EQ(run.Status, 0);
    std::istringstream out(run.Out);
    std::string line;
    for (const ReferenceCase& c : cases) {
        ASSERT_TRUE(std::getline(out, line)) << "line " << c.line;
        EXPECT_TRUE(OutputMatches(c.expected, line)) << "line " << c.line << ": " << line;
    }
    EXPECT_FALSE(std::getline(out, line));
}

// The awkward cases each from a fresh start, as their expected answers are.
TEST(LineMode, AwkwardCasesFresh) {
    for (const ReferenceCase& c : LoadReferenceCases("nasty.tsv")) {
        const std::string line = Line(c.texts);
        // A text holding a line end or a TAB cannot travel on one line.
        if (std::count(line.begin(), line.end(), '\t') != 39 ||
            std::count(line.begin(), line.end(), '\n') != 1 || line.find('\r') != std::string::npos)
            continue;
        const CliRun run = RunCli({"--separator", c.separator}, line);
        EXPECT_EQ(run.Status, 0) << "line " << c.line;
        ASSERT_TRUE(run.Out.ends_with('\n')) << "line " << c.line;
        EXPECT_TRUE(OutputMatches(c.expected, run.Out.substr(0, run.Out.size() - 1)))
            << "line " << c.line << "\n expected: " << c.expected << "\n actual:   " << run.Out;
    }
}

// Holds what is written until it is flushed, as a pipe to another program does.
class FlushedOnly : public std::streambuf {
  public:
    std::string Flushed;

  protected:
    int_type overflow(int_type c) override {
        if (c != traits_type::eof()) m_pending += static_cast<char>(c);
        return c;
    }
    std::streamsize xsputn(const char* text, std::streamsize count) override {
        m_pending.append(text, static_cast<std::size_t>(count));
        return count;
    }
    int sync() override {
        Flushed += m_pending;
        m_pending.clear();
        return 0;
    }

  private:
    std::string m_pending;
};

// Before the line mode waits for more input, every answer so far has gone out, even when the next
// line has begun: a coprocess gets each answer without closing its input.
TEST(LineMode, AnswersBeforeWaitingForInput) {
    const std::vector<ReferenceCase> cases = LoadReferenceCases("realistic.tsv");
    const std::string first = Line(cases[0].texts), second = Line(cases[1].texts);
    const std::vector<std::string> chunks = {first + second.substr(0, 5), second.substr(5)};
    FlushedOnly buffer;
    std::ostream out(&buffer), err(nullptr);
    std::vector<std::string> seenAtRead;
    std::size_t next = 0;
    const cli::ReadInput read = [&](char* data, std::size_t size) -> std::size_t {
        seenAtRead.push_back(buffer.Flushed);
        if (next == chunks.size()) return 0;
        const std::string& chunk = chunks[next++];
        EXPECT_LE(chunk.size(), size);
        std::memcpy(data, chunk.data(), chunk.size());
        return chunk.size();
    };
    EXPECT_EQ(cli::RunLines(",", read, out, err), 0);
    ASSERT_EQ(seenAtRead.size(), 3u);
    EXPECT_EQ(seenAtRead[0], "");
    const std::string firstAnswer = seenAtRead[1];
    ASSERT_TRUE(firstAnswer.ends_with('\n'));
    EXPECT_TRUE(OutputMatches(cases[0].expected, firstAnswer.substr(0, firstAnswer.size() - 1)));
    EXPECT_EQ(std::count(seenAtRead[2].begin(), seenAtRead[2].end(), '\n'), 2);
}

}  // namespace
}  // namespace balance4::test
