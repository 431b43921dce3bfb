#pragma once

#include "document/league.h"
#include "rom/edition.h"
#include "rom/romimage.h"
#include "rom/textblock.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// What the three Genesis editions share: big-endian images, the league-text block with its
// fixed strings and season labels, 13-byte schedule names, and the player-name records that the
// attribute area follows.
namespace kvx::genesis {

inline constexpr std::size_t LineWidth = 23;
inline constexpr std::size_t ScheduleWidth = 13;
inline constexpr char AttributeFiller = '\xFF';

// The league words of the season screens, written as one string. The 36 pointer-table entries
// after it address the labels inside it: entry n holds the string's start plus sub-pointer n.
// The first edition ends the string with 0xFF; the later two spell "PLAYOFFS" and end in spaces.
inline constexpr std::string_view SeasonLabelsI =
    "AFCNFC 1ST 2ND 3RD 4TH 5TH 6TH 7TH 8TH 9TH10TH11TH12TH13TH14TH15TH16TH17TH18TH"
    "OFFENSEDEFENSEWEEKPRESEASONREGULAR SEASONFIRST ROUNDDIVISIONALPLAYOFFCHAMPIONSHIP"
    "SUPER BOWLPRO BOWLEASTCENTRALWEST\xFF";
inline constexpr std::string_view SeasonLabelsLater =
    "AFCNFC 1ST 2ND 3RD 4TH 5TH 6TH 7TH 8TH 9TH10TH11TH12TH13TH14TH15TH16TH17TH18TH"
    "OFFENSEDEFENSEWEEKPRESEASONREGULAR SEASONFIRST ROUNDDIVISIONALPLAYOFFSCHAMPIONSHIP"
    "SUPER BOWLPRO BOWLEASTCENTRALWEST    ";
static_assert(SeasonLabelsI.size() == 193 && SeasonLabelsLater.size() == 197);

using SubPointers = std::array<std::uint16_t, 36>;
// NFC, two empty texts, " 1ST" to "18TH", OFFENSE ... WEST, and the end of the words.
inline constexpr SubPointers SubPointersI = {
    3,  6,  6,  6,  10, 14, 18, 22,  26,  30,  34,  38,  42,  46,  50,  54,  58,  62,
    66, 70, 74, 78, 85, 92, 96, 105, 119, 130, 140, 147, 159, 169, 177, 181, 188, 192};
inline constexpr SubPointers SubPointersLater = {
    3,  6,  6,  6,  10, 14, 18, 22,  26,  30,  34,  38,  42,  46,  50,  54,  58,  62,
    66, 70, 74, 78, 85, 92, 96, 105, 119, 130, 140, 148, 160, 170, 178, 182, 189, 193};

// Where an edition keeps its league-text block:
//   pointerTable: 4 bytes per entry, cities, "efg" "hif" "bcd" "jkl", nicknames, season labels,
//                 then 36 sub-pointers into the season labels; it ends where the block begins
//   block:        4-byte abbreviations, "NFLAFCNFC", then the strings the table points at
struct LeagueTextLayout {
    std::size_t pointerTable;
    std::size_t block;
    int teams;
    char abbreviationDot; // what the game shows as "." in abbreviations
    char textDot;         // ... in cities and nicknames ('.' where they keep it)
    std::string_view seasonLabels;
    const SubPointers& subPointers;
    std::uint32_t maxOffset; // what an export may write: 0xFFFF where cities are read in 16 bits
    std::size_t limit;       // what follows the block: its strings never run past it

    int seasonLabelsEntry() const { return 2 * teams + 4; }
    std::size_t entry(int index) const {
        return pointerTable + 4 * static_cast<std::size_t>(index);
    }
};

// The offset an entry of the league-text pointer table holds; RomError when it lies beyond the
// end of the image.
std::size_t leagueTextPointer(const RomImage& image, const LeagueTextLayout& layout, int index);

// Abbreviations, cities and nicknames of the layout's teams, with the game's dots turned back
// into ".". Schedule names are the edition's business.
void readLeagueTexts(const RomImage& image, const LeagueTextLayout& layout,
                     std::vector<TeamRecord>& teams);

// The block and its pointers, laid out in memory.
struct LeagueText {
    TextBlock block;
    std::vector<std::size_t> pointers;
};

// Lays out the block from the teams and checks it against the room the image's own block takes
// (up to the end of its season labels, and never past layout.limit). Raises ExportRefused when it
// does not fit or a text would read back differently, and RomError when the image's own table
// leads outside the block or out of order.
LeagueText prepareLeagueText(const RomImage& image, const LeagueTextLayout& layout,
                             const std::vector<TeamRecord>& teams);
void writeLeagueText(ImageWrites& writes, const LeagueTextLayout& layout, const LeagueText& text);

// The end of an area of `size` bytes that the image says begins at `areaStart`, after a block
// that begins at `blockStart`: as far as an export may rewrite. Raises RomError when the image
// puts the area before that block or beyond its own end.
std::size_t ownAreaEnd(const RomImage& image, std::size_t blockStart, std::size_t areaStart,
                       std::size_t size, std::string_view what);

// A player-name record [start, end): the number byte at start (read even when the record is
// empty), then the first and last name.
void readNameRecord(const RomImage& image, std::size_t start, std::size_t end,
                    PlayerRecord& player);
// One 0xFF byte when the block ends at an odd offset.
void padToEven(TextBlock& block);
inline std::size_t evenUp(std::size_t offset) {
    return offset + (offset & 1);
}

// `text` with every `from` written as `to`.
std::string replaced(std::string text, char from, char to);
// The 23-byte credits line: upper case, centred from column 12 - length / 2.
std::string creditsLine(const std::string& credits);
// The abbreviation with the game's dot, padded or cut to 4 bytes; its case stays.
std::string abbreviationField(const std::string& abbreviation, char dot);
// The 13-byte schedule-name field: `name` (13 characters at most) upper-cased, with the game's
// dot, in spaces from 1-based column floor(8 - length / 2).
std::string scheduleNameField(const std::string& name, char dot);
// The team's schedule name cut to 13 characters, with a warning when that loses any.
std::string cutScheduleName(const TeamRecord& team, Warnings& warnings);
// A 13-byte field as the import reads it: trimmed, with "." for the game's dot.
std::string readScheduleName(const RomImage& image, std::size_t at, char dot);

} // namespace kvx::genesis
