#include "line_mode.h"

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "balancing_calculator.h"
#include "cli_text.h"
#include "extended.h"
#include "reading_fields.h"

namespace balance4::cli {

namespace {

// One press; the line printed for it.
std::string PressOnce(BalancingCalculator& calculator, std::string_view separator,
                      const ReadingTexts& texts) {
    try {
        const PressResult result = calculator.Press(texts, separator);
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

// The input's lines. The answers so far go out only when no whole line is left to read: an
// interactive user or a coprocess gets each answer before the program waits, even for the rest of
// a line already begun; a file or pipe is answered in blocks.
class InputLines {
  public:
    InputLines(const ReadInput& read, std::ostream& out) : m_read(read), m_out(out) {}

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
            m_out.flush();
            char chunk[1 << 16];
            const std::size_t count = m_read(chunk, sizeof chunk);
            if (count == 0) m_ended = true;
            m_buffer.append(chunk, count);
        }
    }

  private:
    const ReadInput& m_read;
    std::ostream& m_out;
    std::string m_buffer;
    std::size_t m_start = 0;
    bool m_ended = false;
};

}  // namespace

int RunLines(std::string_view separator, const ReadInput& read, std::ostream& out,
             std::ostream& err) {
    BalancingCalculator calculator;
    calculator.SetTrialMasses();
    InputLines input(read, out);
    int status = 0;
    std::string line;
    ReadingTexts texts;  // kept from line to line: its texts reuse their storage
    for (long number = 1; input.Next(line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (number == 1) SkipByteOrderMark(line);
        const auto fields =
            static_cast<std::size_t>(std::count(line.begin(), line.end(), '\t')) + 1;
        if (fields != texts.size()) {
            err << "balance4-calc: строка " << number << ": нужно " << texts.size()
                << " показаний через TAB, найдено " << fields << "; строка пропущена\n";
            status = 1;
            continue;
        }
        std::size_t start = 0;
        for (std::string& text : texts) {
            const std::size_t end = std::min(line.find('\t', start), line.size());
            text.assign(line, start, end - start);
            start = end + 1;
        }
        out << PressOnce(calculator, separator, texts) << '\n';
    }
    out.flush();
    return status;
}

int RunExampleLine(std::ostream& out) {
    BalancingCalculator calculator;
    calculator.SetTrialMasses();
    ReadingTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = kReadingFields[i].DefaultText;
    out << PressOnce(calculator, ",", texts) << '\n';
    return 0;
}

}  // namespace balance4::cli
