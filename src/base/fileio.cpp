#include "base/fileio.h"

#include "base/error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace kvx {

namespace {

std::string reason(int error) {
    return std::strerror(error);
}

// Closes a descriptor when it goes out of scope.
struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0)
            ::close(fd);
    }
};

void writeAll(int fd, const char* data, std::size_t size, const std::string& path) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            throw FileError("Cannot write \"" + path + "\": " + reason(errno) + ".");
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
}

} // namespace

std::vector<std::uint8_t> readFile(const std::string& path) {
    Descriptor file;
    file.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file.fd < 0)
        throw FileError("Cannot open \"" + path + "\": " + reason(errno) + ".");
    struct stat info {};
    if (::fstat(file.fd, &info) != 0)
        throw FileError("Cannot read \"" + path + "\": " + reason(errno) + ".");
    if (!S_ISREG(info.st_mode))
        throw FileError("Cannot read \"" + path + "\": it is not a file.");

    std::vector<std::uint8_t> bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    std::uint8_t chunk[65536];
    for (;;) {
        const ssize_t got = ::read(file.fd, chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            throw FileError("Cannot read \"" + path + "\": " + reason(errno) + ".");
        }
        if (got == 0)
            break;
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    return bytes;
}

void writeFileAtomically(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    writeFileAtomically(path, std::string(bytes.begin(), bytes.end()));
}

void writeFileAtomically(const std::string& path, const std::string& bytes) {
    namespace fs = std::filesystem;
    const fs::path target(path);
    if (target.filename().empty())
        throw FileError("Cannot write \"" + path + "\": no file name was given.");

    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        throw FileError("Cannot write \"" + path + "\": it is a folder.");

    fs::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";
    std::string temporary = (folder / ("." + target.filename().string() + ".XXXXXX")).string();

    Descriptor file;
    file.fd = ::mkstemp(temporary.data());
    if (file.fd < 0)
        throw FileError("Cannot write \"" + path + "\": " + reason(errno) + ".");

    try {
        writeAll(file.fd, bytes.data(), bytes.size(), path);
        // Keep the permissions of the file being replaced; a new file gets the usual ones.
        mode_t mode = 0666;
        if (exists) {
            mode = existing.st_mode & 07777;
        } else {
            const mode_t mask = ::umask(0);
            ::umask(mask);
            mode &= ~mask;
        }
        if (::fchmod(file.fd, mode) != 0 || ::fsync(file.fd) != 0)
            throw FileError("Cannot write \"" + path + "\": " + reason(errno) + ".");
        const int fd = file.fd;
        file.fd = -1;
        if (::close(fd) != 0)
            throw FileError("Cannot write \"" + path + "\": " + reason(errno) + ".");
        if (::rename(temporary.c_str(), path.c_str()) != 0)
            throw FileError("Cannot write \"" + path + "\": " + reason(errno) + ".");
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
}

bool fileExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace kvx
