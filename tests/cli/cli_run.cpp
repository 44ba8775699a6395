#include "cli_run.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "dispatch.h"

namespace balance4::test {

CliRun RunCli(const std::vector<std::string>& args, const std::string& input) {
    std::istringstream in(input);
    std::size_t offset = 0;
    const cli::ReadInput read = [&](char* buffer, std::size_t size) {
        const std::size_t count = std::min(size, input.size() - offset);
        std::memcpy(buffer, input.data() + offset, count);
        offset += count;
        return count;
    };
    std::ostringstream out, err;
    CliRun run;
    run.Status = cli::Run(args, read, in, out, err);
    run.Out = out.str();
    run.Err = err.str();
    return run;
}

std::string Line(const std::vector<std::string>& texts) {
    std::string line;
    for (const std::string& text : texts) line += (line.empty() ? "" : "\t") + text;
    return line + "\n";
}

std::string TempPath(const std::string& name) {
    return testing::TempDir() + "cli_" + std::to_string(getpid()) + "_" + name;
}

std::string Slurp(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace balance4::test
