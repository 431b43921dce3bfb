#include "rom/headerchecksum.h"

#include <algorithm>
#include <bit>
#include <numeric>

namespace kvx {

namespace {

// The Genesis header: "SEGA" at 0x100 (or 0x101, after a space), the checksum at 0x18E, big-endian:
// the sum of the big-endian words from 0x200 to the end of the image.
constexpr std::size_t GenesisSignature = 0x100;
constexpr std::size_t GenesisChecksum = 0x18E;
constexpr std::size_t GenesisSummedFrom = 0x200;

// The SNES internal header, at 0x7FC0 in a LoROM image and 0xFFC0 in a HiROM one, both counted
// without the copier header some dumps carry (present when the size is 512 past a KiB boundary).
constexpr std::size_t CopierHeader = 0x200;
constexpr std::size_t LoRomHeader = 0x7FC0;
constexpr std::size_t HiRomHeader = 0xFFC0;
constexpr std::size_t SnesNameLength = 21;
constexpr std::size_t SnesMapMode = 0x15;
constexpr std::size_t SnesRomSize = 0x17;
constexpr std::size_t SnesComplement = 0x1C;
constexpr std::size_t SnesChecksum = 0x1E;
constexpr std::size_t SnesHeaderLength = 0x20;

std::uint16_t u16le(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

bool isGenesis(std::span<const std::uint8_t> image) {
    constexpr std::string_view Sega = "SEGA";
    if (image.size() < GenesisSummedFrom)
        return false;
    const auto at = [&](std::size_t offset) {
        return std::equal(Sega.begin(), Sega.end(),
                          image.begin() + static_cast<std::ptrdiff_t>(offset));
    };
    return at(GenesisSignature) || at(GenesisSignature + 1);
}

HeaderChecksum genesisChecksum(std::span<const std::uint8_t> image) {
    std::uint32_t sum = 0;
    std::size_t at = GenesisSummedFrom;
    for (; at + 1 < image.size(); at += 2)
        sum += static_cast<std::uint32_t>((image[at] << 8) | image[at + 1]);
    if (at < image.size()) // an odd last byte, as the high byte of a word
        sum += static_cast<std::uint32_t>(image[at] << 8);
    const auto computed = static_cast<std::uint16_t>(sum);
    const auto stored =
        static_cast<std::uint16_t>((image[GenesisChecksum] << 8) | image[GenesisChecksum + 1]);
    return {HeaderKind::Genesis, GenesisSignature, stored, computed, stored == computed};
}

std::uint64_t byteSum(std::span<const std::uint8_t> bytes) {
    return std::accumulate(bytes.begin(), bytes.end(), std::uint64_t{0});
}

// The sum of the ROM's bytes as the console sees them: a size that is not a power of two is the
// largest power of two below it, followed by the rest repeated until it fills as much again.
std::uint64_t mirroredSum(std::span<const std::uint8_t> rom) {
    if (rom.empty() || std::has_single_bit(rom.size()))
        return byteSum(rom);
    const std::size_t base = std::bit_floor(rom.size());
    const auto rest = rom.subspan(base);
    return byteSum(rom.first(base)) + mirroredSum(rest) * (base / std::bit_ceil(rest.size()));
}

// How much a place looks like a SNES header: a checksum and complement that agree count most,
// then a mapping mode fitting the place, a printable title and a plausible ROM size.
int snesHeaderScore(std::span<const std::uint8_t> rom, std::size_t header, bool hiRom) {
    // A header counts only where the image reaches the end of its bank, which also keeps it in
    // the part of the image the mirrored sum counts once.
    if (rom.size() < header + 0x40)
        return -1;
    const auto bytes = rom.subspan(header, SnesHeaderLength);
    int score = 0;
    if (static_cast<std::uint16_t>(u16le(bytes, SnesComplement) + u16le(bytes, SnesChecksum)) ==
        0xFFFF)
        score += 2;
    const std::uint8_t mode = bytes[SnesMapMode];
    const std::uint8_t map = mode & 0x0F;
    const bool modeFits = (mode & 0xE0) == 0x20 && (hiRom ? map == 0x1 || map == 0x5 || map == 0xA
                                                          : map == 0x0 || map == 0x2 || map == 0x3);
    score += modeFits ? 1 : 0;
    const bool printable =
        std::all_of(bytes.begin(), bytes.begin() + SnesNameLength, [](std::uint8_t c) {
            return (c >= 0x20 && c <= 0x7E) || (c >= 0xA0 && c <= 0xDF);
        });
    score += printable ? 1 : 0;
    score += bytes[SnesRomSize] >= 0x08 && bytes[SnesRomSize] <= 0x0D ? 1 : 0;
    return score;
}

std::optional<HeaderChecksum> snesChecksum(std::span<const std::uint8_t> image) {
    const std::size_t copier = image.size() % 1024 == CopierHeader ? CopierHeader : 0;
    const auto rom = image.subspan(copier);
    const int lo = snesHeaderScore(rom, LoRomHeader, false);
    const int hi = snesHeaderScore(rom, HiRomHeader, true);
    // Agreeing checksum fields and one more sign, or all three other signs.
    constexpr int Recognised = 3;
    if (std::max(lo, hi) < Recognised)
        return std::nullopt;
    const bool hiRom = hi > lo;
    const std::size_t header = hiRom ? HiRomHeader : LoRomHeader;
    const auto fields = rom.subspan(header + SnesComplement, 4);
    // The sum as it is once the checksum and its complement are written: those four bytes then add
    // up to 0x1FE whatever the checksum (the header lies in the part that is counted once).
    const auto computed = static_cast<std::uint16_t>(mirroredSum(rom) - byteSum(fields) + 2 * 0xFF);
    const std::uint16_t stored = u16le(rom, header + SnesChecksum);
    const std::uint16_t complement = u16le(rom, header + SnesComplement);
    return HeaderChecksum{
        hiRom ? HeaderKind::SnesHiRom : HeaderKind::SnesLoRom, copier + header, stored, computed,
        stored == computed && complement == static_cast<std::uint16_t>(~computed)};
}

} // namespace

std::string_view headerKindName(HeaderKind kind) {
    switch (kind) {
    case HeaderKind::Genesis:
        return "Genesis";
    case HeaderKind::SnesLoRom:
        return "SNES LoROM";
    case HeaderKind::SnesHiRom:
        return "SNES HiROM";
    }
    return "";
}

std::optional<HeaderChecksum> readHeaderChecksum(std::span<const std::uint8_t> image) {
    if (isGenesis(image))
        return genesisChecksum(image);
    return snesChecksum(image);
}

bool fixHeaderChecksum(RomImage& image) {
    const auto checksum = readHeaderChecksum(image.bytes());
    if (!checksum)
        return false;
    if (checksum->kind == HeaderKind::Genesis) {
        image.setU16be(GenesisChecksum, checksum->computed);
    } else {
        image.setU16le(checksum->header + SnesComplement,
                       static_cast<std::uint16_t>(~checksum->computed));
        image.setU16le(checksum->header + SnesChecksum, checksum->computed);
    }
    return true;
}

} // namespace kvx
