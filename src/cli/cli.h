#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace kvx::cli {

// Exit codes of kvxm2000-cli. WriteFailed covers a file that could not be written, an output
// refused without --force, and the standard output.
enum ExitCode { Success = 0, Usage = 1, InputRefused = 2, ExportRefusedCode = 3, WriteFailed = 4 };

// Runs one command line (without the program name). `programDirectory` is where default.trs is
// looked for. Output goes to `out`, messages to `err`; the result is the exit code.
int run(const std::vector<std::string>& args, const std::string& programDirectory,
        std::ostream& out, std::ostream& err);

} // namespace kvx::cli
