#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace kvx::test {

struct ProcessResult {
    int exitCode = -1;
    bool timedOut = false;  // the program was stopped when its time ran out
    long peakKilobytes = 0; // the most memory it held at once
    std::string out;
    std::string err;
};

struct ProcessOptions {
    // A program that hangs is killed (SIGKILL) after this long, so that a fault cannot hang the
    // suite; to the tenth of a millisecond or so, for tests that kill at chosen moments.
    std::chrono::microseconds timeout{std::chrono::seconds(60)};
    std::string workingDirectory; // empty: this process's own
};

// Runs a program with arguments (no shell) and collects its exit code and output; with
// `standardOutput`, the output goes to that file (such as /dev/full) instead.
ProcessResult runProgram(const std::string& program, const std::vector<std::string>& args,
                         const ProcessOptions& options = {},
                         const std::string& standardOutput = {});

} // namespace kvx::test
