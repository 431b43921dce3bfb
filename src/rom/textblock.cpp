#include "rom/textblock.h"

#include "base/error.h"
#include "rom/routines.h"

#include <algorithm>
#include <cstdio>

namespace kvx {

std::string hexOffset(std::size_t offset) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%zX", offset);
    return text;
}

void TextBlock::requireEndsBy(std::size_t limit, std::string_view what) const {
    if (position() <= limit)
        return;
    throw ExportRefused("The " + std::string(what) + " do not fit the image: they take " +
                        std::to_string(position() - limit) + " bytes more than the " +
                        std::to_string(limit > start_ ? limit - start_ : 0) +
                        " bytes there is room for (from " + hexOffset(start_) + " to " +
                        hexOffset(limit) + "). Shorten some of them and export again.");
}

std::size_t pointerTarget(const RomImage& image, std::size_t entry, std::int32_t base) {
    image.require(entry, 2);
    return static_cast<std::size_t>(
        Pointer_To_Offset(image.byte(entry), image.byte(entry + 1), base));
}

std::size_t furthestTarget(const RomImage& image, std::size_t table, int count, std::int32_t base) {
    std::size_t furthest = 0;
    for (int e = 0; e < count; ++e)
        furthest =
            std::max(furthest, pointerTarget(image, table + static_cast<std::size_t>(e) * 2, base));
    return furthest;
}

void writePointerTable(RomImage& image, std::size_t table, const std::vector<std::size_t>& offsets,
                       const PointerFormat& format, std::string_view what) {
    const std::size_t width = format.order == PointerFormat::BigEndian32 ? 4 : 2;
    image.require(table, offsets.size() * width);
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        const std::int64_t value = static_cast<std::int64_t>(offsets[i]) + format.base;
        if (value < 0 || value > format.maxValue)
            throw ExportRefused("The " + std::string(what) + " cannot point to offset " +
                                hexOffset(offsets[i]) + ": the game's table cannot hold it.");
        const std::size_t at = table + i * width;
        switch (format.order) {
        case PointerFormat::LittleEndian16:
            image.setU16le(at, static_cast<std::uint16_t>(value));
            break;
        case PointerFormat::BigEndian16:
            image.setU16be(at, static_cast<std::uint16_t>(value));
            break;
        case PointerFormat::BigEndian32:
            image.setU32be(at, static_cast<std::uint32_t>(value));
            break;
        }
    }
}

} // namespace kvx
