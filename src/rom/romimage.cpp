#include "rom/romimage.h"

#include "base/error.h"
#include "base/fileio.h"

#include <algorithm>
#include <cstdio>

namespace kvx {

namespace {

std::string hex(std::size_t value) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%zX", value);
    return text;
}

} // namespace

RomImage RomImage::load(const std::string& path) {
    try {
        return RomImage(readFile(path, MaxImageSize));
    } catch (const FileTooLarge&) {
        throw UnsupportedImage();
    }
}

void RomImage::save(const std::string& path) const {
    writeFileAtomically(path, bytes_);
}

void RomImage::outside(std::size_t offset) const {
    throw RomError("The image is damaged or too short: it ends at " + hex(bytes_.size()) +
                   ", but data was expected at " + hex(offset) + ".");
}

std::string RomImage::text(std::size_t offset, std::size_t length) const {
    require(offset, length);
    const auto first = bytes_.begin() + static_cast<std::ptrdiff_t>(offset);
    return std::string(first, first + static_cast<std::ptrdiff_t>(length));
}

std::string_view RomImage::range(std::size_t begin, std::size_t end) const {
    if (end <= begin)
        return {};
    require(begin, end - begin);
    return std::string_view(reinterpret_cast<const char*>(bytes_.data()) + begin, end - begin);
}

std::string RomImage::textUntil(std::size_t offset, std::uint8_t terminator) const {
    require(offset, 0);
    const auto first = bytes_.begin() + static_cast<std::ptrdiff_t>(offset);
    const auto last = std::find(first, bytes_.end(), terminator);
    if (last == bytes_.end())
        throw RomError("The image is damaged: a text starting at " + hex(offset) +
                       " runs to the end of the image.");
    return std::string(first, last);
}

FileBytes RomImage::release() && {
    observer_ = nullptr;
    return std::move(bytes_);
}

void RomImage::setByte(std::size_t offset, std::uint8_t value) {
    require(offset, 1);
    aboutToWrite(offset, 1);
    bytes_[offset] = value;
}

void RomImage::setText(std::size_t offset, std::string_view bytes) {
    require(offset, bytes.size());
    aboutToWrite(offset, bytes.size());
    std::copy(bytes.begin(), bytes.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
}

void RomImage::setU16le(std::size_t offset, std::uint16_t value) {
    require(offset, 2);
    aboutToWrite(offset, 2);
    bytes_[offset] = static_cast<std::uint8_t>(value & 0xFF);
    bytes_[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

void RomImage::setU16be(std::size_t offset, std::uint16_t value) {
    require(offset, 2);
    aboutToWrite(offset, 2);
    bytes_[offset] = static_cast<std::uint8_t>(value >> 8);
    bytes_[offset + 1] = static_cast<std::uint8_t>(value & 0xFF);
}

} // namespace kvx
