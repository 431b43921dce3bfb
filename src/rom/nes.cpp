#include "rom/edition.h"

#include "base/error.h"
#include "rom/attributes.h"
#include "rom/pointerchecks.h"
#include "rom/routines.h"
#include "rom/textblock.h"

#include <algorithm>
#include <array>

// The NES cartridge: 28 teams of 30 players. Offsets are file offsets, the 16-byte header
// included; pointers are 16-bit little-endian, each table with its own base.
namespace kvx {

namespace {

constexpr int Teams = editionInfo(Nes).teamCount;
constexpr int Roster = 30;
constexpr int Players = Teams * Roster;

constexpr std::size_t NamePointers = 0x0048; // 841 entries, the last marks the end
constexpr std::size_t NameEntries = 0x06DA;
constexpr std::int32_t NameBase = 0x7FF0;
constexpr std::size_t Attributes = 0x3010; // 28 x 117 bytes; also where the names must end
static_assert(teamRecordsSize(NesRecords, Nes) == 117);
constexpr std::size_t CreditsLine = 0xC4D1;
constexpr std::size_t WebLine = 0xC4E9;
constexpr std::size_t NameTag = 0xC503;
constexpr std::array<std::size_t, 4> YearCopies = {0x1E128, 0x1E28A, 0x1E2BD, 0x1F89B};
constexpr std::size_t AbbreviationPointers = 0x1FC10;
constexpr std::size_t TeamTextPointers = 0x1FC50; // 88 entries
constexpr std::size_t TeamNamePointers = 0x1FC90; // entry 32 of the same table
constexpr std::int32_t TeamTextBase = -0x14010;
constexpr int TeamTextEntries = 88;

// The team-text pointers address the 16 KiB bank the game maps at 0x8000 (pointers 0x8000 to
// 0xBFFF): the team texts and the abbreviations lie there. The player names lie between the
// table's first entry and the attribute records, in the first bank.
constexpr Area TeamTextBank{0x1C010, 0x20010, "the team texts"};
constexpr Area AbbreviationBank{0x1C010, 0x20010, "the bank of the team texts"};
constexpr Area NameArea{NameEntries, Attributes, "the player names"};
constexpr int LeagueWordsEntry = 60;

constexpr int LineWidth = 23;
constexpr std::string_view ProgramTag = " KVXM 2000 ";

// Texts 60..87 of the team-text table all live in this one run of league words; entry 60 + j
// points at character LeagueWordStarts[j - 1] of it.
constexpr std::string_view LeagueWords =
    "AFCNFC1ST2ND3RD4TH............OFFENSEDEFENSEEASTCENTRALWESTNFLAFCNFCMANCOACOMSKP";
constexpr std::array<std::size_t, 27> LeagueWordStarts = {3,  6,  6,  6,  9,  12, 15, 18, 21,
                                                          24, 27, 30, 37, 44, 48, 55, 59, 62,
                                                          65, 68, 71, 74, 77, 80, 80, 80, 80};

void importNes(const RomImage& image, std::vector<TeamRecord>& teams,
               GeneralInfoRecord* generalInfo, int, Warnings&) {
    if (generalInfo) {
        generalInfo->Credits = trimSpaces(image.text(CreditsLine, LineWidth));
        generalInfo->Year = image.text(YearCopies[0], 4);
    }
    for (int t = 0; t < Teams; ++t) {
        TeamRecord& team = teams[static_cast<std::size_t>(t)];
        const std::size_t i = static_cast<std::size_t>(t) * 2;
        team.Abbreviation =
            image.text(pointerTarget(image, AbbreviationPointers + i, TeamTextBase), 4);
        team.City = image.range(pointerTarget(image, TeamTextPointers + i, TeamTextBase),
                                pointerTarget(image, TeamTextPointers + i + 2, TeamTextBase));
        team.Name = image.range(pointerTarget(image, TeamNamePointers + i, TeamTextBase),
                                pointerTarget(image, TeamNamePointers + i + 2, TeamTextBase));
        team.ScheduleName = team.Name;
    }
    for (int i = 0; i < Players; ++i) {
        const std::size_t entry = NamePointers + static_cast<std::size_t>(i) * 2;
        readPackedName(image.range(pointerTarget(image, entry, NameBase),
                                   pointerTarget(image, entry + 2, NameBase)),
                       rosterPlayer(teams, Nes, i));
    }
    readAttributeRecords(image, Attributes, NesRecords, Nes, teams);
}

// The team-text block as the image has it now: where it starts, and where it ends (the furthest
// target of its own pointer table), which is all the room the export may use.
struct TeamTextRoom {
    std::size_t start;
    std::size_t end;
};

TeamTextRoom teamTextRoom(const RomImage& image) {
    TeamTextRoom room{pointerTarget(image, TeamTextPointers, TeamTextBase),
                      furthestTarget(image, TeamTextPointers, TeamTextEntries, TeamTextBase)};
    image.require(room.start, room.end > room.start ? room.end - room.start : 0);
    return room;
}

// Every table the import followed leads where the edition keeps what it points at; the texts the
// import reads between neighbouring entries run in order.
void requireSoundTables(const RomImage& image) {
    const Targets texts =
        littleEndianTargets(image, TeamTextPointers, TeamTextEntries, TeamTextBase);
    requireInside(texts, 0, TeamTextEntries - 1, TeamTextBank, "team-text pointer");
    requireInOrder(texts, 0, LeagueWordsEntry, "team-text pointer");
    requireInside(littleEndianTargets(image, AbbreviationPointers, Teams, TeamTextBase), 0,
                  Teams - 1, AbbreviationBank, "abbreviation pointer", 4);
    requireNameTable(littleEndianTargets(image, NamePointers, Players + 1, NameBase), NameArea,
                     "player-name pointer");
}

void exportNes(RomImage& image, const std::vector<TeamRecord>& teams,
               const GeneralInfoRecord& generalInfo, Warnings&) {
    requireSoundTables(image);
    // Lay out both variable blocks first: a league that does not fit changes nothing.
    const TeamTextRoom room = teamTextRoom(image);
    TextBlock texts(room.start);
    for (const TeamRecord& team : teams)
        texts.addEntry(toUpperAscii(trimSpaces(team.City)));
    texts.addEntry(" ");
    texts.addEntry(" ");
    texts.markEntry();
    texts.markEntry();
    for (const TeamRecord& team : teams)
        texts.addEntry(toUpperAscii(trimSpaces(team.Name)));
    texts.addEntry(LeagueWords);
    std::vector<std::size_t> textPointers = texts.entries();
    for (const std::size_t start : LeagueWordStarts)
        textPointers.push_back(textPointers[LeagueWordsEntry] + start);
    texts.requireEndsBy(room.end, "team cities and names");

    TextBlock names(NameEntries);
    addPackedNames(names, teams, Nes);
    names.requireEndsBy(Attributes, "player names");

    ImageWrites writes;
    writes.put(CreditsLine, centredText(generalInfo.Credits, LineWidth, 12), "credits line");
    writes.put(NameTag, std::string(ProgramTag), "program's name");
    writes.put(WebLine, centredText(std::string(WebAddress), LineWidth, 12), "web address");
    for (const std::size_t at : YearCopies)
        writes.put(at, fixedWidth(generalInfo.Year, 4), "year");

    // The abbreviations stay where the image's own table points; the table itself is kept.
    writes.keep(AbbreviationPointers, 2 * Teams, "abbreviation table");
    for (int t = 0; t < Teams; ++t) {
        const std::size_t at = pointerTarget(
            image, AbbreviationPointers + static_cast<std::size_t>(t) * 2, TeamTextBase);
        writes.put(at, fixedWidth(teams[static_cast<std::size_t>(t)].Abbreviation, 4),
                   "abbreviation of team " + std::to_string(t + 1));
    }

    texts.writeTo(writes, "team cities and names");
    writePointerTable(writes, TeamTextPointers, textPointers,
                      {PointerFormat::LittleEndian16, TeamTextBase, 0xFFFF}, "team-text table");

    names.writeTo(writes, "player names");
    writePointerTable(writes, NamePointers, names.entries(),
                      {PointerFormat::LittleEndian16, NameBase, 0xFFFF}, "player-name table");

    writes.put(Attributes, attributeRecords(teams, NesRecords, Nes), "player attributes");
    writes.apply(image);
}

} // namespace

const EditionCodec NesEdition{.edition = Nes,
                              .textTeams = Teams,
                              .creditsWidth = LineWidth,
                              .importLeague = importNes,
                              .exportLeague = exportNes};

} // namespace kvx
