#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kvx {

// Reads a whole file; throws FileError with a readable reason when it cannot.
std::vector<std::uint8_t> readFile(const std::string& path);

// Replaces the file at `path` in one step: the bytes go to a temporary file in the same
// folder, are flushed to the disk, and the temporary file is renamed over the target.
// An existing target keeps its permissions. On any failure the target is left as it was,
// the temporary file is removed, and FileError says what went wrong.
void writeFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes);
void writeFileAtomically(const std::string& path, const std::string& bytes);

// True when `path` names an existing regular file.
bool fileExists(const std::string& path);

} // namespace kvx
