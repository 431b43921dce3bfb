#include "base/error.h"
#include "rom/commands.h"
#include "rom/romio.h"
#include "rom/routines.h"
#include "support/rom_assertions.h"
#include "support/rom_checks.h"
#include "support/snes_image.h"

#include <gtest/gtest.h>

namespace kvx {
namespace {

using test::buildSnesIIIImage;

constexpr std::size_t SchedulePointers = 0xD1B2;
constexpr std::size_t CreditsLine = 0x173931;
constexpr std::size_t WebLine = 0x173943;
constexpr std::size_t YearText = 0x1BD6A5;
constexpr std::size_t Attributes = 0x1EC800;

const GeneralInfoRecord ImageInfo{"1996", 0, 0, " ORIG CREDITS"};

// What an import makes of teams stored in image form: every attribute a record holds is read as
// stored, nothing is derived; the free agents and old timers get their fixed names.
std::vector<TeamRecord> expectedImport(std::vector<TeamRecord> teams) {
    std::array<bool, 70> reached{};
    for (int k = 0; k < 37; ++k)
        reached[static_cast<std::size_t>(Roster_Slot(SnesIII, k))] = true;
    for (auto& team : teams) {
        for (std::size_t slot = 0; slot < 70; ++slot) {
            PlayerRecord& player = team.Players[slot];
            if (!reached[slot]) {
                player = PlayerRecord{};
                continue;
            }
            const std::size_t group = slot / 7;
            const std::size_t stored = group == QB ? 11 : group == K ? 10 : group == OL ? 6 : 8;
            for (std::size_t a = stored; a < 11; ++a)
                player.Attributes[a] = 0;
            player.ExtraNibble = 0;
        }
    }
    teams[30] = TeamRecord{"[Free", "Agents]", "F.A", "", teams[30].Players, {}};
    teams[31] = TeamRecord{"[Old", "Timers]", "OLD", "", teams[31].Players, {}};
    Capitalize_Names(teams);
    test::setImportedSlots(teams, SnesIII);
    return teams;
}

TEST(SnesIII, ImportReadsTheLeagueTheImageHolds) {
    auto stored = test::snesStyleTeams(32, 1);
    stored[0].Players[1].ExtraNibble = 5; // the low nibble of a quarterback's byte 6 is not read
    GeneralInfoRecord info{"", 4, 5, ""};
    const auto teams = test::importTeams(SnesIII, buildSnesIIIImage(stored, ImageInfo, 2), &info);
    const auto expected = expectedImport(stored);
    for (std::size_t t = 0; t < 32; ++t)
        EXPECT_EQ(teams[t], expected[t]) << "team " << t;
    EXPECT_EQ(info, (GeneralInfoRecord{"1996", 4, 5, "ORIG CREDITS"}));
}

TEST(SnesIII, TeamTextsSplitAtTheFirstCapitalOrDigit) {
    auto stored = test::snesStyleTeams(32, 3);
    auto text = [&](std::size_t t, const char* abbreviation, const char* city, const char* name) {
        stored[t].Abbreviation = abbreviation;
        stored[t].City = city;
        stored[t].Name = name;
    };
    text(0, "BUF ", "buffalo", "BILLS");
    text(1, "NYG", "new york", "GIANTS");
    text(2, "SF", "san francisco", "49ERS");
    text(3, "XX", "team2 city", "NAME");
    text(4, "ONE", "single", "");
    text(5, "SP", "  spaced ", "NAME");
    const auto teams = test::importTeams(SnesIII, buildSnesIIIImage(stored, ImageInfo, 4));

    auto split = [&](std::size_t t) {
        return std::vector<std::string>{teams[t].Abbreviation, teams[t].City, teams[t].Name,
                                        teams[t].ScheduleName};
    };
    using Texts = std::vector<std::string>;
    EXPECT_EQ(split(0), (Texts{"BUF ", "Buffalo", "Bills", stored[0].ScheduleName}));
    EXPECT_EQ(split(1), (Texts{"NYG", "New York", "Giants", stored[1].ScheduleName}));
    EXPECT_EQ(split(2), (Texts{"SF", "San Francisco", "49ers", stored[2].ScheduleName}));
    EXPECT_EQ(split(3), (Texts{"XX", "Team", "2 City Name", stored[3].ScheduleName}));
    // A text without a capital is all city; the name stays empty (and the case as stored).
    EXPECT_EQ(split(4), (Texts{"ONE", "single", "", stored[4].ScheduleName}));
    EXPECT_EQ(split(5), (Texts{"SP", "Spaced", "Name", stored[5].ScheduleName}));
    // The pseudo-teams, as capitalisation leaves them.
    EXPECT_EQ(split(30), (Texts{"F.A", "[free", "Agents]", ""}));
    EXPECT_EQ(split(31), (Texts{"OLD", "[old", "Timers]", ""}));
}

TEST(SnesIII, ExportOfAnUnchangedImportReproducesTheLeague) {
    const RomImage original = buildSnesIIIImage(test::snesStyleTeams(32, 5), ImageInfo, 6);
    const auto [image, result] =
        test::exportBack(original, test::importTeams(SnesIII, original), SnesIII);
    EXPECT_EQ(result.teamsReplaced, 30);
    EXPECT_TRUE(result.warnings.empty());

    EXPECT_EQ(image.text(CreditsLine, 17), "    ANONYMOUS    ");
    EXPECT_EQ(image.text(WebLine, 20), " WWW.KVXM2000.TEST  ");
    EXPECT_EQ(image.text(YearText, 4), "1999");
    EXPECT_TRUE(test::changedOnlyWithin(
        original, image,
        {{CreditsLine, CreditsLine + 17}, {WebLine, WebLine + 20}, {YearText, YearText + 4}}));
}

TEST(SnesIII, ExportAfterEditsReimportsTheEditedLeague) {
    auto stored = test::snesStyleTeams(32, 7);
    stored[4].City = "somewhere very far away"; // room for the longer texts below
    stored[19].City = stored[0].City + " and beyond";
    stored[30].Players[8].FirstName = ""; // a free agent without a first name
    const RomImage original = buildSnesIIIImage(stored, ImageInfo, 8);
    const auto imported = test::importTeams(SnesIII, original);

    TeamRecord edited = imported[4];
    edited.City = " New York ";
    edited.Name = "giants";
    edited.Abbreviation = "ny";
    edited.ScheduleName = "Jets5";
    PlayerRecord& qb = edited.Players[0];
    qb = PlayerRecord{"Zed", "Brantlow", 99, 300, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 9}, 7};
    edited.Players[56].Attributes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}; // the kicker
    edited.Players[55].LastName = "Seventh";                             // roster index 34
    edited.Players[7] = PlayerRecord{};
    const League league = test::documentWithAssignments({{edited, 4}, {imported[0], 19}}, SnesIII);

    RomImage image = original;
    Export_ROM(SnesIII, league, image);
    const auto teams = test::importTeams(SnesIII, image);

    EXPECT_EQ(teams[4].City, "New York");
    EXPECT_EQ(teams[4].Name, "Giants");
    EXPECT_EQ(teams[4].Abbreviation, "NY  ");
    EXPECT_EQ(teams[4].ScheduleName, "JETS5");
    // A five-letter schedule name: 13 - 5, the letters, 0xFF; the next record follows 7 on.
    const std::size_t schedule = image.u16le(SchedulePointers + 4 * 2);
    EXPECT_EQ(image.text(schedule, 7), "\x08JETS5\xFF");
    EXPECT_EQ(image.u16le(SchedulePointers + 5 * 2), schedule + 7);

    const PlayerRecord& zed = teams[4].Players[0];
    EXPECT_EQ(zed.FirstName, "Zed");
    EXPECT_EQ(zed.LastName, "Brantlow");
    EXPECT_EQ(zed.Number, 99);
    EXPECT_EQ(zed.Face, 300 & 255);
    EXPECT_EQ(zed.Attributes, (std::array<std::int16_t, 11>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 9}));
    EXPECT_EQ(zed.ExtraNibble, 0);
    EXPECT_EQ(image.byte(Attributes + 4 * 185 + 6), 0x90); // attribute 10 of 9, low nibble 0
    EXPECT_EQ(teams[4].Players[56].Attributes,
              (std::array<std::int16_t, 11>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0}));
    EXPECT_EQ(teams[4].Players[55].LastName, "Seventh");
    EXPECT_EQ(teams[4].Players[7].LastName, "Doe " + std::to_string(4 * 70 + 7));
    EXPECT_EQ(teams[19].City, imported[0].City);
    EXPECT_EQ(teams[19].ScheduleName, imported[0].ScheduleName);
    EXPECT_EQ(teams[19].Players, imported[0].Players);
    // The free agents are written back as read, the one without a first name included.
    for (int t : {0, 1, 3, 5, 18, 20, 29, 30, 31})
        EXPECT_EQ(teams[static_cast<std::size_t>(t)], imported[static_cast<std::size_t>(t)]) << t;
    EXPECT_EQ(teams[30].Players[8].FirstName, "");
}

TEST(SnesIII, RefusalsLeaveTheImageFileIdentical) {
    const RomImage original = buildSnesIIIImage(test::snesStyleTeams(32, 9), ImageInfo, 10);
    const test::ImageFile file(original, SnesIII, "game.smc");
    const auto imported = test::importTeams(SnesIII, original);

    TeamRecord numbered = imported[0];
    numbered.Players[55].Number = -1;
    EXPECT_TRUE(file.refusesTeam(numbered, 0, "number -1"));
    TeamRecord levelled = imported[0];
    levelled.Players[0].Attributes[10] = 16;
    EXPECT_TRUE(file.refusesTeam(levelled, 0, "Coolness"));

    // The team-text block may use what the image's own block used, not one byte more.
    TeamRecord longer = imported[0];
    longer.Name += "X";
    EXPECT_TRUE(file.refusesTeam(longer, 0, "team abbreviations, cities and names"));
    TeamRecord shorter = imported[1];
    shorter.Name = shorter.Name.substr(1);
    EXPECT_NO_THROW(exportImageFile(
        file.path(), SnesIII, test::documentWithAssignments({{longer, 0}, {shorter, 1}}, SnesIII)));
    file.restore();

    // Schedule names: 13 characters each, 325 bytes in all.
    TeamRecord scheduled = imported[0];
    scheduled.ScheduleName = "FOURTEEN CHARS";
    EXPECT_TRUE(
        file.refusesTeam(scheduled, 0, "schedule name \"FOURTEEN CHARS\" of " + imported[0].City));
    scheduled.ScheduleName = "THIRTEEN CHAR";
    EXPECT_NO_THROW(exportImageFile(file.path(), SnesIII,
                                    test::documentWithAssignments({{scheduled, 0}}, SnesIII)));
    file.restore();
    auto everyTeam = imported;
    for (auto& team : everyTeam)
        team.ScheduleName = "TWELVE CHARS"; // 30 records of 14 bytes
    EXPECT_TRUE(file.refuses(test::documentAssigningEveryTeam(everyTeam, SnesIII),
                             "schedule names do not fit"));

    // The player names must end before 0x1EC800: 15998 bytes.
    EXPECT_TRUE(
        file.refuses(test::leagueWithNameBlockOf(imported, SnesIII, 30, 15999), "player names"));
    EXPECT_NO_THROW(exportImageFile(file.path(), SnesIII,
                                    test::leagueWithNameBlockOf(imported, SnesIII, 30, 15998)));
    EXPECT_EQ(RomImage::load(file.path()).u16le(0x1E8040 + 1184 * 2), 0xC800);
}

TEST(SnesIII, DamagedImagesAreRefusedWithoutHarm) {
    const RomImage original = buildSnesIIIImage(test::snesStyleTeams(32, 11), ImageInfo, 12);
    EXPECT_EQ(test::sweepImportsAndExports(
                  original, SnesIII, test::importTeams(SnesIII, original)[3], 13, 2400,
                  {0x7000, 0x7040, 0x7048, 0xD1B2, 0xD1F0, 0x1E8040, 0x1E8980, 0x1EC800}),
              2400);
    EXPECT_THROW(test::importTeams(SnesIII, RomImage(std::vector<std::uint8_t>(0x8000))), RomError);
}

} // namespace
} // namespace kvx
