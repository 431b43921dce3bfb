#include "cli/cli.h"
#include "document/csv.h"
#include "document/datafile.h"
#include "document/tables.h"
#include "ratings/ratingscale.h"
#include "rom/commands.h"
#include "rom/romio.h"
#include "support/genesis_image.h"
#include "support/nes_image.h"
#include "support/process.h"
#include "support/random_league.h"
#include "support/rom_checks.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <future>
#include <sstream>

namespace kvx {
namespace {

using test::ProcessResult;

ProcessResult cli(const std::vector<std::string>& args, const test::ProcessOptions& options = {}) {
    return test::runProgram(KVX_CLI_PATH, args, options);
}

// What a command must answer at once: it may not wait on what it is given.
const test::ProcessOptions AtOnce{std::chrono::seconds(5), {}};

class Cli : public ::testing::Test {
protected:
    test::TempDir dir;
    std::vector<TeamRecord> stored = test::imageStyleTeams(28, 31);
    std::string image = dir.file("game.nes");

    void SetUp() override {
        for (auto& team : stored)
            team.City = "CITY OF THE PAST"; // room for the exported texts
        test::buildNesImage(stored, GeneralInfoRecord{"1994", 0, 0, "THE CREDITS"}, 32).save(image);
    }

    std::string text(const std::string& path) {
        const auto bytes = test::readBytes(path);
        return std::string(bytes.begin(), bytes.end());
    }
};

TEST_F(Cli, UsageAndHelp) {
    const auto help = cli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("kvxm2000-cli patch [--force] IMAGE PATCH OUT"), std::string::npos);
    EXPECT_NE(help.out.find("4 could not write"), std::string::npos);
    EXPECT_EQ(cli({"--version"}).out, "kvxm2000-cli 0.70\n");
    for (const auto& args :
         std::vector<std::vector<std::string>>{{},
                                               {"frobnicate"},
                                               {"detect"},
                                               {"detect", "a", "b"},
                                               {"import", "--colour", "x", image, "o"},
                                               {"import", image},
                                               {"import", "--edition", "atari", image, "o.kvx"},
                                               {"export", "--edition"},
                                               {"import", "--roster", "two", image, "o.kvx"},
                                               {"import", "--roster", "nan", image, "o.kvx"},
                                               {"import", "--roster", "-inf", image, "o.kvx"},
                                               {"import", "--roster", "0", image, "o.kvx"},
                                               {"import", "--roster", "4", image, "o.kvx"},
                                               {"import", "--roster", "-1", image, "o.kvx"},
                                               {"import", "--roster", "2.5", image, "o.kvx"}}) {
        const auto result = cli(args);
        EXPECT_EQ(result.exitCode, 1) << args.size();
        EXPECT_NE(result.err.find("Usage:"), std::string::npos);
        EXPECT_EQ(result.out, "");
    }
}

TEST_F(Cli, Detect) {
    const auto found = cli({"detect", image});
    EXPECT_EQ(found.exitCode, 0);
    EXPECT_EQ(found.out, "2 nes\n");

    test::writeBytes(dir.file("other.bin"), std::vector<std::uint8_t>(64, 0x41));
    const auto unknown = cli({"detect", dir.file("other.bin")});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_EQ(unknown.err, "Sorry, support for that ROM isn't available yet.\n");

    const auto missing = cli({"detect", dir.file("missing.nes")});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_NE(missing.err, "");
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing.nes")));
}

TEST_F(Cli, ImportWritesTheDataFileOfTheImagesLeague) {
    const std::string out = dir.file("league.kvx");
    const auto result = cli({"import", image, out});
    ASSERT_EQ(result.exitCode, 0) << result.err;

    League expected;
    newDocument(expected, systemToday());
    importLeague(RomImage::load(image), Nes, 0, expected);
    League loaded;
    ASSERT_TRUE(Load_Data_File(loaded, out));
    EXPECT_EQ(loaded.TeamCount, 28);
    EXPECT_EQ(loaded.Teams, expected.Teams);
    EXPECT_EQ(loaded.GeneralInfo.Credits, "THE CREDITS");
    EXPECT_EQ(loaded.GeneralInfo.Year, "1994");

    // The same through the named edition.
    ASSERT_EQ(cli({"import", "--edition", "nes", image, dir.file("named.kvx")}).exitCode, 0);
    EXPECT_EQ(test::readBytes(dir.file("named.kvx")), test::readBytes(out));
}

TEST_F(Cli, ImportRefusals) {
    const std::string out = dir.file("never.kvx");
    for (const char* edition : {"psx", "snes2", "7"}) {
        const auto result = cli({"import", "--edition", edition, image, out});
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.err, "Sorry, support for that ROM isn't available yet.\n");
    }
    auto bytes = test::readBytes(image);
    bytes.resize(0x2000);
    test::writeBytes(dir.file("short.nes"), bytes);
    const auto damaged = cli({"import", dir.file("short.nes"), out});
    EXPECT_EQ(damaged.exitCode, 2);
    EXPECT_NE(damaged.err.find("too short"), std::string::npos) << damaged.err;
    EXPECT_FALSE(std::filesystem::exists(out));

    const auto unwritable = cli({"import", image, dir.file("no/such/folder/out.kvx")});
    EXPECT_EQ(unwritable.exitCode, 4);

    // A named edition that the image's own bytes contradict, in either direction.
    Save_Data_File(test::randomLeague(2, 6), dir.file("league.kvx"));
    const auto before = test::readBytes(image);
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"import", "--edition", "genesis1", image, out},
             {"export", "--edition", "genesis1", dir.file("league.kvx"), image}}) {
        const auto contradicted = cli(args);
        EXPECT_EQ(contradicted.exitCode, 2) << args[0];
        EXPECT_EQ(contradicted.err, "\"" + image +
                                        "\" is a nes image by its bytes, not genesis1; give "
                                        "--force to take it as genesis1 all the same.\n");
    }
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_EQ(test::readBytes(image), before);
}

TEST_F(Cli, ExportByStoredSlotsAndByAutoAssign) {
    League league;
    newDocument(league, Date{2001, 3, 7});
    TeamRecord& bills = appendTeam(league);
    bills = test::expectedShortRosterImport({stored[5]}, Nes)[0];
    bills.City = "Buffalo";
    bills.Name = "Bills";
    bills.Players[0].FirstName = "Zed";
    bills.Players[0].LastName = "Brantlow";
    bills.Players[0].Attributes[3] = -1;
    bills.Abbreviation = "BUF";
    for (int edition = 1; edition <= 9; ++edition)
        bills.RomSlot[edition] = -1;
    bills.RomSlot[Nes] = 3; // N.E. Patriots' slot
    Save_Data_File(league, dir.file("league.kvx"));

    const auto stored3 = cli({"export", dir.file("league.kvx"), image});
    ASSERT_EQ(stored3.exitCode, 0) << stored3.err;
    EXPECT_EQ(stored3.err, "Warning! Zed Brantlow (BUF) has an undefined attribute!\n");
    std::vector<TeamRecord> teams;
    Import_ROM(Nes, RomImage::load(image), teams, nullptr, 0);
    EXPECT_EQ(teams[3].City, "Buffalo");
    EXPECT_EQ(teams[0].City, test::expectedShortRosterImport({stored[0]}, Nes)[0].City);

    // Auto-assign places teams by nickname: the Bills into the Bills' slot, the Dolphins into the
    // Dolphins'. Both still claim slot 0, the way a freshly imported team does, which Auto
    // overrides.
    bills.RomSlot[Nes] = 0;
    TeamRecord dolphins = bills;
    dolphins.City = "Miami";
    dolphins.Name = "DOLPHINS";
    league.Teams.push_back(dolphins);
    league.TeamCount = 2;
    Save_Data_File(league, dir.file("auto.kvx"));
    test::buildNesImage(stored, GeneralInfoRecord{"1994", 0, 0, "X"}, 33).save(image);
    const auto automatic =
        cli({"export", "--auto-assign", "--edition", "2", dir.file("auto.kvx"), image});
    ASSERT_EQ(automatic.exitCode, 0) << automatic.err;
    Import_ROM(Nes, RomImage::load(image), teams, nullptr, 0);
    EXPECT_EQ(teams[0].City, "Buffalo");
    EXPECT_EQ(teams[2].City, "Miami");
    EXPECT_EQ(teams[1].City, "City Of The Past");
    EXPECT_EQ(teams[3].City, "City Of The Past");
}

// Import, export back unchanged, then with edits: the commands a season's update runs.
TEST_F(Cli, TheSeasonRoundTripChangesNothingTheUserDidNotChange) {
    const auto before = test::readBytes(image);
    ASSERT_EQ(cli({"import", image, dir.file("league.kvx")}).exitCode, 0);
    const auto unchanged = cli({"export", dir.file("league.kvx"), image});
    ASSERT_EQ(unchanged.exitCode, 0) << unchanged.err;
    EXPECT_EQ(unchanged.err, "");
    EXPECT_TRUE(
        test::changesOutside(RomImage(before), RomImage::load(image), test::nesStampedRanges())
            .empty());

    League league;
    ASSERT_TRUE(Load_Data_File(league, dir.file("league.kvx")));
    league.Teams[4].Abbreviation = "ABCDEFGHIJ";
    league.Teams[4].Players[0].LastName = "'Neil";
    Save_Data_File(league, dir.file("league.kvx"));
    const auto exported = test::readBytes(image);
    const auto refused = cli({"export", dir.file("league.kvx"), image});
    EXPECT_EQ(refused.exitCode, 3);
    EXPECT_NE(refused.err.find("the last name \"'Neil\" does not begin with a letter from A to Z"),
              std::string::npos)
        << refused.err;
    EXPECT_EQ(test::readBytes(image), exported);

    league.Teams[4].Players[0].LastName = "O'Neil";
    Save_Data_File(league, dir.file("league.kvx"));
    const auto cut = cli({"export", dir.file("league.kvx"), image});
    EXPECT_EQ(cut.exitCode, 0);
    EXPECT_EQ(cut.err, "Warning: The abbreviation of the " + league.Teams[4].displayName() +
                           " is longer than the 4 characters the game keeps: \"ABCDEFGHIJ\" is "
                           "written as \"ABCD\".\n");
}

// A roster update shared as a patch: the image stays, and the patch gives what the export writes.
TEST_F(Cli, ExportAsAPatchAndApplyIt) {
    const auto before = test::readBytes(image);
    ASSERT_EQ(cli({"import", image, dir.file("league.kvx")}).exitCode, 0);
    League league;
    ASSERT_TRUE(Load_Data_File(league, dir.file("league.kvx")));
    league.Teams[2].Players[0].LastName = "Brantlow";
    Save_Data_File(league, dir.file("league.kvx"));
    test::writeBytes(dir.file("copy.nes"), before);
    ASSERT_EQ(cli({"export", dir.file("league.kvx"), dir.file("copy.nes")}).exitCode, 0);
    const auto exported = test::readBytes(dir.file("copy.nes"));

    for (const std::string patch : {"update.ips", "update.BPS"}) {
        const auto made =
            cli({"export", "--patch", dir.file(patch), dir.file("league.kvx"), image});
        ASSERT_EQ(made.exitCode, 0) << made.err;
        EXPECT_EQ(test::readBytes(image), before);
        const auto applied = cli({"patch", image, dir.file(patch), dir.file("patched.nes")});
        ASSERT_EQ(applied.exitCode, 0) << applied.err;
        EXPECT_EQ(test::readBytes(dir.file("patched.nes")), exported) << patch;
        // The output is a game image now: a second run does not write over it unasked.
        EXPECT_EQ(cli({"patch", image, dir.file(patch), dir.file("patched.nes")}).exitCode, 4);
        std::filesystem::remove(dir.file("patched.nes"));
    }

    // A BPS patch checks the image it is applied to.
    const auto wrong = cli({"patch", dir.file("copy.nes"), dir.file("update.BPS"), dir.file("x")});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_NE(wrong.err.find("CRC"), std::string::npos) << wrong.err;
    EXPECT_FALSE(std::filesystem::exists(dir.file("x")));
    EXPECT_EQ(cli({"export", "--patch", dir.file("u.txt"), dir.file("league.kvx"), image}).exitCode,
              1);

    // An NES image has no header checksum: detect says nothing of one, and an export asked to
    // correct it says so.
    EXPECT_EQ(cli({"detect", image}).out, "2 nes\n");
    const auto noHeader = cli({"export", "--fix-checksum", dir.file("league.kvx"), image});
    EXPECT_EQ(noHeader.exitCode, 0);
    EXPECT_NE(noHeader.err.find("could not be corrected"), std::string::npos) << noHeader.err;
}

// A Genesis image with the header the console reads: detect tells its checksum, --fix-checksum
// makes it right.
TEST_F(Cli, HeaderChecksums) {
    std::vector<TeamRecord> teams = test::imageStyleTeams(32, 7);
    RomImage genesis = test::buildGenesisIIIImage(teams, GeneralInfoRecord{"1995", 0, 0, "X"}, 8);
    genesis.setText(0x100, "SEGA GENESIS    ");
    genesis.setU16be(0x18E, 0x1234);
    genesis.save(dir.file("game.bin"));
    ASSERT_EQ(cli({"import", dir.file("game.bin"), dir.file("league.kvx")}).exitCode, 0);

    const auto wrong = cli({"detect", dir.file("game.bin")});
    EXPECT_EQ(wrong.out.substr(0, wrong.out.find(':')),
              "5 genesis3\nGenesis header checksum 0x1234");
    EXPECT_NE(wrong.out.find(": wrong, the image's bytes give 0x"), std::string::npos);
    ASSERT_EQ(cli({"export", dir.file("league.kvx"), dir.file("game.bin")}).exitCode, 0);
    EXPECT_NE(cli({"detect", dir.file("game.bin")}).out.find("wrong"), std::string::npos);
    ASSERT_EQ(
        cli({"export", "--fix-checksum", dir.file("league.kvx"), dir.file("game.bin")}).exitCode,
        0);
    EXPECT_NE(cli({"detect", dir.file("game.bin")}).out.find(": right\n"), std::string::npos);
}

TEST_F(Cli, ExportRefusals) {
    const auto before = test::readBytes(image);
    test::writeBytes(dir.file("not.kvx"), {'K', 'V', 'X'});
    const auto notData = cli({"export", dir.file("not.kvx"), image});
    EXPECT_EQ(notData.exitCode, 2);
    EXPECT_EQ(notData.err, "The file cannot be opened.\n");

    League league;
    newDocument(league, Date{2001, 3, 7});
    TeamRecord& team = appendTeam(league);
    team.City = "Too";
    team.Name = "Long";
    team.Players[0] = PlayerRecord{"a", "B", 150, 0, {}, 0};
    Save_Data_File(league, dir.file("league.kvx"));
    const auto refused = cli({"export", dir.file("league.kvx"), image});
    EXPECT_EQ(refused.exitCode, 3);
    EXPECT_NE(refused.err.find("number 150"), std::string::npos) << refused.err;
    EXPECT_EQ(test::readBytes(image), before);

    const auto unsupported = cli({"export", "--edition", "psx", dir.file("league.kvx"), image});
    EXPECT_EQ(unsupported.exitCode, 2);
    const auto missing = cli({"export", dir.file("league.kvx"), dir.file("missing.nes")});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_FALSE(std::filesystem::exists(dir.file("missing.nes")));
    EXPECT_EQ(test::readBytes(image), before);
}

TEST_F(Cli, DoubleDashEndsTheOptions) {
    const test::ProcessOptions inDir{std::chrono::seconds(60), dir.path().string()};
    ASSERT_EQ(cli({"import", "--", image, "--data.kvx"}, inDir).exitCode, 0);
    League league;
    ASSERT_TRUE(Load_Data_File(league, dir.file("--data.kvx")));
    EXPECT_EQ(cli({"ratings", "--", "--data.kvx"}, inDir).exitCode, 0);
    // Without it the name is an option the command does not know.
    EXPECT_EQ(cli({"export", "--data.kvx", image}, inDir).exitCode, 1);
}

TEST_F(Cli, ExportReplacesTheImageALinkLeadsToAndRefusesAReadOnlyOne) {
    League league;
    newDocument(league, Date{2001, 3, 7});
    league.GeneralInfo.Credits = "THROUGH A LINK";
    Save_Data_File(league, dir.file("league.kvx"));
    const auto before = test::readBytes(image);
    std::filesystem::create_symlink("game.nes", dir.file("link.nes"));
    const auto linked = cli({"export", dir.file("league.kvx"), dir.file("link.nes")});
    ASSERT_EQ(linked.exitCode, 0) << linked.err;
    EXPECT_TRUE(std::filesystem::is_symlink(dir.file("link.nes")));
    EXPECT_NE(test::readBytes(image), before);

    const auto exported = test::readBytes(image);
    std::filesystem::permissions(image, std::filesystem::perms::owner_read);
    const auto readOnly = cli({"export", dir.file("league.kvx"), image});
    EXPECT_EQ(readOnly.exitCode, 4);
    EXPECT_NE(readOnly.err.find("game.nes"), std::string::npos) << readOnly.err;
    EXPECT_EQ(test::readBytes(image), exported);
}

TEST_F(Cli, WhatCannotBeAnImageOrDataFileIsRefusedUnread) {
    // 200 MB of nothing: larger than any game image or data file can be. It is not read.
    const std::string huge = dir.file("huge.bin");
    test::writeBytes(huge, std::vector<std::uint8_t>{});
    std::filesystem::resize_file(huge, 200 << 20);
    Save_Data_File(test::randomLeague(2, 6), dir.file("league.kvx"));
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"detect", huge},
                                               {"import", huge, dir.file("out.kvx")},
                                               {"export", dir.file("league.kvx"), huge}}) {
        const auto result = cli(args);
        EXPECT_EQ(result.exitCode, 2) << args[0];
        EXPECT_EQ(result.err, "Sorry, support for that ROM isn't available yet.\n");
        EXPECT_LT(result.peakKilobytes, 100'000) << args[0];
    }
    const auto hugeData = cli({"export", huge, image});
    EXPECT_EQ(hugeData.err, "The file cannot be opened.\n");
    EXPECT_LT(hugeData.peakKilobytes, 100'000);

    // A FIFO is no file: refused at once as an image, as a data file and as a file to write.
    const std::string fifo = dir.file("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"detect", fifo}, {"export", fifo, image}, {"import", image, fifo}}) {
        const auto result = cli(args, AtOnce);
        EXPECT_FALSE(result.timedOut) << args[0];
        EXPECT_EQ(result.exitCode, args[0] == "import" ? 4 : 2) << args[0];
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("out.kvx")));
}

TEST_F(Cli, RatingsTableAndHtml) {
    League league;
    newDocument(league, Date{2001, 3, 7});
    for (const char* name : {"Zebras", "Ants"}) {
        TeamRecord& team = appendTeam(league);
        team.City = "City";
        team.Name = name;
    }
    league.Teams[0].Players[0].Attributes.fill(15); // the better quarterback
    league.Teams[1].Players[0].Attributes.fill(10);
    Save_Data_File(league, dir.file("league.kvx"));

    RatingScale scale{};
    scale[QB].Weights[0] = 1;
    scale[RB].Weights[0] = 1;
    Save_Rating_Scale(dir.file("qb.trs"), scale);

    const auto result = cli({"ratings", "--scale", dir.file("qb.trs"), "--html",
                             dir.file("out.html"), dir.file("league.kvx")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "Team\tOverall\tQB\tRB\tWR\tTE\tOL\tDL\tLB\tDB\tK\tP\n"
                          "City Zebras\t15.8\t99*\t00*\t00*\t00*\t00*\t00*\t00*\t00*\t00*\t00*\n"
                          "City Ants\t12.8\t80\t00*\t00*\t00*\t00*\t00*\t00*\t00*\t00*\t00*\n");
    const std::string html = text(dir.file("out.html"));
    // Sorted by team name: Ants first.
    EXPECT_LT(html.find("City Ants"), html.find("City Zebras"));
    EXPECT_EQ(html.substr(0, 18), "<TABLE Border=1>\r\n");
    EXPECT_NE(
        html.find("<TD Align=Center bgColor='#f0f0f0'><FONT Face='Verdana,Arial' Size=2>12.8</TD>"
                  "<TD Align=Center><FONT Face='Verdana,Arial' Size=2>80</TD>"),
        std::string::npos);

    const auto bad = cli({"ratings", "--scale", dir.file("league.kvx"), dir.file("league.kvx")});
    EXPECT_EQ(bad.exitCode, 2);
}

TEST_F(Cli, CsvBothWays) {
    League league = test::randomLeague(3, 9);
    league.Teams[1].Players[4].LastName = "M\xFCller, \"Jr\"";
    league.Teams[2].Players[0].Number = 123;
    Save_Data_File(league, dir.file("league.kvx"));
    const auto dataFile = test::readBytes(dir.file("league.kvx"));

    const auto printed = cli({"to-csv", dir.file("league.kvx")});
    ASSERT_EQ(printed.exitCode, 0) << printed.err;
    EXPECT_EQ(printed.out, leagueToCsv(league));
    ASSERT_EQ(cli({"to-csv", dir.file("league.kvx"), dir.file("league.csv")}).exitCode, 0);
    EXPECT_EQ(text(dir.file("league.csv")), printed.out);

    const auto back = cli({"from-csv", dir.file("league.csv"), dir.file("back.kvx")});
    ASSERT_EQ(back.exitCode, 0) << back.err;
    EXPECT_EQ(test::readBytes(dir.file("back.kvx")), dataFile);

    // A refused file leaves the data file as it was.
    std::string edited = printed.out;
    edited.replace(edited.find(",QB1,"), 5, ",QB9,");
    test::writeBytes(dir.file("bad.csv"), std::vector<std::uint8_t>(edited.begin(), edited.end()));
    const auto refused = cli({"from-csv", dir.file("bad.csv"), dir.file("back.kvx")});
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_EQ(refused.err.substr(0, 31), "Line 4, column 7 (Slot): expect");
    EXPECT_EQ(test::readBytes(dir.file("back.kvx")), dataFile);

    const auto notData = cli({"to-csv", dir.file("bad.csv")});
    EXPECT_EQ(notData.exitCode, 2);
    EXPECT_EQ(notData.err, "The file cannot be opened.\n");
    EXPECT_EQ(cli({"from-csv", dir.file("missing.csv"), dir.file("x.kvx")}).exitCode, 2);
    EXPECT_FALSE(std::filesystem::exists(dir.file("x.kvx")));
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"to-csv"}, {"to-csv", "a", "b", "c"}, {"from-csv", "a.csv"}})
        EXPECT_EQ(cli(args).exitCode, 1);
}

TEST_F(Cli, NeverWritesOverAnInputOrAGameImageUnlessForced) {
    const std::string league = dir.file("league.kvx");
    Save_Data_File(test::randomLeague(2, 6), league);
    ASSERT_EQ(cli({"to-csv", league, dir.file("league.csv")}).exitCode, 0);
    std::filesystem::create_symlink("game.nes", dir.file("link.nes"));
    std::filesystem::create_hard_link(league, dir.file("same.kvx"));
    const auto names = test::fileNames(dir.path());
    std::vector<std::vector<std::uint8_t>> before;
    for (const auto& name : names)
        before.push_back(test::readBytes(dir.file(name)));

    const struct {
        std::vector<std::string> args;
        std::string output;
    } refused[] = {
        {{"import", image, image}, image},
        {{"import", image, dir.file("link.nes")}, dir.file("link.nes")},
        {{"to-csv", league, league}, league},
        {{"to-csv", league, dir.file("same.kvx")}, dir.file("same.kvx")},
        {{"from-csv", dir.file("league.csv"), dir.file("league.csv")}, dir.file("league.csv")},
        {{"from-csv", dir.file("league.csv"), image}, image},
        {{"ratings", "--html", dir.file("link.nes"), league}, dir.file("link.nes")},
    };
    for (const auto& command : refused) {
        const auto result = cli(command.args);
        EXPECT_EQ(result.exitCode, 4) << command.args[0] << " " << command.output;
        EXPECT_TRUE(result.err.starts_with("Not writing \"" + command.output + "\": "))
            << result.err;
        EXPECT_NE(result.err.find("--force"), std::string::npos) << result.err;
    }
    EXPECT_EQ(test::fileNames(dir.path()), names);
    for (std::size_t n = 0; n < names.size(); ++n)
        EXPECT_EQ(test::readBytes(dir.file(names[n])), before[n]) << names[n];

    const auto forced = cli({"ratings", "--force", "--html", image, league});
    ASSERT_EQ(forced.exitCode, 0) << forced.err;
    EXPECT_EQ(text(image).substr(0, 16), "<TABLE Border=1>");
}

// Everything a command prints counts: a standard output on a full disk is a failure.
TEST_F(Cli, AStandardOutputThatCannotBeWrittenIsAFailure) {
    Save_Data_File(test::randomLeague(3, 9), dir.file("league.kvx"));

    for (const auto& args :
         std::vector<std::vector<std::string>>{{"--help"},
                                               {"--version"},
                                               {"detect", image},
                                               {"ratings", dir.file("league.kvx")},
                                               {"to-csv", dir.file("league.kvx")}}) {
        const auto result = test::runProgram(KVX_CLI_PATH, args, {}, "/dev/full");
        EXPECT_EQ(result.exitCode, 4) << args[0];
        EXPECT_EQ(result.err, "Cannot write the standard output: No space left on device.\n")
            << args[0];
    }
}

TEST_F(Cli, RatingsWithoutTheirDefaultScaleSaySo) {
    const std::string league = dir.file("league.kvx");
    Save_Data_File(test::randomLeague(2, 6), league);
    const std::string program = dir.file("bin");
    std::filesystem::create_directory(program);
    const auto ratings = [&](std::vector<std::string> args) {
        std::ostringstream out;
        std::ostringstream err;
        args.insert(args.begin(), "ratings");
        EXPECT_EQ(cli::run(args, program, out, err), cli::Success);
        return err.str();
    };
    EXPECT_EQ(ratings({league}),
              "Warning! There is no rating scale at \"" + program + "/default.trs\" or \"" +
                  program +
                  "/../share/kvxm2000/default.trs\": every rating is 00. Give one with --scale.\n");
    test::writeBytes(program + "/default.trs", {'0', '0', '0', '1', 'x'});
    EXPECT_EQ(ratings({league}), "Warning! The rating scale \"" + program +
                                     "/default.trs\" cannot be read: every rating is 00. Give one "
                                     "with --scale.\n");
    Save_Rating_Scale(dir.file("given.trs"), RatingScale{});
    EXPECT_EQ(ratings({"--scale", dir.file("given.trs"), league}), "");
}

// Two exports into one image, each placing another team, started together: every round the
// image holds both teams, whichever export came second.
TEST_F(Cli, ExportsIntoOneImageTakeTurnsAndLoseNothing) {
    const auto saveLeague = [&](const std::string& city, int slot) {
        League league;
        newDocument(league, Date{2001, 3, 7});
        TeamRecord& team = appendTeam(league);
        team = test::expectedShortRosterImport({stored[5]}, Nes)[0];
        team.City = city;
        for (int edition = 1; edition <= 9; ++edition)
            team.RomSlot[edition] = -1;
        team.RomSlot[Nes] = static_cast<std::int16_t>(slot);
        const std::string path = dir.file(city + ".kvx");
        Save_Data_File(league, path);
        return path;
    };
    const std::string buffalo = saveLeague("Buffalo", 3);
    const std::string miami = saveLeague("Miami", 7);
    for (int round = 0; round < 20; ++round) {
        test::buildNesImage(stored, GeneralInfoRecord{"1994", 0, 0, "THE CREDITS"}, 32).save(image);
        auto first = std::async(std::launch::async, [&] {
            return cli({"export", buffalo, image});
        });
        auto second = std::async(std::launch::async, [&] { return cli({"export", miami, image}); });
        EXPECT_EQ(first.get().exitCode, 0);
        EXPECT_EQ(second.get().exitCode, 0);
        std::vector<TeamRecord> teams;
        Import_ROM(Nes, RomImage::load(image), teams, nullptr, 0);
        EXPECT_EQ(teams[3].City, "Buffalo") << round;
        EXPECT_EQ(teams[7].City, "Miami") << round;
    }
}

// A legal data file of 63 teams with the longest texts would make a CSV of gigabytes, which
// from-csv could not read: refused at once, in little memory, before a byte is written.
TEST_F(Cli, ToCsvRefusesALeagueWhoseCsvCouldNotBeReadBack) {
    League league;
    newDocument(league, Date{2001, 3, 7});
    for (int t = 0; t < 63; ++t) {
        TeamRecord& team = appendTeam(league);
        for (std::string* field : {&team.City, &team.Name, &team.Abbreviation, &team.ScheduleName})
            field->assign(0xFFFF, static_cast<char>('A' + t % 26));
    }
    const std::string data = dir.file("huge.kvx");
    Save_Data_File(league, data);
    ASSERT_GT(std::filesystem::file_size(data), 15u << 20);

    for (const auto& args : std::vector<std::vector<std::string>>{
             {"to-csv", data}, {"to-csv", data, dir.file("huge.csv")}}) {
        const auto result = cli(args, AtOnce);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err.find("longer than 64 MiB"), std::string::npos) << result.err;
        EXPECT_LT(result.peakKilobytes, 150'000);
    }
    EXPECT_EQ(test::fileNames(dir.path()), (std::vector<std::string>{"game.nes", "huge.kvx"}));
}

} // namespace
} // namespace kvx
