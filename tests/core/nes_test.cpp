#include "base/error.h"
#include "document/tables.h"
#include "rom/commands.h"
#include "rom/romio.h"
#include "rom/routines.h"
#include "support/nes_image.h"
#include "support/rom_assertions.h"
#include "support/rom_checks.h"

#include <gtest/gtest.h>

namespace kvx {
namespace {

using test::buildNesImage;

const GeneralInfoRecord ImageInfo{"1993", 0, 0, "  ORIGINAL CREDITS     "};

std::vector<TeamRecord> nesTeams(std::uint32_t seed) {
    return test::imageStyleTeams(28, seed);
}

TEST(Nes, ImportReadsTheLeagueTheImageHolds) {
    const auto stored = nesTeams(1);
    GeneralInfoRecord info{"", 4, 5, ""};
    const auto teams = test::importTeams(Nes, buildNesImage(stored, ImageInfo, 2), &info);
    const auto expected = test::expectedShortRosterImport(stored, Nes);
    for (std::size_t t = 0; t < 28; ++t)
        EXPECT_EQ(teams[t], expected[t]) << "team " << t;
    EXPECT_EQ(info.Credits, "ORIGINAL CREDITS");
    EXPECT_EQ(info.Year, "1993");
    EXPECT_EQ(info.Month, 4); // the NES image keeps no month or day
    EXPECT_EQ(info.Day, 5);
}

TEST(Nes, ImportEdgeCases) {
    auto stored = nesTeams(3);
    stored[0].Abbreviation = "BUF ";
    stored[0].Name = "BILLS";
    stored[1].Players[0] = PlayerRecord{"", "", 12, 3, {}, 0}; // only the number byte
    auto& qb = stored[2].Players[1].Attributes;
    qb[7] = 4, qb[8] = 5, qb[9] = 6;
    auto& qb2 = stored[2].Players[0].Attributes;
    qb2[7] = 4, qb2[8] = 4, qb2[9] = 5;
    auto& kicker = stored[3].Players[56].Attributes;
    kicker[6] = 5, kicker[7] = 10;

    const auto teams = test::importTeams(Nes, buildNesImage(stored, ImageInfo, 4));
    EXPECT_EQ(teams[0].Abbreviation, "BUF ");
    EXPECT_EQ(teams[0].Name, "Bills");
    EXPECT_EQ(teams[0].ScheduleName, "BILLS");
    EXPECT_EQ(teams[1].Players[0].FirstName, "");
    EXPECT_EQ(teams[1].Players[0].LastName, "");
    EXPECT_EQ(teams[1].Players[0].Number, 12);
    EXPECT_EQ(teams[2].Players[1].Attributes[10], 5);
    EXPECT_EQ(teams[2].Players[0].Attributes[10], 4);
    EXPECT_EQ(teams[3].Players[56].Attributes[6], 5);
    EXPECT_EQ(teams[3].Players[56].Attributes[7], 10);
    EXPECT_EQ(teams[3].Players[56].Attributes[8], 10);

    // Credits differ only when the general information is read.
    const GeneralInfoRecord other{"1993", 0, 0, "SOMEBODY ELSE"};
    EXPECT_EQ(test::importTeams(Nes, buildNesImage(stored, other, 4)), teams);
}

TEST(Nes, ExportOfAnUnchangedImportReproducesTheLeague) {
    const auto stored = nesTeams(5);
    const RomImage original = buildNesImage(stored, ImageInfo, 6);
    const auto [image, result] = test::exportBack(original, test::importTeams(Nes, original), Nes);
    EXPECT_EQ(result.teamsReplaced, 28);
    EXPECT_TRUE(result.warnings.empty());

    const auto& a = original.bytes();
    const auto& b = image.bytes();
    // Player-name pointers and entries, attribute records and abbreviations are byte-identical.
    EXPECT_TRUE(std::equal(a.begin() + 0x48, a.begin() + 0x3CDB, b.begin() + 0x48));
    EXPECT_TRUE(std::equal(a.begin() + test::NesAbbreviations,
                           a.begin() + test::NesAbbreviations + 112,
                           b.begin() + test::NesAbbreviations));
    // So are the team texts and their table, as this image lays them out the way the export does.
    EXPECT_TRUE(std::equal(a.begin() + 0x1FC50, a.begin() + 0x1FD00 + 0x300, b.begin() + 0x1FC50));

    // What the export stamps: the credits, the name tag, the web address, four copies of the year.
    EXPECT_EQ(image.text(0xC4D1, 23), "       ANONYMOUS       ");
    EXPECT_EQ(image.text(0xC503, 11), " KVXM 2000 ");
    EXPECT_EQ(image.text(0xC4E9, 23), "   WWW.KVXM2000.TEST   ");
    for (std::size_t at : {0x1E128, 0x1E28A, 0x1E2BD, 0x1F89B})
        EXPECT_EQ(image.text(at, 4), "1999");

    EXPECT_TRUE(test::changedOnlyWithin(original, image, test::nesStampedRanges()));
}

TEST(Nes, ExportAfterEditsReimportsTheEditedLeague) {
    const RomImage original = buildNesImage(nesTeams(7), ImageInfo, 8);
    auto imported = test::importTeams(Nes, original);

    TeamRecord edited = imported[4];
    edited.City = "new york";
    edited.Name = "giants";
    edited.Abbreviation = "NY";
    edited.Players[0].FirstName = "Zed";
    edited.Players[0].LastName = "Brantlow";
    edited.Players[0].Number = 99;
    edited.Players[0].Face = 300; // stored as 300 AND 255
    edited.Players[0].Attributes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    edited.Players[7] = PlayerRecord{}; // an empty slot becomes "John" / "Doe n"
    TeamRecord moved = imported[0];     // the image's team 0 also goes to slot 20 (team 19)
    const League league = test::documentWithAssignments({{edited, 4}, {moved, 20}}, Nes);

    RomImage image = original;
    Export_ROM(Nes, league, image);
    const auto teams = test::importTeams(Nes, image);

    EXPECT_EQ(teams[4].City, "New York");
    EXPECT_EQ(teams[4].Name, "Giants");
    EXPECT_EQ(teams[4].ScheduleName, "GIANTS");
    EXPECT_EQ(teams[4].Abbreviation, "NY  ");
    const PlayerRecord& zed = teams[4].Players[0];
    EXPECT_EQ(zed.FirstName, "Zed");
    EXPECT_EQ(zed.LastName, "Brantlow");
    EXPECT_EQ(zed.Number, 99);
    EXPECT_EQ(zed.Face, 300 & 255);
    EXPECT_EQ(zed.Attributes, (std::array<std::int16_t, 11>{1, 2, 3, 4, 1, 2, 7, 8, 9, 10, 9}));
    EXPECT_EQ(teams[4].Players[7].FirstName, "John");
    EXPECT_EQ(teams[4].Players[7].LastName, "Doe " + std::to_string(4 * 70 + 7));
    EXPECT_EQ(teams[19].City, imported[0].City);
    EXPECT_EQ(teams[19].Players, imported[0].Players);
    for (int t : {0, 1, 2, 3, 5, 27})
        EXPECT_EQ(teams[static_cast<std::size_t>(t)], imported[static_cast<std::size_t>(t)]) << t;
}

TEST(Nes, RefusalsLeaveTheImageFileIdentical) {
    const RomImage original = buildNesImage(nesTeams(9), ImageInfo, 10);
    const test::ImageFile file(original, Nes, "game.nes");
    const auto imported = test::importTeams(Nes, original);

    TeamRecord numbered = imported[0];
    numbered.Players[7].Number = 100;
    EXPECT_TRUE(file.refusesTeam(numbered, 0, "number 100"));
    TeamRecord levelled = imported[0];
    levelled.Players[0].Attributes[6] = 16;
    EXPECT_TRUE(file.refusesTeam(levelled, 0, "Passing Speed"));
    TeamRecord longNames = imported[0];
    for (auto& player : longNames.Players)
        player.LastName = std::string(200, 'X');
    EXPECT_TRUE(file.refusesTeam(longNames, 0, "player names"));
    TeamRecord longCity = imported[0];
    longCity.City = std::string(1000, 'C');
    EXPECT_TRUE(file.refusesTeam(longCity, 0, "team cities and names"));
    // The rooms the export fills: to the byte, and one byte past it.
    EXPECT_TRUE(file.fillsItsRoomToTheByte(imported, test::Grown::LastNames, 40000, "player names",
                                           0x3010));
    EXPECT_TRUE(
        file.fillsItsRoomToTheByte(imported, test::Grown::Cities, 10000, "team cities and names"));
    // A number outside 0..99 in a slot the game never stores does not matter.
    TeamRecord unreached = imported[0];
    unreached.Players[6].FirstName = "x";
    unreached.Players[6].LastName = "Y";
    unreached.Players[6].Number = 500;
    EXPECT_NO_THROW(
        exportImageFile(file.path(), Nes, test::documentWithAssignments({{unreached, 0}}, Nes)));
}

TEST(Nes, ExportRefusesAnImageWhoseTablesPutBlocksOnEachOther) {
    // Found by fuzzing: with the first city pointer moved down to 0x16975, the team-text block
    // the image declares covers the year copies, the abbreviations and both team-text tables.
    // The export wrote it there, reported success, and left an image that held another league.
    RomImage image = buildNesImage(nesTeams(1), ImageInfo, 2);
    image.setU16le(0x1FC50, 0x2965);
    const RomImage damaged = image;
    const League league = test::documentAssigningEveryTeam(test::importTeams(Nes, image), Nes);
    EXPECT_THROW(Export_ROM(Nes, league, image), RomError);
    EXPECT_EQ(image.bytes(), damaged.bytes());
}

TEST(Nes, DamagedImagesAreRefusedWithoutHarm) {
    const RomImage original = buildNesImage(nesTeams(11), ImageInfo, 12);
    const League league =
        test::documentWithAssignments({{test::importTeams(Nes, original)[3], 0}}, Nes);
    const int tried = test::sweepDamagedImages(original, 13, 3000,
                                               {0x48, 0x6D0, 0x3010, 0x1FC10, 0x1FC50, 0x1FCD0},
                                               [&](const RomImage& damaged) {
                                                   std::vector<TeamRecord> teams;
                                                   GeneralInfoRecord info;
                                                   Import_ROM(Nes, damaged, teams, &info, 0);
                                                   RomImage copy = damaged;
                                                   Export_ROM(Nes, league, copy);
                                               });
    EXPECT_EQ(tried, 3000);
    EXPECT_THROW(test::importTeams(Nes, RomImage(std::vector<std::uint8_t>(0x100))), RomError);
}

} // namespace
} // namespace kvx
