#include "base/error.h"
#include "rom/commands.h"
#include "rom/romio.h"
#include "rom/routines.h"
#include "support/rom_assertions.h"
#include "support/rom_checks.h"
#include "support/snes_image.h"

#include <gtest/gtest.h>

#include <tuple>

namespace kvx {
namespace {

using test::buildSnesIImage;

constexpr std::size_t DateLine = 0x123294;
constexpr std::size_t CreditsLine = 0x172C83;
constexpr std::size_t YearText = 0x17106A;

const GeneralInfoRecord ImageInfo{"1993", 8, 31, "ORIG CREDITS"};

GeneralInfoRecord importInfo(const RomImage& image) {
    GeneralInfoRecord info;
    test::importTeams(SnesI, image, &info);
    return info;
}

TEST(SnesI, ImportReadsTheLeagueTheImageHolds) {
    const auto stored = test::snesStyleTeams(28, 1);
    GeneralInfoRecord info;
    const auto teams = test::importTeams(SnesI, buildSnesIImage(stored, ImageInfo, 2), &info);
    const auto expected = test::expectedShortRosterImport(stored, SnesI);
    for (std::size_t t = 0; t < 28; ++t)
        EXPECT_EQ(teams[t], expected[t]) << "team " << t;
    EXPECT_EQ(info, (GeneralInfoRecord{"1993", 8, 31, "ORIG CREDITS"}));
}

TEST(SnesI, DateLines) {
    RomImage image = buildSnesIImage(test::snesStyleTeams(28, 3), ImageInfo, 4);
    auto dateOf = [&](const std::string& line) {
        image.setText(DateLine, line);
        const GeneralInfoRecord info = importInfo(image);
        return std::tuple(static_cast<int>(info.Month), static_cast<int>(info.Day), info.Year);
    };
    EXPECT_EQ(dateOf("    08 31 1993"), std::tuple(8, 31, std::string("1993")));
    EXPECT_EQ(dateOf(std::string(14, ' ')), std::tuple(8, 0, std::string("    ")));
    EXPECT_EQ(dateOf("    12 05 1994"), std::tuple(12, 5, std::string("1994")));
    EXPECT_EQ(dateOf("     3  7 1995"), std::tuple(3, 7, std::string("1995")));
    EXPECT_EQ(dateOf("    00 15 1996"), std::tuple(8, 15, std::string("1996"))); // no month: 8
    EXPECT_EQ(dateOf("    1A B2 1997"), std::tuple(1, 0, std::string("1997")));

    League league = test::documentWithAssignments({}, SnesI);
    league.GeneralInfo = GeneralInfoRecord{"1995", 3, 7, "Twenty Characters..."};
    Export_ROM(SnesI, league, image);
    EXPECT_EQ(image.text(DateLine, 14), "    03 07 1995");
    EXPECT_EQ(image.text(YearText, 4), "1995");
    EXPECT_EQ(image.text(CreditsLine, 15), "Twenty Characte"); // cut, case kept
    const GeneralInfoRecord info = importInfo(image);
    EXPECT_EQ(info.Month, 3);
    EXPECT_EQ(info.Day, 7);
}

TEST(SnesI, ImportEdgeCases) {
    auto stored = test::snesStyleTeams(28, 5);
    stored[0].City = "BUFFALO";
    stored[0].Name = "";
    stored[0].Abbreviation = "BUF ";
    stored[1].City = "new york";
    stored[1].Name = "GIANTS";
    stored[2].Players[0] = PlayerRecord{"", "", 12, 3, {}, 0}; // only the number byte
    auto& qb = stored[3].Players[1].Attributes;
    qb[7] = 4, qb[8] = 5, qb[9] = 6;
    auto& kicker = stored[3].Players[56].Attributes;
    kicker[6] = 5, kicker[7] = 10;
    stored[3].Players[54].LastName = "EXTRABACK"; // roster index 31

    const auto teams = test::importTeams(SnesI, buildSnesIImage(stored, ImageInfo, 6));
    // A team text without a space is both the city and the name.
    EXPECT_EQ(teams[0].City, "Buffalo");
    EXPECT_EQ(teams[0].Name, "Buffalo");
    EXPECT_EQ(teams[0].Abbreviation, "BUF ");
    EXPECT_EQ(teams[1].City, "New York");
    EXPECT_EQ(teams[1].Name, "Giants");
    EXPECT_EQ(teams[1].ScheduleName, "GIANTS");
    EXPECT_EQ(teams[2].Players[0].FirstName, "");
    EXPECT_EQ(teams[2].Players[0].LastName, "");
    EXPECT_EQ(teams[2].Players[0].Number, 12);
    EXPECT_EQ(teams[3].Players[1].Attributes[10], 5);
    EXPECT_EQ(teams[3].Players[56].Attributes[8], 10);
    EXPECT_EQ(teams[3].Players[54].LastName, "Extraback");
}

TEST(SnesI, ExportOfAnUnchangedImportReproducesTheLeague) {
    const RomImage original = buildSnesIImage(test::snesStyleTeams(28, 7), ImageInfo, 8);
    const auto [image, result] =
        test::exportBack(original, test::importTeams(SnesI, original), SnesI);
    EXPECT_EQ(result.teamsReplaced, 28);
    EXPECT_TRUE(result.warnings.empty());

    // Team texts, division table, player names and attribute records come back byte for byte;
    // only the general information differs.
    EXPECT_EQ(image.text(CreditsLine, 15), "ANONYMOUS      ");
    EXPECT_EQ(image.text(DateLine, 14), "    03 07 1999");
    EXPECT_EQ(image.text(YearText, 4), "1999");
    EXPECT_TRUE(test::changedOnlyWithin(
        original, image,
        {{CreditsLine, CreditsLine + 15}, {DateLine, DateLine + 14}, {YearText, YearText + 4}}));
}

TEST(SnesI, ExportAfterEditsReimportsTheEditedLeague) {
    auto stored = test::snesStyleTeams(28, 9);
    // Room in the team-text block for the longer texts below.
    stored[4].City = "somewhere very far away";
    stored[19].City = stored[0].City + " and beyond";
    const RomImage original = buildSnesIImage(stored, ImageInfo, 10);
    const auto imported = test::importTeams(SnesI, original);

    TeamRecord edited = imported[4];
    edited.City = "New York";
    edited.Name = "giants";
    edited.Abbreviation = "ny";
    PlayerRecord& zed = edited.Players[0];
    zed = PlayerRecord{"Zed", "Brantlow", 99, 300, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 0};
    edited.Players[53].LastName = "Backfield"; // roster index 30
    edited.Players[7] = PlayerRecord{};        // an empty slot becomes "John" / "Doe n"
    const League league =
        test::documentWithAssignments({{edited, 4}, {imported[0], 20}}, SnesI); // 20: team 19

    RomImage image = original;
    Export_ROM(SnesI, league, image);
    const auto teams = test::importTeams(SnesI, image);

    EXPECT_EQ(teams[4].City, "New York");
    EXPECT_EQ(teams[4].Name, "Giants");
    EXPECT_EQ(teams[4].ScheduleName, "GIANTS");
    EXPECT_EQ(teams[4].Abbreviation, "NY  ");
    EXPECT_EQ(image.text(0x1721F5, 4), "NY  "); // its place in the division table
    const PlayerRecord& back = teams[4].Players[0];
    EXPECT_EQ(back.FirstName, "Zed");
    EXPECT_EQ(back.LastName, "Brantlow");
    EXPECT_EQ(back.Number, 99);
    EXPECT_EQ(back.Face, 300 & 255);
    // Body balance, agility and coolness are the game's, not the document's.
    EXPECT_EQ(back.Attributes, (std::array<std::int16_t, 11>{1, 2, 3, 4, 1, 2, 7, 8, 9, 10, 9}));
    EXPECT_EQ(teams[4].Players[53].LastName, "Backfield");
    EXPECT_EQ(teams[4].Players[7].FirstName, "John");
    EXPECT_EQ(teams[4].Players[7].LastName, "Doe " + std::to_string(4 * 70 + 7));
    EXPECT_EQ(teams[19].City, imported[0].City);
    EXPECT_EQ(teams[19].Players, imported[0].Players);
    for (int t : {0, 1, 3, 5, 18, 20, 27})
        EXPECT_EQ(teams[static_cast<std::size_t>(t)], imported[static_cast<std::size_t>(t)]) << t;
}

TEST(SnesI, RefusalsLeaveTheImageFileIdentical) {
    const RomImage original = buildSnesIImage(test::snesStyleTeams(28, 11), ImageInfo, 12);
    const test::ImageFile file(original, SnesI, "game.smc");
    const auto imported = test::importTeams(SnesI, original);

    TeamRecord numbered = imported[0];
    numbered.Players[53].Number = 100;
    EXPECT_TRUE(file.refusesTeam(numbered, 0, "number 100"));
    TeamRecord levelled = imported[0];
    levelled.Players[56].Attributes[7] = 16;
    EXPECT_TRUE(file.refusesTeam(levelled, 0, "Kicking Accuracy"));

    // The team-text block may use what the image's own block used, not one byte more.
    TeamRecord longer = imported[0];
    longer.City += "x";
    EXPECT_TRUE(file.refusesTeam(longer, 0, "team abbreviations, cities and names"));
    TeamRecord shorter = imported[1];
    shorter.City = shorter.City.substr(1);
    EXPECT_NO_THROW(exportImageFile(
        file.path(), SnesI, test::documentWithAssignments({{longer, 0}, {shorter, 1}}, SnesI)));
    file.restore();

    // The player names may run up to 0x17DFFF: 22726 bytes.
    EXPECT_TRUE(
        file.refuses(test::leagueWithNameBlockOf(imported, SnesI, 28, 22727), "player names"));
    EXPECT_NO_THROW(exportImageFile(file.path(), SnesI,
                                    test::leagueWithNameBlockOf(imported, SnesI, 28, 22726)));
    EXPECT_EQ(RomImage::load(file.path()).u16le(0x178038 + 896 * 2), 0xE000);
    file.restore();

    // The date line holds month and day in two digits each: 99 and 0 are written and read back.
    for (const auto& [month, day] : {std::pair(99, 99), std::pair(1, 0)}) {
        League dated = test::documentWithAssignments({{imported[0], 0}}, SnesI);
        dated.GeneralInfo.Month = static_cast<std::int16_t>(month);
        dated.GeneralInfo.Day = static_cast<std::int16_t>(day);
        EXPECT_NO_THROW(exportImageFile(file.path(), SnesI, dated));
        GeneralInfoRecord read;
        std::vector<TeamRecord> teams;
        Import_ROM(SnesI, RomImage::load(file.path()), teams, &read, 0);
        EXPECT_EQ(read.Month, month);
        EXPECT_EQ(read.Day, day);
        file.restore();
    }
    League badMonth = test::documentWithAssignments({{imported[0], 0}}, SnesI);
    badMonth.GeneralInfo.Month = 100;
    EXPECT_TRUE(file.refuses(badMonth, "month of the roster date is 100"));
    League badDay = test::documentWithAssignments({{imported[0], 0}}, SnesI);
    badDay.GeneralInfo.Day = -1;
    EXPECT_TRUE(file.refuses(badDay, "day of the roster date is -1"));
}

TEST(SnesI, DamagedImagesAreRefusedWithoutHarm) {
    const RomImage original = buildSnesIImage(test::snesStyleTeams(28, 13), ImageInfo, 14);
    EXPECT_EQ(test::sweepImportsAndExports(
                  original, SnesI, test::importTeams(SnesI, original)[3], 15, 2400,
                  {0x7000, 0x7030, 0x703C, 0x123294, 0x178038, 0x178700, 0x17E000}),
              2400);
    EXPECT_THROW(test::importTeams(SnesI, RomImage(std::vector<std::uint8_t>(0x8000))), RomError);
}

} // namespace
} // namespace kvx
