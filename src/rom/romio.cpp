#include "rom/romio.h"

#include "base/error.h"
#include "base/messages.h"
#include "document/tables.h"
#include "rom/routines.h"

#include <array>
#include <string>

namespace kvx {

const EditionCodec* findEdition(int code) {
    for (const EditionCodec* codec : {&NesEdition, &GenesisIEdition, &GenesisIIEdition,
                                      &GenesisIIIEdition, &SnesIEdition, &SnesIIIEdition})
        if (codec->code == code && codec->importLeague && codec->exportLeague)
            return codec;
    return nullptr;
}

ImportResult Import_ROM(int edition, const RomImage& image, std::vector<TeamRecord>& teams,
                        GeneralInfoRecord* generalInfo, int rosterChoice) {
    ImportResult result;
    const EditionCodec* codec = findEdition(edition);
    if (!codec)
        return result;
    teams.resize(static_cast<std::size_t>(codec->teamCount));
    for (TeamRecord& team : teams)
        clearTeam(team);
    codec->importLeague(image, teams, generalInfo, rosterChoice == 0 ? 1 : rosterChoice,
                        result.warnings);
    Capitalize_Names(teams);
    result.teamCount = codec->teamCount;
    return result;
}

std::string undefinedAttributeWarning(const PlayerRecord& player, const TeamRecord& team) {
    return "Warning!\r" + player.FirstName + " " + player.LastName + " (" + team.Abbreviation +
           ") has an undefined attribute!";
}

namespace {

std::string describe(const PlayerRecord& player, const TeamRecord& team) {
    return player.FirstName + " " + player.LastName + " (" + team.displayName() + ")";
}

std::string attributeLabel(int group, int attribute) {
    if (attribute < 6)
        return std::string(CommonAttributeNames[static_cast<std::size_t>(attribute)]);
    const auto name = AttributeNames(group, attribute - 6, FullName);
    return name.empty() ? "attribute " + std::to_string(attribute + 1) : std::string(name);
}

// The frame's check of every player: a named player's undefined (negative) levels become 0 with
// a warning; an unnamed slot becomes "John" / "Doe n" with all levels 0. Slots the edition does
// not store are never written, so they are not named.
void fixUpPlayers(int edition, std::vector<TeamRecord>& teams, Warnings& warnings) {
    std::array<bool, PlayerSlots> stored{};
    for (int k = 0; k < rosterSize(edition); ++k)
        stored[static_cast<std::size_t>(Roster_Slot(edition, k))] = true;
    for (std::size_t b = 0; b < teams.size(); ++b) {
        TeamRecord& team = teams[b];
        for (int slot = 0; slot < PlayerSlots; ++slot) {
            PlayerRecord& player = team.Players[static_cast<std::size_t>(slot)];
            if (!player.FirstName.empty() && !player.LastName.empty()) {
                for (auto& level : player.Attributes) {
                    if (level < 0) {
                        level = 0;
                        warnings.push_back(undefinedAttributeWarning(player, team));
                    }
                }
            } else if (stored[static_cast<std::size_t>(slot)]) {
                player.FirstName = "John";
                player.LastName = "Doe " + std::to_string(static_cast<int>(b) * 70 + slot);
                player.Attributes.fill(0);
            }
        }
    }
}

// Numbers and levels the image cannot hold refuse the export before anything is written.
// Only the slots the edition's roster order reaches are stored, so only they are checked.
void requireStorable(int edition, const std::vector<TeamRecord>& teams) {
    const int size = rosterSize(edition);
    for (const TeamRecord& team : teams) {
        for (int k = 0; k < size; ++k) {
            const int slot = Roster_Slot(edition, k);
            const PlayerRecord& player = team.Players[static_cast<std::size_t>(slot)];
            if (player.Number < 0 || player.Number > 99)
                throw ExportRefused(describe(player, team) + " wears number " +
                                    std::to_string(player.Number) +
                                    ", but the game can only store numbers from 0 to 99.");
            for (int a = 0; a < AttributeCount; ++a) {
                const int level = player.Attributes[static_cast<std::size_t>(a)];
                if (level > 15)
                    throw ExportRefused(describe(player, team) + " has level " +
                                        std::to_string(level) + " for " +
                                        attributeLabel(slot / DepthPlaces, a) +
                                        ", but the game can only store levels from 0 to 15.");
            }
        }
    }
}

} // namespace

ExportResult Export_ROM(int edition, const League& league, RomImage& image) {
    const EditionCodec* codec = findEdition(edition);
    if (!codec)
        throw ExportRefused(msg::RomNotSupported);

    ExportResult result;
    std::vector<TeamRecord> teams;
    Import_ROM(edition, image, teams, nullptr, 0);

    for (std::size_t b = 0; b < teams.size(); ++b) {
        const int d =
            Find_Assigned_Team(league.Teams, league.TeamCount, edition, static_cast<int>(b));
        if (d >= 0) {
            teams[b] = league.Teams[static_cast<std::size_t>(d)];
            ++result.teamsReplaced;
        }
    }
    fixUpPlayers(edition, teams, result.warnings);
    requireStorable(edition, teams);

    codec->exportLeague(image, teams, league.GeneralInfo, result.warnings);
    return result;
}

} // namespace kvx
