// balance4-calc: the calculator's F9 for scripts and batch checks. Each input line holds the 40
// reading texts, TAB-separated, in the fields' visiting order; each line is one press in one
// program run, so the readings and the influence matrix carry over from line to line.

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "balancing_calculator.h"
#include "cli_text.h"
#include "extended.h"
#include "reading_fields.h"
#include "subcommands.h"

namespace {

using namespace balance4;
using cli::LocaleSeparator;
using cli::SplitAt;

constexpr std::string_view kUsage =
    "Usage: balance4-calc [--separator C] [--example]\n"
    "       balance4-calc job [options] < case     (balance4-calc job --help)\n"
    "       balance4-calc trim --coefficients FILE [options] < run0\n"
    "\n"
    "Reads cases from standard input, one a line: the 40 reading texts separated by TAB, in the\n"
    "order EditV10 EditF10 EditV11 EditF11 ... EditV44 EditF44 (plane by plane, run by run,\n"
    "amplitude before phase). Prints one line per case: the failing fields' messages joined by\n"
    "\" | \", or the zero-determinant message, or the eight results LabelM1..LabelM4\n"
    "LabelF1..LabelF4 joined by TAB, or the text of a floating-point error. Lines are successive\n"
    "presses of F9 in one program run.\n"
    "\n"
    "  --separator C  decimal separator (default: the locale's decimal symbol, else \".\")\n"
    "  --example      calculate the built-in example readings (decimal comma) and exit\n"
    "  --help         print this text\n"
    "\n"
    "Exit status: 0, or 1 when a line did not hold 40 fields.\n";

// One press; the line printed for it.
std::string PressOnce(BalancingCalculator& calculator, std::string_view separator,
                      const std::vector<std::string>& texts) {
    ReadingTexts fields;
    std::copy(texts.begin(), texts.end(), fields.begin());
    try {
        const PressResult result = calculator.Press(fields, separator);
        std::string line;
        switch (result.Outcome) {
            case PressOutcome::Refused:
                for (const RefusedField& failure : result.Failures) {
                    if (!line.empty()) line += " | ";
                    line += failure.Message;
                }
                return line;
            case PressOutcome::InvalidTrialMass:
                return std::string(kInvalidTrialMassMessage);
            case PressOutcome::Calculated:
                for (const std::string& text : result.Texts) {
                    if (!line.empty()) line += '\t';
                    line += text;
                }
                return line;
        }
    } catch (const FloatingPointError& error) {
        return std::string(error.what()) + ".";
    }
    return {};
}

// Input lines read straight from standard input. The answers so far go out only when no whole
// line is left to read: an interactive user or a coprocess gets each answer before the program
// waits, even for the rest of a line already begun; a file or pipe is answered in blocks.
class InputLines {
  public:
    bool Next(std::string& line) {
        for (;;) {
            const std::size_t end = m_buffer.find('\n', m_start);
            if (end != std::string::npos) {
                line.assign(m_buffer, m_start, end - m_start);
                m_start = end + 1;
                return true;
            }
            if (m_ended) {
                if (m_start == m_buffer.size()) return false;
                line.assign(m_buffer, m_start);
                m_start = m_buffer.size();
                return true;
            }
            m_buffer.erase(0, m_start);
            m_start = 0;
            std::cout.flush();
            char chunk[1 << 16];
            const ssize_t count = ::read(STDIN_FILENO, chunk, sizeof chunk);
            if (count > 0) {
                m_buffer.append(chunk, static_cast<std::size_t>(count));
            } else if (count == 0 || errno != EINTR) {
                m_ended = true;
            }
        }
    }

  private:
    std::string m_buffer;
    std::size_t m_start = 0;
    bool m_ended = false;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && (argv[1] == std::string_view("job") || argv[1] == std::string_view("trim"))) {
        const std::vector<std::string_view> args(argv + 2, argv + argc);
        return argv[1] == std::string_view("job")
                   ? cli::RunJob(args, std::cin, std::cout, std::cerr)
                   : cli::RunTrim(args, std::cin, std::cout, std::cerr);
    }
    std::string separator;
    bool example = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        } else if (arg == "--separator" && i + 1 < argc && *argv[i + 1] != '\0') {
            separator = argv[++i];
        } else if (arg == "--example") {
            example = true;
        } else {
            std::cerr << "balance4-calc: unknown argument '" << arg << "'\n" << kUsage;
            return 2;
        }
    }

    BalancingCalculator calculator;
    calculator.SetTrialMasses();

    if (example) {
        std::vector<std::string> texts;
        for (const ReadingField& field : kReadingFields) texts.emplace_back(field.DefaultText);
        std::cout << PressOnce(calculator, ",", texts) << '\n';
        return 0;
    }
    if (separator.empty()) separator = LocaleSeparator();

    // Own output buffer: InputLines decides when to flush.
    std::ios::sync_with_stdio(false);
    InputLines input;
    int status = 0;
    std::string line;
    for (long number = 1; input.Next(line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (number == 1) cli::SkipByteOrderMark(line);
        const std::vector<std::string> texts = SplitAt(line, '\t');
        if (texts.size() != kReadingFields.size()) {
            std::cerr << "balance4-calc: line " << number << ": expected " << kReadingFields.size()
                      << " TAB-separated readings, found " << texts.size() << "; line skipped\n";
            status = 1;
            continue;
        }
        std::cout << PressOnce(calculator, separator, texts) << '\n';
    }
    return status;
}
