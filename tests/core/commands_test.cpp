#include "base/error.h"
#include "rom/commands.h"
#include "support/image_builder.h"
#include "support/nes_image.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace kvx {
namespace {

TEST(Commands, FilterStringListsTheNineEditionsInCodeOrder) {
    EXPECT_EQ(editionFilterString(),
              "Kickvane (Auto Detect)|*.nes;*.bin;*.smc|[NES] Kickvane|*.nes|[SEGA] Kickvane|*.bin|"
              "[SEGA] Kickvane II|*.bin|[SEGA] Kickvane III|*.bin|[SNES] Kickvane|*.smc|"
              "[SNES] Kickvane II|*.smc|[SNES] Kickvane III|*.smc|[PSX] Kickvane|*.dat|");
    EXPECT_EQ(editionFilterEntry(9), "[PSX] Kickvane|*.dat|");
    EXPECT_EQ(editionFilterEntry(0), "");
}

TEST(Commands, DetectionComparesTheSixteenBytesAtOffset16) {
    const std::pair<const char*, int> signatures[] = {
        {"38807480B080EC8028816481A081DC81", Nes},
        {"00000578000005820000058C00000596", GenesisI},
        {"000005B0000005BA000005C4000005CE", GenesisII},
        {"000005BC000005C6000005D0000005DA", GenesisIII},
        {"A2FF1F9AA900005BE220A98048AB2200", SnesI},
        {"A2FF079AA900005BE220A98048AB2200", SnesIII}};
    for (const auto& [hex, edition] : signatures) {
        test::ImageBuilder image(0x100, 1);
        image.signature(hex);
        EXPECT_EQ(detectEdition(image.image()), edition) << hex;
        image.putByte(0x1F, static_cast<std::uint8_t>(image.byte(0x1F) ^ 1));
        EXPECT_EQ(detectEdition(image.image()), 0) << hex;
    }
    EXPECT_EQ(detectEdition(RomImage(std::vector<std::uint8_t>(0x1F))), 0);
    EXPECT_EQ(detectEdition(RomImage()), 0);
}

TEST(Commands, EditionsByNameAndSupport) {
    EXPECT_EQ(editionFromName("nes"), Nes);
    EXPECT_EQ(editionFromName("genesis2"), GenesisII);
    EXPECT_EQ(editionFromName("psx"), PlayStation);
    EXPECT_EQ(editionFromName("6"), SnesI);
    EXPECT_EQ(editionFromName("10"), std::nullopt);
    EXPECT_EQ(editionFromName("NES"), std::nullopt);
    EXPECT_EQ(editionName(AutoDetect), "auto");
    EXPECT_TRUE(editionSupported(Nes));
    for (int edition : {1, 7, 9, 0, 10})
        EXPECT_FALSE(editionSupported(edition)) << edition;
}

TEST(Commands, ImportStartsFromANewDocument) {
    const auto teams = test::imageStyleTeams(28, 4);
    const RomImage image =
        test::buildNesImage(teams, GeneralInfoRecord{"1994", 0, 0, "CREDITS"}, 5);
    League league;
    newDocument(league, Date{2001, 3, 7});
    const ImportResult result = importLeague(image, Nes, 0, league);
    EXPECT_EQ(result.teamCount, 28);
    EXPECT_EQ(league.TeamCount, 28);
    EXPECT_EQ(league.Teams.size(), 28u);
    EXPECT_EQ(league.GeneralInfo, (GeneralInfoRecord{"1994", 3, 7, "CREDITS"}));

    League untouched;
    newDocument(untouched, Date{2001, 3, 7});
    EXPECT_EQ(importLeague(image, SnesII, 0, untouched).teamCount, 0);
    EXPECT_EQ(untouched.TeamCount, 0);
}

TEST(Commands, ExportedFileKeepsItsPermissionsAndLength) {
    test::TempDir dir;
    const std::string path = dir.file("game.nes");
    const auto teams = test::imageStyleTeams(28, 6);
    const RomImage original = test::buildNesImage(teams, GeneralInfoRecord{"1994", 0, 0, "X"}, 7);
    original.save(path);
    ::chmod(path.c_str(), 0604);

    League league;
    newDocument(league, Date{2001, 3, 7});
    exportImageFile(path, Nes, league);
    const RomImage written = RomImage::load(path);
    EXPECT_EQ(written.size(), original.size());
    EXPECT_NE(written.bytes(), original.bytes());
    struct stat info {};
    ::stat(path.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0604u);

    EXPECT_THROW(exportImageFile(dir.file("missing.nes"), Nes, league), FileError);
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing.nes")));
}

} // namespace
} // namespace kvx
