#pragma once
// balance4-calc run in-process: arguments and input in, exit status and both outputs back.
#include <string>
#include <vector>

namespace balance4::test {

struct CliRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

CliRun RunCli(const std::vector<std::string>& args, const std::string& input = "");

// Texts joined by TAB, ending the line.
std::string Line(const std::vector<std::string>& texts);

// A file name of its own under the test's temporary folder.
std::string TempPath(const std::string& name);

std::string Slurp(const std::string& path);

}  // namespace balance4::test
