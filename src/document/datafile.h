#pragma once

#include "base/fileio.h"

#include "document/league.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace kvx {

// The data file (.kvx): the magic "KVX Data 01.00", TeamCount, the team blocks and the
// general information, little-endian, texts as a 16-bit length followed by their bytes.
inline constexpr std::string_view DataFileMagic = "KVX Data 01.00";

// A league of 32 full teams takes about 85 KB; this is a few hundred times that. A larger file
// is not read, and a league that would make one is not saved, so that every saved file opens.
inline constexpr std::size_t MaxDataFileSize = 16 * 1024 * 1024;

// The exact bytes of the file for a document. Throws DataFileError when a text is too long
// for its 16-bit length.
std::vector<std::uint8_t> serializeDataFile(const League& league);

// Reads the bytes of a data file; nothing when they are not a complete, consistent data file.
std::optional<League> parseDataFile(std::span<const std::uint8_t> bytes);

// Writes the whole document to `path`, replacing the file in one step.
// Throws FileError or DataFileError (also for a league larger than MaxDataFileSize) with a
// readable reason; the old file then stays as it was.
// With `unchanged`, the file is replaced only while it is still that file (FileChanged otherwise).
void Save_Data_File(const League& league, const std::string& path,
                    const std::optional<FileIdentity>& unchanged = std::nullopt);

// Reads `path` into the document's Teams, TeamCount and GeneralInfo. Returns false, leaving the
// document untouched, when the file cannot be read, is not a data file or is damaged.
// CurrentFile is left to the caller.
bool Load_Data_File(League& league, const std::string& path);

// True when the file at `path` begins with the data file's magic: what a file dropped on the
// program or named on its command line is taken to be. Reads 14 bytes at most.
bool hasDataFileMagic(const std::string& path);

} // namespace kvx
