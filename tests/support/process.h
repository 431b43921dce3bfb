#pragma once

#include <string>
#include <vector>

namespace kvx::test {

struct ProcessResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs a program with arguments (no shell) and collects its exit code and output.
ProcessResult runProgram(const std::string& program, const std::vector<std::string>& args);

} // namespace kvx::test
