#include "rom/edition.h"

#include "base/error.h"
#include "rom/attributes.h"
#include "rom/genesis.h"
#include "rom/pointerchecks.h"
#include "rom/routines.h"
#include "rom/textchecks.h"

#include <algorithm>
#include <array>

// The second Genesis edition: 28 teams of 37 players in three complete rosters. Offsets are file
// offsets; every table holds 32-bit big-endian offsets.
namespace kvx {

namespace {

using namespace genesis;

constexpr int Teams = editionInfo(GenesisII).teamCount;
constexpr int Roster = 37;
constexpr int Entries = Teams * Roster;
constexpr int Rosters = 3;

constexpr std::size_t CreditsAt = 0x125E88;
constexpr std::size_t YearAt = 0x5E0E9;
constexpr std::size_t ScheduleNames = 0x5A1D8;

// The game shows "\\" as a point in abbreviations and schedule names; cities and nicknames keep
// their points.
constexpr char Dot = '\\';

// Three name blocks follow each other from 0x271AE, each a table of 1037 offsets (the last marks
// the end of the block's records) and then its records; the next block starts at the next even
// offset. The three attribute blocks follow the third name block the same way, before the schedule
// names. The export rewrites the third name block, which the game keeps at 0x2F00E, and reads
// that roster for the teams it does not replace.
constexpr std::size_t FirstNameBlock = 0x271AE;
constexpr std::size_t ExportedNameBlock = 0x2F00E;
constexpr std::size_t NameTableSize = (Entries + 1) * 4;
constexpr std::array<std::size_t, Rosters> AttributeStartPointers = {0x2506C, 0x25070, 0x25074};

// The league texts lie before the first name block.
const LeagueTextLayout LeagueTexts{
    0x2567C,           0x25800,          Teams,    Dot,           '.',
    SeasonLabelsLater, SubPointersLater, 0xFFFFFF, FirstNameBlock};

// Body balance doubles as agility.
void agilityFromBalance(PlayerRecord& player, int) {
    player.Attributes[5] = player.Attributes[4];
}

// An attribute entry: the common bytes, then the bytes of the player's position.
constexpr AttributeLayout Records{.common = "1|0 2|3 face",
                                  .quarterback = "6|7 8|9 -|10 4|-",
                                  .lineman = "4|-",
                                  .kicker = "-|6 7|8 4|-",
                                  .others = "6|7 4|-",
                                  .derive = agilityFromBalance};
constexpr std::size_t AttributeBlock = Teams * teamRecordsSize(Records, GenesisII);
static_assert(AttributeBlock == 5180);

// Where the three name blocks and the attribute blocks lie in this image.
struct RosterPlaces {
    std::array<std::size_t, Rosters> nameTables;
    std::size_t attributes;
};

RosterPlaces findRosters(const RomImage& image) {
    RosterPlaces places{};
    std::size_t table = FirstNameBlock;
    for (std::size_t& nameTable : places.nameTables) {
        nameTable = table;
        table = evenUp(image.u32be(table + 4 * static_cast<std::size_t>(Entries)));
    }
    places.attributes = table;
    return places;
}

void importGenesisII(const RomImage& image, std::vector<TeamRecord>& teams,
                     GeneralInfoRecord* generalInfo, int roster, Warnings&) {
    const std::size_t chosen = static_cast<std::size_t>(std::clamp(roster, 1, Rosters) - 1);
    if (generalInfo) {
        generalInfo->Credits = trimSpaces(image.text(CreditsAt, LineWidth));
        generalInfo->Year = image.text(YearAt, 4);
    }
    readLeagueTexts(image, LeagueTexts, teams);
    for (std::size_t t = 0; t < Teams; ++t)
        teams[t].ScheduleName = readScheduleName(image, ScheduleNames + ScheduleWidth * t, Dot);

    const RosterPlaces places = findRosters(image);
    image.require(places.attributes, Rosters * AttributeBlock);

    const std::size_t table = places.nameTables[chosen];
    for (int i = 0; i < Entries; ++i) {
        const std::size_t entry = table + 4 * static_cast<std::size_t>(i);
        readNameRecord(image, image.u32be(entry), image.u32be(entry + 4),
                       rosterPlayer(teams, GenesisII, i));
    }

    readAttributeRecords(image, places.attributes + chosen * AttributeBlock, Records, GenesisII,
                         teams);
}

// Each roster's name table leads into its own records, which end where the next block begins;
// the third roster's records and the attribute blocks after them end before the schedule names.
void requireSoundRosters(const RomImage& image, const RosterPlaces& places) {
    for (std::size_t r = 0; r < Rosters; ++r) {
        const std::size_t table = places.nameTables[r];
        const std::size_t end = r + 1 < Rosters ? places.nameTables[r + 1] : ScheduleNames;
        const std::string pointer = "roster " + std::to_string(r + 1) + "'s player-name pointer";
        requireNameTable(bigEndian32Targets(image, table, Entries + 1),
                         {table + NameTableSize, end, "the roster's names"}, pointer);
        if (r + 1 == Rosters)
            requireInside(places.attributes, Rosters * AttributeBlock,
                          {table + NameTableSize, end, "the rosters, before the schedule names"},
                          pointer + " " + std::to_string(Entries));
    }
}

// Schedule names are read back trimmed, with "." for the game's dot.
void requireScheduleNamesReadBack(const std::vector<TeamRecord>& teams) {
    for (const TeamRecord& team : teams)
        refuseCharacter(team, "schedule name", team.ScheduleName, Dot,
                        "the game shows that character as a point");
}

void exportGenesisII(RomImage& image, const std::vector<TeamRecord>& teams,
                     const GeneralInfoRecord& generalInfo, Warnings& warnings) {
    // Everything is laid out and checked before the first byte is written.
    const LeagueText texts = prepareLeagueText(image, LeagueTexts, teams);

    // The export writes the third roster's names at 0x2F00E. Unless the image's first two name
    // blocks lead exactly there, that would overwrite them or leave a block no import finds.
    const RosterPlaces places = findRosters(image);
    requireSoundRosters(image, places);
    if (places.nameTables[2] != ExportedNameBlock)
        throw ExportRefused("This image keeps its third roster's names at " +
                            hexOffset(places.nameTables[2]) + ", not at " +
                            hexOffset(ExportedNameBlock) +
                            " where the game's rosters are rewritten. Exporting would damage "
                            "the other rosters, so nothing was written.");
    const std::size_t records = ExportedNameBlock + NameTableSize;
    const std::size_t room = ownAreaEnd(image, records, places.attributes, Rosters * AttributeBlock,
                                        "player attributes");

    TextBlock players(records);
    addPackedNames(players, teams, GenesisII);
    padToEven(players);
    const std::size_t attributes = players.position();
    const std::string attributeBlock = attributeRecords(teams, Records, GenesisII);
    for (int r = 0; r < Rosters; ++r)
        players.append(attributeBlock);
    players.requireEndsBy(room, "player names and attributes");

    requireScheduleNamesReadBack(teams);
    std::string scheduleNames;
    for (const TeamRecord& team : teams)
        scheduleNames += scheduleNameField(trimSpaces(cutScheduleName(team, warnings)), Dot);

    ImageWrites writes;
    writes.keep(FirstNameBlock, ExportedNameBlock - FirstNameBlock,
                "names of the first two rosters");
    writes.put(CreditsAt, creditsLine(generalInfo.Credits), "credits line");
    writes.put(YearAt, fixedWidth(generalInfo.Year, 4), "year");
    writeLeagueText(writes, LeagueTexts, texts);
    writes.put(ScheduleNames, scheduleNames, "schedule names");
    players.writeTo(writes, "player names and attributes");
    writePointerTable(writes, ExportedNameBlock, players.entries(),
                      {PointerFormat::BigEndian32, 0, 0xFFFFFFFF}, "player-name table");
    for (const std::size_t at : AttributeStartPointers)
        writes.putU32be(at, static_cast<std::uint32_t>(attributes), "attribute pointers");
    writes.apply(image);
}

} // namespace

const EditionCodec GenesisIIEdition{.edition = GenesisII,
                                    .textTeams = Teams,
                                    .creditsWidth = static_cast<int>(LineWidth),
                                    .importLeague = importGenesisII,
                                    .exportLeague = exportGenesisII};

} // namespace kvx
