// balance4-calc: the calculator's F9 for scripts and batch checks, and whole balancing jobs.
#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <string>
#include <vector>

#include "cli_text.h"
#include "line_mode.h"
#include "options.h"
#include "subcommands.h"
#include "usage.h"

namespace {

std::size_t ReadStandardInput(char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t count = ::read(STDIN_FILENO, buffer, size);
        if (count >= 0) return static_cast<std::size_t>(count);
        if (errno != EINTR) return 0;
    }
}

}  // namespace

int main(int argc, char** argv) {
    using namespace balance4::cli;
    const std::vector<std::string> args(argv + 1, argv + argc);
    Command mode = Command::Lines;
    std::string error;
    const std::optional<Options> options = ParseOptions(args, mode, error);
    if (!options) {
        std::cerr << "balance4-calc"
                  << (mode == Command::Job    ? " job"
                      : mode == Command::Trim ? " trim"
                                              : "")
                  << ": " << error << "\n";
        return 2;
    }
    if (options->Help) {
        std::cout << Usage(options->Mode);
        return 0;
    }
    switch (options->Mode) {
        case Command::Job:
            return RunJob(*options, std::cin, std::cout, std::cerr);
        case Command::Trim:
            return RunTrim(*options, std::cin, std::cout, std::cerr);
        case Command::Lines:
            break;
    }
    if (options->Example) return RunExampleLine(std::cout);
    // Answers are written in blocks; the line mode flushes when it must wait for input.
    std::ios::sync_with_stdio(false);
    const std::string separator =
        options->Separator.empty() ? LocaleSeparator() : options->Separator;
    return RunLines(separator, ReadStandardInput, std::cout, std::cerr);
}
