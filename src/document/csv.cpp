#include "document/csv.h"

#include "document/csvsyntax.h"
#include "document/tables.h"

#include <algorithm>
#include <array>
#include <limits>
#include <optional>
#include <string_view>
#include <vector>

namespace kvx {

namespace {

enum Column : int {
    RecordColumn,
    TeamColumn,
    CityColumn,
    TeamNameColumn,
    AbbreviationColumn,
    ScheduleNameColumn,
    SlotColumn,
    NumberColumn,
    FirstNameColumn,
    LastNameColumn,
    FaceColumn,
    FirstLevelColumn,
    ExtraNibbleColumn = FirstLevelColumn + AttributeCount,
    FirstRomSlotColumn,
    TeamCountColumn = FirstRomSlotColumn + EditionCount,
    YearColumn,
    MonthColumn,
    DayColumn,
    CreditsColumn,
    ColumnCount
};

constexpr std::array<std::string_view, ColumnCount> Headers = {
    "Record",    "Team",      "City",       "Team Name", "Abbreviation", "Schedule Name",
    "Slot",      "Number",    "First Name", "Last Name", "Face",         "RS",
    "RP",        "MS",        "HP",         "BB",        "AG",           "Att 6",
    "Att 7",     "Att 8",     "Att 9",      "Att 10",    "Extra Nibble", "RomSlot 1",
    "RomSlot 2", "RomSlot 3", "RomSlot 4",  "RomSlot 5", "RomSlot 6",    "RomSlot 7",
    "RomSlot 8", "RomSlot 9", "Team Count", "Year",      "Month",        "Day",
    "Credits"};
static_assert(Headers.back() == "Credits");

std::string_view header(int column) {
    return Headers.at(static_cast<std::size_t>(column));
}

// The team texts every player row repeats, in column order.
constexpr std::array<Column, 4> TeamTextColumns = {CityColumn, TeamNameColumn, AbbreviationColumn,
                                                   ScheduleNameColumn};
constexpr std::array<std::string_view, 4> TeamTextNames = {"city", "team name", "abbreviation",
                                                           "schedule name"};

enum class Kind { League, Team, Player };
constexpr std::array<std::string_view, 3> KindNames = {"league", "team", "player"};

std::string_view kindName(Kind kind) {
    return KindNames.at(static_cast<std::size_t>(kind));
}

// The columns a row of each kind fills; the others stay empty.
bool usedBy(Kind kind, int column) {
    switch (kind) {
    case Kind::League:
        return column == RecordColumn || column >= TeamCountColumn;
    case Kind::Team:
        return column <= ScheduleNameColumn ||
               (column >= FirstRomSlotColumn && column < TeamCountColumn);
    case Kind::Player:
        return column <= ExtraNibbleColumn;
    }
    return false;
}

// A counted text of the data file has a 16-bit length.
constexpr std::size_t MaxTextLength = 0xFFFF;
constexpr std::size_t YearLength = 4;

// Jersey numbers and levels are checked against what the editor and the game images use; a
// value outside that a data file still holds is written with this prefix and read back as it is.
constexpr std::string_view RawPrefix = "raw:";
struct Range {
    int low;
    int high;
    std::string_view what;
};
constexpr Range NumberRange{0, 99, "a jersey number"};
constexpr Range LevelRange{-1, 15, "a level"};
constexpr Range Int16Range{std::numeric_limits<std::int16_t>::min(),
                           std::numeric_limits<std::int16_t>::max(), "a whole number"};
constexpr int MaxTeams = std::numeric_limits<std::int16_t>::max();

std::optional<int> slotFromLabel(std::string_view label) {
    if (label.size() < 2 || label.back() < '1' || label.back() >= '1' + DepthPlaces)
        return std::nullopt;
    const auto group =
        std::find(GroupLabels.begin(), GroupLabels.end(), label.substr(0, label.size() - 1));
    if (group == GroupLabels.end())
        return std::nullopt;
    return static_cast<int>(group - GroupLabels.begin()) * DepthPlaces + (label.back() - '1');
}

[[noreturn]] void fail(int line, int column, const std::string& what) {
    failAt(line, column, Headers, what);
}

// ---- Writing ----------------------------------------------------------------------------------

// The data file's limits on the way out: a text it cannot hold is not written either, and a
// number outside its editor's range gets the raw: prefix.
class RowWriter {
public:
    // A CSV file is only ever as long as one that leagueFromCsv reads.
    explicit RowWriter(std::size_t expectedSize)
        : out_(ColumnCount, expectedSize, MaxCsvFileSize) {}
    explicit RowWriter(CsvSink sink) : out_(ColumnCount, std::move(sink), MaxCsvFileSize) {}

    void text(int column, std::string_view bytes) {
        if (bytes.size() > MaxTextLength)
            throw CsvError("The " + std::string(header(column)) + " " + quotedForMessage(bytes) +
                           " is too long to be written.");
        out_.text(column, bytes);
    }
    void number(int column, int value, const Range& plain = Int16Range) {
        const bool raw = value < plain.low || value > plain.high;
        out_.number(column, value, raw ? RawPrefix : std::string_view());
    }
    void end() { out_.endRow(); }
    std::string finish() { return out_.finish(); }

private:
    CsvWriter out_;
};

void writeTeamTexts(RowWriter& row, const TeamRecord& team) {
    row.text(CityColumn, team.City);
    row.text(TeamNameColumn, team.Name);
    row.text(AbbreviationColumn, team.Abbreviation);
    row.text(ScheduleNameColumn, team.ScheduleName);
}

// ---- Reading ----------------------------------------------------------------------------------

struct LeagueRow {
    int line = 0;
    int teamCount = 0;
    GeneralInfoRecord generalInfo;
};

// The texts of a team are kept with checkTeamTexts, the players come from the player rows.
struct TeamRow {
    int line = 0;
    int index = 0;
    RomSlots romSlot;
};

struct PlayerRow {
    int line = 0;
    int team = 0;
    int slot = 0;
    PlayerRecord player;
};

// The texts of a team as the first of its rows gives them.
struct TeamTexts {
    int line = 0;
    std::array<std::string, 4> texts;
};

// Checked access to the fields of one row.
class RowReader {
public:
    RowReader(std::span<const CsvField> fields, int line) : fields_(fields), line_(line) {}

    [[noreturn]] void fail(int column, const std::string& what) const {
        kvx::fail(fields_[static_cast<std::size_t>(column)].line, column, what);
    }

    std::string_view field(int column) const {
        return fields_[static_cast<std::size_t>(column)].text;
    }

    std::string_view text(int column, std::size_t longest = MaxTextLength) const {
        const std::string_view value = field(column);
        if (value.size() > longest)
            fail(column, "expected at most " + std::to_string(longest) + " characters");
        return value;
    }

    // A plain number within `plain`, or with `raw` any 16-bit value after the raw: prefix.
    int number(int column, const Range& plain, bool raw = false) const {
        const std::string_view value = field(column);
        if (raw && value.starts_with(RawPrefix)) {
            if (const auto parsed = parse(value.substr(RawPrefix.size()), Int16Range))
                return *parsed;
            fail(column, "expected a whole number from " + std::to_string(Int16Range.low) + " to " +
                             std::to_string(Int16Range.high) + " after " + std::string(RawPrefix) +
                             ", found " + quotedForMessage(value));
        }
        if (const auto parsed = parse(value, plain))
            return *parsed;
        fail(column, "expected " + std::string(plain.what) + " from " + std::to_string(plain.low) +
                         " to " + std::to_string(plain.high) +
                         (raw ? " (other values as " + std::string(RawPrefix) + "N)" : "") +
                         ", found " + quotedForMessage(value));
    }

    std::int16_t int16(int column, const Range& plain = Int16Range, bool raw = false) const {
        return static_cast<std::int16_t>(number(column, plain, raw));
    }

    void requireEmpty(Kind kind) const {
        for (int column = 0; column < ColumnCount; ++column)
            if (!usedBy(kind, column) && !field(column).empty())
                fail(column, "expected an empty field: a " + std::string(kindName(kind)) +
                                 " row has no " + std::string(header(column)));
    }

    int line() const { return line_; }

private:
    // Decimal digits with an optional minus sign, nothing else.
    static std::optional<int> parse(std::string_view text, const Range& range) {
        const bool negative = text.starts_with('-');
        const std::string_view digits = text.substr(negative ? 1 : 0);
        if (digits.empty() || digits.size() > 9)
            return std::nullopt;
        int value = 0;
        for (const char digit : digits) {
            if (digit < '0' || digit > '9')
                return std::nullopt;
            value = value * 10 + (digit - '0');
        }
        value = negative ? -value : value;
        if (value < range.low || value > range.high)
            return std::nullopt;
        return value;
    }

    std::span<const CsvField> fields_;
    int line_;
};

struct Rows {
    std::optional<LeagueRow> league;
    std::vector<TeamRow> teams;
    std::vector<PlayerRow> players;
    std::vector<TeamTexts> texts;
    std::vector<int> textsOfTeam; // team index -> 1 + index into texts, 0 for none yet
    int endLine = 0;
};

// Every row of a team, the team row and its player rows, carries the same team texts.
void checkTeamTexts(const RowReader& row, int team, Rows& rows) {
    const auto index = static_cast<std::size_t>(team);
    if (rows.textsOfTeam.size() <= index)
        rows.textsOfTeam.resize(index + 1, 0);
    int& known = rows.textsOfTeam[index];
    if (!known) {
        TeamTexts& first = rows.texts.emplace_back();
        first.line = row.line();
        for (std::size_t i = 0; i < TeamTextColumns.size(); ++i)
            first.texts[i] = row.text(TeamTextColumns[i]);
        known = static_cast<int>(rows.texts.size());
        return;
    }
    const TeamTexts& first = rows.texts[static_cast<std::size_t>(known - 1)];
    for (std::size_t i = 0; i < TeamTextColumns.size(); ++i)
        if (row.text(TeamTextColumns[i]) != first.texts[i])
            row.fail(TeamTextColumns[i], "expected " + quotedForMessage(first.texts[i]) +
                                             " as on line " + std::to_string(first.line) +
                                             ", since every row of team " + std::to_string(team) +
                                             " has the same " + std::string(TeamTextNames[i]));
}

void readLeagueRow(const RowReader& row, Rows& rows) {
    if (rows.league)
        row.fail(RecordColumn, "expected one league row; there is one on line " +
                                   std::to_string(rows.league->line));
    LeagueRow& league = rows.league.emplace();
    league.line = row.line();
    league.teamCount = row.number(TeamCountColumn, Range{0, MaxTeams, "a team count"});
    // Stored space-padded to four characters, as the data file holds it.
    league.generalInfo.Year = fittedYear(std::string(row.text(YearColumn, YearLength)));
    league.generalInfo.Month = row.int16(MonthColumn);
    league.generalInfo.Day = row.int16(DayColumn);
    league.generalInfo.Credits = row.text(CreditsColumn);
}

void readTeamRow(const RowReader& row, Rows& rows) {
    TeamRow& team = rows.teams.emplace_back();
    team.line = row.line();
    team.index = row.number(TeamColumn, Range{0, MaxTeams - 1, "a team index"});
    checkTeamTexts(row, team.index, rows);
    for (int edition = 1; edition <= EditionCount; ++edition)
        team.romSlot[edition] = row.int16(FirstRomSlotColumn + edition - 1);
}

void readPlayerRow(const RowReader& row, Rows& rows) {
    PlayerRow& player = rows.players.emplace_back();
    player.line = row.line();
    player.team = row.number(TeamColumn, Range{0, MaxTeams - 1, "a team index"});
    checkTeamTexts(row, player.team, rows);
    const auto slot = slotFromLabel(row.field(SlotColumn));
    if (!slot)
        row.fail(SlotColumn, "expected a slot label QB1..QB7, RB1..RB7, WR1..WR7, TE1..TE7, "
                             "OL1..OL7, DL1..DL7, LB1..LB7, DB1..DB7, K1..K7 or P1..P7, found " +
                                 quotedForMessage(row.field(SlotColumn)));
    player.slot = *slot;
    PlayerRecord& record = player.player;
    record.Number = row.int16(NumberColumn, NumberRange, true);
    record.FirstName = row.text(FirstNameColumn);
    record.LastName = row.text(LastNameColumn);
    record.Face = row.int16(FaceColumn);
    for (int attribute = 0; attribute < AttributeCount; ++attribute)
        record.Attributes[static_cast<std::size_t>(attribute)] =
            row.int16(FirstLevelColumn + attribute, LevelRange, true);
    record.ExtraNibble = row.int16(ExtraNibbleColumn);
}

Rows readRows(std::string_view text) {
    CsvReader reader(text, Headers);
    std::span<const CsvField> fields;
    const auto checkCount = [&] {
        if (fields.size() < ColumnCount)
            fail(fields.back().line, static_cast<int>(fields.size()),
                 "expected " + std::to_string(ColumnCount) + " fields; the row ends after " +
                     std::to_string(fields.size()));
    };

    fields = reader.next();
    if (fields.empty())
        fail(1, RecordColumn, "expected the header row; the file is empty");
    checkCount();
    for (int column = 0; column < ColumnCount; ++column)
        if (fields[static_cast<std::size_t>(column)].text != header(column))
            fail(1, column, "expected the header \"" + std::string(header(column)) + "\"");

    Rows rows;
    rows.players.reserve(text.size() / 64); // a player row is some 60 bytes at the least
    while (!(fields = reader.next()).empty()) {
        checkCount();
        const RowReader row(fields, fields[0].line);
        const auto kind = std::find(KindNames.begin(), KindNames.end(), fields[0].text);
        if (kind == KindNames.end())
            row.fail(RecordColumn, "expected \"league\", \"team\" or \"player\", found " +
                                       quotedForMessage(fields[0].text));
        const auto which = static_cast<Kind>(kind - KindNames.begin());
        row.requireEmpty(which);
        switch (which) {
        case Kind::League:
            readLeagueRow(row, rows);
            break;
        case Kind::Team:
            readTeamRow(row, rows);
            break;
        case Kind::Player:
            readPlayerRow(row, rows);
            break;
        }
    }
    rows.endLine = reader.line();
    return rows;
}

// Every team once, every slot of every team once.
League assemble(Rows& rows) {
    if (!rows.league)
        fail(rows.endLine, RecordColumn, "expected a league row; the file has none");
    const LeagueRow& leagueRow = *rows.league;
    const int count = leagueRow.teamCount;
    const auto outside = [&](int index) {
        return "expected a team index below the Team Count " + std::to_string(count) + " (line " +
               std::to_string(leagueRow.line) + "), found " + std::to_string(index);
    };

    std::vector<const TeamRow*> teamRows(static_cast<std::size_t>(count));
    for (const TeamRow& row : rows.teams) {
        if (row.index >= count)
            fail(row.line, TeamColumn, outside(row.index));
        const TeamRow*& entry = teamRows[static_cast<std::size_t>(row.index)];
        if (entry)
            fail(row.line, TeamColumn,
                 "expected one team row per team; team " + std::to_string(row.index) +
                     " has one on line " + std::to_string(entry->line));
        entry = &row;
    }
    for (int t = 0; t < count; ++t)
        if (!teamRows[static_cast<std::size_t>(t)])
            fail(leagueRow.line, TeamCountColumn,
                 "expected a team row for team " + std::to_string(t) + " of " +
                     std::to_string(count) + "; the file has none");

    std::vector<int> slotLines(static_cast<std::size_t>(count) * PlayerSlots, 0);
    for (const PlayerRow& row : rows.players) {
        if (row.team >= count)
            fail(row.line, TeamColumn, outside(row.team));
        int& seen = slotLines[static_cast<std::size_t>(row.team * PlayerSlots + row.slot)];
        if (seen)
            fail(row.line, SlotColumn,
                 "expected one row per slot; team " + std::to_string(row.team) + " has " +
                     Slot_Label(row.slot) + " on line " + std::to_string(seen) + " already");
        seen = row.line;
    }
    for (int t = 0; t < count; ++t)
        for (int slot = 0; slot < PlayerSlots; ++slot)
            if (!slotLines[static_cast<std::size_t>(t * PlayerSlots + slot)])
                fail(teamRows[static_cast<std::size_t>(t)]->line, SlotColumn,
                     "expected a player row for every slot; team " + std::to_string(t) +
                         " has none for " + Slot_Label(slot));

    League league;
    league.Teams.resize(static_cast<std::size_t>(std::max(count, 1)));
    league.TeamCount = static_cast<std::int16_t>(count);
    league.GeneralInfo = std::move(rows.league->generalInfo);
    for (int t = 0; t < count; ++t) {
        TeamRecord& team = league.team(t);
        auto& [city, name, abbreviation, scheduleName] =
            rows.texts[static_cast<std::size_t>(rows.textsOfTeam[static_cast<std::size_t>(t)] - 1)]
                .texts;
        team.City = std::move(city);
        team.Name = std::move(name);
        team.Abbreviation = std::move(abbreviation);
        team.ScheduleName = std::move(scheduleName);
        team.RomSlot = teamRows[static_cast<std::size_t>(t)]->romSlot;
    }
    for (PlayerRow& row : rows.players)
        league.team(row.team).player(row.slot) = std::move(row.player);
    return league;
}

void writeRows(const League& league, RowWriter& row) {
    const int count = league.teamCount();
    for (int column = 0; column < ColumnCount; ++column)
        row.text(column, header(column));
    row.end();

    const std::string year = fittedYear(league.GeneralInfo.Year);
    row.text(RecordColumn, kindName(Kind::League));
    row.number(TeamCountColumn, count);
    row.text(YearColumn, year);
    row.number(MonthColumn, league.GeneralInfo.Month);
    row.number(DayColumn, league.GeneralInfo.Day);
    row.text(CreditsColumn, league.GeneralInfo.Credits);
    row.end();

    for (int t = 0; t < count; ++t) {
        const TeamRecord& team = league.team(t);
        row.text(RecordColumn, kindName(Kind::Team));
        row.number(TeamColumn, t);
        writeTeamTexts(row, team);
        for (int edition = 1; edition <= EditionCount; ++edition)
            row.number(FirstRomSlotColumn + edition - 1, team.RomSlot[edition]);
        row.end();

        for (int slot = 0; slot < PlayerSlots; ++slot) {
            const PlayerRecord& player = team.player(slot);
            row.text(RecordColumn, kindName(Kind::Player));
            row.number(TeamColumn, t);
            writeTeamTexts(row, team);
            row.text(SlotColumn, Slot_Label(slot));
            row.number(NumberColumn, player.Number, NumberRange);
            row.text(FirstNameColumn, player.FirstName);
            row.text(LastNameColumn, player.LastName);
            row.number(FaceColumn, player.Face);
            for (int attribute = 0; attribute < AttributeCount; ++attribute)
                row.number(FirstLevelColumn + attribute,
                           player.Attributes[static_cast<std::size_t>(attribute)], LevelRange);
            row.number(ExtraNibbleColumn, player.ExtraNibble);
            row.end();
        }
    }
}

} // namespace

std::string leagueToCsv(const League& league) {
    RowWriter row(static_cast<std::size_t>(league.teamCount() + 1) * (PlayerSlots + 1) * 128);
    writeRows(league, row);
    return row.finish();
}

void writeLeagueCsv(const League& league, const CsvSink& sink) {
    RowWriter row(sink);
    writeRows(league, row);
    row.finish();
}

std::size_t leagueCsvSize(const League& league) {
    std::size_t size = 0;
    writeLeagueCsv(league, [&size](std::string_view text) { size += text.size(); });
    return size;
}

League leagueFromCsv(std::string_view text) {
    Rows rows = readRows(text);
    return assemble(rows);
}

League leagueFromCsv(std::span<const std::uint8_t> bytes) {
    return leagueFromCsv(
        std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

} // namespace kvx
