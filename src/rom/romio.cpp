#include "rom/romio.h"

#include "base/error.h"
#include "base/messages.h"
#include "document/tables.h"
#include "rom/pointerchecks.h"
#include "rom/routines.h"
#include "rom/textchecks.h"

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

namespace {

// Every team of a fresh import holds the division slot of its place in the image for the edition
// it came from, and no slot for the others.
void rememberSlots(int edition, std::vector<TeamRecord>& teams) {
    for (TeamRecord& team : teams)
        for (int code = 1; code <= EditionCount; ++code)
            team.RomSlot[code] = -1;
    for (int slot = 0; slot < DivisionSlots; ++slot) {
        const int team = SlotTeamIndex(edition, slot);
        if (team >= 0 && team < static_cast<int>(teams.size()))
            teams[static_cast<std::size_t>(team)].RomSlot[edition] =
                static_cast<std::int16_t>(slot);
    }
}

} // namespace

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
    rememberSlots(edition, teams);
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

std::string quoted(const std::string& text) {
    return "\"" + text + "\"";
}

std::string attributeLabel(int group, int attribute) {
    if (attribute < 6)
        return std::string(CommonAttributeNames[static_cast<std::size_t>(attribute)]);
    const auto name = AttributeNames(group, attribute - 6, FullName);
    return name.empty() ? "attribute " + std::to_string(attribute + 1) : std::string(name);
}

// The slots the edition's roster order reaches: only they are written, so only they are checked.
std::array<bool, PlayerSlots> storedSlots(int edition) {
    std::array<bool, PlayerSlots> stored{};
    for (int k = 0; k < rosterSize(edition); ++k)
        stored[static_cast<std::size_t>(Roster_Slot(edition, k))] = true;
    return stored;
}

// The frame's check of every player: undefined (negative) levels of a player with a name become
// 0 with a warning; a slot without either name becomes "John" / "Doe n" with all levels 0, since
// the game needs some name there. A player with one name keeps it and his levels.
void fixUpPlayers(int edition, std::vector<TeamRecord>& teams, Warnings& warnings) {
    const auto stored = storedSlots(edition);
    for (std::size_t b = 0; b < teams.size(); ++b) {
        TeamRecord& team = teams[b];
        for (int slot = 0; slot < PlayerSlots; ++slot) {
            PlayerRecord& player = team.player(slot);
            if (!player.FirstName.empty() || !player.LastName.empty()) {
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

// A packed name is read back by splitting it at its first letter A to Z, so a last name that
// begins with anything else would come back with part of it in the first name.
void requireNameReadsBack(const PlayerRecord& player, const TeamRecord& team) {
    const char first = player.LastName.empty() ? 'A' : player.LastName.front();
    if ((first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z'))
        return;
    PlayerRecord read;
    readPackedName(packedName(player), read);
    throw ExportRefused(
        describe(player, team) + ": the last name " + quoted(player.LastName) +
        " does not begin with a letter from A to Z. The game finds where a last name begins by "
        "its first capital letter, so this player would read back as " +
        quoted(read.FirstName) + " " + quoted(read.LastName) +
        ". Begin the last name with a letter from A to Z and export again.");
}

// Numbers and levels the image cannot hold, and names that would not read back as they are,
// refuse the export before anything is written.
void requireStorable(int edition, const std::vector<TeamRecord>& teams) {
    const int size = rosterSize(edition);
    for (const TeamRecord& team : teams) {
        for (int k = 0; k < size; ++k) {
            const int slot = Roster_Slot(edition, k);
            const PlayerRecord& player = team.player(slot);
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
            // The next export would take a longer entry for a damaged table.
            const std::size_t characters = player.FirstName.size() + player.LastName.size();
            if (1 + characters > LongestNameEntry)
                throw ExportRefused(describe(player, team) + ": the first and last name take " +
                                    std::to_string(characters) +
                                    " characters, but the game keeps at most " +
                                    std::to_string(LongestNameEntry - 1) +
                                    " in a name. Shorten the name and export again.");
            requireNameReadsBack(player, team);
        }
    }
}

// What every edition writes in a field narrower than the document allows: the credits line, the
// year, the abbreviations, faces and the extra nibble. The editions say their own cuts.
void sayFrameCuts(const EditionCodec& codec, const std::vector<TeamRecord>& teams,
                  const GeneralInfoRecord& info, Warnings& cuts) {
    sayCut(info.Credits, static_cast<std::size_t>(codec.creditsWidth), "The credits line", cuts);
    sayCut(info.Year, 4, "The year", cuts);
    const auto stored = storedSlots(codec.code);
    for (std::size_t b = 0; b < teams.size(); ++b) {
        const TeamRecord& team = teams[b];
        if (static_cast<int>(b) < codec.textTeams)
            sayCut(team.Abbreviation, 4, "The abbreviation of the " + team.displayName(), cuts);
        for (int slot = 0; slot < PlayerSlots; ++slot) {
            const PlayerRecord& player = team.player(slot);
            if (!stored[static_cast<std::size_t>(slot)])
                continue;
            if (player.Face < 0 || player.Face > 255)
                cuts.push_back(describe(player, team) + " has face " + std::to_string(player.Face) +
                               ", but the game keeps faces from 0 to 255: it is written as " +
                               std::to_string(player.Face & 0xFF) + ".");
            if (player.ExtraNibble < 0 || player.ExtraNibble > 15)
                cuts.push_back(describe(player, team) + " has an extra nibble of " +
                               std::to_string(player.ExtraNibble) +
                               ", which is no nibble (0 to 15): it is not written.");
        }
    }
}

} // namespace

std::vector<TeamRecord> teamsInImage(int edition, const RomImage& image) {
    std::vector<TeamRecord> teams;
    if (const EditionCodec* codec = findEdition(edition))
        Import_ROM(edition, image, teams, nullptr, codec->exportedRoster);
    return teams;
}

ExportResult Export_ROM(int edition, const League& league, RomImage& image) {
    const EditionCodec* codec = findEdition(edition);
    if (!codec)
        throw ExportRefused(msg::RomNotSupported);

    // The teams the document does not replace keep what the image holds.
    ExportResult result;
    std::vector<TeamRecord> teams = teamsInImage(edition, image);

    for (std::size_t b = 0; b < teams.size(); ++b) {
        const int d =
            Find_Assigned_Team(league.Teams, league.TeamCount, edition, static_cast<int>(b));
        if (d >= 0) {
            teams[b] = league.team(d);
            ++result.teamsReplaced;
        }
    }
    fixUpPlayers(edition, teams, result.warnings);
    requireStorable(edition, teams);
    sayFrameCuts(*codec, teams, league.GeneralInfo, result.cuts);

    codec->exportLeague(image, teams, league.GeneralInfo, result.cuts);
    return result;
}

} // namespace kvx
