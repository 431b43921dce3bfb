#include "base/fileio.h"

#include "base/error.h"
#include "base/writesteps.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace kvx {

namespace {

FileError failure(const char* verb, const std::string& path, const std::string& why) {
    return FileError(std::string("Cannot ") + verb + " \"" + path + "\": " + why + ".");
}

WriteError writeFailure(const std::string& path, const std::string& why) {
    return WriteError("Cannot write \"" + path + "\": " + why + ".");
}

std::string reason(int error) {
    return std::strerror(error);
}

// One open file descriptor, closed when it goes out of scope. It moves but cannot be copied,
// since two owners would close it twice.
class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }

    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }
    explicit operator bool() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// Reads until `size` bytes are in or the file ends; returns how many came.
std::size_t readUpTo(int fd, std::uint8_t* data, std::size_t size, const std::string& path) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, data + done, size - done);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw failure("read", path, reason(errno));
        }
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
    return done;
}

std::mutex hookMutex;
WriteStepHook hook;

// Passes a step through the hook: 0 when it is to be taken for real, otherwise the error it is
// to fail with.
int throughHook(WriteStep step) {
    const std::lock_guard lock(hookMutex);
    return hook ? hook(step) : 0;
}

void writeAll(int fd, std::span<const std::uint8_t> bytes, const std::string& path) {
    // An injected failure lets half of the bytes through first, as a disk that fills up does.
    const int injected = throughHook(WriteStep::Write);
    if (injected != 0)
        bytes = bytes.first(bytes.size() / 2);
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            throw writeFailure(path, reason(errno));
        }
        bytes = bytes.subspan(static_cast<std::size_t>(written));
    }
    if (injected != 0)
        throw writeFailure(path, reason(injected));
}

// Takes a step through the hook: 0 when it succeeded, otherwise the error it failed with.
template <typename Call>
int step(WriteStep what, Call call) {
    if (const int injected = throughHook(what))
        return injected;
    return call() == 0 ? 0 : errno;
}

// ---- Replacing a file ---------------------------------------------------------------------------

// The kernel follows at most 40 links in a row; so do we.
constexpr int MaxLinks = 40;

// The file that `path` leads to through any symbolic links: the one to replace.
std::filesystem::path linkTarget(const std::string& path) {
    std::filesystem::path file(path);
    // MaxLinks links, then one look more that must find the file itself.
    for (int hop = 0; hop <= MaxLinks; ++hop) {
        std::error_code notALink;
        const std::filesystem::path next = std::filesystem::read_symlink(file, notALink);
        if (notALink)
            return file;
        file = next.is_absolute() ? next : file.parent_path() / next;
    }
    throw writeFailure(path, reason(ELOOP));
}

// A temporary file is named "." + the file's name (cut so that the whole fits the folder's
// limit on names) + this mark + 8 hex digits. A write that is killed may leave one behind under
// a name the next write of the same file recognises.
constexpr std::string_view TemporaryMark = ".kvxtmp-";
constexpr std::size_t TemporaryDigits = 8;

std::string temporaryPrefix(const std::string& name, int folder) {
    const long limit = ::fpathconf(folder, _PC_NAME_MAX);
    const std::size_t nameMax = limit > 0 ? static_cast<std::size_t>(limit) : 255;
    const std::size_t fixed = 1 + TemporaryMark.size() + TemporaryDigits;
    return "." + name.substr(0, nameMax > fixed ? nameMax - fixed : 1) + std::string(TemporaryMark);
}

std::string temporaryName(const std::string& prefix) {
    thread_local std::mt19937 generator{std::random_device{}()};
    char digits[TemporaryDigits + 1];
    std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(generator()));
    return prefix + digits;
}

bool isTemporaryName(std::string_view name, std::string_view prefix) {
    return name.size() == prefix.size() + TemporaryDigits && name.starts_with(prefix) &&
           name.find_first_not_of("0123456789abcdef", prefix.size()) == std::string_view::npos;
}

// Removes what earlier, killed writes of the same file left behind. A write in progress holds a
// lock on its temporary file from the moment it has one, so its file stays.
void removeStrays(int folder, const std::string& prefix) {
    const int listed = ::fcntl(folder, F_DUPFD_CLOEXEC, 0);
    if (listed < 0)
        return;
    const std::unique_ptr<DIR, int (*)(DIR*)> listing(::fdopendir(listed), ::closedir);
    if (!listing) {
        ::close(listed);
        return;
    }
    while (const dirent* entry = ::readdir(listing.get())) {
        if (!isTemporaryName(entry->d_name, prefix))
            continue;
        const Descriptor stray(
            ::openat(folder, entry->d_name, O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
        struct stat opened {};
        struct stat named {};
        if (stray && ::fstat(stray.get(), &opened) == 0 && S_ISREG(opened.st_mode) &&
            ::flock(stray.get(), LOCK_EX | LOCK_NB) == 0 &&
            ::fstatat(folder, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            named.st_dev == opened.st_dev && named.st_ino == opened.st_ino)
            ::unlinkat(folder, entry->d_name, 0);
    }
}

// The file being replaced: where it is, and what it was.
struct Target {
    std::string path; // as the caller named it, for messages
    std::string name; // its name in its folder, after following links
    Descriptor folder;
    std::string temporaryPrefix;
    std::optional<struct stat> existing;
};

Target openTarget(const std::string& path) {
    const std::filesystem::path file = linkTarget(path);
    Target target{path, file.filename().string(), {}, {}, {}};
    if (target.name.empty() || target.name == "." || target.name == "..")
        throw writeFailure(path, "no file name was given");

    struct stat existing {};
    if (::stat(file.c_str(), &existing) == 0) {
        if (S_ISDIR(existing.st_mode))
            throw writeFailure(path, "it is a folder");
        if (!S_ISREG(existing.st_mode))
            throw writeFailure(path, "it is not a regular file");
        // A writable folder would let the rename replace a file its owner made read-only.
        if (::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0)
            throw writeFailure(path, errno == EACCES ? std::string("the file is read-only")
                                                     : reason(errno));
        if ((existing.st_mode & 0222) == 0)
            throw writeFailure(path, "the file is read-only");
        target.existing = existing;
    }

    const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
    target.folder = Descriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!target.folder)
        throw writeFailure(path, reason(errno));
    // The file is replaced by a new entry in its folder, which a read-only folder forbids; as
    // with the file, a folder without any write permission is not written even where the
    // system would let it (root).
    struct stat folderInfo {};
    if (::fstat(target.folder.get(), &folderInfo) != 0)
        throw writeFailure(path, reason(errno));
    if (::faccessat(target.folder.get(), ".", W_OK, AT_EACCESS) != 0)
        throw writeFailure(path, errno == EACCES ? std::string("its folder is read-only")
                                                 : reason(errno));
    if ((folderInfo.st_mode & 0222) == 0)
        throw writeFailure(path, "its folder is read-only");
    target.temporaryPrefix = temporaryPrefix(target.name, target.folder.get());
    return target;
}

FileIdentity identityOf(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::int64_t>(info.st_size), static_cast<std::int64_t>(info.st_mtim.tv_sec),
            static_cast<std::int64_t>(info.st_mtim.tv_nsec)};
}

// Whether `name` in `folder` is still the file `identity` describes.
bool sameFile(int folder, const std::string& name, const FileIdentity& identity) {
    struct stat now {};
    return ::fstatat(folder, name.c_str(), &now, 0) == 0 && identityOf(now) == identity;
}

// A temporary file in the target's folder. While it has no name (an O_TMPFILE file) nothing is
// left behind whatever happens to the process; it is named only once it is complete.
struct Temporary {
    Descriptor file;
    std::string name;
};

// Whether `name` in `folder` is still the file open as `fd`.
bool stillNamed(int folder, const std::string& name, int fd) {
    struct stat named {};
    struct stat opened {};
    return ::fstatat(folder, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
           ::fstat(fd, &opened) == 0 && named.st_dev == opened.st_dev &&
           named.st_ino == opened.st_ino;
}

Temporary namedTemporary(const Target& target) {
    for (;;) {
        std::string name = temporaryName(target.temporaryPrefix);
        // 0666 less the umask, as for any new file.
        Descriptor file(::openat(target.folder.get(), name.c_str(),
                                 O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666));
        if (!file) {
            if (errno != EEXIST)
                throw writeFailure(target.path, reason(errno));
            continue;
        }
        // Until it is locked, another write of the same file may take it for a stray and remove
        // it; then it starts again under another name.
        ::flock(file.get(), LOCK_EX);
        if (stillNamed(target.folder.get(), name, file.get()))
            return {std::move(file), std::move(name)};
    }
}

// Gives the complete unnamed file a temporary name; false when the system does not allow it.
bool linkTemporary(const Target& target, Temporary& temporary) {
    const std::string self = "/proc/self/fd/" + std::to_string(temporary.file.get());
    for (;;) {
        std::string name = temporaryName(target.temporaryPrefix);
        if (::linkat(AT_FDCWD, self.c_str(), target.folder.get(), name.c_str(),
                     AT_SYMLINK_FOLLOW) == 0 ||
            ::linkat(temporary.file.get(), "", target.folder.get(), name.c_str(), AT_EMPTY_PATH) ==
                0) {
            temporary.name = std::move(name);
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
}

// Writes the bytes into the temporary file and puts it in the target's place. False only when
// an unnamed temporary file cannot be given a name.
bool replace(const Target& target, Temporary& temporary, const ByteProducer& produce,
             const std::optional<FileIdentity>& unchanged) {
    const int fd = temporary.file.get();
    const std::string& path = target.path;
    produce([&](std::span<const std::uint8_t> bytes) { writeAll(fd, bytes, path); });
    if (target.existing) {
        const struct stat& existing = *target.existing;
        // Only root, or an owner who is in the group, may hand the file over; for anyone else
        // the new file stays their own, as with any program that saves this way.
        if (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()) {
            [[maybe_unused]] const int handedOver = ::fchown(fd, existing.st_uid, existing.st_gid);
        }
        if (::fchmod(fd, existing.st_mode & 07777) != 0)
            throw writeFailure(path, reason(errno));
    }
    if (const int error = step(WriteStep::FlushFile, [fd] { return ::fsync(fd); }))
        throw writeFailure(path, "the new file could not be flushed to the disk: " + reason(error));
    if (temporary.name.empty() && !linkTemporary(target, temporary))
        return false;
    const int folder = target.folder.get();
    if (unchanged && !sameFile(folder, target.name, *unchanged))
        throw FileChanged("\"" + path +
                          "\" was changed by another program while it was being written; "
                          "nothing was written.");
    if (const int error = step(WriteStep::Rename, [&] {
            return ::renameat(folder, temporary.name.c_str(), folder, target.name.c_str());
        }))
        throw writeFailure(path, "the new file could not take its place: " + reason(error));
    temporary.name.clear();
    // The rename itself reaches the disk with the folder. The file is replaced by now: the
    // message says so.
    const int error = step(WriteStep::FlushFolder, [folder] {
        // A file system that cannot flush a folder says EINVAL: nothing to wait for.
        return ::fsync(folder) == 0 || errno == EINVAL ? 0 : -1;
    });
    if (error)
        throw WriteError("\"" + path +
                         "\" was written, but its folder could not be flushed to the disk: " +
                         reason(error) + ".");
    return true;
}

// Opens `path` for reading and fills `info`; what is no regular file is refused with its
// reason. Opening does not block: a FIFO would otherwise wait for a writer that may never come.
Descriptor openRegularFile(const std::string& path, struct stat& info) {
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!file)
        throw failure("open", path, reason(errno));
    if (::fstat(file.get(), &info) != 0)
        throw failure("read", path, reason(errno));
    if (!S_ISREG(info.st_mode))
        throw failure("read", path, S_ISDIR(info.st_mode) ? "it is a folder" : "it is not a file");
    return file;
}

bool replaceOrRemove(const Target& target, Temporary& temporary, const ByteProducer& produce,
                     const std::optional<FileIdentity>& unchanged) {
    try {
        return replace(target, temporary, produce, unchanged);
    } catch (...) {
        if (!temporary.name.empty())
            ::unlinkat(target.folder.get(), temporary.name.c_str(), 0);
        throw;
    }
}

} // namespace

FileBytes readFile(const std::string& path, std::size_t limit) {
    struct stat info {};
    const Descriptor file = openRegularFile(path, info);
    const auto size = static_cast<std::size_t>(info.st_size);
    if (size > limit)
        throw FileTooLarge("\"" + path + "\" is " + std::to_string(size) +
                           " bytes long, more than such a file can be; it was not read.");

    FileBytes bytes(size);
    // A file that shrinks or grows while it is read is being written by someone else: what was
    // read may be half of the old and half of the new.
    std::uint8_t more = 0;
    if (readUpTo(file.get(), bytes.data(), size, path) != size ||
        readUpTo(file.get(), &more, 1, path) != 0)
        throw failure("read", path, "it changed while it was read");
    return bytes;
}

void writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         TemporaryFile temporary) {
    writeFileAtomically(
        path, [bytes](const ByteSink& sink) { sink(bytes); }, std::nullopt, temporary);
}

void writeFileAtomically(const std::string& path, const ByteProducer& produce,
                         const std::optional<FileIdentity>& unchanged, TemporaryFile temporary) {
    const Target target = openTarget(path);
    if (unchanged && !(target.existing && identityOf(*target.existing) == *unchanged))
        throw FileChanged("\"" + path +
                          "\" was changed by another program since it was read; nothing was "
                          "written.");
    removeStrays(target.folder.get(), target.temporaryPrefix);

    if (temporary == TemporaryFile::Unnamed) {
        // 0666 less the umask, as for any new file.
        Temporary unnamed{
            Descriptor(::openat(target.folder.get(), ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666)),
            {}};
        // Locked before it is named, so that no other write takes it for a stray.
        if (unnamed.file && ::flock(unnamed.file.get(), LOCK_EX) == 0 &&
            replaceOrRemove(target, unnamed, produce, unchanged))
            return;
    }
    // The file system has no unnamed files, or no way to name them.
    Temporary named = namedTemporary(target);
    replaceOrRemove(target, named, produce, unchanged);
}

void writeFileAtomically(const std::string& path, std::string_view bytes) {
    writeFileAtomically(
        path, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

std::optional<FileIdentity> fileIdentity(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    return identityOf(info);
}

FileLock::FileLock(const std::string& path) {
    for (;;) {
        struct stat locked {};
        Descriptor file = openRegularFile(path, locked);
        while (::flock(file.get(), LOCK_EX) != 0)
            if (errno != EINTR)
                throw failure("lock", path, reason(errno));
        // The one who held it may have put a new file in this one's place meanwhile.
        struct stat named {};
        if (::fstat(file.get(), &locked) == 0 && ::stat(path.c_str(), &named) == 0 &&
            named.st_dev == locked.st_dev && named.st_ino == locked.st_ino) {
            identity_ = identityOf(locked);
            fd_ = file.release();
            return;
        }
    }
}

FileLock::~FileLock() {
    if (fd_ >= 0)
        ::close(fd_);
}

void setWriteStepHook(WriteStepHook newHook) {
    const std::lock_guard lock(hookMutex);
    hook = std::move(newHook);
}

bool fileExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace kvx
