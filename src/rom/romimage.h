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
    // Copies and moves carry the bytes; an observer stays with the image it was given to.
    RomImage(const RomImage& other) : bytes_(other.bytes_) {}
    RomImage(RomImage&& other) noexcept : bytes_(std::move(other.bytes_)) {}
    RomImage& operator=(const RomImage& other) {
        bytes_ = other.bytes_;
        return *this;
    }
    RomImage& operator=(RomImage&& other) noexcept {
        bytes_ = std::move(other.bytes_);
        return *this;
    }
    ~RomImage() = default;

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

    // Raises RomError unless [offset, offset + length) lies inside the image. Written so that the
    // check itself cannot overflow; inline, since every read makes it.
    void require(std::size_t offset, std::size_t length) const {
        if (offset > bytes_.size() || length > bytes_.size() - offset)
            outside(offset);
    }

    // Told of every write just before it replaces bytes: how a caller that tries many changes
    // on one large image can take them back without copying it, or see that a refused export
    // wrote nothing.
    class WriteObserver {
    public:
        // `replaced` holds the bytes from `offset` that the write is about to overwrite.
        virtual void beforeWrite(std::size_t offset, std::span<const std::uint8_t> replaced) = 0;

    protected:
        ~WriteObserver() = default;
    };
    // One observer at a time; null stops observing.
    void observeWrites(WriteObserver* observer) { observer_ = observer; }

private:
    [[noreturn]] void outside(std::size_t offset) const;
    // Lets the observer see [offset, offset + length) before a write replaces it.
    void aboutToWrite(std::size_t offset, std::size_t length) {
        if (observer_ && length > 0)
            observer_->beforeWrite(offset, std::span(bytes_).subspan(offset, length));
    }

    FileBytes bytes_;
    WriteObserver* observer_ = nullptr;
};

} // namespace kvx
