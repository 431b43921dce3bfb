#include "support/image_builder.h"

#include <stdexcept>

namespace kvx::test {

ImageBuilder::ImageBuilder(std::size_t size, std::uint32_t seed) : bytes_(size) {
    std::mt19937 random(seed);
    for (auto& byte : bytes_)
        byte = static_cast<std::uint8_t>(random());
}

void ImageBuilder::signature(std::string_view hex) {
    for (std::size_t i = 0; i < 16; ++i)
        putByte(0x10 + i, static_cast<std::uint8_t>(
                              std::stoi(std::string(hex.substr(i * 2, 2)), nullptr, 16)));
}

void ImageBuilder::put(std::size_t at, std::string_view bytes) {
    if (at + bytes.size() > bytes_.size())
        throw std::out_of_range("builder: write past the end of the image");
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes_[at + i] = static_cast<std::uint8_t>(bytes[i]);
}

void ImageBuilder::putByte(std::size_t at, std::uint8_t value) {
    bytes_.at(at) = value;
}

void ImageBuilder::putU16le(std::size_t at, std::uint32_t value) {
    putByte(at, static_cast<std::uint8_t>(value & 0xFF));
    putByte(at + 1, static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void ImageBuilder::putU16be(std::size_t at, std::uint32_t value) {
    putByte(at, static_cast<std::uint8_t>((value >> 8) & 0xFF));
    putByte(at + 1, static_cast<std::uint8_t>(value & 0xFF));
}

void ImageBuilder::putU32be(std::size_t at, std::uint32_t value) {
    putU16be(at, value >> 16);
    putU16be(at + 2, value & 0xFFFF);
}

std::uint8_t bcdByte(int number) {
    return static_cast<std::uint8_t>((number / 10) * 16 + number % 10);
}

std::string nameEntry(const PlayerRecord& player) {
    return std::string(1, static_cast<char>(bcdByte(player.Number))) + player.FirstName +
           player.LastName;
}

std::uint8_t nibbles(int high, int low) {
    return static_cast<std::uint8_t>(high * 16 + low);
}

std::vector<TeamRecord> imageStyleTeams(int count, std::uint32_t seed) {
    std::mt19937 random(seed);
    auto pick = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    auto text = [&](int low, int high, std::string_view alphabet) {
        std::string result;
        for (int n = pick(low, high); n > 0; --n)
            result +=
                alphabet[static_cast<std::size_t>(pick(0, static_cast<int>(alphabet.size()) - 1))];
        return result;
    };
    std::vector<TeamRecord> teams(static_cast<std::size_t>(count));
    for (auto& team : teams) {
        team.City = text(3, 10, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        if (pick(0, 3) == 0)
            team.City += " " + text(2, 6, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        team.Name = text(3, 10, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        team.Abbreviation = text(2, 4, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        team.Abbreviation.resize(4, ' ');
        for (auto& player : team.Players) {
            player.FirstName = text(1, 8, "abcdefghijklmnopqrstuvwxyz");
            // The rest of the name is drawn first, as GCC has always drawn it: the operands of
            // + have no set order, and clang drew them the other way round, so its suites saw
            // other teams (and a NES export whose texts did not fit).
            const std::string rest = text(0, 9, "ABCDEFGHIJKLMNOPQRSTUVWXYZ'");
            player.LastName = text(1, 1, "ABCDEFGHIJKLMNOPQRSTUVWXYZ") + rest;
            player.Number = static_cast<std::int16_t>(pick(0, 99));
            player.Face = static_cast<std::int16_t>(pick(0, 255));
            for (auto& level : player.Attributes)
                level = static_cast<std::int16_t>(pick(0, 15));
        }
    }
    return teams;
}

void putU32be(RomImage& image, std::size_t at, std::uint32_t value) {
    image.setU16be(at, static_cast<std::uint16_t>(value >> 16));
    image.setU16be(at + 2, static_cast<std::uint16_t>(value & 0xFFFF));
}

} // namespace kvx::test
