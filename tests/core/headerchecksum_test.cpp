#include "rom/headerchecksum.h"

#include "support/random_bytes.h"

#include <gtest/gtest.h>

#include <bit>
#include <random>
#include <string>
#include <vector>

namespace kvx {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::randomBytes;
using test::randomise;

void put(Bytes& image, std::size_t at, const std::string& text) {
    std::copy(text.begin(), text.end(), image.begin() + static_cast<long>(at));
}

// A Genesis image as the cartridges lay it out: the vectors, then the header at 0x100 with the
// system name, the title, the serial, the checksum at 0x18E and the ROM range.
Bytes genesisImage(std::size_t size, std::uint32_t seed) {
    Bytes image = randomBytes(size, seed);
    put(image, 0x100, "SEGA GENESIS    (C)KVX 1994.AUG");
    put(image, 0x120, std::string(48, ' ') + "KVX TEST ROSTER");
    put(image, 0x180, "GM 00001026-00");
    image[0x1A0] = image[0x1A1] = image[0x1A2] = image[0x1A3] = 0;
    return image;
}

std::uint16_t genesisSum(const Bytes& image) {
    std::uint32_t sum = 0;
    for (std::size_t at = 0x200; at < image.size(); at += 2)
        sum += image[at] * 256u + (at + 1 < image.size() ? image[at + 1] : 0u);
    return static_cast<std::uint16_t>(sum);
}

TEST(HeaderChecksum, GenesisChecksumIsReadAndCorrectedInPlace) {
    for (const std::size_t size :
         {std::size_t{0x80000}, std::size_t{0x160000}, std::size_t{0x1001}}) {
        SCOPED_TRACE(size);
        const Bytes built = genesisImage(size, 7);
        const auto before = readHeaderChecksum(built);
        ASSERT_TRUE(before);
        EXPECT_EQ(before->kind, HeaderKind::Genesis);
        EXPECT_EQ(before->computed, genesisSum(built));
        EXPECT_EQ(before->stored, built[0x18E] * 256 + built[0x18F]);
        EXPECT_FALSE(before->correct);

        RomImage image(built);
        ASSERT_TRUE(fixHeaderChecksum(image));
        Bytes expected = built;
        expected[0x18E] = static_cast<std::uint8_t>(genesisSum(built) >> 8);
        expected[0x18F] = static_cast<std::uint8_t>(genesisSum(built));
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), image.bytes().begin(),
                               image.bytes().end()));
        EXPECT_TRUE(readHeaderChecksum(image.bytes())->correct);
    }
}

// The ROM as the console's mapping sees it, built as a buffer of `size` bytes (a power of two): a
// ROM whose size is one is repeated; any other is its largest power of two followed by the rest,
// itself seen that way, as long again.
Bytes mirrored(const Bytes& rom, std::size_t size) {
    Bytes once = rom;
    if (!std::has_single_bit(rom.size())) {
        const auto base = static_cast<long>(std::bit_floor(rom.size()));
        once.assign(rom.begin(), rom.begin() + base);
        const Bytes rest = mirrored(Bytes(rom.begin() + base, rom.end()), once.size());
        once.insert(once.end(), rest.begin(), rest.end());
    }
    Bytes out;
    while (out.size() < size)
        out.insert(out.end(), once.begin(), once.end());
    return out;
}

std::uint16_t mirroredSum(const Bytes& rom) {
    std::uint32_t sum = 0;
    for (const std::uint8_t byte : mirrored(rom, std::bit_ceil(rom.size())))
        sum += byte;
    return static_cast<std::uint16_t>(sum);
}

struct SnesCase {
    std::size_t romSize;
    bool hiRom;
    bool copier;
};

TEST(HeaderChecksum, SnesChecksumIsFoundAndCorrectedInEitherMappingWithOrWithoutCopierHeader) {
    for (const SnesCase c : {SnesCase{0x100000, false, false}, SnesCase{0x100000, true, false},
                             SnesCase{0x180000, false, true}, SnesCase{0x300000, true, true},
                             SnesCase{0x280000, false, false}, SnesCase{0x140000, true, false}}) {
        SCOPED_TRACE(std::to_string(c.romSize) + (c.hiRom ? " HiROM" : " LoROM") +
                     (c.copier ? " with copier header" : ""));
        Bytes rom = randomBytes(c.romSize, 11);
        const std::size_t header = c.hiRom ? 0xFFC0 : 0x7FC0;
        put(rom, header, "KVX TEST ROSTER      ");
        rom[header + 0x15] = c.hiRom ? 0x31 : 0x20;
        rom[header + 0x17] = 0x0B;
        for (std::size_t n = 0x1C; n < 0x20; ++n)
            rom[header + n] = 0;
        Bytes file = rom;
        if (c.copier)
            file.insert(file.begin(), 0x200, 0);

        const auto before = readHeaderChecksum(file);
        ASSERT_TRUE(before);
        EXPECT_EQ(before->kind, c.hiRom ? HeaderKind::SnesHiRom : HeaderKind::SnesLoRom);
        EXPECT_FALSE(before->correct);

        RomImage image(file);
        ASSERT_TRUE(fixHeaderChecksum(image));
        const std::size_t at = header + (c.copier ? 0x200 : 0);
        const std::uint16_t checksum = image.u16le(at + 0x1E);
        EXPECT_EQ(image.u16le(at + 0x1C), static_cast<std::uint16_t>(~checksum));
        Bytes fixedRom(image.bytes().begin() + (c.copier ? 0x200 : 0), image.bytes().end());
        EXPECT_EQ(checksum, mirroredSum(fixedRom));
        const auto after = readHeaderChecksum(image.bytes());
        EXPECT_TRUE(after && after->correct);
    }
}

TEST(HeaderChecksum, AnImageWithoutHeaderIsReportedAndLeftAsItWas) {
    for (const Bytes& bytes :
         {Bytes{}, randomBytes(100, 1), randomBytes(0x100000, 2), randomBytes(0x100200, 3)}) {
        SCOPED_TRACE(bytes.size());
        EXPECT_FALSE(readHeaderChecksum(bytes));
        RomImage image(bytes);
        EXPECT_FALSE(fixHeaderChecksum(image));
        EXPECT_TRUE(
            std::equal(bytes.begin(), bytes.end(), image.bytes().begin(), image.bytes().end()));
    }
}

} // namespace
} // namespace kvx
