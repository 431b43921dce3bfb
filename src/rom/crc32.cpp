#include "rom/crc32.h"

#include <array>
#include <cstddef>

namespace kvx {

namespace {

// Eight tables, so that eight bytes are folded in per step ("slicing by 8"): a BPS patch checks
// two whole images, and one table a byte at a time took longer than copying them.
using Tables = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr Tables makeTables() {
    Tables tables{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        tables[0][n] = c;
    }
    for (std::size_t t = 1; t < tables.size(); ++t)
        for (std::size_t n = 0; n < 256; ++n)
            tables[t][n] = (tables[t - 1][n] >> 8) ^ tables[0][tables[t - 1][n] & 0xFF];
    return tables;
}

constexpr Tables Table = makeTables();

std::uint32_t word(const std::uint8_t* at) {
    return std::uint32_t{at[0]} | (std::uint32_t{at[1]} << 8) | (std::uint32_t{at[2]} << 16) |
           (std::uint32_t{at[3]} << 24);
}

} // namespace

std::uint32_t crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc) {
    crc = ~crc;
    const std::uint8_t* at = bytes.data();
    std::size_t left = bytes.size();
    for (; left >= 8; left -= 8, at += 8) {
        const std::uint32_t low = word(at) ^ crc;
        const std::uint32_t high = word(at + 4);
        crc = Table[7][low & 0xFF] ^ Table[6][(low >> 8) & 0xFF] ^ Table[5][(low >> 16) & 0xFF] ^
              Table[4][low >> 24] ^ Table[3][high & 0xFF] ^ Table[2][(high >> 8) & 0xFF] ^
              Table[1][(high >> 16) & 0xFF] ^ Table[0][high >> 24];
    }
    for (; left > 0; --left, ++at)
        crc = (crc >> 8) ^ Table[0][(crc ^ *at) & 0xFF];
    return ~crc;
}

} // namespace kvx
