#include "rom/crc32.h"

#include <gtest/gtest.h>

#include <random>
#include <string_view>
#include <vector>

namespace kvx {
namespace {

std::span<const std::uint8_t> bytesOf(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

// The definition, a bit at a time.
std::uint32_t bitwiseCrc(std::span<const std::uint8_t> bytes) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (const std::uint8_t byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

TEST(Crc32, GivesThePublishedCheckValues) {
    EXPECT_EQ(crc32({}), 0u);
    EXPECT_EQ(crc32(bytesOf("123456789")), 0xCBF43926u);
    EXPECT_EQ(crc32(bytesOf("The quick brown fox jumps over the lazy dog")), 0x414FA339u);
}

TEST(Crc32, AgreesWithTheBitwiseDefinitionAtEveryLengthAndInPieces) {
    std::mt19937 random(26);
    std::vector<std::uint8_t> bytes(300);
    for (auto& byte : bytes)
        byte = static_cast<std::uint8_t>(random());
    const std::span<const std::uint8_t> all(bytes);
    for (std::size_t length = 0; length <= bytes.size(); length += 7) {
        const auto piece = all.first(length);
        EXPECT_EQ(crc32(piece), bitwiseCrc(piece)) << "length " << length;
        const std::size_t cut = length / 3;
        EXPECT_EQ(crc32(piece.subspan(cut), crc32(piece.first(cut))), bitwiseCrc(piece))
            << "length " << length << " in two pieces";
    }
}

} // namespace
} // namespace kvx
