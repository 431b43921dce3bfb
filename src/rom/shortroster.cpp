#include "rom/shortroster.h"

#include "rom/routines.h"

namespace kvx {

namespace {

constexpr int Kicker = 28;

bool isQuarterback(int k) {
    return k <= 1;
}

std::size_t recordSize(int k) {
    if (isQuarterback(k))
        return 5;
    if (k >= 12 && k <= 16)
        return 3;
    return 4;
}

void readRecord(const RomImage& image, std::size_t at, int k, PlayerRecord& player) {
    auto& a = player.Attributes;
    const std::uint8_t b0 = image.byte(at);
    const std::uint8_t b1 = image.byte(at + 1);
    a[1] = static_cast<std::int16_t>(High_Nibble(b0));
    a[0] = static_cast<std::int16_t>(Low_Nibble(b0));
    a[2] = static_cast<std::int16_t>(High_Nibble(b1));
    a[3] = static_cast<std::int16_t>(Low_Nibble(b1));
    player.Face = image.byte(at + 2);
    if (recordSize(k) >= 4) {
        const std::uint8_t b3 = image.byte(at + 3);
        a[6] = static_cast<std::int16_t>(High_Nibble(b3));
        a[7] = static_cast<std::int16_t>(Low_Nibble(b3));
    }
    // The image keeps no body balance or agility, so they get the game's fixed values.
    if (isQuarterback(k)) {
        const std::uint8_t b4 = image.byte(at + 4);
        a[8] = static_cast<std::int16_t>(High_Nibble(b4));
        a[9] = static_cast<std::int16_t>(Low_Nibble(b4));
        a[4] = 1;
        a[5] = 2;
        a[10] = static_cast<std::int16_t>((a[7] + a[8] + a[9]) / 3);
    } else {
        a[4] = 3;
        a[5] = 7;
        if (k == Kicker)
            a[8] = a[7];
    }
}

std::string record(const PlayerRecord& player, int k) {
    const auto& a = player.Attributes;
    std::string bytes;
    bytes += static_cast<char>(packNibbles(a[1], a[0]));
    bytes += static_cast<char>(packNibbles(a[2], a[3]));
    bytes += static_cast<char>(player.Face & 0xFF);
    if (recordSize(k) >= 4)
        bytes += static_cast<char>(packNibbles(a[6], a[7]));
    if (isQuarterback(k))
        bytes += static_cast<char>(packNibbles(a[8], a[9]));
    return bytes;
}

} // namespace

void readShortRecords(const RomImage& image, std::size_t start, int edition, int players,
                      std::vector<TeamRecord>& teams) {
    const int roster = rosterSize(edition);
    std::size_t at = start;
    for (int i = 0; i < players; ++i) {
        const int k = i % roster;
        readRecord(image, at, k, rosterPlayer(teams, edition, i));
        at += recordSize(k);
    }
}

std::string shortRecords(const std::vector<TeamRecord>& teams, int edition, int players) {
    const int roster = rosterSize(edition);
    std::string bytes;
    for (int i = 0; i < players; ++i)
        bytes += record(rosterPlayer(teams, edition, i), i % roster);
    return bytes;
}

} // namespace kvx
