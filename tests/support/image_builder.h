#pragma once

#include "document/league.h"
#include "rom/romimage.h"

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace kvx::test {

// Lays out a synthetic game image byte by byte: random filler everywhere, then whatever the
// test places. Its encoders are written here on purpose, apart from the program's own, so that
// a fault in the program's codecs cannot hide in the test images.
class ImageBuilder {
public:
    ImageBuilder(std::size_t size, std::uint32_t seed);

    // The 16 detection bytes at 0x10, given as 32 hex digits.
    void signature(std::string_view hex);
    void put(std::size_t at, std::string_view bytes);
    void putByte(std::size_t at, std::uint8_t value);
    void putU16le(std::size_t at, std::uint32_t value);
    void putU16be(std::size_t at, std::uint32_t value);
    void putU32be(std::size_t at, std::uint32_t value);

    std::uint8_t byte(std::size_t at) const { return bytes_.at(at); }
    RomImage image() const { return RomImage(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

// A 32-bit big-endian value written into an image (which itself writes no wider than 16 bits).
void putU32be(RomImage& image, std::size_t at, std::uint32_t value);

// Jersey number as binary-coded decimal.
std::uint8_t bcdByte(int number);
// Number byte, then the names exactly as given.
std::string nameEntry(const PlayerRecord& player);
std::uint8_t nibbles(int high, int low);

// A random league in the form an image stores it: upper-case cities, names and last names,
// lower-case first names, numbers 0..99, faces 0..255, every level 0..15; every player named.
std::vector<TeamRecord> imageStyleTeams(int count, std::uint32_t seed);

} // namespace kvx::test
