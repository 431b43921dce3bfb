#include "document/csv.h"
#include "document/datafile.h"
#include "support/printers.h"
#include "support/random_league.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace kvx {
namespace {

// A random league with what a data file may hold beyond the editor's values: 16-bit extremes in
// every number, texts with separators, quotes, line breaks, outer spaces, NUL and bytes 0x80-0xFF.
League awkwardLeague(int teamCount, std::uint32_t seed) {
    League league = test::randomLeague(teamCount, seed);
    test::Random random(seed);
    const auto chance = [&](int percent) {
        return std::uniform_int_distribution<int>(0, 99)(random) < percent;
    };
    const auto value = [&] {
        constexpr std::array<int, 10> Edges = {-32768, -2, -1, 0, 15, 16, 99, 100, 255, 32767};
        return static_cast<std::int16_t>(
            chance(50) ? Edges[std::uniform_int_distribution<std::size_t>(0, 9)(random)]
                       : std::uniform_int_distribution<int>(-32768, 32767)(random));
    };
    const auto text = [&] {
        std::string alphabet = "aZ ,\"\r\n'=-\t";
        alphabet += std::string("\0\x7F\x80\xA0\xE9\xFF", 6);
        return test::randomText(random, std::uniform_int_distribution<std::size_t>(0, 8)(random),
                                alphabet);
    };
    for (int t = 0; t < teamCount; ++t) {
        TeamRecord& team = league.team(t);
        for (std::string* field : {&team.City, &team.Name, &team.Abbreviation, &team.ScheduleName})
            if (chance(50))
                *field = text();
        for (int edition = 1; edition <= EditionCount; ++edition)
            if (chance(20))
                team.RomSlot[edition] = value();
        for (PlayerRecord& player : team.Players) {
            if (chance(20))
                player.FirstName = text();
            if (chance(20))
                player.LastName = text();
            for (std::int16_t* field : {&player.Number, &player.Face, &player.ExtraNibble})
                if (chance(10))
                    *field = value();
            for (auto& attribute : player.Attributes)
                if (chance(5))
                    attribute = value();
        }
    }
    league.GeneralInfo.Year = chance(50) ? text().substr(0, 4) : "99";
    league.GeneralInfo.Month = value();
    league.GeneralInfo.Day = value();
    league.GeneralInfo.Credits = text();
    return league;
}

TEST(Csv, DataFileThroughCsvIsByteForByteTheSame) {
    for (const int teams : {0, 1, 3, 32}) {
        for (std::uint32_t seed = 1; seed <= 4; ++seed) {
            const auto dataFile = serializeDataFile(awkwardLeague(teams, seed));
            const std::string csv = leagueToCsv(*parseDataFile(dataFile));
            const League back = leagueFromCsv(csv);
            ASSERT_EQ(serializeDataFile(back), dataFile) << teams << " teams, seed " << seed;
            EXPECT_EQ(back.Teams.size(), static_cast<std::size_t>(std::max(teams, 1)));
            EXPECT_EQ(back.CurrentFile, "");
            EXPECT_EQ(leagueToCsv(back), csv);
        }
    }
}

TEST(Csv, LayoutForASpreadsheet) {
    League league;
    league.TeamCount = 1;
    league.GeneralInfo = {"1999", 3, 7, "Smith, \"J\" & Caf\xE9"};
    TeamRecord& team = league.Teams[0];
    team = TeamRecord{"Buffalo", "Bills", "BUF", " BUFFALO", {}, {}};
    for (int edition = 1; edition <= EditionCount; ++edition)
        team.RomSlot[edition] = static_cast<std::int16_t>(edition == 2 ? 0 : -1);
    team.Players[0] =
        PlayerRecord{"Zed", "Brantlow", 12, 3, {15, -1, 16, 0, 1, 2, 3, 4, 5, 6, 7}, 9};
    team.Players[1].Number = 100;

    const std::string csv = leagueToCsv(league);
    const std::string header =
        "Record,Team,City,Team Name,Abbreviation,Schedule Name,Slot,Number,First Name,Last Name,"
        "Face,RS,RP,MS,HP,BB,AG,Att 6,Att 7,Att 8,Att 9,Att 10,Extra Nibble,RomSlot 1,RomSlot 2,"
        "RomSlot 3,RomSlot 4,RomSlot 5,RomSlot 6,RomSlot 7,RomSlot 8,RomSlot 9,Team Count,Year,"
        "Month,Day,Credits\r\n";
    const std::string leagueRow =
        "league" + std::string(32, ',') + "1,1999,3,7,\"Smith, \"\"J\"\" & Caf\xC3\xA9\"\r\n";
    const std::string teamRow = "team,0,Buffalo,Bills,BUF,\" BUFFALO\"" + std::string(18, ',') +
                                "-1,0,-1,-1,-1,-1,-1,-1,-1" + std::string(5, ',') + "\r\n";
    const std::string players =
        "player,0,Buffalo,Bills,BUF,\" BUFFALO\",QB1,12,Zed,Brantlow,3,15,-1,raw:16,0,1,2,3,4,5,"
        "6,7,9" +
        std::string(14, ',') + "\r\n" +
        "player,0,Buffalo,Bills,BUF,\" BUFFALO\",QB2,raw:100,,,0,0,0,0,0,0,0,0,0,0,0,0,0" +
        std::string(14, ',') + "\r\n";
    EXPECT_EQ(csv.substr(0, header.size() + leagueRow.size() + teamRow.size() + players.size()),
              header + leagueRow + teamRow + players);
    EXPECT_NE(csv.find("\r\nplayer,0,Buffalo,Bills,BUF,\" BUFFALO\",P7,0,"), std::string::npos);
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 1 + 1 + 1 + PlayerSlots);

    // What the data file could not hold is not written either.
    league.GeneralInfo.Credits.assign(0x10000, 'A');
    EXPECT_THROW(leagueToCsv(league), CsvError);
}

// The writer's limit on the length of the text as a pair, the text kept whole or handed to a
// sink: a text exactly as long as the limit is written; one byte more refuses the row that would
// make it, before any of it is handed over.
TEST(Csv, TheLimitOnTheLengthIsAPair) {
    for (const std::size_t limit : {10, 9}) {
        std::string handed;
        CsvWriter kept(2, 0, limit);
        CsvWriter sunk(
            2, [&](std::string_view text) { handed += text; }, limit);
        for (CsvWriter* writer : {&kept, &sunk}) {
            writer->text(0, "ab"); // and an empty second cell
            writer->endRow();
            writer->text(0, "a");
            writer->text(1, "b");
            if (limit == 10) {
                writer->endRow();
                EXPECT_EQ(writer->finish(), writer == &kept ? "ab,\r\na,b\r\n" : "");
            } else {
                EXPECT_THROW(writer->endRow(), CsvError);
            }
        }
        EXPECT_EQ(handed, limit == 10 ? "ab,\r\na,b\r\n" : "");
    }
}

// Splits the CSV the writer makes of texts without separators, quotes or line breaks.
std::vector<std::vector<std::string>> gridOf(const std::string& csv) {
    std::vector<std::vector<std::string>> rows;
    std::size_t start = 0;
    while (start < csv.size()) {
        const std::size_t end = csv.find("\r\n", start);
        std::vector<std::string>& row = rows.emplace_back();
        std::size_t cell = start;
        for (std::size_t comma; (comma = csv.find(',', cell)) < end; cell = comma + 1)
            row.push_back(csv.substr(cell, comma - cell));
        row.push_back(csv.substr(cell, end - cell));
        start = end + 2;
    }
    return rows;
}

std::string csvOf(const std::vector<std::vector<std::string>>& rows, bool quoteAll = false,
                  std::string_view lineEnd = "\r\n") {
    std::string csv;
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i)
            csv += (i ? "," : "") + (quoteAll ? "\"" + row[i] + "\"" : row[i]);
        csv += lineEnd;
    }
    return csv;
}

League plainLeague() {
    League league = test::randomLeague(2, 3);
    league.GeneralInfo.Credits = "THE CREDITS";
    league.Teams[0].City = "Buffalo";
    league.Teams[1].City = "Miami";
    return league;
}

// The way a spreadsheet saves the file after the user sorted the rows and edited a cell.
TEST(Csv, ReadsAFileSortedAndSavedByASpreadsheet) {
    League league = plainLeague();
    auto rows = gridOf(leagueToCsv(league));
    rows[4][9] = "O\"\"Neil, Jr."; // team 0, QB2, Last Name, quoted below
    std::sort(rows.begin() + 1, rows.end(),
              [](const auto& a, const auto& b) { return a[9] + a[0] > b[9] + b[0]; });
    const std::string saved = "\xEF\xBB\xBF" + csvOf(rows, true, "\n") + "\n";

    const League read = leagueFromCsv(saved);
    league.Teams[0].Players[1].LastName = "O\"Neil, Jr.";
    EXPECT_EQ(read.TeamCount, 2);
    EXPECT_EQ(read.Teams, league.Teams);
    EXPECT_EQ(read.GeneralInfo, league.GeneralInfo);
    // Nor does the last line need its line ending.
    EXPECT_EQ(leagueFromCsv(saved.substr(0, saved.size() - 2)).Teams, league.Teams);
}

TEST(Csv, RefusalsNameLineColumnAndWhatWasExpected) {
    const auto rows = gridOf(leagueToCsv(plainLeague()));
    // Line 1 header, 2 league, 3 team 0, 4..73 its players QB1.., 74 team 1, 75.. its players.
    using Edit = std::function<void(std::vector<std::vector<std::string>>&)>;
    const auto cell = [](std::size_t line, std::size_t column, std::string text) -> Edit {
        return [=](auto& grid) { grid[line - 1][column - 1] = text; };
    };
    // Each limit as a pair: the row with an empty refusal holds the value at the limit, which is
    // read and written back as it stands; the row after it holds the first value past it.
    const std::string notUtf8 = "Line 4, column 9 (First Name): expected UTF-8 text; the byte ";
    const std::string notLatin1 = "Line 4, column 9 (First Name): expected characters U+0000 to "
                                  "U+00FF, which are single bytes in the league; the character ";
    const struct {
        Edit edit;
        std::string expected;
    } cases[] = {
        {cell(5, 8, "99"), ""},
        {cell(5, 8, "0"), ""},
        {cell(5, 8, "-1"), "Line 5, column 8 (Number): expected a jersey number from 0 to 99"},
        {cell(5, 12, "15"), ""},
        {cell(5, 12, "-1"), ""},
        {cell(5, 12, "-2"), "Line 5, column 12 (RS): expected a level from -1 to 15"},
        {cell(5, 8, "raw:32767"), ""},
        {cell(5, 8, "raw:-32768"), ""},
        {cell(5, 8, "raw:-32769"), "Line 5, column 8 (Number): expected a whole number from "
                                   "-32768 to 32767 after raw:"},
        {cell(2, 34, "9999"), ""},
        {cell(2, 37, std::string(0xFFFF, 'A')), ""},
        // The smallest and largest code point of each length, and the surrogates between.
        {cell(4, 9, "Z\xC2\x80\xC3\xBF"), ""},
        {cell(4, 9, "Z\xC1\xA9"), notUtf8 + "0xC1 (character 2 of the field)"},
        {cell(4, 9, "Zo\xC4\x80"), notLatin1 + "U+0100 (character 3"},
        {cell(4, 9, "Z\xE0\x80\xA9"), notUtf8 + "0xE0 (character 2 of the field)"},
        {cell(4, 9, "Z\xE0\x9F\xBF"), notUtf8 + "0xE0 (character 2 of the field)"},
        {cell(4, 9, "Z\xE0\xA0\x80"), notLatin1 + "U+0800 (character 2"},
        {cell(4, 9, "Z\xED\x9F\xBF"), notLatin1 + "U+D7FF (character 2"},
        {cell(4, 9, "Z\xED\xA0\x80"), notUtf8 + "0xED (character 2 of the field)"},
        {cell(4, 9, "Z\xED\xBF\xBF"), notUtf8 + "0xED (character 2 of the field)"},
        {cell(4, 9, "Z\xEE\x80\x80"), notLatin1 + "U+E000 (character 2"},
        {cell(4, 9, "Z\xF0\x8F\xBF\xBF"), notUtf8 + "0xF0 (character 2 of the field)"},
        {cell(4, 9, "Z\xF0\x90\x80\x80"), notLatin1 + "U+10000 (character 2"},
        {cell(4, 9, "Z\xF4\x90\x80\x80"), notUtf8 + "0xF4 (character 2 of the field)"},
        {cell(4, 7, "QB8"), "Line 4, column 7 (Slot): expected a slot label QB1..QB7, "},
        {cell(5, 12, "16"), "Line 5, column 12 (RS): expected a level from -1 to 15 (other "
                            "values as raw:N), found \"16\""},
        {cell(5, 8, "100"), "Line 5, column 8 (Number): expected a jersey number from 0 to 99"},
        {cell(5, 8, "raw:32768"), "Line 5, column 8 (Number): expected a whole number from "
                                  "-32768 to 32767 after raw:"},
        {[](auto& grid) { grid.erase(grid.begin() + 73, grid.end()); },
         "Line 2, column 33 (Team Count): expected a team row for team 1 of 2"},
        {cell(5, 7, "QB1"),
         "Line 5, column 7 (Slot): expected one row per slot; team 0 has QB1 on line 4 already"},
        {[](auto& grid) { grid[74].pop_back(); },
         "Line 75, column 37 (Credits): expected 37 fields; the row ends after 36"},
        {[](auto& grid) { grid[74].push_back(""); },
         "Line 75, column 38: expected the row to end after 37 fields"},
        {cell(4, 9, "Zo\xE2\x82\xAC"), "Line 4, column 9 (First Name): expected characters "
                                       "U+0000 to U+00FF, which are single bytes in the league; "
                                       "the character U+20AC (character 3 of the field)"},
        // Beyond the first plane the code point has five or six digits.
        {cell(4, 9, "\xF0\x9F\x98\x80"), "Line 4, column 9 (First Name): expected characters "
                                         "U+0000 to U+00FF, which are single bytes in the "
                                         "league; the character U+1F600 (character 1"},
        {cell(4, 10, "Z\xF4\x8F\xBF\xBF"), "Line 4, column 10 (Last Name): expected characters "
                                           "U+0000 to U+00FF, which are single bytes in the "
                                           "league; the character U+10FFFF (character 2"},
        {cell(4, 9, "Zo\xE9"), "Line 4, column 9 (First Name): expected UTF-8 text; the byte "
                               "0xE9 (character 3 of the field)"},
        {cell(80, 3, "Miamii"), "Line 80, column 3 (City): expected \"Miami\" as on line 74, "
                                "since every row of team 1 has the same city"},
        {cell(80, 2, "2"), "Line 80, column 2 (Team): expected a team index below the Team "
                           "Count 2 (line 2), found 2"},
        {[](auto& grid) { grid.erase(grid.begin() + 9); },
         "Line 3, column 7 (Slot): expected a player row for every slot; team 0 has none for QB7"},
        {cell(3, 11, "0"), "Line 3, column 11 (Face): expected an empty field: a team row has no "
                           "Face"},
        {cell(2, 1, "leage"), "Line 2, column 1 (Record): expected \"league\", \"team\" or "
                              "\"player\", found \"leage\""},
        {[](auto& grid) { grid.push_back(grid[1]); },
         "Line 145, column 1 (Record): expected one league row; there is one on line 2"},
        {[](auto& grid) { grid.erase(grid.begin() + 1); },
         "Line 144, column 1 (Record): expected a league row; the file has none"},
        {cell(2, 34, "19999"), "Line 2, column 34 (Year): expected at most 4 characters"},
        {cell(2, 37, std::string(0x10000, 'A')),
         "Line 2, column 37 (Credits): expected at most 65535 characters"},
        {cell(1, 10, "Surname"), "Line 1, column 10 (Last Name): expected the header "
                                 "\"Last Name\""},
        {[](auto& grid) { grid.insert(grid.begin() + 5, std::vector<std::string>{""}); },
         "Line 6, column 2 (Team): expected 37 fields; the row ends after 1"},
        {cell(4, 9, "Zed\"s"), "Line 4, column 9 (First Name): expected no quote inside an "
                               "unquoted field"},
        {cell(4, 9, "\"Zed\"s"), "Line 4, column 9 (First Name): expected a comma or the end "
                                 "of the line after the closing quote"},
        // A quote left open runs on to the next quote, lines later: the refusal names where it
        // opened.
        {[](auto& grid) {
             grid[5][8] = "\"Zed";
             grid[73][2] = "\"Miami\"";
         },
         "Line 6, column 9 (First Name): expected a closing quote for the quoted field that "
         "starts here; the quote that would close it, on line 74, is followed by other text"},
        {cell(144, 37, "\"Credits"), "Line 144, column 37 (Credits): expected a closing quote "
                                     "for the quoted field that starts here"},
        {cell(4, 9, "Zed\rX"), "Line 4, column 9 (First Name): expected a line ending (CR LF "
                               "or LF) after a carriage return"},
    };
    for (const auto& refusal : cases) {
        auto grid = rows;
        refusal.edit(grid);
        if (refusal.expected.empty()) {
            EXPECT_EQ(gridOf(leagueToCsv(leagueFromCsv(csvOf(grid)))), grid);
            continue;
        }
        try {
            leagueFromCsv(csvOf(grid));
            ADD_FAILURE() << "accepted; expected " << refusal.expected;
        } catch (const CsvError& error) {
            EXPECT_EQ(std::string(error.what()).substr(0, refusal.expected.size()),
                      refusal.expected);
        }
    }
    EXPECT_THROW(leagueFromCsv(std::string_view()), CsvError);
    EXPECT_NO_THROW(leagueFromCsv(csvOf(rows)));
}

} // namespace
} // namespace kvx
