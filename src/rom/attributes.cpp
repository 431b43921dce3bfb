#include "rom/attributes.h"

#include "rom/edition.h"

#include <algorithm>

namespace kvx {

namespace {

// The longest roster order of any edition code.
constexpr int LongestRoster = [] {
    int longest = 0;
    for (const EditionInfo& edition : Editions)
        longest = std::max(longest, edition.rosterSize);
    return longest;
}();

// What every roster index stands for, worked out once per call rather than once per player.
struct RosterPlace {
    std::size_t slot;
    int group;
    const RecordBytes* position;
};

struct RosterPlan {
    int size = 0;
    std::size_t teamBytes = 0;
    std::array<RosterPlace, LongestRoster> places{};
};

RosterPlan rosterPlan(const AttributeLayout& layout, Edition edition) {
    RosterPlan plan;
    plan.size = rosterSize(edition);
    for (int k = 0; k < plan.size; ++k) {
        const int slot = Roster_Slot(edition, k);
        const int group = slot / DepthPlaces;
        plan.places[static_cast<std::size_t>(k)] = {static_cast<std::size_t>(slot), group,
                                                    &layout.positionRun(group)};
        plan.teamBytes += layout.recordSize(group);
    }
    return plan;
}

// `byteAt` gives the image byte at an offset.
template <typename ByteAt>
std::size_t readRun(ByteAt&& byteAt, std::size_t at, const RecordBytes& run, PlayerRecord& player) {
    auto& levels = player.Attributes;
    for (const RecordByte& byte : run) {
        const std::uint8_t value = byteAt(at++);
        if (byte.kind == RecordByte::Face) {
            player.Face = value;
        } else if (byte.kind == RecordByte::Levels) {
            if (byte.high != RecordByte::Unused)
                levels[static_cast<std::size_t>(byte.high)] =
                    static_cast<std::int16_t>(High_Nibble(value));
            if (byte.low != RecordByte::Unused)
                levels[static_cast<std::size_t>(byte.low)] =
                    static_cast<std::int16_t>(Low_Nibble(value));
        }
    }
    return at;
}

template <typename ByteAt>
std::size_t readRecords(ByteAt&& byteAt, std::size_t at, const AttributeLayout& layout,
                        const RosterPlan& plan, std::vector<TeamRecord>& teams) {
    for (TeamRecord& team : teams) {
        for (int k = 0; k < plan.size; ++k) {
            const RosterPlace& place = plan.places[static_cast<std::size_t>(k)];
            PlayerRecord& player = team.Players[place.slot];
            at = readRun(byteAt, at, layout.common, player);
            at = readRun(byteAt, at, *place.position, player);
            if (layout.derive)
                layout.derive(player, place.group);
        }
    }
    return at;
}

char* writeRun(char* out, const RecordBytes& run, const PlayerRecord& player) {
    auto level = [&](std::int8_t index) {
        return index == RecordByte::Unused ? 0 : player.Attributes[static_cast<std::size_t>(index)];
    };
    for (const RecordByte& byte : run) {
        if (byte.kind == RecordByte::Levels)
            *out = static_cast<char>(packNibbles(level(byte.high), level(byte.low)));
        else if (byte.kind == RecordByte::Face)
            *out = static_cast<char>(player.Face & 0xFF);
        ++out; // a zero byte is already zero
    }
    return out;
}

} // namespace

std::size_t readAttributeRecords(const RomImage& image, std::size_t at,
                                 const AttributeLayout& layout, Edition edition,
                                 std::vector<TeamRecord>& teams) {
    const RosterPlan plan = rosterPlan(layout, edition);
    const std::size_t length = teams.size() * plan.teamBytes;
    if (at <= image.size() && length <= image.size() - at) {
        const std::uint8_t* bytes = image.bytes().data();
        return readRecords([bytes](std::size_t offset) { return bytes[offset]; }, at, layout, plan,
                           teams);
    }
    // A short image is read byte by byte, so that it fails where its data ends.
    return readRecords([&image](std::size_t offset) { return image.byte(offset); }, at, layout,
                       plan, teams);
}

std::string attributeRecords(const std::vector<TeamRecord>& teams, const AttributeLayout& layout,
                             Edition edition) {
    const RosterPlan plan = rosterPlan(layout, edition);
    std::string bytes(teams.size() * plan.teamBytes, '\0');
    char* out = bytes.data();
    for (const TeamRecord& team : teams) {
        for (int k = 0; k < plan.size; ++k) {
            const RosterPlace& place = plan.places[static_cast<std::size_t>(k)];
            const PlayerRecord& player = team.Players[place.slot];
            out = writeRun(out, layout.common, player);
            out = writeRun(out, *place.position, player);
        }
    }
    return bytes;
}

void setGameLevels(PlayerRecord& player, int group) {
    auto& a = player.Attributes;
    if (group == QB) {
        a[4] = 1;
        a[5] = 2;
        a[10] = static_cast<std::int16_t>((a[7] + a[8] + a[9]) / 3);
        return;
    }
    a[4] = 3;
    a[5] = 7;
    if (group == K)
        a[8] = a[7];
}

} // namespace kvx
