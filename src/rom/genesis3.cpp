#include "rom/edition.h"

#include "base/error.h"
#include "rom/attributes.h"
#include "rom/genesis.h"
#include "rom/pointerchecks.h"
#include "rom/routines.h"
#include "rom/textchecks.h"

#include <array>

// The third Genesis edition: 30 league teams of 37 players, then the free agents and the old
// timers as two more teams of the same roster. Offsets are file offsets; every table holds
// 32-bit big-endian offsets.
namespace kvx {

namespace {

using namespace genesis;

constexpr int Teams = editionInfo(GenesisIII).teamCount;
constexpr int LeagueTeams = Teams - 2;
constexpr int Roster = 37;
constexpr int Entries = Teams * Roster;

constexpr std::size_t CreditsAt = 0x1587C6;
constexpr std::size_t CreditsRead = 22; // the export writes the full line of 23
constexpr std::size_t SignatureAt = 0x1587E6;
constexpr std::string_view SignatureTag = " KVXM 2000] BY ";
constexpr std::size_t YearAt = 0x12C1D3;
constexpr std::size_t ScheduleNames = 0x12806E;

// The game shows "\" as a point in every team text.
constexpr char Dot = '\\';

// 1185 name offsets (the last marks the end of the records), the records, then the attribute area
// at the next even offset, which the game finds through the pointer at 0x22064. The schedule names
// come after them.
constexpr std::size_t NamePointers = 0x25210;
constexpr std::size_t NameRecords = 0x26494;
constexpr std::size_t AttributeStartPointer = 0x22064;
constexpr Area Rosters{NameRecords, ScheduleNames, "the player names and attributes"};

// The league texts lie before the name table.
const LeagueTextLayout LeagueTexts{0x226D0,     0x22864,           LeagueTeams,      Dot,
                                   Dot,         SeasonLabelsLater, SubPointersLater, 0xFFFFFF,
                                   NamePointers};

// An attribute entry: the common bytes, then the bytes of the player's position. Every level the
// game uses is stored; nothing is derived.
constexpr AttributeLayout Records{.common = "1|0 2|3 4|5 face",
                                  .quarterback = "6|7 8|9 10|-",
                                  .lineman = "",
                                  .kicker = "6|7 8|9",
                                  .others = "6|7"};
constexpr std::size_t AttributeArea = Teams * teamRecordsSize(Records, GenesisIII);
static_assert(AttributeArea == 5920);

std::size_t attributeStart(const RomImage& image) {
    return evenUp(image.u32be(NamePointers + 4 * static_cast<std::size_t>(Entries)));
}

void importGenesisIII(const RomImage& image, std::vector<TeamRecord>& teams,
                      GeneralInfoRecord* generalInfo, int, Warnings&) {
    if (generalInfo) {
        generalInfo->Credits = trimSpaces(image.text(CreditsAt, CreditsRead));
        generalInfo->Year = image.text(YearAt, 4);
    }
    readLeagueTexts(image, LeagueTexts, teams);
    nameExtraTeams(teams, LeagueTeams);
    for (std::size_t t = 0; t < LeagueTeams; ++t)
        teams[t].ScheduleName = readScheduleName(image, ScheduleNames + ScheduleWidth * t, Dot);

    for (int i = 0; i < Entries; ++i) {
        const std::size_t entry = NamePointers + 4 * static_cast<std::size_t>(i);
        readNameRecord(image, image.u32be(entry), image.u32be(entry + 4),
                       rosterPlayer(teams, GenesisIII, i));
    }

    const std::size_t at = attributeStart(image);
    image.require(at, AttributeArea);
    readAttributeRecords(image, at, Records, GenesisIII, teams);
}

// The name table leads into the records, in order, and the attribute area after them ends before
// the schedule names.
void requireSoundRosters(const RomImage& image) {
    requireNameTable(bigEndian32Targets(image, NamePointers, Entries + 1), Rosters,
                     "player-name pointer");
    requireInside(attributeStart(image), AttributeArea, Rosters,
                  "player-name pointer " + std::to_string(Entries));
}

void exportGenesisIII(RomImage& image, const std::vector<TeamRecord>& teams,
                      const GeneralInfoRecord& generalInfo, Warnings& warnings) {
    // Everything is laid out and checked before the first byte is written.
    requireSoundRosters(image);
    for (std::size_t t = 0; t < LeagueTeams; ++t)
        refuseCharacter(teams[t], "schedule name", teams[t].ScheduleName, Dot,
                        "the game shows that character as a point");
    const std::string signature =
        std::string(SignatureTag) + replaced(toUpperAscii(std::string(WebAddress)), '.', Dot) + " ";
    const LeagueText texts = prepareLeagueText(image, LeagueTexts, teams);

    const std::size_t room =
        ownAreaEnd(image, NameRecords, attributeStart(image), AttributeArea, "player attributes");
    TextBlock players(NameRecords);
    addPackedNames(players, teams, GenesisIII);
    padToEven(players);
    const std::size_t attributes = players.position();
    players.append(attributeRecords(teams, Records, GenesisIII));
    players.requireEndsBy(room, "player names and attributes");

    // Schedule names are not trimmed here; longer ones are cut the way the second edition does.
    std::string scheduleNames;
    for (std::size_t t = 0; t < LeagueTeams; ++t)
        scheduleNames += scheduleNameField(cutScheduleName(teams[t], warnings), Dot);

    ImageWrites writes;
    writes.put(CreditsAt, creditsLine(generalInfo.Credits), "credits line");
    writes.put(SignatureAt, signature, "program's signature");
    writes.put(YearAt, fixedWidth(generalInfo.Year, 4), "year");
    writeLeagueText(writes, LeagueTexts, texts);
    writes.put(ScheduleNames, scheduleNames, "schedule names");
    players.writeTo(writes, "player names and attributes");
    writePointerTable(writes, NamePointers, players.entries(),
                      {PointerFormat::BigEndian32, 0, 0xFFFFFFFF}, "player-name table");
    writes.putU32be(AttributeStartPointer, static_cast<std::uint32_t>(attributes),
                    "attribute pointer");
    writes.apply(image);
}

} // namespace

const EditionCodec GenesisIIIEdition{.edition = GenesisIII,
                                     .textTeams = LeagueTeams,
                                     .creditsWidth = static_cast<int>(LineWidth),
                                     .importLeague = importGenesisIII,
                                     .exportLeague = exportGenesisIII};

} // namespace kvx
