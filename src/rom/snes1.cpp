#include "rom/edition.h"

#include "base/error.h"
#include "rom/attributes.h"
#include "rom/pointerchecks.h"
#include "rom/routines.h"
#include "rom/textblock.h"
#include "rom/textchecks.h"

#include <array>

// The first SNES edition: 28 teams of 32 players. Offsets are file offsets; pointers are 16-bit
// little-endian, each table with its own base. Player names and attribute records are laid out as
// in the NES cartridge, with two more defensive backs per team.
namespace kvx {

namespace {

constexpr int Teams = editionInfo(SnesI).teamCount;
constexpr int Roster = 32;
constexpr int Players = Teams * Roster;

// 30 entries: the 28 teams, then the AFC and NFC records. A record is the abbreviation in four
// characters, 0x00, the city in lower case, a space, the name in upper case, 0x00.
constexpr std::size_t TeamTextPointers = 0x7000;
constexpr int TeamTextEntries = 30;
constexpr std::size_t TeamTexts = 0x703C;
constexpr std::int32_t TeamTextBase = 0x8000;
constexpr std::size_t RecordTextSkip = 5; // the abbreviation and its separator

// 14 columns: month in 5-6, day in 8-9, year in 11-14 (1-based), spaces elsewhere.
constexpr std::size_t DateLine = 0x123294;
constexpr std::size_t DateLineWidth = 14;
constexpr std::size_t MonthColumn = 4;
constexpr std::size_t DayColumn = 7;
constexpr std::size_t YearColumn = 10;
constexpr int UnreadableMonth = 8; // what the game shows when the line has no month

constexpr std::size_t YearText = 0x17106A;
constexpr std::size_t CreditsLine = 0x172C83;
constexpr std::size_t CreditsWidth = 15;
constexpr std::size_t NamePointers = 0x178038; // 897 entries, the last marks the end
constexpr std::size_t NameEntries = 0x17873A;
constexpr std::int32_t NameBase = -0x170000;
constexpr std::size_t Attributes = 0x17E000; // 28 x 125 bytes; also where the names must end
static_assert(teamRecordsSize(NesRecords, SnesI) == 125);

// The team-text pointers address the first 32 KiB of the image (pointers 0x8000 to 0xFFFF), where
// the records follow their table; the player names lie between their table and the attribute
// records.
constexpr Area TeamTextArea{TeamTexts, 0x8000, "the team texts"};
constexpr Area NameArea{NameEntries, Attributes, "the player names"};

// The second copy of every abbreviation, in the game's division table (per conference three
// division columns 10 bytes apart, rows 26 bytes apart), by team.
constexpr std::array<std::size_t, Teams> DivisionTable = {
    0x17218D, 0x1721A7, 0x1721C1, 0x1721DB, 0x1721F5, // AFC East
    0x172197, 0x1721B1, 0x1721CB, 0x1721E5,           // AFC Central
    0x1721A1, 0x1721BB, 0x1721D5, 0x1721EF, 0x172209, // AFC West
    0x17220E, 0x172228, 0x172242, 0x17225C, 0x172276, // NFC East
    0x172218, 0x172232, 0x17224C, 0x172266, 0x172280, // NFC Central
    0x172222, 0x17223C, 0x172256, 0x172270};          // NFC West

// The date line's number columns: leading digits as a decimal number, spaces ignored, 0 when
// there are none.
int numericValue(std::string_view columns) {
    int value = 0;
    for (const char c : columns) {
        if (c == ' ')
            continue;
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string twoDigits(int value, std::string_view what) {
    if (value < 0 || value > 99)
        throw ExportRefused("The " + std::string(what) + " of the roster date is " +
                            std::to_string(value) +
                            ", but the game keeps it in two digits (00 to 99). Correct the date "
                            "and export again.");
    return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

std::string dateLine(const GeneralInfoRecord& info) {
    std::string line(DateLineWidth, ' ');
    line.replace(MonthColumn, 2, twoDigits(info.Month, "month"));
    line.replace(DayColumn, 2, twoDigits(info.Day, "day"));
    line.replace(YearColumn, 4, fixedWidth(info.Year, 4));
    return line;
}

std::string abbreviation(const std::string& text) {
    return fixedWidth(toUpperAscii(text), 4);
}

std::string teamTextRecord(const std::string& abbreviationText, const std::string& text) {
    std::string record = abbreviation(abbreviationText);
    record += '\0';
    record += text;
    record += '\0';
    return record;
}

void importSnesI(const RomImage& image, std::vector<TeamRecord>& teams,
                 GeneralInfoRecord* generalInfo, int, Warnings&) {
    if (generalInfo) {
        generalInfo->Credits = trimSpaces(image.text(CreditsLine, CreditsWidth));
        const std::string date = image.text(DateLine, DateLineWidth);
        generalInfo->Year = date.substr(YearColumn, 4);
        generalInfo->Day = static_cast<std::int16_t>(numericValue(date.substr(DayColumn, 2)));
        const int month = numericValue(date.substr(MonthColumn, 2));
        generalInfo->Month = static_cast<std::int16_t>(month < 1 ? UnreadableMonth : month);
    }
    for (int t = 0; t < Teams; ++t) {
        TeamRecord& team = teams[static_cast<std::size_t>(t)];
        const std::size_t at =
            pointerTarget(image, TeamTextPointers + static_cast<std::size_t>(t) * 2, TeamTextBase);
        team.Abbreviation = image.text(at, 4);
        // The city may have several words; the name is the last one.
        const std::string text = image.textUntil(at + RecordTextSkip, 0x00);
        team.City = Text_Before_Last(text, " ");
        team.Name = Text_After_Last(text, " ");
        team.ScheduleName = team.Name;
    }
    for (int i = 0; i < Players; ++i) {
        const std::size_t entry = NamePointers + static_cast<std::size_t>(i) * 2;
        readPackedName(image.range(pointerTarget(image, entry, NameBase),
                                   pointerTarget(image, entry + 2, NameBase)),
                       rosterPlayer(teams, SnesI, i));
    }
    readAttributeRecords(image, Attributes, NesRecords, SnesI, teams);
}

// Where the team-text record at `at` ends: after its abbreviation, separator, text and 0x00.
std::size_t recordEnd(const RomImage& image, std::size_t at) {
    return at + RecordTextSkip + image.textUntil(at + RecordTextSkip, 0x00).size() + 1;
}

// Every table the import followed leads where the edition keeps what it points at.
void requireSoundTables(const RomImage& image) {
    requireRecords(littleEndianTargets(image, TeamTextPointers, TeamTextEntries, TeamTextBase),
                   TeamTextArea, "team-text pointer",
                   [&](std::size_t at) { return recordEnd(image, at); });
    requireNameTable(littleEndianTargets(image, NamePointers, Players + 1, NameBase), NameArea,
                     "player-name pointer");
}

// The record "city NAME" is split at its last space and ends at its first 0x00: a nickname with a
// space, or any text with a 0x00, would come back split elsewhere.
void requireTextsReadBack(const std::vector<TeamRecord>& teams) {
    for (const TeamRecord& team : teams) {
        refuseCharacter(team, "city", team.City, '\0', "the game ends a team text at that byte");
        refuseCharacter(team, "nickname", team.Name, '\0',
                        "the game ends a team text at that byte");
        if (team.Name.find(' ') != std::string::npos)
            refuseTeamText(team, "nickname", team.Name,
                           "the game takes the city to run up to the last space of the team "
                           "text",
                           "Write the nickname without spaces");
    }
}

// Where the image's own team-text records end: past the record that the furthest pointer of its
// table leads to. That is all the room the export may use.
std::size_t teamTextsEnd(const RomImage& image) {
    return recordEnd(image, furthestTarget(image, TeamTextPointers, TeamTextEntries, TeamTextBase));
}

void exportSnesI(RomImage& image, const std::vector<TeamRecord>& teams,
                 const GeneralInfoRecord& generalInfo, Warnings&) {
    // Everything that can be refused is laid out first: a league that does not fit changes
    // nothing.
    requireSoundTables(image);
    requireTextsReadBack(teams);
    const std::string date = dateLine(generalInfo);

    TextBlock texts(TeamTexts);
    for (const TeamRecord& team : teams)
        texts.addEntry(teamTextRecord(team.Abbreviation,
                                      toLowerAscii(team.City) + " " + toUpperAscii(team.Name)));
    texts.addEntry(teamTextRecord("AFC", "AFC"));
    texts.addEntry(teamTextRecord("NFC", "NFC"));
    texts.requireEndsBy(teamTextsEnd(image), "team abbreviations, cities and names");

    TextBlock names(NameEntries);
    addPackedNames(names, teams, SnesI);
    names.requireEndsBy(Attributes, "player names");

    ImageWrites writes;
    writes.put(CreditsLine, fixedWidth(generalInfo.Credits, CreditsWidth), "credits line");
    writes.put(YearText, fixedWidth(generalInfo.Year, 4), "year");
    writes.put(DateLine, date, "roster date");

    texts.writeTo(writes, "team abbreviations, cities and names");
    writePointerTable(writes, TeamTextPointers, texts.entries(),
                      {PointerFormat::LittleEndian16, TeamTextBase, 0xFFFF}, "team-text table");
    for (int t = 0; t < Teams; ++t)
        writes.put(DivisionTable[static_cast<std::size_t>(t)],
                   abbreviation(teams[static_cast<std::size_t>(t)].Abbreviation), "division table");

    names.writeTo(writes, "player names");
    writePointerTable(writes, NamePointers, names.entries(),
                      {PointerFormat::LittleEndian16, NameBase, 0xFFFF}, "player-name table");
    writes.put(Attributes, attributeRecords(teams, NesRecords, SnesI), "player attributes");
    writes.apply(image);
}

} // namespace

const EditionCodec SnesIEdition{.edition = SnesI,
                                .textTeams = Teams,
                                .creditsWidth = static_cast<int>(CreditsWidth),
                                .importLeague = importSnesI,
                                .exportLeague = exportSnesI};

} // namespace kvx
