#include "base/error.h"
#include "rom/commands.h"
#include "rom/romio.h"
#include "rom/routines.h"
#include "support/genesis_image.h"
#include "support/rom_assertions.h"
#include "support/rom_checks.h"

#include <gtest/gtest.h>

namespace kvx {
namespace {

using Rosters = std::array<std::vector<TeamRecord>, 3>;

const GeneralInfoRecord ImageInfo{"1994", 0, 0, "SECOND CREDITS"};

constexpr std::size_t AttributeBlock = 5180;
constexpr std::size_t ScheduleNames = 0x5A1D8;

// Three different rosters. The export writes roster 1 (with the document's teams) where roster 3
// was, so roster 3's longer names leave it room to do so.
Rosters genesisIIRosters(std::uint32_t seed) {
    Rosters rosters = {test::genesisStyleTeams(28, seed), test::genesisStyleTeams(28, seed + 1),
                       test::genesisStyleTeams(28, seed + 2)};
    for (TeamRecord& team : rosters[2])
        test::lengthenLastNames(team, 2);
    return rosters;
}

std::vector<TeamRecord> importRoster(const RomImage& image, int roster,
                                     GeneralInfoRecord* info = nullptr) {
    std::vector<TeamRecord> teams;
    const ImportResult result = Import_ROM(GenesisII, image, teams, info, roster);
    EXPECT_EQ(result.teamCount, 28);
    EXPECT_TRUE(result.warnings.empty());
    return teams;
}

// Where the image's name and attribute blocks lie, walked the way the game does.
struct Blocks {
    std::size_t tables[3];
    std::size_t attributes;
};

Blocks walk(const RomImage& image) {
    Blocks blocks{};
    std::size_t table = 0x271AE;
    for (std::size_t& at : blocks.tables) {
        at = table;
        const std::size_t end = image.u32be(table + 4 * 1036);
        table = end + (end & 1);
    }
    blocks.attributes = table;
    return blocks;
}

TEST(GenesisII, EachRosterImportsItsOwnNamesAndAttributes) {
    Rosters rosters = genesisIIRosters(1);
    const RomImage image = test::buildGenesisIIImage(rosters, ImageInfo, 4);
    EXPECT_EQ(detectEdition(image), GenesisII);
    // The builder ends the second name block at an odd offset: one filler byte follows it.
    EXPECT_EQ(walk(image).tables[2], test::GenesisIIThirdNameBlock);
    EXPECT_EQ(image.u32be(walk(image).tables[1] + 4 * 1036), test::GenesisIIThirdNameBlock - 1);

    for (int roster = 1; roster <= 3; ++roster) {
        const auto teams = importRoster(image, roster);
        const auto expected = test::expectedLongRosterImport(
            rosters[static_cast<std::size_t>(roster - 1)], GenesisII);
        for (std::size_t t = 0; t < 28; ++t)
            EXPECT_EQ(teams[t], expected[t]) << "roster " << roster << " team " << t;
    }
    GeneralInfoRecord info;
    EXPECT_EQ(importRoster(image, 0, &info), importRoster(image, 1));
    EXPECT_EQ(info.Credits, "SECOND CREDITS");
    EXPECT_EQ(info.Year, "1994");
}

TEST(GenesisII, ImportEdgeCases) {
    Rosters rosters = genesisIIRosters(5);
    rosters[0][0].Abbreviation = "L.A.";
    rosters[0][0].City = "L.A.";
    rosters[0][0].ScheduleName = "L.A. RAMS";
    RomImage image = test::buildGenesisIIImage(rosters, ImageInfo, 8);
    EXPECT_EQ(image.text(ScheduleNames, 13), "  L\\A\\ RAMS  ");

    // Roster 2, team 3: the kicker (roster index 35) and the first quarterback.
    const std::size_t block = walk(image).attributes + AttributeBlock;
    const std::size_t team = block + 3 * 185;
    const std::size_t kicker = team + 185 - 5 - 6;
    image.setByte(kicker + 3, 0x3A);
    image.setByte(team + 5, 0x5C);

    const auto teams = importRoster(image, 2);
    EXPECT_EQ(teams[0].Abbreviation, "L.A.");
    EXPECT_EQ(teams[0].City, "L.A.");
    EXPECT_EQ(teams[0].ScheduleName, "L.A. RAMS");
    EXPECT_EQ(teams[3].Players[56].Attributes[6], 10);
    EXPECT_EQ(teams[3].Players[0].Attributes[10], 12);
    for (const TeamRecord& t : teams)
        for (int k = 0; k < 37; ++k) {
            const PlayerRecord& p = t.Players[static_cast<std::size_t>(Roster_Slot(GenesisII, k))];
            EXPECT_EQ(p.Attributes[5], p.Attributes[4]);
        }
}

TEST(GenesisII, ExportWritesRosterThreeAndThreeEqualAttributeBlocks) {
    Rosters rosters = genesisIIRosters(9);
    rosters[0][4].City = "SOMEWHERE VERY FAR AWAY FROM HERE";
    test::lengthenLastNames(rosters[0][4], 10);
    const RomImage original = test::buildGenesisIIImage(rosters, ImageInfo, 12);
    const auto imported = importRoster(original, 1);

    TeamRecord edited = imported[4];
    edited.City = "new york";
    edited.Name = "giants";
    edited.Abbreviation = "N.Y.";
    edited.ScheduleName = "Giants";
    edited.Players[0] =
        PlayerRecord{"Zed", "Brantlow", 99, 300, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 0};
    edited.Players[56].Attributes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    edited.Players[28].Attributes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    League league = test::documentAssigningEveryTeam(imported, GenesisII);
    league.Teams[4] = edited;
    league.Teams[4].RomSlot[GenesisII] = 4;

    RomImage image = original;
    const ExportResult result = Export_ROM(GenesisII, league, image);
    EXPECT_TRUE(result.warnings.empty());

    // The name pointers and records of roster 3 hold the exported league (roster 1 as edited).
    const auto third = importRoster(image, 3);
    EXPECT_EQ(third[4].City, "New York");
    EXPECT_EQ(third[4].Abbreviation, "N.Y.");
    EXPECT_EQ(third[4].ScheduleName, "GIANTS");
    EXPECT_EQ(image.text(ScheduleNames + 4 * 13, 13), "    GIANTS   ");
    EXPECT_EQ(image.text(0x25800 + 16, 4), "N\\Y\\");
    const PlayerRecord& zed = third[4].Players[0];
    EXPECT_EQ(zed.FirstName, "Zed");
    EXPECT_EQ(zed.LastName, "Brantlow");
    EXPECT_EQ(zed.Number, 99);
    EXPECT_EQ(zed.Face, 300 & 255);
    EXPECT_EQ(zed.Attributes, (std::array<std::int16_t, 11>{1, 2, 3, 4, 5, 5, 7, 8, 9, 10, 11}));
    EXPECT_EQ(third[4].Players[56].Attributes,
              (std::array<std::int16_t, 11>{1, 2, 3, 4, 5, 5, 7, 8, 9, 0, 0}));
    EXPECT_EQ(third[4].Players[28].Attributes,
              (std::array<std::int16_t, 11>{1, 2, 3, 4, 5, 5, 0, 0, 0, 0, 0}));
    for (std::size_t t : {0, 1, 5, 27})
        EXPECT_EQ(third[t], imported[t]) << t;

    // Rosters 1 and 2 keep their names and numbers but share the exported attributes.
    for (int roster : {1, 2}) {
        const auto teams = importRoster(image, roster);
        const auto& before = rosters[static_cast<std::size_t>(roster - 1)];
        for (std::size_t t = 0; t < 28; ++t)
            for (int k = 0; k < 37; ++k) {
                const auto slot = static_cast<std::size_t>(Roster_Slot(GenesisII, k));
                EXPECT_EQ(toUpperAscii(teams[t].Players[slot].LastName),
                          before[t].Players[slot].LastName);
                EXPECT_EQ(teams[t].Players[slot].Number, before[t].Players[slot].Number);
                EXPECT_EQ(teams[t].Players[slot].Attributes, third[t].Players[slot].Attributes);
            }
    }

    // The blocks of rosters 1 and 2 are untouched; three equal attribute blocks follow roster 3.
    const Blocks blocks = walk(image);
    EXPECT_EQ(blocks.tables[2], test::GenesisIIThirdNameBlock);
    EXPECT_TRUE(std::equal(original.bytes().begin() + 0x271AE, original.bytes().begin() + 0x2F00D,
                           image.bytes().begin() + 0x271AE));
    const std::string first = image.text(blocks.attributes, AttributeBlock);
    EXPECT_EQ(image.text(blocks.attributes + AttributeBlock, AttributeBlock), first);
    EXPECT_EQ(image.text(blocks.attributes + 2 * AttributeBlock, AttributeBlock), first);
    for (std::size_t at : {0x2506C, 0x25070, 0x25074})
        EXPECT_EQ(image.u32be(at), blocks.attributes);

    EXPECT_EQ(image.text(0x125E88, 23), "       ANONYMOUS       ");
    EXPECT_EQ(image.text(0x5E0E9, 4), "1999");
    EXPECT_TRUE(test::changedOnlyWithin(
        original, image,
        {{0x125E88, 0x125E88 + 23},
         {0x5E0E9, 0x5E0E9 + 4},
         {0x2506C, 0x25078},
         {0x2567C, walk(original).tables[0]}, // league-text table and block
         {ScheduleNames, ScheduleNames + 28 * 13},
         {test::GenesisIIThirdNameBlock, walk(original).attributes + 3 * AttributeBlock}}));
}

TEST(GenesisII, AnOddEndOfTheNamesIsFollowedByTheFiller) {
    Rosters rosters = genesisIIRosters(13);
    const RomImage original = test::buildGenesisIIImage(rosters, ImageInfo, 16);
    const auto imported = importRoster(original, 3);
    for (const std::size_t cut : {1, 2}) {
        TeamRecord team = imported[0];
        team.Players[0].LastName.resize(team.Players[0].LastName.size() - cut);
        RomImage image = original;
        Export_ROM(GenesisII, test::documentWithAssignments({{team, 0}}, GenesisII), image);
        const std::size_t end = image.u32be(test::GenesisIIThirdNameBlock + 4 * 1036);
        const std::size_t start = image.u32be(0x2506C);
        EXPECT_EQ(start % 2, 0u);
        EXPECT_EQ(start, end + end % 2);
        if (end % 2) {
            EXPECT_EQ(image.byte(end), 0xFF);
        }
        EXPECT_EQ(importRoster(image, 3)[0].Players[0].LastName, team.Players[0].LastName);
    }
}

TEST(GenesisII, ScheduleNamesAreCentredInThirteenBytes) {
    Rosters rosters = genesisIIRosters(17);
    const RomImage original = test::buildGenesisIIImage(rosters, ImageInfo, 20);
    auto teams = importRoster(original, 1);
    teams[0].ScheduleName = "ABCDEFGHIJKLM";      // 13: from column 1
    teams[1].ScheduleName = "ABCDEFGHIJKL";       // 12: 2
    teams[2].ScheduleName = "ABCDEFGHIJK";        // 11: 2
    teams[3].ScheduleName = "abcdefghij";         // 10: 3
    teams[4].ScheduleName = "A";                  // 1: 7
    teams[5].ScheduleName = "  ST. LOUIS  ";      // trimmed first
    teams[6].ScheduleName = "ABCDEFGHIJKLMNOPQ";  // cut to 13, said so
    teams[7].ScheduleName = "ABCDEFGHIJKL     X"; // cut to 13, then trimmed
    RomImage image = original;
    const ExportResult result =
        Export_ROM(GenesisII, test::documentAssigningEveryTeam(teams, GenesisII), image);
    auto field = [&](std::size_t t) { return image.text(ScheduleNames + 13 * t, 13); };
    EXPECT_EQ(field(0), "ABCDEFGHIJKLM");
    EXPECT_EQ(field(1), " ABCDEFGHIJKL");
    EXPECT_EQ(field(2), " ABCDEFGHIJK ");
    EXPECT_EQ(field(3), "  ABCDEFGHIJ ");
    EXPECT_EQ(field(4), "      A      ");
    EXPECT_EQ(field(5), "  ST\\ LOUIS  ");
    EXPECT_EQ(field(6), "ABCDEFGHIJKLM");
    EXPECT_EQ(field(7), " ABCDEFGHIJKL");
    ASSERT_EQ(result.cuts.size(), 2u);
    EXPECT_NE(result.cuts[0].find("ABCDEFGHIJKLMNOPQ"), std::string::npos);
    EXPECT_EQ(importRoster(image, 1)[5].ScheduleName, "ST. LOUIS");
}

TEST(GenesisII, RefusalsLeaveTheImageFileIdentical) {
    Rosters rosters = genesisIIRosters(21);
    const RomImage original = test::buildGenesisIIImage(rosters, ImageInfo, 24);
    const test::ImageFile file(original, GenesisII, "game.bin");
    const auto imported = importRoster(original, 1);

    TeamRecord numbered = imported[0];
    numbered.Players[55].Number = -1; // the seventh defensive back
    EXPECT_TRUE(file.refusesTeam(numbered, 0, "number -1"));
    TeamRecord levelled = imported[0];
    levelled.Players[56].Attributes[8] = 16;
    EXPECT_TRUE(file.refusesTeam(levelled, 0, "Avoid Block"));
    TeamRecord longCity = imported[0];
    longCity.Name += "X";
    EXPECT_TRUE(file.refusesTeam(longCity, 0, "team cities and nicknames"));
    TeamRecord longNames = imported[0];
    for (int k = 0; k < 37; ++k) // as many bytes as one name of 5000 characters took
        longNames.Players[static_cast<std::size_t>(Roster_Slot(GenesisII, k))].LastName +=
            std::string(136, 'X');
    EXPECT_TRUE(file.refusesTeam(longNames, 0, "player names and attributes"));
    EXPECT_TRUE(file.fillsItsRoomToTheByte(imported, test::Grown::LastNames, 20000,
                                           "player names and attributes"));
    EXPECT_TRUE(file.fillsItsRoomToTheByte(imported, test::Grown::Cities, 5000,
                                           "team cities and nicknames"));

    EXPECT_TRUE(test::exportIntoShortImageRefused(original, imported, GenesisII, 0x125E90));

    // An image whose third name block is not at 0x2F00E: writing there would damage the rosters.
    for (const std::size_t third : {0x2F00A, 0x2F010}) {
        Rosters other = genesisIIRosters(21);
        const RomImage shifted = test::buildGenesisIIImage(other, ImageInfo, 24, third);
        EXPECT_EQ(walk(shifted).tables[2], third);
        const test::ImageFile shiftedFile(shifted, GenesisII, "shifted.bin");
        EXPECT_TRUE(shiftedFile.refusesTeam(importRoster(shifted, 1)[0], 0, "0x2F00E"));
        EXPECT_EQ(importRoster(shifted, 3), test::expectedLongRosterImport(other[2], GenesisII));
    }
}

TEST(GenesisII, DamagedImagesAreRefusedWithoutHarm) {
    Rosters rosters = genesisIIRosters(25);
    const RomImage original = test::buildGenesisIIImage(rosters, ImageInfo, 28);
    const Blocks blocks = walk(original);
    EXPECT_EQ(test::sweepDamagedGenesisImages(
                  original, GenesisII, 29, 2000,
                  {0x2567C, 0x2576C, 0x25800, blocks.tables[0] + 4 * 1030, blocks.tables[1],
                   blocks.tables[1] + 4 * 1030, blocks.tables[2], blocks.tables[2] + 4 * 1030}),
              2000);
    EXPECT_THROW(importRoster(RomImage(std::vector<std::uint8_t>(0x30000)), 1), RomError);
}

} // namespace
} // namespace kvx
