#pragma once

#include "base/filebuffer.h"

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace kvx {

// Reads a whole regular file of at most `limit` bytes. Throws FileTooLarge, before reading
// anything, for a larger file, and FileError with a readable reason when the file cannot be
// read. A path that is not a regular file (a folder, a FIFO, a device) is refused at once; it
// is never waited on.
FileBytes readFile(const std::string& path, std::size_t limit);

// Replaces the file at `path` in one step: the bytes go to a temporary file in the file's own
// folder, are flushed to the disk, and take the file's place with a rename, after which the
// folder is flushed too. A symbolic link is followed: the file it leads to is replaced and the
// link stays. An existing file keeps its permissions and, where allowed, its owner; a file
// without write permission, a folder without it, or a path that is not a regular file, is
// refused. On any failure
// the file is left as it was, no temporary file remains, and FileError says what went wrong.
//
// The temporary file has no name until it is complete where the file system allows it, so that
// a process killed while writing leaves nothing behind; elsewhere it is named from the start,
// and the next write of the same file removes what a killed one left. Named forces the second
// way, so that tests can try it on any file system.
enum class TemporaryFile { Unnamed, Named };
void writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         TemporaryFile temporary = TemporaryFile::Unnamed);
void writeFileAtomically(const std::string& path, std::string_view bytes);

// A seam for fault tests, in the one function that writes files. While one of these lives, every
// file written by writeFileAtomically fails as on a full disk: half of the bytes reach the
// temporary file, then the write fails with `error` (by default "No space left on device").
class InjectedWriteFailure {
public:
    explicit InjectedWriteFailure(int error = ENOSPC);
    ~InjectedWriteFailure();
    InjectedWriteFailure(const InjectedWriteFailure&) = delete;
    InjectedWriteFailure& operator=(const InjectedWriteFailure&) = delete;
};

// True when `path` names an existing regular file.
bool fileExists(const std::string& path);

} // namespace kvx
