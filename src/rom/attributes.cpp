#include "rom/attributes.h"

namespace kvx {

namespace {

std::size_t readRun(const RomImage& image, std::size_t at, const RecordBytes& run,
                    PlayerRecord& player) {
    auto& levels = player.Attributes;
    for (const RecordByte& byte : run) {
        const std::uint8_t value = image.byte(at++);
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

void writeRun(std::string& bytes, const RecordBytes& run, const PlayerRecord& player) {
    auto level = [&](std::int8_t index) {
        return index == RecordByte::Unused ? 0 : player.Attributes[static_cast<std::size_t>(index)];
    };
    for (const RecordByte& byte : run) {
        switch (byte.kind) {
        case RecordByte::Levels:
            bytes += static_cast<char>(packNibbles(level(byte.high), level(byte.low)));
            break;
        case RecordByte::Face:
            bytes += static_cast<char>(player.Face & 0xFF);
            break;
        case RecordByte::Zero:
            bytes += '\0';
            break;
        }
    }
}

} // namespace

std::size_t readAttributeRecords(const RomImage& image, std::size_t at,
                                 const AttributeLayout& layout, int edition,
                                 std::vector<TeamRecord>& teams) {
    const int roster = rosterSize(edition);
    for (TeamRecord& team : teams) {
        for (int k = 0; k < roster; ++k) {
            const int slot = Roster_Slot(edition, k);
            const int group = slot / DepthPlaces;
            PlayerRecord& player = team.Players[static_cast<std::size_t>(slot)];
            at = readRun(image, at, layout.common, player);
            at = readRun(image, at, layout.positionRun(group), player);
            if (layout.derive)
                layout.derive(player, group);
        }
    }
    return at;
}

std::string attributeRecords(const std::vector<TeamRecord>& teams, const AttributeLayout& layout,
                             int edition) {
    const int roster = rosterSize(edition);
    std::string bytes;
    bytes.reserve(teams.size() * teamRecordsSize(layout, edition));
    for (const TeamRecord& team : teams) {
        for (int k = 0; k < roster; ++k) {
            const int slot = Roster_Slot(edition, k);
            const PlayerRecord& player = team.Players[static_cast<std::size_t>(slot)];
            writeRun(bytes, layout.common, player);
            writeRun(bytes, layout.positionRun(slot / DepthPlaces), player);
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
