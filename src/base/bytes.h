#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace kvx {

// Sequential little-endian reader over a byte buffer. Every read is checked against the end of
// the buffer: a read that would run past it fails (returns nothing) and the reader stays failed.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::optional<std::int16_t> i16();
    std::optional<std::uint16_t> u16();
    std::optional<std::string> text(std::size_t length);

    std::size_t position() const { return position_; }
    std::size_t remaining() const { return failed_ ? 0 : bytes_.size() - position_; }
    bool failed() const { return failed_; }

private:
    bool take(std::size_t count);

    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
    bool failed_ = false;
};

// Sequential little-endian writer that appends to a byte buffer.
class ByteWriter {
public:
    // Room for `size` bytes, so that the buffer grows once.
    void reserve(std::size_t size) { bytes_.reserve(size); }
    void i16(std::int16_t value) { u16(static_cast<std::uint16_t>(value)); }
    void u16(std::uint16_t value) {
        bytes_.push_back(static_cast<std::uint8_t>(value & 0xFF));
        bytes_.push_back(static_cast<std::uint8_t>(value >> 8));
    }
    void text(const std::string& value) { bytes_.insert(bytes_.end(), value.begin(), value.end()); }

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }
    // Hands the buffer over, leaving the writer empty.
    std::vector<std::uint8_t> release() && { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

inline bool ByteReader::take(std::size_t count) {
    if (failed_ || count > bytes_.size() - position_) {
        failed_ = true;
        return false;
    }
    position_ += count;
    return true;
}

inline std::optional<std::uint16_t> ByteReader::u16() {
    const std::size_t at = position_;
    if (!take(2))
        return std::nullopt;
    return static_cast<std::uint16_t>(bytes_[at] | (bytes_[at + 1] << 8));
}

inline std::optional<std::int16_t> ByteReader::i16() {
    const auto value = u16();
    if (!value)
        return std::nullopt;
    return static_cast<std::int16_t>(*value);
}

inline std::optional<std::string> ByteReader::text(std::size_t length) {
    const std::size_t at = position_;
    if (!take(length))
        return std::nullopt;
    return std::string(bytes_.begin() + static_cast<std::ptrdiff_t>(at),
                       bytes_.begin() + static_cast<std::ptrdiff_t>(at + length));
}

} // namespace kvx
