#include "rom/edition.h"

#include "base/error.h"
#include "rom/attributes.h"
#include "rom/genesis.h"
#include "rom/pointerchecks.h"
#include "rom/routines.h"
#include "rom/textchecks.h"

#include <array>

// The first Genesis edition: 28 teams of 32 players, one roster. Offsets are file offsets; the
// name and league-text tables hold 16-bit offsets.
namespace kvx {

namespace {

using namespace genesis;

constexpr int Teams = editionInfo(GenesisI).teamCount;
constexpr int Roster = 32;
constexpr int Entries = Teams * Roster;

constexpr std::size_t CreditsAt = 0x1CCFC;
constexpr std::size_t UpdatedAt = 0x1CD2A;
constexpr std::size_t WebLineAt = 0x1CD41;
constexpr std::size_t YearAt = 0x1CD77;
constexpr std::array<std::size_t, 2> GameYearCopies = {0x4B6AA, 0x4C164};
constexpr std::string_view GameYear = "1993";
constexpr std::string_view UpdatedText = "UPDATED WITH KVXM 2000!";
static_assert(UpdatedText.size() == LineWidth && WebAddress.size() == LineWidth - 6);

// Name pointers: 897 entries, the last (at 0x5F62) marks the end of the records and is where the
// attribute area begins; the game keeps a second copy of it at 0x4066.
constexpr std::size_t NamePointers = 0x5862;
constexpr std::size_t AttributeStart = 0x5F62;
constexpr std::size_t AttributeStartCopy = 0x4066;
constexpr std::size_t NameRecords = 0x5F64;

// An entry of the attribute area: the NES record with the bytes a position does not use kept at
// zero, so that every entry takes 5 bytes.
constexpr AttributeLayout Records{.common = "1|0 2|3 face",
                                  .quarterback = "6|7 8|9",
                                  .lineman = "0 0",
                                  .kicker = "6|7 0",
                                  .others = "6|7 0",
                                  .derive = setGameLevels};
constexpr std::size_t AttributeArea = Teams * teamRecordsSize(Records, GenesisI);
static_assert(AttributeArea == Entries * 5);

// The name records follow their table; their pointers, and so the attribute start, are 16-bit.
constexpr Area NameArea{NameRecords, 0x10000, "the player names"};

const LeagueTextLayout LeagueTexts{0x4644,        0x47C8,       Teams,  '_',         '.',
                                   SeasonLabelsI, SubPointersI, 0xFFFF, NamePointers};

// Further copies of the team texts that the game's menus read.
constexpr std::size_t AbbreviationCopy = 0x43402;
constexpr std::size_t CityRecords = 0x4347A;
constexpr std::size_t NicknameRecords = 0x4367A;
constexpr std::size_t TextRecordSize = 16;

// Three more abbreviation copies per team: at P(t), P(t) + d1 and P(t) + d2.
constexpr std::array<std::size_t, Teams> AbbreviationPlaces = {
    0x1CE92, 0x1CEC2, 0x1CEF2, 0x1CF22, 0x1CF52, 0x1CE9C, 0x1CECC, 0x1CEFC, 0x1CF2C, 0x1CEA6,
    0x1CED6, 0x1CF06, 0x1CF36, 0x1CF66, 0x1CFB2, 0x1CFE2, 0x1D012, 0x1D042, 0x1D072, 0x1CFBC,
    0x1CFEC, 0x1D01C, 0x1D04C, 0x1D07C, 0x1CFC6, 0x1CFF6, 0x1D026, 0x1D056};

std::array<std::size_t, 2> abbreviationDistances(int t) {
    if (t >= 14 && t <= 23)
        return {930, 7462};
    return {978, 7510};
}

// 0x00, the length of the text as the team has it, then the text upper-cased in 14 bytes (the
// game's menus show no more; a cut is said).
std::string textRecord(const std::string& text, const std::string& subject, Warnings& cuts) {
    sayCut(text, TextRecordSize - 2, subject, cuts);
    if (text.size() > 255)
        throw ExportRefused("The team text \"" + trimSpaces(text).substr(0, 20) + "\" is " +
                            std::to_string(text.size()) +
                            " characters long with its spaces; the game can count 255 at most.");
    std::string record(1, '\0');
    record += static_cast<char>(text.size());
    record += fixedWidth(toUpperAscii(text), TextRecordSize - 2);
    return record;
}

void importGenesisI(const RomImage& image, std::vector<TeamRecord>& teams,
                    GeneralInfoRecord* generalInfo, int, Warnings& warnings) {
    if (generalInfo) {
        generalInfo->Credits = trimSpaces(image.text(CreditsAt, LineWidth));
        generalInfo->Year = image.text(YearAt, 4);
    }
    readLeagueTexts(image, LeagueTexts, teams);
    for (TeamRecord& team : teams)
        team.ScheduleName = team.Name;

    for (int i = 0; i < Entries; ++i) {
        const std::size_t entry = NamePointers + 2 * static_cast<std::size_t>(i);
        const std::size_t start = image.u16be(entry);
        const std::size_t end = image.u16be(entry + 2);
        if (start < 1)
            warnings.push_back(std::to_string(start) + ", " + std::to_string(end));
        readNameRecord(image, start, end, rosterPlayer(teams, GenesisI, i));
    }

    const std::size_t area = image.u16be(AttributeStart);
    image.require(area, AttributeArea);
    readAttributeRecords(image, area, Records, GenesisI, teams);
}

void exportGenesisI(RomImage& image, const std::vector<TeamRecord>& teams,
                    const GeneralInfoRecord& generalInfo, Warnings& cuts) {
    // Everything is laid out and checked before the first byte is written.
    requireNameTable(bigEndian16Targets(image, NamePointers, Entries + 1), NameArea,
                     "player-name pointer");
    const LeagueText texts = prepareLeagueText(image, LeagueTexts, teams);

    const std::size_t room = ownAreaEnd(image, NameRecords, image.u16be(AttributeStart),
                                        AttributeArea, "player attributes");
    TextBlock players(NameRecords);
    addPackedNames(players, teams, GenesisI);
    const std::size_t attributes = players.position();
    players.append(attributeRecords(teams, Records, GenesisI));
    players.requireEndsBy(room, "player names and attributes");

    std::string cityRecords;
    std::string nicknameRecords;
    std::string abbreviations;
    for (const TeamRecord& team : teams) {
        cityRecords += textRecord(
            team.City, "The city of the " + team.displayName() + " in the game's menus", cuts);
        nicknameRecords += textRecord(
            team.Name, "The nickname of the " + team.displayName() + " in the game's menus", cuts);
        abbreviations += abbreviationField(team.Abbreviation, LeagueTexts.abbreviationDot);
    }

    ImageWrites writes;
    writes.put(CreditsAt, creditsLine(generalInfo.Credits), "credits line");
    writes.put(UpdatedAt, std::string(UpdatedText), "update notice");
    writes.put(WebLineAt, "   " + replaced(toUpperAscii(std::string(WebAddress)), '.', '_') + "   ",
               "web address");
    writes.put(YearAt, fixedWidth(generalInfo.Year, 4), "year");
    for (const std::size_t at : GameYearCopies)
        writes.put(at, std::string(GameYear), "game's year");

    writeLeagueText(writes, LeagueTexts, texts);
    writes.put(AbbreviationCopy, abbreviations, "abbreviation copies");
    writes.put(CityRecords, cityRecords, "city records");
    writes.put(NicknameRecords, nicknameRecords, "nickname records");
    for (int t = 0; t < Teams; ++t) {
        const std::string field = abbreviations.substr(4 * static_cast<std::size_t>(t), 4);
        const std::size_t at = AbbreviationPlaces[static_cast<std::size_t>(t)];
        writes.put(at, field, "abbreviation copies");
        for (const std::size_t distance : abbreviationDistances(t))
            writes.put(at + distance, field, "abbreviation copies");
    }

    players.writeTo(writes, "player names and attributes");
    writePointerTable(writes, NamePointers, players.entries(),
                      {PointerFormat::BigEndian16, 0, 0xFFFF}, "player-name table");
    writes.putU16be(AttributeStartCopy, static_cast<std::uint16_t>(attributes),
                    "attribute pointer");
    writes.apply(image);
}

} // namespace

const EditionCodec GenesisIEdition{.edition = GenesisI,
                                   .textTeams = Teams,
                                   .creditsWidth = static_cast<int>(LineWidth),
                                   .importLeague = importGenesisI,
                                   .exportLeague = exportGenesisI};

} // namespace kvx
