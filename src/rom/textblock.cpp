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

void addPackedNames(TextBlock& block, const std::vector<TeamRecord>& teams, Edition edition) {
    const int entries = static_cast<int>(teams.size()) * rosterSize(edition);
    std::string entry; // one buffer for every entry
    for (int i = 0; i < entries; ++i) {
        entry.clear();
        appendPackedName(entry, rosterPlayer(teams, edition, i));
        block.addEntry(entry);
    }
    block.markEntry();
}

std::size_t pointerTarget(const RomImage& image, std::size_t entry, std::int32_t base) {
    const std::uint16_t value = image.u16le(entry);
    return static_cast<std::size_t>(Pointer_To_Offset(static_cast<std::uint8_t>(value & 0xFF),
                                                      static_cast<std::uint8_t>(value >> 8), base));
}

std::size_t furthestTarget(const RomImage& image, std::size_t table, int count, std::int32_t base) {
    std::size_t furthest = 0;
    for (int e = 0; e < count; ++e)
        furthest =
            std::max(furthest, pointerTarget(image, table + static_cast<std::size_t>(e) * 2, base));
    return furthest;
}

void writePointerTable(ImageWrites& writes, std::size_t table,
                       const std::vector<std::size_t>& offsets, const PointerFormat& format,
                       std::string_view what) {
    const std::size_t width = format.order == PointerFormat::BigEndian32 ? 4 : 2;
    std::string bytes;
    bytes.reserve(offsets.size() * width);
    for (const std::size_t offset : offsets) {
        const std::int64_t value = static_cast<std::int64_t>(offset) + format.base;
        if (value < 0 || value > format.maxValue)
            throw ExportRefused("The " + std::string(what) + " cannot point to offset " +
                                hexOffset(offset) + ": the game's table cannot hold it.");
        const auto v = static_cast<std::uint32_t>(value);
        switch (format.order) {
        case PointerFormat::LittleEndian16:
            bytes += {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
            break;
        case PointerFormat::BigEndian16:
            bytes += {static_cast<char>((v >> 8) & 0xFF), static_cast<char>(v & 0xFF)};
            break;
        case PointerFormat::BigEndian32:
            bytes += {static_cast<char>(v >> 24), static_cast<char>((v >> 16) & 0xFF),
                      static_cast<char>((v >> 8) & 0xFF), static_cast<char>(v & 0xFF)};
            break;
        }
    }
    writes.put(table, std::move(bytes), what);
}

} // namespace kvx
