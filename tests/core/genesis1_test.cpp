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

using test::buildGenesisIImage;

const GeneralInfoRecord ImageInfo{"1993", 0, 0, "  ORIGINAL CREDITS     "};

// Where the export puts its three further abbreviation copies per team: P(t), P(t) + d1, P(t) + d2.
constexpr std::size_t AbbreviationPlaces[28] = {
    0x1CE92, 0x1CEC2, 0x1CEF2, 0x1CF22, 0x1CF52, 0x1CE9C, 0x1CECC, 0x1CEFC, 0x1CF2C, 0x1CEA6,
    0x1CED6, 0x1CF06, 0x1CF36, 0x1CF66, 0x1CFB2, 0x1CFE2, 0x1D012, 0x1D042, 0x1D072, 0x1CFBC,
    0x1CFEC, 0x1D01C, 0x1D04C, 0x1D07C, 0x1CFC6, 0x1CFF6, 0x1D026, 0x1D056};

std::vector<std::size_t> abbreviationCopies(std::size_t t) {
    const bool middle = t >= 14 && t <= 23;
    const std::size_t p = AbbreviationPlaces[t];
    return {p, p + (middle ? 930 : 978), p + (middle ? 7462 : 7510)};
}

// Everything an export stamps besides the league texts, names and attributes.
std::vector<std::pair<std::size_t, std::size_t>> stampedRanges() {
    std::vector<std::pair<std::size_t, std::size_t>> ranges = {
        {0x1CCFC, 0x1CCFC + 23},  {0x1CD2A, 0x1CD2A + 23},  {0x1CD41, 0x1CD41 + 23},
        {0x1CD77, 0x1CD77 + 4},   {0x4B6AA, 0x4B6AA + 4},   {0x4C164, 0x4C164 + 4},
        {0x43402, 0x43402 + 112}, {0x4347A, 0x4347A + 448}, {0x4367A, 0x4367A + 448}};
    for (std::size_t t = 0; t < 28; ++t)
        for (std::size_t at : abbreviationCopies(t))
            ranges.emplace_back(at, at + 4);
    return ranges;
}

// The offset the player-name pointer table gives for roster entry i.
std::size_t nameRecord(const RomImage& image, std::size_t i) {
    return image.u16be(0x5862 + 2 * i);
}

TEST(GenesisI, ImportReadsTheLeagueTheImageHolds) {
    const auto stored = test::genesisStyleTeams(28, 1);
    GeneralInfoRecord info{"", 4, 5, ""};
    const RomImage image = buildGenesisIImage(stored, ImageInfo, 2);
    EXPECT_EQ(detectEdition(image), GenesisI);
    const auto teams = test::importTeams(GenesisI, image, &info);
    const auto expected = test::expectedShortRosterImport(stored, GenesisI);
    for (std::size_t t = 0; t < 28; ++t)
        EXPECT_EQ(teams[t], expected[t]) << "team " << t;
    EXPECT_EQ(info.Credits, "ORIGINAL CREDITS");
    EXPECT_EQ(info.Year, "1993");
    EXPECT_EQ(info.Month, 4);
}

TEST(GenesisI, ImportEdgeCases) {
    auto stored = test::genesisStyleTeams(28, 3);
    stored[0].Abbreviation = "L.A.";
    stored[1].Players[0] = PlayerRecord{"", "", 12, 3, {}, 0}; // only the number byte
    stored[1].Players[1].FirstName = "zed";
    stored[1].Players[1].LastName = "McQUILLAN";
    auto& qb = stored[2].Players[0].Attributes;
    qb[7] = 5, qb[8] = 5, qb[9] = 6;
    auto& kicker = stored[3].Players[56].Attributes;
    kicker[6] = 5, kicker[7] = 10;
    RomImage image = buildGenesisIImage(stored, ImageInfo, 4);

    // Bytes the edition does not use: a lineman's two position bytes, a receiver's fifth byte.
    const std::size_t area = image.u16be(0x5F62);
    auto entry = [&](std::size_t team, std::size_t k) { return area + 5 * (team * 32 + k); };
    RomImage noisy = image;
    noisy.setByte(entry(5, 12) + 3, 0xAB);
    noisy.setByte(entry(5, 12) + 4, 0xCD);
    noisy.setByte(entry(5, 6) + 4, 0xEF);
    EXPECT_EQ(test::importTeams(GenesisI, noisy), test::importTeams(GenesisI, image));

    // Number bytes are binary-coded decimal read up to the first non-digit.
    noisy.setByte(nameRecord(image, 5 * 32 + 2), 0x07);
    noisy.setByte(nameRecord(image, 5 * 32 + 3), 0x1A);

    const auto teams = test::importTeams(GenesisI, noisy);
    EXPECT_EQ(teams[0].Abbreviation, "L.A.");
    EXPECT_EQ(teams[1].Players[0].FirstName, "");
    EXPECT_EQ(teams[1].Players[0].LastName, "");
    EXPECT_EQ(teams[1].Players[0].Number, 12);
    EXPECT_EQ(teams[1].Players[1].FirstName, "Zed"); // split at the M, never back
    EXPECT_EQ(teams[1].Players[1].LastName, "Mcquillan");
    EXPECT_EQ(teams[2].Players[0].Attributes[10], 5); // 16 / 3
    EXPECT_EQ(teams[3].Players[56].Attributes[8], 10);
    EXPECT_EQ(teams[5].Players[7].Number, 7);
    EXPECT_EQ(teams[5].Players[8].Number, 1);
    EXPECT_EQ(teams[0].ScheduleName, stored[0].Name); // the nickname as stored
}

TEST(GenesisI, ANamePointerOfZeroIsReportedAndTheImportGoesOn) {
    RomImage image = buildGenesisIImage(test::genesisStyleTeams(28, 5), ImageInfo, 6);
    const std::size_t end = nameRecord(image, 1);
    image.setU16be(0x5862, 0);
    Warnings warnings;
    const auto teams = test::importTeams(GenesisI, image, nullptr, &warnings);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], "0, " + std::to_string(end));
    // The record runs from offset 0: its number byte is the image's first byte.
    EXPECT_EQ(teams[0].Players[0].Number, decodeJerseyNumber(image.byte(0)));
}

TEST(GenesisI, NicknamesFollowTheirWholePointersAndCitiesTheLowerHalves) {
    RomImage image = buildGenesisIImage(test::genesisStyleTeams(28, 21), ImageInfo, 22);
    const std::string city = test::importTeams(GenesisI, image)[0].City;
    // The last nickname moved to 0x60000, where only a whole 32-bit pointer reaches; the upper
    // half of the first city's entry set, which its 16-bit reading ignores.
    image.setText(0x60000, "FARAWAYS");
    test::putU32be(image, 0x4644 + 4 * 59, 0x60000);
    test::putU32be(image, 0x4644 + 4 * 60, 0x60008);
    image.setU16be(0x4644, 0xABCD);
    const auto teams = test::importTeams(GenesisI, image);
    EXPECT_EQ(teams[27].Name, "Faraways");
    EXPECT_EQ(teams[0].City, city);

    // A nickname beyond the end of the image is damage, not an empty name.
    test::putU32be(image, 0x4644 + 4 * 59, 0x01000000);
    test::putU32be(image, 0x4644 + 4 * 60, 0x01000000);
    EXPECT_THROW(test::importTeams(GenesisI, image), RomError);
}

TEST(GenesisI, ExportOfAnUnchangedImportReproducesTheLeague) {
    const auto stored = test::genesisStyleTeams(28, 7);
    const RomImage original = buildGenesisIImage(stored, ImageInfo, 8);
    const auto imported = test::importTeams(GenesisI, original);
    const auto [image, result] = test::exportBack(original, imported, GenesisI);
    EXPECT_EQ(result.teamsReplaced, 28);
    EXPECT_TRUE(result.warnings.empty());

    // The builder lays out texts, names and attributes as the game does, so only the stamped
    // texts and copies change.
    EXPECT_TRUE(test::changedOnlyWithin(original, image, stampedRanges()));

    EXPECT_EQ(image.text(0x1CCFC, 23), "       ANONYMOUS       ");
    EXPECT_EQ(image.text(0x1CD2A, 23), "UPDATED WITH KVXM 2000!");
    EXPECT_EQ(image.text(0x1CD41, 23), "   WWW_KVXM2000_TEST   ");
    EXPECT_EQ(image.text(0x1CD77, 4), "1999");
    EXPECT_EQ(image.text(0x4B6AA, 4), "1993");
    EXPECT_EQ(image.text(0x4C164, 4), "1993");
    EXPECT_EQ(test::importTeams(GenesisI, image), imported);
}

TEST(GenesisI, ExportWritesTheTeamTextsAndTheirCopies) {
    auto stored = test::genesisStyleTeams(28, 9);
    stored[0].City = "SOMEWHERE FAR AWAY";
    const RomImage original = buildGenesisIImage(stored, ImageInfo, 10);
    auto imported = test::importTeams(GenesisI, original);
    imported[0].City = " Green Bay ";
    imported[0].Name = "packers";
    imported[0].Abbreviation = "NY";
    imported[1].Abbreviation = "L.A.";
    imported[14].Abbreviation = "ABCDEF";
    League league = test::documentAssigningEveryTeam(imported, GenesisI);
    league.GeneralInfo.Credits = "abcde";

    RomImage image = original;
    Export_ROM(GenesisI, league, image);

    EXPECT_EQ(image.text(0x1CCFC, 23), std::string(9, ' ') + "ABCDE" + std::string(9, ' '));
    // The league text is trimmed; the 16-byte record counts and keeps the spaces.
    const std::size_t city = image.u16be(0x4646);
    EXPECT_EQ(image.range(city, image.u16be(0x464A)), "GREEN BAY");
    EXPECT_EQ(image.range(image.u16be(0x46C6), image.u16be(0x46CA)), "PACKERS");
    EXPECT_EQ(image.text(0x4347A, 16), std::string("\0\x0B GREEN BAY    ", 16));
    EXPECT_EQ(image.text(0x4367A, 16), std::string("\0\x07PACKERS       ", 16));

    for (std::size_t base : {std::size_t{0x47C8}, std::size_t{0x43402}}) {
        EXPECT_EQ(image.text(base, 4), "NY  ");
        EXPECT_EQ(image.text(base + 4, 4), "L_A_");
        EXPECT_EQ(image.text(base + 56, 4), "ABCD");
    }
    for (std::size_t t : {0, 1, 14, 23, 24, 27}) {
        for (std::size_t at : abbreviationCopies(t))
            EXPECT_EQ(image.text(at, 4), image.text(0x47C8 + 4 * t, 4)) << t << " " << at;
    }

    // The league-text table: 16-bit offsets in 4-byte entries, the season labels after the
    // nicknames and the sub-pointers into them.
    const std::size_t labels = image.u32be(0x4644 + 4 * 60);
    EXPECT_EQ(image.text(labels, 3), "AFC");
    EXPECT_EQ(image.u32be(0x4644 + 4 * 61), labels + 3);
    EXPECT_EQ(image.text(image.u32be(0x4644 + 4 * 82), 7), "OFFENSE");
    EXPECT_EQ(image.u32be(0x4644 + 4 * 96), labels + 192);
    EXPECT_EQ(image.byte(labels + 192), 0xFF);

    // The end of the names is the attribute area's start, and the game's copy of it.
    const std::size_t area = image.u16be(0x5F62);
    EXPECT_EQ(image.u16be(0x4066), area);
    EXPECT_EQ(image.byte(area + 2), imported[0].Players[0].Face);
}

TEST(GenesisI, ExportAfterEditsReimportsTheEditedLeague) {
    // The game's layout leaves no room to spare: the edited teams had longer texts before.
    auto stored = test::genesisStyleTeams(28, 11);
    stored[4].City = "SOMEWHERE VERY FAR AWAY FROM HERE";
    stored[19].City = "SOMEWHERE VERY FAR AWAY FROM HERE";
    test::lengthenLastNames(stored[4], 10);
    test::lengthenLastNames(stored[19], 10);
    const RomImage original = buildGenesisIImage(stored, ImageInfo, 12);
    const auto imported = test::importTeams(GenesisI, original);

    TeamRecord edited = imported[4];
    edited.City = "new york";
    edited.Name = "giants";
    PlayerRecord& zed = edited.Players[0];
    zed = PlayerRecord{"Zed", "Brantlow", 99, 300, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 0};
    edited.Players[56].Attributes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    edited.Players[28].Attributes = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    edited.Players[7] = PlayerRecord{}; // an empty slot becomes "John" / "Doe n"
    const League league = test::documentWithAssignments({{edited, 4}, {imported[0], 20}}, GenesisI);

    RomImage image = original;
    Export_ROM(GenesisI, league, image);
    const auto teams = test::importTeams(GenesisI, image);

    EXPECT_EQ(teams[4].City, "New York");
    EXPECT_EQ(teams[4].Name, "Giants");
    EXPECT_EQ(teams[4].ScheduleName, "GIANTS");
    EXPECT_EQ(teams[4].Players[0].FirstName, "Zed");
    EXPECT_EQ(teams[4].Players[0].LastName, "Brantlow");
    EXPECT_EQ(teams[4].Players[0].Number, 99);
    EXPECT_EQ(teams[4].Players[0].Face, 300 & 255);
    // Quarterback: 0..3 and 6..9 come back, 4 and 5 are the game's, 10 the mean of 7..9.
    EXPECT_EQ(teams[4].Players[0].Attributes,
              (std::array<std::int16_t, 11>{1, 2, 3, 4, 1, 2, 7, 8, 9, 10, 9}));
    EXPECT_EQ(teams[4].Players[56].Attributes,
              (std::array<std::int16_t, 11>{1, 2, 3, 4, 3, 7, 7, 8, 8, 0, 0}));
    EXPECT_EQ(teams[4].Players[28].Attributes,
              (std::array<std::int16_t, 11>{1, 2, 3, 4, 3, 7, 0, 0, 0, 0, 0}));
    EXPECT_EQ(teams[4].Players[7].LastName, "Doe " + std::to_string(4 * 70 + 7));
    EXPECT_EQ(teams[19].Players, imported[0].Players);
    for (std::size_t t : {0, 1, 2, 3, 5, 27})
        EXPECT_EQ(teams[t], imported[t]) << t;
}

TEST(GenesisI, RefusalsLeaveTheImageFileIdentical) {
    const RomImage original = buildGenesisIImage(test::genesisStyleTeams(28, 13), ImageInfo, 14);
    const test::ImageFile file(original, GenesisI, "game.bin");
    const auto imported = test::importTeams(GenesisI, original);

    TeamRecord numbered = imported[0];
    numbered.Players[53].Number = 100; // one of the two extra defensive backs
    EXPECT_TRUE(file.refusesTeam(numbered, 0, "number 100"));
    TeamRecord levelled = imported[0];
    levelled.Players[0].Attributes[6] = 16;
    EXPECT_TRUE(file.refusesTeam(levelled, 0, "Passing Speed"));
    TeamRecord longCity = imported[0];
    longCity.City += "X";
    EXPECT_TRUE(file.refusesTeam(longCity, 0, "team cities and nicknames"));
    TeamRecord spaced = imported[0];
    spaced.City = std::string(300, ' ') + "BUF"; // fits the league texts once trimmed
    EXPECT_TRUE(file.refusesTeam(spaced, 0, "255"));
    TeamRecord longNames = imported[0];
    for (auto& player : longNames.Players)
        player.LastName += "XXXXXXXXXX";
    EXPECT_TRUE(file.refusesTeam(longNames, 0, "player names and attributes"));
    EXPECT_TRUE(file.fillsItsRoomToTheByte(imported, test::Grown::LastNames, 20000,
                                           "player names and attributes"));
    EXPECT_TRUE(file.fillsItsRoomToTheByte(imported, test::Grown::Cities, 5000,
                                           "team cities and nicknames"));

    // Texts that end exactly where the image's own block ended still fit.
    TeamRecord swapped = imported[0];
    swapped.City = imported[0].Name;
    swapped.Name = imported[0].City;
    EXPECT_NO_THROW(exportImageFile(file.path(), GenesisI,
                                    test::documentWithAssignments({{swapped, 0}}, GenesisI)));

    EXPECT_TRUE(test::exportIntoShortImageRefused(original, imported, GenesisI, 0x4C166));
}

TEST(GenesisI, TheLeagueTextsNeverRunIntoTheNamePointers) {
    RomImage original = buildGenesisIImage(test::genesisStyleTeams(28, 15), ImageInfo, 16);
    // An image whose season labels seem to lie just before the name pointers at 0x5862.
    original.setU16be(0x4644 + 4 * 60 + 2, 0x5800);
    const test::ImageFile file(original, GenesisI, "game.bin");
    auto teams = test::importTeams(GenesisI, original);
    teams[0].City = std::string(0x5862 - 0x4800, 'C');
    EXPECT_TRUE(file.refusesTeam(teams[0], 0, "0x5862"));
}

TEST(GenesisI, DamagedImagesAreRefusedWithoutHarm) {
    const RomImage original = buildGenesisIImage(test::genesisStyleTeams(28, 17), ImageInfo, 18);
    EXPECT_EQ(
        test::sweepDamagedGenesisImages(original, GenesisI, 19, 2000,
                                        {0x4644, 0x4734, 0x47C8, 0x5862, 0x5F40, 0x5F62, 0x4066}),
        2000);
    EXPECT_THROW(test::importTeams(GenesisI, RomImage(std::vector<std::uint8_t>(0x5000))),
                 RomError);
}

} // namespace
} // namespace kvx
