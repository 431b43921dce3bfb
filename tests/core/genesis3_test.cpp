#include "base/error.h"
#include "rom/commands.h"
#include "rom/romio.h"
#include "support/genesis_image.h"
#include "support/rom_assertions.h"
#include "support/rom_checks.h"

#include <gtest/gtest.h>

namespace kvx {
namespace {

using test::buildGenesisIIIImage;

const GeneralInfoRecord ImageInfo{"1995", 0, 0, "THIRD CREDITS GO HERE!Z"};

constexpr std::size_t NamePointers = 0x25210;
constexpr std::size_t ScheduleNames = 0x12806E;

std::size_t namesEnd(const RomImage& image) {
    return image.u32be(NamePointers + 4 * 1184);
}

TEST(GenesisIII, ImportReadsTheLeagueAndTheTwoFixedTeams) {
    const auto stored = test::genesisStyleTeams(32, 1);
    GeneralInfoRecord info;
    const RomImage image = buildGenesisIIIImage(stored, ImageInfo, 2);
    EXPECT_EQ(detectEdition(image), GenesisIII);
    const auto teams = test::importTeams(GenesisIII, image, &info);
    const auto expected = test::expectedLongRosterImport(stored, GenesisIII);
    for (std::size_t t = 0; t < 32; ++t)
        EXPECT_EQ(teams[t], expected[t]) << "team " << t;
    EXPECT_EQ(teams[30].City, "[free");
    EXPECT_EQ(teams[30].Name, "Agents]");
    EXPECT_EQ(teams[31].Abbreviation, "OLD");
    EXPECT_EQ(info.Credits, "THIRD CREDITS GO HERE!"); // 22 bytes of the 23
    EXPECT_EQ(info.Year, "1995");
}

TEST(GenesisIII, ImportEdgeCases) {
    auto stored = test::genesisStyleTeams(32, 3);
    stored[28].City = "ST. LOUIS";
    stored[28].Abbreviation = "S.L.";
    stored[28].ScheduleName = "ST. LOUIS";
    RomImage image = buildGenesisIIIImage(stored, ImageInfo, 4);
    // The image keeps "\" for every "."; a quarterback's last byte keeps level 10 high only.
    EXPECT_EQ(image.text(0x22864 + 28 * 4, 4), "S\\L\\");
    const std::size_t area = namesEnd(image) + namesEnd(image) % 2;
    image.setByte(area + 2 * 185 + 6, 0xA7);

    const auto teams = test::importTeams(GenesisIII, image);
    EXPECT_EQ(teams[28].City, "St. Louis");
    EXPECT_EQ(teams[28].Abbreviation, "S.L.");
    EXPECT_EQ(teams[28].ScheduleName, "ST. LOUIS");
    EXPECT_EQ(teams[2].Players[0].Attributes[10], 10);
}

TEST(GenesisIII, ExportOfAnUnchangedImportReproducesTheLeague) {
    const auto stored = test::genesisStyleTeams(32, 5);
    const RomImage original = buildGenesisIIIImage(stored, ImageInfo, 6);
    const auto imported = test::importTeams(GenesisIII, original);
    const auto [image, result] = test::exportBack(original, imported, GenesisIII);
    EXPECT_EQ(result.teamsReplaced, 30);
    EXPECT_TRUE(result.warnings.empty());

    EXPECT_EQ(image.text(0x1587C6, 23), "       ANONYMOUS       ");
    EXPECT_EQ(image.text(0x1587E6, 33), " KVXM 2000] BY WWW\\KVXM2000\\TEST ");
    EXPECT_EQ(image.text(0x12C1D3, 4), "1999");
    EXPECT_EQ(image.u32be(0x22064), namesEnd(image) + namesEnd(image) % 2);
    // Texts, schedule names, names and attributes come out as the builder laid them.
    EXPECT_TRUE(test::changedOnlyWithin(
        original, image,
        {{0x1587C6, 0x1587C6 + 23}, {0x1587E6, 0x1587E6 + 33}, {0x12C1D3, 0x12C1D3 + 4}}));
    EXPECT_EQ(test::importTeams(GenesisIII, image), imported);
}

TEST(GenesisIII, ExportAfterEditsReimportsEveryLevel) {
    auto stored = test::genesisStyleTeams(32, 7);
    stored[4].City = "SOMEWHERE VERY FAR AWAY FROM HERE";
    test::lengthenLastNames(stored[4], 10);
    const RomImage original = buildGenesisIIIImage(stored, ImageInfo, 8);
    const auto imported = test::importTeams(GenesisIII, original);

    TeamRecord edited = imported[4];
    edited.City = "st. louis";
    edited.Name = "rams";
    edited.Abbreviation = "S.L.";
    edited.ScheduleName = "abcdefghijklmn"; // 14: from column 1, its first 13
    edited.Players[0] =
        PlayerRecord{"Zed", "Brantlow", 7, 511, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 0};
    edited.Players[56].Attributes = {15, 14, 13, 12, 11, 10, 1, 2, 3, 4, 5};
    edited.Players[28].Attributes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    League league = test::documentWithAssignments({{edited, 4}}, GenesisIII);
    league.GeneralInfo.Credits = "A CREDITS LINE OF 25 CH.";

    RomImage image = original;
    const ExportResult result = Export_ROM(GenesisIII, league, image);
    // Each value cut to fit is said: the credits line, the face and the schedule name.
    ASSERT_EQ(result.cuts.size(), 3u);
    EXPECT_NE(result.cuts[0].find("\"A CREDITS LINE OF 25 CH\""), std::string::npos);
    EXPECT_NE(result.cuts[1].find("face 511"), std::string::npos);
    EXPECT_NE(result.cuts[2].find("abcdefghijklmn"), std::string::npos);

    GeneralInfoRecord info;
    const auto teams = test::importTeams(GenesisIII, image, &info);
    EXPECT_EQ(info.Credits, "A CREDITS LINE OF 25 C");
    EXPECT_EQ(teams[4].City, "St. Louis");
    EXPECT_EQ(teams[4].Name, "Rams");
    EXPECT_EQ(teams[4].Abbreviation, "S.L.");
    EXPECT_EQ(teams[4].ScheduleName, "ABCDEFGHIJKLM");
    EXPECT_EQ(image.text(ScheduleNames + 4 * 13, 13), "ABCDEFGHIJKLM");
    const PlayerRecord& zed = teams[4].Players[0];
    EXPECT_EQ(zed.FirstName, "Zed");
    EXPECT_EQ(zed.LastName, "Brantlow");
    EXPECT_EQ(zed.Number, 7);
    EXPECT_EQ(zed.Face, 255);
    EXPECT_EQ(zed.Attributes, (std::array<std::int16_t, 11>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    EXPECT_EQ(teams[4].Players[56].Attributes,
              (std::array<std::int16_t, 11>{15, 14, 13, 12, 11, 10, 1, 2, 3, 4, 0}));
    EXPECT_EQ(teams[4].Players[28].Attributes,
              (std::array<std::int16_t, 11>{1, 2, 3, 4, 5, 6, 0, 0, 0, 0, 0}));
    // The kicker's position bytes: 6|7, 8|9.
    const std::size_t area = image.u32be(0x22064);
    const std::size_t kicker = area + 4 * 185 + 185 - 5 - 6;
    EXPECT_EQ(image.byte(kicker + 4), 0x12);
    EXPECT_EQ(image.byte(kicker + 5), 0x34);
    // The free agents and old timers keep the image's own players.
    for (std::size_t t : {0, 5, 29, 30, 31})
        EXPECT_EQ(teams[t], imported[t]) << t;
}

TEST(GenesisIII, AnOddEndOfTheNamesIsFollowedByTheFiller) {
    auto stored = test::genesisStyleTeams(32, 9);
    test::lengthenLastNames(stored[0], 2);
    const RomImage original = buildGenesisIIIImage(stored, ImageInfo, 10);
    const auto imported = test::importTeams(GenesisIII, original);
    for (const std::size_t cut : {0, 1}) {
        TeamRecord team = imported[0];
        team.Players[0].LastName.resize(team.Players[0].LastName.size() - 2 + cut);
        RomImage image = original;
        Export_ROM(GenesisIII, test::documentWithAssignments({{team, 0}}, GenesisIII), image);
        const std::size_t end = namesEnd(image);
        EXPECT_EQ(image.u32be(0x22064), end + end % 2);
        if (end % 2) {
            EXPECT_EQ(image.byte(end), 0xFF);
        }
        EXPECT_EQ(test::importTeams(GenesisIII, image)[0].Players[0].LastName,
                  team.Players[0].LastName);
    }
}

TEST(GenesisIII, RefusalsLeaveTheImageFileIdentical) {
    const RomImage original = buildGenesisIIIImage(test::genesisStyleTeams(32, 11), ImageInfo, 12);
    const test::ImageFile file(original, GenesisIII, "game.bin");
    const auto imported = test::importTeams(GenesisIII, original);

    TeamRecord numbered = imported[29];
    numbered.Players[40].Number = 123; // the sixth defensive lineman
    EXPECT_TRUE(file.refusesTeam(numbered, 29, "number 123"));
    TeamRecord levelled = imported[29];
    levelled.Players[0].Attributes[10] = 16;
    EXPECT_TRUE(file.refusesTeam(levelled, 29, "Coolness"));
    TeamRecord longCity = imported[29];
    longCity.City += "X";
    EXPECT_TRUE(file.refusesTeam(longCity, 29, "team cities and nicknames"));
    TeamRecord longNames = imported[29];
    longNames.Players[0].LastName += "XX";
    EXPECT_TRUE(file.refusesTeam(longNames, 29, "player names and attributes"));
    EXPECT_TRUE(file.fillsItsRoomToTheByte(imported, test::Grown::LastNames, 20000,
                                           "player names and attributes"));
    EXPECT_TRUE(file.fillsItsRoomToTheByte(imported, test::Grown::Cities, 5000,
                                           "team cities and nicknames"));

    // An image whose season labels seem to lie before the league texts begin is damaged.
    RomImage damaged = original;
    test::putU32be(damaged, 0x226D0 + 4 * 64, 0x22000);
    EXPECT_THROW(Export_ROM(GenesisIII, test::documentWithAssignments({}, GenesisIII), damaged),
                 RomError);
    EXPECT_EQ(damaged.u32be(0x226D0 + 4 * 64), 0x22000u);

    EXPECT_TRUE(test::exportIntoShortImageRefused(original, imported, GenesisIII, 0x158800));
}

TEST(GenesisIII, DamagedImagesAreRefusedWithoutHarm) {
    const RomImage original = buildGenesisIIIImage(test::genesisStyleTeams(32, 13), ImageInfo, 14);
    EXPECT_EQ(test::sweepDamagedGenesisImages(
                  original, GenesisIII, 15, 2000,
                  {0x22064, 0x226D0, 0x227D0, 0x22864, NamePointers + 4 * 1180}),
              2000);
    EXPECT_THROW(test::importTeams(GenesisIII, RomImage(std::vector<std::uint8_t>(0x26000))),
                 RomError);
}

} // namespace
} // namespace kvx
