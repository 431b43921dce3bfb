#pragma once

#include "document/league.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The small vocabulary every edition shares: hex texts, nibbles, pointers, the roster order,
// jersey numbers, packed player names and the capitalisation of imported names.
namespace kvx {

// The bytes as two upper-case hex digits each: the bytes 0x38 0x80 give "3880".
std::string Bytes_To_Hex(std::string_view bytes);

inline int High_Nibble(std::uint8_t value) {
    return value >> 4;
}
inline int Low_Nibble(std::uint8_t value) {
    return value & 0x0F;
}
// Two levels 0..15 packed into one byte, the first in the high nibble.
inline std::uint8_t packNibbles(int high, int low) {
    return static_cast<std::uint8_t>(((high & 0x0F) << 4) | (low & 0x0F));
}

// The part after / before the last occurrence of `separator`; the whole text without one.
std::string Text_After_Last(const std::string& text, std::string_view separator);
std::string Text_Before_Last(const std::string& text, std::string_view separator);

// File offset of a 16-bit little-endian pointer b0 b1 in a table with the given base:
// (b0 + 256 * b1) - base, plus 65536 once when that is negative.
std::int32_t Pointer_To_Offset(std::uint8_t b0, std::uint8_t b1, std::int32_t base);

// Players per team in an edition's roster order (30, 32 or 37); 0 for other codes. The table is
// indexed by edition code 1..9.
inline constexpr std::array<int, 9> RosterSizes = {0, 30, 32, 37, 37, 32, 37, 37, 0};
constexpr int rosterSize(int edition) {
    return edition >= 1 && edition <= 9 ? RosterSizes[static_cast<std::size_t>(edition - 1)] : 0;
}

namespace detail {

// Roster index ranges and the first slot each maps to.
struct RosterRun {
    int first;
    int last;
    int slot;
};

inline constexpr std::array<RosterRun, 11> ShortRoster = {{{0, 1, 0},
                                                           {2, 5, 7},
                                                           {6, 9, 14},
                                                           {10, 11, 21},
                                                           {12, 16, 28},
                                                           {17, 19, 35},
                                                           {20, 23, 42},
                                                           {24, 27, 49},
                                                           {28, 28, 56},
                                                           {29, 29, 63},
                                                           {30, 31, 53}}};

inline constexpr std::array<RosterRun, 10> LongRoster = {{{0, 1, 0},
                                                          {2, 5, 7},
                                                          {6, 9, 14},
                                                          {10, 11, 21},
                                                          {12, 16, 28},
                                                          {17, 22, 35},
                                                          {23, 27, 42},
                                                          {28, 34, 49},
                                                          {35, 35, 56},
                                                          {36, 36, 63}}};

template <std::size_t N>
constexpr int mapRoster(const std::array<RosterRun, N>& runs, int index) {
    for (const RosterRun& run : runs)
        if (index >= run.first && index <= run.last)
            return run.slot + index - run.first;
    return 0;
}

} // namespace detail

// Document slot 0..69 of the running player index k (team * roster size + roster index).
// Usable at compile time, so that the editions can check their record sizes there.
constexpr int Roster_Slot(int edition, int k) {
    const int size = rosterSize(edition);
    if (size == 0 || k < 0)
        return 0;
    const int index = k % size;
    return size == 37 ? detail::mapRoster(detail::LongRoster, index)
                      : detail::mapRoster(detail::ShortRoster, index);
}

// The player that running index i (team * roster size + roster index) of an edition's roster
// order stands for; the teams must hold every team that index reaches.
PlayerRecord& rosterPlayer(std::vector<TeamRecord>& teams, int edition, int i);
const PlayerRecord& rosterPlayer(const std::vector<TeamRecord>& teams, int edition, int i);

// The first document team assigned, for `edition`, to the division slot holding the image's team
// number k; -1 when none. A RomSlot outside 0..29 assigns nothing.
int Find_Assigned_Team(const std::vector<TeamRecord>& teams, int teamCount, int edition, int k);

// Title-cases the cities, names and player names of every team: both texts of a pair are
// lower-cased and then raised at the first character and after each "." or " ", but only when
// neither is empty.
void Capitalize_Names(std::vector<TeamRecord>& teams);

// Jersey numbers as binary-coded decimal: 0x42 reads as 42, 0x1A as 1, 0xA5 as 0.
int decodeJerseyNumber(std::uint8_t value);
// 42 gives 0x42; the number must lie in 0..99.
std::uint8_t encodeJerseyNumber(int number);

// A packed player-name entry: the jersey number byte, the first name in lower case, the last
// name in upper case, no separator. The last name starts at the first byte from 'A' to 'Z'.
void readPackedName(std::string_view entry, PlayerRecord& player);
std::string packedName(const PlayerRecord& player);
void appendPackedName(std::string& out, const PlayerRecord& player);

// `text` upper-cased and centred in `width` spaces, starting at 1-based column
// `centre - length / 2` (integer division); a text of `width` characters or more gives its
// first `width` characters.
std::string centredText(const std::string& text, int width, int centre);

// `text` padded with spaces or cut to exactly `width` characters.
std::string fixedWidth(std::string text, std::size_t width);

// The 30-team editions carry two extra teams after their league: the free agents and the old
// timers. The images keep no texts of their own for them; the import names them, starting at
// team `first`.
void nameExtraTeams(std::vector<TeamRecord>& teams, std::size_t first);

// The program's web address as the export stamps it into the games' texts.
inline constexpr std::string_view WebAddress = "www.kvxm2000.test";

} // namespace kvx
