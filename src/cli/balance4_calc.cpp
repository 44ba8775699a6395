// balance4-calc: the calculator's F9 for scripts and batch checks, and whole balancing jobs.
#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <string>
#include <vector>

#include "dispatch.h"

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
    // Answers are written in blocks; the line mode flushes whenever it must wait for input.
    std::ios::sync_with_stdio(false);
    return balance4::cli::Run(std::vector<std::string>(argv + 1, argv + argc), ReadStandardInput,
                              std::cin, std::cout, std::cerr);
}
