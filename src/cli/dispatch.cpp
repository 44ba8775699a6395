#include "dispatch.h"

#include <ostream>

#include "cli_text.h"
#include "options.h"
#include "subcommands.h"
#include "usage.h"

namespace balance4::cli {

int Run(const std::vector<std::string>& args, const ReadInput& readLines, std::istream& in,
        std::ostream& out, std::ostream& err) {
    Command mode = Command::Lines;
    std::string error;
    const std::optional<Options> options = ParseOptions(args, mode, error);
    if (!options) {
        err << "balance4-calc"
            << (mode == Command::Job           ? " job"
                : mode == Command::Trim        ? " trim"
                : mode == Command::Iso         ? " iso"
                : mode == Command::TrialWeight ? " trial-weight"
                                               : "")
            << ": " << error << "\n";
        return 2;
    }
    if (options->Help) {
        out << Usage(options->Mode);
        return 0;
    }
    switch (options->Mode) {
        case Command::Job:
            return RunJob(*options, in, out, err);
        case Command::Trim:
            return RunTrim(*options, in, out, err);
        case Command::Iso:
            return RunIso(*options, out, err);
        case Command::TrialWeight:
            return RunTrialWeight(*options, out, err);
        case Command::Lines:
            break;
    }
    if (options->Example) return RunExampleLine(out);
    return RunLines(options->Separator.empty() ? LocaleSeparator() : options->Separator, readLines,
                    out, err);
}

}  // namespace balance4::cli
