#pragma once

#include "base/filebuffer.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kvx {

// The editions' cartridges hold a few MiB; 16 MiB is well beyond any of them, over-dumped and
// headered images included. A larger file is no game image the program knows, and is refused
// before it is read.
inline constexpr std::size_t MaxImageSize = 16 * 1024 * 1024;

// A whole game image in memory. Every read and write is checked against the image's length and
// raises RomError when it would leave the image; the image never changes its length.
// An export works on such a copy and writes the file back with save() once all checks passed.
class RomImage {
public:
    RomImage() = default;
    explicit RomImage(FileBytes bytes) : bytes_(std::move(bytes)) {}
    // An image holding a copy of the bytes.
    explicit RomImage(std::span<const std::uint8_t> bytes) : bytes_(bytes.begin(), bytes.end()) {}

    // Throws FileError when the file cannot be read, UnsupportedImage when it is larger than
    // MaxImageSize.
    static RomImage load(const std::string& path);
    // Replaces the file in one step, keeping its permissions; throws FileError.
    void save(const std::string& path) const;

    // Hands the bytes over (to be reused for another image), leaving this image empty.
    FileBytes release() &&;

    std::size_t size() const { return bytes_.size(); }
    const FileBytes& bytes() const { return bytes_; }

    std::uint8_t byte(std::size_t offset) const {
        require(offset, 1);
        return bytes_[offset];
    }
    // `length` bytes from `offset`, one character per byte.
    std::string text(std::size_t offset, std::size_t length) const;
    // The bytes [begin, end), as a view that holds until the image next changes; empty when end
    // is not after begin.
    std::string_view range(std::size_t begin, std::size_t end) const;
    // The bytes from `offset` up to, not including, the first `terminator` byte.
    std::string textUntil(std::size_t offset, std::uint8_t terminator) const;

    std::uint16_t u16le(std::size_t offset) const {
        require(offset, 2);
        return static_cast<std::uint16_t>(bytes_[offset] | (bytes_[offset + 1] << 8));
    }
    std::uint16_t u16be(std::size_t offset) const {
        require(offset, 2);
        return static_cast<std::uint16_t>((bytes_[offset] << 8) | bytes_[offset + 1]);
    }
    std::uint32_t u32be(std::size_t offset) const {
        require(offset, 4);
        return (std::uint32_t{bytes_[offset]} << 24) | (std::uint32_t{bytes_[offset + 1]} << 16) |
               (std::uint32_t{bytes_[offset + 2]} << 8) | std::uint32_t{bytes_[offset + 3]};
    }

    void setByte(std::size_t offset, std::uint8_t value);
    void setText(std::size_t offset, std::string_view bytes);
    void setU16le(std::size_t offset, std::uint16_t value);
    void setU16be(std::size_t offset, std::uint16_t value);
    void setU32be(std::size_t offset, std::uint32_t value);

    // Raises RomError unless [offset, offset + length) lies inside the image. Written so that the
    // check itself cannot overflow; inline, since every read makes it.
    void require(std::size_t offset, std::size_t length) const {
        if (offset > bytes_.size() || length > bytes_.size() - offset)
            outside(offset);
    }

    // An undo log for tools that try many changes on one large image (the fuzz harnesses):
    // from startUndoLog() on, every write keeps the bytes it replaces, and rollback() puts them
    // back, so a try costs what it wrote instead of a copy of the whole image.
    void startUndoLog();
    // Undoes every write since startUndoLog(), newest first, and stops the log.
    void rollback();
    // Bytes written since startUndoLog() (a byte written twice counts twice).
    std::size_t bytesWrittenSinceStart() const { return undoBytes_.size(); }

private:
    [[noreturn]] void outside(std::size_t offset) const;
    // Remembers the bytes [offset, offset + length) before a write replaces them.
    void keepForUndo(std::size_t offset, std::size_t length);

    struct UndoRun {
        std::size_t offset;
        std::size_t length;
    };

    FileBytes bytes_;
    bool logging_ = false;
    std::vector<UndoRun> undoRuns_;
    std::vector<std::uint8_t> undoBytes_;
};

} // namespace kvx
