#include "cli/cli.h"

#include <filesystem>
#include <iostream>

int main(int argc, char** argv) {
    std::error_code error;
    const auto executable = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::string directory = error ? std::string(".") : executable.parent_path().string();
    return kvx::cli::run(std::vector<std::string>(argv + 1, argv + argc), directory, std::cout,
                         std::cerr);
}
