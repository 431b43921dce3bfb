#include "base/error.h"
#include "rom/romimage.h"
#include "rom/romio.h"
#include "support/nes_image.h"
#include "support/rom_assertions.h"
#include "support/rom_checks.h"
#include "support/undo_log.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>

namespace kvx {
namespace {

TEST(RomImage, ReadsAndWritesStayInsideTheImage) {
    RomImage image(std::vector<std::uint8_t>{0x12, 0x34, 0x56, 0x78, 0x00, 'A', 'B'});
    EXPECT_EQ(image.u16le(0), 0x3412);
    EXPECT_EQ(image.u16be(0), 0x1234);
    EXPECT_EQ(image.u32be(0), 0x12345678u);
    EXPECT_EQ(image.range(5, 7), "AB");
    EXPECT_EQ(image.range(6, 2), "");
    EXPECT_EQ(image.textUntil(1, 0x00), "\x34\x56\x78");
    EXPECT_THROW(image.u32be(4), RomError);
    EXPECT_THROW(image.byte(7), RomError);
    EXPECT_THROW(image.text(5, 3), RomError);
    EXPECT_THROW(image.text(static_cast<std::size_t>(-1), 2), RomError);
    EXPECT_THROW(image.textUntil(5, 0xEE), RomError);
    EXPECT_THROW(image.setText(6, "XY"), RomError);
    EXPECT_THROW(image.setU16be(6, 1), RomError);

    image.setU16be(0, 0xA1B2);
    image.setU16le(4, 0x0102);
    EXPECT_EQ(image.text(0, 2), "\xA1\xB2");
    EXPECT_EQ(image.text(4, 2), "\x02\x01");
    EXPECT_EQ(image.size(), 7u);
}

TEST(RomImage, RollbackPutsBackEveryWriteSinceTheUndoLogStarted) {
    RomImage image(std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7, 8});
    image.setByte(0, 0xEE); // before the log: stays
    test::UndoLog log;
    log.start(image);
    image.setU16be(2, 0xAAAA);
    image.setU16be(4, 0xBBBB); // continues the previous write
    image.setU16le(6, 0xBBBB);
    image.setText(3, "XYZ"); // over both
    image.setU16le(1, 0xCCCC);
    RomImage copy = image; // a copy is not observed
    copy.setByte(7, 0);
    EXPECT_EQ(log.bytesWritten(), 11u);
    log.rollback();
    EXPECT_EQ(image.bytes(), (FileBytes{0xEE, 2, 3, 4, 5, 6, 7, 8}));
    image.setByte(1, 9); // the log has stopped
    log.rollback();
    EXPECT_EQ(image.byte(1), 9);
}

class ExportFrame : public ::testing::Test {
protected:
    std::vector<TeamRecord> stored = test::imageStyleTeams(28, 21);
    RomImage original = test::buildNesImage(stored, GeneralInfoRecord{"1993", 0, 0, "C"}, 22);

    std::vector<TeamRecord> reimport(const RomImage& image) {
        std::vector<TeamRecord> teams;
        Import_ROM(Nes, image, teams, nullptr, 0);
        return teams;
    }
};

TEST_F(ExportFrame, OnlySlotsWithoutEitherNameGetTheFiller) {
    TeamRecord team = reimport(original)[2];
    // Running backs: the NES keeps levels 0 to 3, 6 and 7 of them and sets 4 and 5 to 3 and 7.
    team.Players[7] = PlayerRecord{"", "Alone", 5, 9, {1, 2, 3, 4, 3, 7, 5, 6, 0, 0, 0}, 0};
    team.Players[8] = PlayerRecord{"solo", "", 6, 10, {4, 3, 2, 1, 3, 7, -1, 6, 0, 0, 0}, 0};
    team.Players[9] = PlayerRecord{"", "", 7, 11, {9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9}, 0};
    const League league = test::documentWithAssignments({{team, 2}}, Nes);

    RomImage image = original;
    const ExportResult result = Export_ROM(Nes, league, image);
    ASSERT_EQ(result.warnings.size(), 1u); // the undefined level of the player with one name
    EXPECT_NE(result.warnings[0].find("solo"), std::string::npos);

    // One name is kept, in the case the game stores it (the import title-cases only pairs).
    const auto teams = reimport(image);
    EXPECT_EQ(teams[2].Players[7],
              (PlayerRecord{"", "ALONE", 5, 9, {1, 2, 3, 4, 3, 7, 5, 6, 0, 0, 0}, 0}));
    EXPECT_EQ(teams[2].Players[8],
              (PlayerRecord{"solo", "", 6, 10, {4, 3, 2, 1, 3, 7, 0, 6, 0, 0, 0}, 0}));
    EXPECT_EQ(teams[2].Players[9],
              (PlayerRecord{"John", "Doe 149", 7, 11, {0, 0, 0, 0, 3, 7, 0, 0, 0, 0, 0}, 0}));
}

TEST_F(ExportFrame, UndefinedLevelsAreWrittenAsZeroWithOneWarningEach) {
    TeamRecord team = reimport(original)[0];
    team.Abbreviation = "BUF";
    team.Players[7].FirstName = "Zed";
    team.Players[7].LastName = "Brantlow";
    team.Players[7].Attributes[0] = -1;
    team.Players[7].Attributes[6] = -1;
    team.Players[8].FirstName = "";
    team.Players[8].LastName = "";
    team.Players[8].Attributes[1] = -1; // unnamed: becomes John Doe with all levels 0, no warning
    const League league = test::documentWithAssignments({{team, 0}}, Nes);

    RomImage image = original;
    const ExportResult result = Export_ROM(Nes, league, image);
    ASSERT_EQ(result.warnings.size(), 2u);
    EXPECT_EQ(result.warnings[0], "Warning!\rZed Brantlow (BUF) has an undefined attribute!");
    EXPECT_EQ(result.teamsReplaced, 1);
    EXPECT_EQ(reimport(image)[0].Players[7].Attributes[0], 0);
}

TEST_F(ExportFrame, TheDocumentIsNotChangedAndUnassignedTeamsKeepTheImagesData) {
    const auto imported = reimport(original);
    League league = test::documentWithAssignments({{imported[5], -1}, {imported[6], 29}}, Nes);
    const auto before = league.Teams;
    RomImage image = original;
    const ExportResult result = Export_ROM(Nes, league, image);
    EXPECT_EQ(result.teamsReplaced, 0); // slot 29 holds no team in this edition
    EXPECT_EQ(league.Teams, before);
    EXPECT_EQ(reimport(image), imported);
}

// Every limit the export checks in a player, as a pair: at the limit the player is exported and
// reads back; one past it the export is refused and the image file stays byte for byte.
TEST_F(ExportFrame, EveryLimitOfAPlayerIsAPair) {
    const test::ImageFile file(original, Nes, "game.nes");
    const TeamRecord team = reimport(original)[0];
    using Edit = std::function<void(PlayerRecord&)>;
    const auto lastName = [](std::string name) -> Edit {
        return [name](PlayerRecord& p) { p.LastName = name; };
    };
    const struct {
        Edit at;
        Edit past;
        std::string_view refusal;
    } limits[] = {
        {[](auto& p) { p.Number = 99; }, [](auto& p) { p.Number = 100; }, "number 100"},
        {[](auto& p) { p.Number = 0; }, [](auto& p) { p.Number = -1; }, "number -1"},
        {[](auto& p) { p.Attributes[9] = 15; }, [](auto& p) { p.Attributes[9] = 16; }, "level 16"},
        // The number byte and 255 characters make the longest entry a table may hold.
        {[](auto& p) { p.FirstName.assign(100, 'z'), p.LastName.assign(155, 'Z'); },
         [](auto& p) { p.FirstName.assign(100, 'z'), p.LastName.assign(156, 'Z'); },
         "take 256 characters"},
        // A last name begins with a letter: the first byte that tells it from the first name.
        {lastName("Zed"), lastName("[ed"), "does not begin with a letter"},
        {lastName("Abe"), lastName("@be"), "does not begin with a letter"},
        {lastName("zed"), lastName("{ed"), "does not begin with a letter"},
        {lastName("abe"), lastName("`be"), "does not begin with a letter"},
    };
    const auto lower = [](std::string text) {
        for (char& c : text)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    };
    for (const auto& limit : limits) {
        TeamRecord at = team;
        limit.at(at.Players[0]);
        EXPECT_NO_THROW(
            exportImageFile(file.path(), Nes, test::documentWithAssignments({{at, 0}}, Nes)))
            << limit.refusal;
        const PlayerRecord read = reimport(RomImage::load(file.path()))[0].Players[0];
        const PlayerRecord& written = at.Players[0];
        EXPECT_EQ(read.Number, written.Number) << limit.refusal;
        EXPECT_EQ(read.Attributes[9], written.Attributes[9]) << limit.refusal;
        EXPECT_EQ(lower(read.FirstName + "|" + read.LastName),
                  lower(written.FirstName + "|" + written.LastName));
        file.restore();

        TeamRecord past = team;
        limit.past(past.Players[0]);
        EXPECT_TRUE(file.refusesTeam(past, 0, limit.refusal));
    }
}

TEST_F(ExportFrame, UnsupportedEditionsAreRefused) {
    League league;
    RomImage image = original;
    EXPECT_THROW(Export_ROM(SnesII, league, image), ExportRefused);
    EXPECT_THROW(Export_ROM(PlayStation, league, image), ExportRefused);
    EXPECT_EQ(image.bytes(), original.bytes());
    std::vector<TeamRecord> teams(3);
    EXPECT_EQ(Import_ROM(PlayStation, original, teams, nullptr, 0).teamCount, 0);
    EXPECT_EQ(teams.size(), 3u);
}

} // namespace
} // namespace kvx
