#include "rom/edition.h"

#include "base/error.h"
#include "rom/attributes.h"
#include "rom/pointerchecks.h"
#include "rom/routines.h"
#include "rom/textblock.h"
#include "rom/textchecks.h"

#include <algorithm>
#include <array>

// The third SNES edition: 30 teams, the free agents and the old timers, 37 players each. Offsets
// are file offsets; pointers are 16-bit little-endian, each table with its own base. Unlike the
// older editions it stores every attribute and a schedule name per team.
namespace kvx {

namespace {

constexpr int Teams = editionInfo(SnesIII).teamCount;
constexpr int TextTeams = 30; // the free agents and the old timers have no texts of their own
constexpr int Roster = 37;
constexpr int Players = Teams * Roster;

// 36 entries: the 30 teams, then the fixed records. A record is the abbreviation, 0x00, the city
// in lower case, a space, the name in upper case, 0x00.
constexpr std::size_t TeamTextPointers = 0x7000;
constexpr int TeamTextEntries = 36;
constexpr std::size_t TeamTexts = 0x7048;
constexpr std::int32_t TeamTextBase = 0x8000;

// 30 plain offsets to records of: 13 minus the name's length, the name in upper case, 0xFF.
constexpr std::size_t SchedulePointers = 0xD1B2;
constexpr std::size_t ScheduleNames = 0xD1F0;
constexpr std::size_t ScheduleRoom = 325;
constexpr std::size_t ScheduleNameWidth = 13;
constexpr std::uint8_t ScheduleEnd = 0xFF;

constexpr std::size_t CreditsLine = 0x173931;
constexpr int CreditsWidth = 17;
constexpr int CreditsCentre = 9; // 1-based column the centred credits are laid around
constexpr std::size_t WebLine = 0x173943;
constexpr std::size_t WebLineWidth = 20;
constexpr std::size_t YearText = 0x1BD6A5;
constexpr std::size_t NamePointers = 0x1E8040; // 1185 entries, the last marks the end
constexpr std::size_t NameEntries = 0x1E8982;
constexpr std::int32_t NameBase = -0x1E0000;
constexpr std::size_t Attributes = 0x1EC800; // 32 x 185 bytes; also where the names must end

// The team-text pointers address the first 32 KiB of the image (pointers 0x8000 to 0xFFFF), where
// the records follow their table; the schedule names have their room of 325 bytes; the player
// names lie between their table and the attribute records.
constexpr Area TeamTextArea{TeamTexts, 0x8000, "the team texts"};
constexpr Area ScheduleArea{ScheduleNames, ScheduleNames + ScheduleRoom, "the schedule names"};
constexpr Area NameArea{NameEntries, Attributes, "the player names"};

// Attribute record: the common bytes, then the bytes of the player's position. Every attribute is
// stored; nothing is derived.
constexpr AttributeLayout Records{.common = "1|0 2|3 4|5 face",
                                  .quarterback = "6|7 8|9 10|-",
                                  .lineman = "",
                                  .kicker = "6|7 8|9",
                                  .others = "6|7"};
static_assert(teamRecordsSize(Records, SnesIII) == 185);

struct FixedRecord {
    std::string_view abbreviation;
    std::string_view text;
};

// Entries 30 to 35 of the team-text table; 32 and 33 share the one "custom players" record.
constexpr std::array<FixedRecord, 5> FixedRecords = {{{"FA1 ", "free agent"},
                                                      {"FA2 ", "free agent"},
                                                      {"CSTM", "custom players"},
                                                      {"AFC ", "AFC"},
                                                      {"NFC ", "NFC"}}};
constexpr std::size_t SharedFixedRecord = 2;

bool endsCity(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

void importSnesIII(const RomImage& image, std::vector<TeamRecord>& teams,
                   GeneralInfoRecord* generalInfo, int, Warnings&) {
    if (generalInfo) {
        generalInfo->Credits =
            trimSpaces(image.text(CreditsLine, static_cast<std::size_t>(CreditsWidth)));
        generalInfo->Year = image.text(YearText, 4);
    }
    for (int t = 0; t < TextTeams; ++t) {
        TeamRecord& team = teams[static_cast<std::size_t>(t)];
        const std::size_t at =
            pointerTarget(image, TeamTextPointers + static_cast<std::size_t>(t) * 2, TeamTextBase);
        team.Abbreviation = image.textUntil(at, 0x00);
        // The city is stored in lower case and the name in upper case, so the name begins at the
        // first capital or digit (49ERS). The city ends with its record at the latest.
        const std::string text = image.textUntil(at + team.Abbreviation.size() + 1, 0x00);
        const auto split = std::find_if(text.begin(), text.end(), endsCity);
        team.City = trimSpaces(std::string(text.begin(), split));
        team.Name = std::string(split, text.end());

        const std::size_t schedule =
            pointerTarget(image, SchedulePointers + static_cast<std::size_t>(t) * 2, 0);
        team.ScheduleName = image.textUntil(schedule + 1, ScheduleEnd);
    }
    nameExtraTeams(teams, TextTeams);
    for (int i = 0; i < Players; ++i) {
        const std::size_t entry = NamePointers + static_cast<std::size_t>(i) * 2;
        readPackedName(image.range(pointerTarget(image, entry, NameBase),
                                   pointerTarget(image, entry + 2, NameBase)),
                       rosterPlayer(teams, SnesIII, i));
    }
    readAttributeRecords(image, Attributes, Records, SnesIII, teams);
}

std::string teamTextRecord(std::string_view abbreviation, std::string_view text) {
    std::string bytes(abbreviation);
    bytes += '\0';
    bytes += text;
    bytes += '\0';
    return bytes;
}

// Where the team-text record at `at` ends: after its abbreviation, text and their two 0x00.
std::size_t recordEnd(const RomImage& image, std::size_t at) {
    const std::size_t text = at + image.textUntil(at, 0x00).size() + 1;
    return text + image.textUntil(text, 0x00).size() + 1;
}

// Every table the import followed leads where the edition keeps what it points at.
void requireSoundTables(const RomImage& image) {
    requireRecords(littleEndianTargets(image, TeamTextPointers, TeamTextEntries, TeamTextBase),
                   TeamTextArea, "team-text pointer",
                   [&](std::size_t at) { return recordEnd(image, at); });
    requireRecords(littleEndianTargets(image, SchedulePointers, TextTeams, 0), ScheduleArea,
                   "schedule-name pointer", [&](std::size_t at) {
                       return at + 1 + image.textUntil(at + 1, ScheduleEnd).size() + 1;
                   });
    requireNameTable(littleEndianTargets(image, NamePointers, Players + 1, NameBase), NameArea,
                     "player-name pointer");
}

// The record is read as: the abbreviation up to 0x00, the city up to the first capital or digit,
// the nickname from there up to 0x00; a schedule name runs up to 0xFF. A text that breaks one of
// these rules would come back cut elsewhere.
void requireTextsReadBack(const std::vector<TeamRecord>& teams) {
    constexpr std::string_view Ends = "the game ends a team text at that byte";
    for (int t = 0; t < TextTeams; ++t) {
        const TeamRecord& team = teams[static_cast<std::size_t>(t)];
        refuseCharacter(team, "abbreviation", team.Abbreviation, '\0', Ends);
        refuseCharacter(team, "city", team.City, '\0', Ends);
        refuseCharacter(team, "nickname", team.Name, '\0', Ends);
        refuseCharacter(team, "schedule name", team.ScheduleName, static_cast<char>(ScheduleEnd),
                        "the game ends a schedule name at that byte");
        const std::string city = toLowerAscii(trimSpaces(team.City));
        const auto digit = std::find_if(city.begin(), city.end(), endsCity);
        if (digit != city.end())
            refuseTeamText(team, "city", team.City,
                           "the game ends the city at its first digit, where the nickname begins",
                           "Write the city without digits");
        const std::string name = toUpperAscii(trimSpaces(team.Name));
        if (!name.empty() && !endsCity(name.front()))
            refuseTeamText(team, "nickname", team.Name,
                           "the game finds where the nickname begins by its first capital letter "
                           "or digit",
                           "Begin the nickname with a letter from A to Z or a digit");
    }
}

// Where the image's own team-text records end: past the record that the furthest pointer of its
// table leads to. That is all the room the export may use.
std::size_t teamTextsEnd(const RomImage& image) {
    return recordEnd(image, furthestTarget(image, TeamTextPointers, TeamTextEntries, TeamTextBase));
}

TextBlock scheduleNames(const std::vector<TeamRecord>& teams) {
    TextBlock block(ScheduleNames);
    for (int t = 0; t < TextTeams; ++t) {
        const TeamRecord& team = teams[static_cast<std::size_t>(t)];
        const std::string name = toUpperAscii(team.ScheduleName);
        if (name.size() > ScheduleNameWidth)
            throw ExportRefused("The schedule name \"" + team.ScheduleName + "\" of " +
                                team.displayName() + " has " + std::to_string(name.size()) +
                                " characters, but the game can only store " +
                                std::to_string(ScheduleNameWidth) +
                                ". Shorten it and export again.");
        std::string bytes(1, static_cast<char>(ScheduleNameWidth - name.size()));
        bytes += name;
        bytes += static_cast<char>(ScheduleEnd);
        block.addEntry(bytes);
    }
    block.requireEndsBy(ScheduleNames + ScheduleRoom, "schedule names");
    return block;
}

void exportSnesIII(RomImage& image, const std::vector<TeamRecord>& teams,
                   const GeneralInfoRecord& generalInfo, Warnings&) {
    // Everything that can be refused is laid out first: a league that does not fit changes
    // nothing.
    requireSoundTables(image);
    requireTextsReadBack(teams);
    TextBlock texts(TeamTexts);
    for (int t = 0; t < TextTeams; ++t) {
        const TeamRecord& team = teams[static_cast<std::size_t>(t)];
        texts.addEntry(teamTextRecord(fixedWidth(toUpperAscii(team.Abbreviation), 4),
                                      toLowerAscii(trimSpaces(team.City)) + " " +
                                          toUpperAscii(trimSpaces(team.Name))));
    }
    for (const FixedRecord& fixed : FixedRecords)
        texts.addEntry(teamTextRecord(fixed.abbreviation, fixed.text));
    std::vector<std::size_t> textPointers = texts.entries();
    const std::size_t shared = textPointers[TextTeams + SharedFixedRecord];
    textPointers.insert(textPointers.begin() + TextTeams + SharedFixedRecord, shared);
    texts.requireEndsBy(teamTextsEnd(image), "team abbreviations, cities and names");

    const TextBlock schedule = scheduleNames(teams);

    TextBlock names(NameEntries);
    addPackedNames(names, teams, SnesIII);
    names.requireEndsBy(Attributes, "player names");

    ImageWrites writes;
    writes.put(CreditsLine, centredText(generalInfo.Credits, CreditsWidth, CreditsCentre),
               "credits line");
    writes.put(YearText, fixedWidth(generalInfo.Year, 4), "year");
    writes.put(WebLine, fixedWidth(" " + toUpperAscii(std::string(WebAddress)), WebLineWidth),
               "web address");

    texts.writeTo(writes, "team abbreviations, cities and names");
    writePointerTable(writes, TeamTextPointers, textPointers,
                      {PointerFormat::LittleEndian16, TeamTextBase, 0xFFFF}, "team-text table");

    schedule.writeTo(writes, "schedule names");
    writePointerTable(writes, SchedulePointers, schedule.entries(),
                      {PointerFormat::LittleEndian16, 0, 0xFFFF}, "schedule-name table");

    names.writeTo(writes, "player names");
    writes.put(Attributes, attributeRecords(teams, Records, SnesIII), "player attributes");
    writePointerTable(writes, NamePointers, names.entries(),
                      {PointerFormat::LittleEndian16, NameBase, 0xFFFF}, "player-name table");
    writes.apply(image);
}

} // namespace

const EditionCodec SnesIIIEdition{.edition = SnesIII,
                                  .textTeams = TextTeams,
                                  .creditsWidth = CreditsWidth,
                                  .importLeague = importSnesIII,
                                  .exportLeague = exportSnesIII};

} // namespace kvx
