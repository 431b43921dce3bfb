#include "image_input.h"

#include <sanitizer/asan_interface.h>

#include <algorithm>

namespace kvx::fuzz {

namespace {

constexpr std::size_t HeaderSize = 4;
constexpr std::size_t PatchHeaderSize = 4;

std::size_t bigEndian24(const std::uint8_t* bytes) {
    return (std::size_t{bytes[0]} << 16) | (std::size_t{bytes[1]} << 8) | bytes[2];
}

void putBigEndian24(std::vector<std::uint8_t>& out, std::size_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 16));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

} // namespace

std::vector<std::uint8_t> encodeImageInput(const ImageInput& input) {
    std::vector<std::uint8_t> out;
    out.push_back(static_cast<std::uint8_t>(input.roster));
    putBigEndian24(out, input.cut);
    for (const Patch& patch : input.patches) {
        for (std::size_t done = 0; done < patch.bytes.size(); done += 255) {
            const std::size_t count = std::min<std::size_t>(255, patch.bytes.size() - done);
            putBigEndian24(out, patch.offset + done);
            out.push_back(static_cast<std::uint8_t>(count));
            const auto first = patch.bytes.begin() + static_cast<std::ptrdiff_t>(done);
            out.insert(out.end(), first, first + static_cast<std::ptrdiff_t>(count));
        }
    }
    return out;
}

TrialImage::TrialImage(RomImage valid)
    : pristine_(valid.bytes().begin(), valid.bytes().end()), image_(std::move(valid)) {
    buffer_.reserve(pristine_.size() / 2);
}

RomImage& TrialImage::prepare(std::span<const std::uint8_t> input, int& roster) {
    roster = 0;
    std::size_t cut = 0;
    if (input.size() >= HeaderSize) {
        roster = input[0] % 4;
        cut = bigEndian24(&input[1]);
        input = input.subspan(HeaderSize);
    } else {
        input = {};
    }

    RomImage* image = &image_;
    if (cut > 0 && cut < pristine_.size()) {
        if (cut > pristine_.size() / 2) {
            FileBytes bytes = std::move(image_).release();
            bytes.resize(cut);
            ASAN_POISON_MEMORY_REGION(bytes.data() + cut, pristine_.size() - cut);
            image_ = RomImage(std::move(bytes));
            cut_ = Cut::InPlace;
        } else {
            ASAN_UNPOISON_MEMORY_REGION(buffer_.data(), buffer_.capacity());
            buffer_.assign(pristine_.begin(), pristine_.begin() + static_cast<std::ptrdiff_t>(cut));
            ASAN_POISON_MEMORY_REGION(buffer_.data() + cut, buffer_.capacity() - cut);
            copy_ = RomImage(std::move(buffer_));
            image = &copy_;
            cut_ = Cut::Copied;
        }
    }

    log_.start(*image);
    while (input.size() >= PatchHeaderSize) {
        std::size_t at = bigEndian24(&input[0]) % image->size();
        const std::size_t count = std::min<std::size_t>(input[3], input.size() - PatchHeaderSize);
        for (std::size_t i = 0; i < count; ++i, ++at)
            image->setByte(at % image->size(), input[PatchHeaderSize + i]);
        input = input.subspan(PatchHeaderSize + count);
    }
    return *image;
}

void TrialImage::restore() {
    switch (cut_) {
    case Cut::None:
        log_.rollback();
        break;
    case Cut::InPlace: {
        log_.rollback();
        FileBytes bytes = std::move(image_).release();
        const std::size_t cut = bytes.size();
        ASAN_UNPOISON_MEMORY_REGION(bytes.data() + cut, pristine_.size() - cut);
        bytes.insert(bytes.end(), pristine_.begin() + static_cast<std::ptrdiff_t>(cut),
                     pristine_.end());
        image_ = RomImage(std::move(bytes));
        break;
    }
    case Cut::Copied:
        buffer_ = std::move(copy_).release();
        break;
    }
    cut_ = Cut::None;
}

} // namespace kvx::fuzz
