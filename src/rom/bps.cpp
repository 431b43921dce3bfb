#include "rom/bps.h"

#include "base/error.h"
#include "rom/bpsformat.h"
#include "rom/crc32.h"
#include "rom/romimage.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace kvx {

namespace {

std::string crcText(std::uint32_t crc) {
    char text[16];
    std::snprintf(text, sizeof text, "%08X", static_cast<unsigned>(crc));
    return text;
}

std::uint32_t u32le(std::span<const std::uint8_t> bytes) {
    return std::uint32_t{bytes[0]} | (std::uint32_t{bytes[1]} << 8) |
           (std::uint32_t{bytes[2]} << 16) | (std::uint32_t{bytes[3]} << 24);
}

[[noreturn]] void damaged(const std::string& why) {
    throw PatchError("The BPS patch is damaged: " + why + ".");
}

// The patch's body (between the magic and the CRC-32s), read front to back with every read checked.
class BpsReader {
public:
    explicit BpsReader(std::span<const std::uint8_t> body) : body_(body) {}

    bool done() const { return at_ == body_.size(); }

    // Numbers beyond 2^49 (no image has such sizes) are refused, so that none of the sums below
    // can overflow.
    std::uint64_t number() {
        std::uint64_t value = 0;
        std::uint64_t shift = 1;
        for (;;) {
            const std::uint8_t byte = bytes(1)[0];
            value += (byte & 0x7F) * shift;
            if (byte & 0x80)
                return value;
            if (shift >= (std::uint64_t{1} << 42))
                damaged("a number in it is far too large");
            shift <<= 7;
            value += shift;
        }
    }

    std::span<const std::uint8_t> bytes(std::uint64_t count) {
        if (count > body_.size() - at_)
            damaged("it ends in the middle of an action");
        at_ += static_cast<std::size_t>(count);
        return body_.subspan(at_ - static_cast<std::size_t>(count),
                             static_cast<std::size_t>(count));
    }

private:
    std::span<const std::uint8_t> body_;
    std::size_t at_ = 0;
};

// A copy action's new offset: `offset` moved by the signed distance the patch gives, which must
// stay inside [0, limit].
std::uint64_t moved(std::uint64_t offset, std::uint64_t code, std::uint64_t limit) {
    const std::uint64_t distance = code >> 1;
    if (code & 1) {
        if (distance > offset)
            damaged("a copy reaches before the start of the image");
        return offset - distance;
    }
    if (distance > limit - offset)
        damaged("a copy reaches past the end of the image");
    return offset + distance;
}

void checkSource(std::span<const std::uint8_t> source, std::uint64_t expectedSize,
                 std::uint32_t expectedCrc) {
    const std::uint32_t found = crc32(source);
    if (found == expectedCrc && expectedSize == source.size())
        return;
    std::string message = "The patch was made for another image: it expects one with CRC32 " +
                          crcText(expectedCrc) + ", and this image has CRC32 " + crcText(found);
    if (expectedSize != source.size())
        message += " (and " + std::to_string(source.size()) + " bytes, where the patch expects " +
                   std::to_string(expectedSize) + ")";
    throw PatchError(message + ".");
}

} // namespace

bool isBpsPatch(std::span<const std::uint8_t> patch) {
    return patch.size() >= std::size(bps::Magic) &&
           std::equal(std::begin(bps::Magic), std::end(bps::Magic), patch.begin());
}

FileBytes applyBpsPatch(std::span<const std::uint8_t> source, std::span<const std::uint8_t> patch) {
    using namespace bps;
    if (!isBpsPatch(patch))
        throw PatchError("The file is not a BPS patch.");
    if (patch.size() < std::size(Magic) + 3 + FooterSize)
        damaged("it is too short");
    const auto footer = patch.last(FooterSize);
    const std::uint32_t patchCrc = u32le(footer.subspan(8));
    if (crc32(patch.first(patch.size() - 4)) != patchCrc)
        damaged("its own CRC32 does not match");

    BpsReader reader(patch.subspan(std::size(Magic), patch.size() - std::size(Magic) - FooterSize));
    const std::uint64_t sourceSize = reader.number();
    const std::uint64_t targetSize = reader.number();
    reader.bytes(reader.number()); // the metadata, which nothing here reads
    checkSource(source, sourceSize, u32le(footer));
    if (targetSize > MaxImageSize)
        throw PatchError("The BPS patch makes an image of " + std::to_string(targetSize) +
                         " bytes, larger than any game image.");

    // Every action writes at the output offset and moves it on, so the target is filled front to
    // back and no byte of it is read before it is written.
    FileBytes target(static_cast<std::size_t>(targetSize));
    std::size_t out = 0;
    std::uint64_t sourceOffset = 0;
    std::uint64_t targetOffset = 0;
    while (!reader.done()) {
        const std::uint64_t code = reader.number();
        const std::uint64_t length = (code >> 2) + 1;
        if (length > target.size() - out)
            damaged("an action writes past the end of the target");
        const auto count = static_cast<std::size_t>(length);
        const auto at = target.begin() + static_cast<std::ptrdiff_t>(out);
        switch (code & 3) {
        case SourceRead:
            if (length > source.size() || out > source.size() - count)
                damaged("an action reads past the end of the source");
            std::copy_n(source.begin() + static_cast<std::ptrdiff_t>(out), count, at);
            break;
        case TargetRead: {
            const auto bytes = reader.bytes(length);
            std::copy(bytes.begin(), bytes.end(), at);
            break;
        }
        case SourceCopy:
            sourceOffset = moved(sourceOffset, reader.number(), source.size());
            if (length > source.size() - sourceOffset)
                damaged("a copy reads past the end of the source");
            std::copy_n(source.begin() + static_cast<std::ptrdiff_t>(sourceOffset), count, at);
            sourceOffset += length;
            break;
        case TargetCopy:
            targetOffset = moved(targetOffset, reader.number(), out);
            if (targetOffset >= out)
                damaged("a copy reads a part of the target not yet written");
            // Byte by byte: the copy may overlap what it writes, repeating a pattern.
            for (std::size_t n = 0; n < count; ++n)
                target[out + n] = target[static_cast<std::size_t>(targetOffset) + n];
            targetOffset += length;
            break;
        }
        out += count;
    }
    if (out != target.size())
        damaged("its actions end before the end of the target");
    const std::uint32_t targetCrc = u32le(footer.subspan(4));
    const std::uint32_t made = crc32(target);
    if (made != targetCrc)
        throw PatchError("The BPS patch did not give the image it promises: CRC32 " +
                         crcText(made) + " where it expects " + crcText(targetCrc) + ".");
    return target;
}

} // namespace kvx
