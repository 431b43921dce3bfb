#pragma once

#include "base/filebuffer.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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
//
// Failures to write throw WriteError (a FileError), so that a caller can tell them from failures
// to read what it was given.
enum class TemporaryFile { Unnamed, Named };
void writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         TemporaryFile temporary = TemporaryFile::Unnamed);
void writeFileAtomically(const std::string& path, std::string_view bytes);

// Which file a path leads to (through any links) and what it was: enough to tell, before
// replacing it, whether another program has written or replaced it since it was read.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;
    bool operator==(const FileIdentity&) const = default;
};
// Nothing when there is no file at `path`.
std::optional<FileIdentity> fileIdentity(const std::string& path);

// Hands the bytes of a file to `sink`, piece by piece, so that a large file need not be in
// memory as a whole. It may be called a second time (when an unnamed temporary file cannot be
// given a name at the end) and must then hand over the same bytes.
using ByteSink = std::function<void(std::span<const std::uint8_t>)>;
using ByteProducer = std::function<void(const ByteSink&)>;

// writeFileAtomically, with the bytes as `produce` hands them over. With `unchanged`, the file is
// replaced only while it is still that file, checked just before the rename: otherwise
// FileChanged is thrown and the file keeps what the other program made of it.
void writeFileAtomically(const std::string& path, const ByteProducer& produce,
                         const std::optional<FileIdentity>& unchanged = std::nullopt,
                         TemporaryFile temporary = TemporaryFile::Unnamed);

// An advisory lock on the file a path leads to, for a whole read, change and replace: programs
// that take it take turns, and each reads what the one before it wrote. Since a replace puts a
// new file in the old one's place, a lock granted on a file that the path no longer leads to is
// taken again on the one it leads to now. Waits as long as another holds it; released when the
// object goes. Throws FileError when there is no regular file at `path`.
class FileLock {
public:
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // The locked file as it was when the lock was granted.
    const FileIdentity& identity() const { return identity_; }

private:
    int fd_ = -1;
    FileIdentity identity_;
};

// True when `path` names an existing regular file.
bool fileExists(const std::string& path);

} // namespace kvx
