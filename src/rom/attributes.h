#pragma once

#include "document/league.h"
#include "rom/romimage.h"
#include "rom/routines.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Attribute records: one per roster entry, in roster order, back to back. Every edition lays a
// record out as a run of bytes that every player has, followed by a run that depends on his
// position, and writes both down in the notation of the layouts:
//
//   1|0    Attributes(1) in the high nibble, Attributes(0) in the low one
//   -|10   the high nibble unused (written as 0, ignored on import), Attributes(10) in the low one
//   face   the Face byte
//   0      a byte the edition keeps at zero (written as 0, ignored on import)
//
// separated by spaces or commas. A layout that does not read this way does not compile.
namespace kvx {

struct RecordByte {
    enum Kind : std::uint8_t { Levels, Face, Zero };
    static constexpr std::int8_t Unused = -1;

    Kind kind = Zero;
    std::int8_t high = Unused; // the attribute kept in the high nibble
    std::int8_t low = Unused;
};

// The bytes of one run, read from the notation above at compile time.
class RecordBytes {
public:
    static constexpr std::size_t Capacity = 8;

    consteval RecordBytes(const char* text) {
        for (;;) {
            while (*text == ' ' || *text == ',')
                ++text;
            if (*text == '\0')
                return;
            if (size_ == Capacity)
                throw "a run has at most 8 bytes";
            bytes_[size_++] = parseByte(text);
        }
    }

    constexpr std::size_t size() const { return size_; }
    constexpr const RecordByte* begin() const { return bytes_.data(); }
    constexpr const RecordByte* end() const { return bytes_.data() + size_; }

private:
    static consteval bool endsByte(char c) { return c == ' ' || c == ',' || c == '\0'; }

    static consteval RecordByte parseByte(const char*& text) {
        RecordByte byte;
        if (text[0] == 'f' && text[1] == 'a' && text[2] == 'c' && text[3] == 'e') {
            byte.kind = RecordByte::Face;
            text += 4;
        } else if (text[0] == '0' && endsByte(text[1])) {
            byte.kind = RecordByte::Zero;
            text += 1;
        } else {
            byte.kind = RecordByte::Levels;
            byte.high = parseNibble(text);
            if (*text++ != '|')
                throw "the two nibbles of a byte are written high|low";
            byte.low = parseNibble(text);
            if (byte.high == RecordByte::Unused && byte.low == RecordByte::Unused)
                throw "a byte without levels is written 0";
        }
        if (!endsByte(*text))
            throw "bytes are separated by spaces or commas";
        return byte;
    }

    static consteval std::int8_t parseNibble(const char*& text) {
        if (*text == '-') {
            ++text;
            return RecordByte::Unused;
        }
        if (*text < '0' || *text > '9')
            throw "a nibble is an attribute number or -";
        int index = 0;
        while (*text >= '0' && *text <= '9')
            index = index * 10 + (*text++ - '0');
        if (index >= AttributeCount)
            throw "attributes are numbered 0 to 10";
        return static_cast<std::int8_t>(index);
    }

    std::array<RecordByte, Capacity> bytes_{};
    std::size_t size_ = 0;
};

// An edition's record: the run every player has, the run of each position class (decided by the
// group of the slot the roster entry stands for), and what the import sets from the levels read.
struct AttributeLayout {
    RecordBytes common;
    RecordBytes quarterback;
    RecordBytes lineman;
    RecordBytes kicker;
    RecordBytes others; // the punter included
    // Sets the levels the image does not keep; null where the import reads everything it needs.
    void (*derive)(PlayerRecord& player, int group) = nullptr;

    constexpr const RecordBytes& positionRun(int group) const {
        switch (group) {
        case QB:
            return quarterback;
        case OL:
            return lineman;
        case K:
            return kicker;
        default:
            return others;
        }
    }
    constexpr std::size_t recordSize(int group) const {
        return common.size() + positionRun(group).size();
    }
};

// The bytes one team's records take in an edition's roster order.
constexpr std::size_t teamRecordsSize(const AttributeLayout& layout, Edition edition) {
    std::size_t size = 0;
    for (int k = 0; k < rosterSize(edition); ++k)
        size += layout.recordSize(Roster_Slot(edition, k) / DepthPlaces);
    return size;
}

// Reads the records of every team of `teams` one after the other from `at` into the players their
// roster entries stand for, each followed by the layout's derived levels. Returns where the
// records end; raises RomError when they would run past the image.
std::size_t readAttributeRecords(const RomImage& image, std::size_t at,
                                 const AttributeLayout& layout, Edition edition,
                                 std::vector<TeamRecord>& teams);

// The records of every team of `teams`, joined, as an export writes them.
std::string attributeRecords(const std::vector<TeamRecord>& teams, const AttributeLayout& layout,
                             Edition edition);

// What the NES, SNES I and Genesis I images leave to the game: Attributes(4) and (5) are 1 and 2
// for quarterbacks and 3 and 7 for everyone else, a quarterback's (10) is the truncated mean of
// his (7), (8) and (9), and a kicker's (8) is a copy of his (7).
void setGameLevels(PlayerRecord& player, int group);

// The record of the NES cartridge, which the first SNES edition shares; the kicker is k = 28 in
// both rosters, the offensive line k = 12 to 16. A record takes 5, 3 or 4 bytes.
inline constexpr AttributeLayout NesRecords{.common = "1|0 2|3 face",
                                            .quarterback = "6|7 8|9",
                                            .lineman = "",
                                            .kicker = "6|7",
                                            .others = "6|7",
                                            .derive = setGameLevels};

} // namespace kvx
