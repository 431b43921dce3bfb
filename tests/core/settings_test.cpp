#include "base/error.h"
#include "document/datafile.h"
#include "document/settings.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace kvx {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

void writeText(const std::string& path, std::string_view text) {
    writeBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::string readText(const std::string& path) {
    const auto bytes = readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

TEST(IniFile, MissingFileSectionOrKeyReadsEmpty) {
    TempDir dir;
    EXPECT_EQ(Read_Ini_String(dir.file("none.ini"), "files", "rom"), "");
    EXPECT_EQ(Read_Ini_String(dir.path().string(), "files", "rom"), "");
    writeText(dir.file("a.ini"), "[other]\nrom=x\n[files]\nkvx=y\n");
    EXPECT_EQ(Read_Ini_String(dir.file("a.ini"), "files", "rom"), "");
    EXPECT_EQ(Read_Ini_String(dir.file("a.ini"), "missing", "kvx"), "");
}

TEST(IniFile, ReadsLikeTheClassicFormat) {
    TempDir dir;
    writeText(dir.file("a.ini"), "; remembered paths\r\n"
                                 "  [ Files ]  \r\n"
                                 "HTML =  /tmp/out.html  \r\n"
                                 ";rom=commented out\r\n"
                                 "rom=/roms/a=b.nes\n"
                                 "trs=\r\n"
                                 "kvx\r\n"
                                 "[recent]\r\n"
                                 "kvx=/elsewhere.kvx\r\n");
    const std::string path = dir.file("a.ini");
    EXPECT_EQ(Read_Ini_String(path, "files", "html"), "/tmp/out.html");
    EXPECT_EQ(Read_Ini_String(path, "FILES", "Rom"), "/roms/a=b.nes");
    EXPECT_EQ(Read_Ini_String(path, "files", "trs"), "");
    EXPECT_EQ(Read_Ini_String(path, "files", "kvx"), "");
    EXPECT_EQ(Read_Ini_String(path, "recent", "kvx"), "/elsewhere.kvx");
}

TEST(IniFile, LongValuesComeBackCutTo254) {
    TempDir dir;
    const std::string path = dir.file("a.ini");
    const std::string longValue(300, 'x');
    Write_Ini_String(path, "files", "kvx", longValue);
    EXPECT_NE(readText(path).find(longValue), std::string::npos); // written whole
    EXPECT_EQ(Read_Ini_String(path, "files", "kvx"), std::string(254, 'x'));
    Write_Ini_String(path, "files", "kvx", std::string(254, 'y'));
    EXPECT_EQ(Read_Ini_String(path, "files", "kvx"), std::string(254, 'y'));
}

TEST(IniFile, WritingCreatesTheFile) {
    TempDir dir;
    Write_Ini_String(dir.file("new.ini"), "files", "rom", "/roms/a.nes");
    EXPECT_EQ(readText(dir.file("new.ini")), "[files]\r\nrom=/roms/a.nes\r\n");
}

TEST(IniFile, WritingKeepsEveryOtherLine) {
    TempDir dir;
    const std::string path = dir.file("a.ini");
    writeText(path, "; keep me\n"
                    "[window]\n"
                    "left=10\n"
                    "\n"
                    "[Files]\n"
                    "HTML=/old.html\n"
                    "rom = /old.nes\n"
                    "\n"
                    "[window2]\n"
                    "top=5\n");
    Write_Ini_String(path, "files", "ROM", "/new.nes");
    Write_Ini_String(path, "files", "trs", "/a.trs");
    Write_Ini_String(path, "colours", "list", "red");
    EXPECT_EQ(readText(path), "; keep me\r\n"
                              "[window]\r\n"
                              "left=10\r\n"
                              "\r\n"
                              "[Files]\r\n"
                              "HTML=/old.html\r\n"
                              "rom=/new.nes\r\n"
                              "trs=/a.trs\r\n"
                              "\r\n"
                              "[window2]\r\n"
                              "top=5\r\n"
                              "\r\n"
                              "[colours]\r\n"
                              "list=red\r\n");
    EXPECT_EQ(Read_Ini_String(path, "window", "left"), "10");
    EXPECT_EQ(Read_Ini_String(path, "files", "html"), "/old.html");
}

TEST(IniFile, UnicodeMarkIsKept) {
    TempDir dir;
    const std::string path = dir.file("a.ini");
    writeText(path, "\xEF\xBB\xBF[files]\nrom=/a.nes\n");
    EXPECT_EQ(Read_Ini_String(path, "files", "rom"), "/a.nes");
    Write_Ini_String(path, "files", "kvx", "/b.kvx");
    EXPECT_EQ(readText(path), "\xEF\xBB\xBF[files]\r\nrom=/a.nes\r\nkvx=/b.kvx\r\n");
}

TEST(IniFile, ValueCannotStartAnotherLine) {
    TempDir dir;
    const std::string path = dir.file("a.ini");
    Write_Ini_String(path, "files", "rom", "/a.nes\r\n[files]\r\nkvx=/injected");
    EXPECT_EQ(Read_Ini_String(path, "files", "rom"), "/a.nes");
    EXPECT_EQ(Read_Ini_String(path, "files", "kvx"), "");
}

TEST(IniFile, FailedWriteThrows) {
    TempDir dir;
    EXPECT_THROW(Write_Ini_String(dir.path().string(), "files", "rom", "x"), FileError);
    EXPECT_THROW(Write_Ini_String(dir.file("no folder/a.ini"), "files", "rom", "x"), FileError);
}

TEST(IniFile, RememberedPathsRoundTrip) {
    TempDir dir;
    const std::string path = dir.file(std::string(SettingsFileName));
    EXPECT_EQ(readRememberedPaths(path), RememberedPaths{});
    writeText(path, "[other]\nx=1\n");
    const RememberedPaths paths{"/out/teams.html", "/roms/a&b.nes", "/scales/my.trs",
                                "/leagues/1994.kvx"};
    writeRememberedPaths(path, paths);
    EXPECT_EQ(readRememberedPaths(path), paths);
    EXPECT_EQ(Read_Ini_String(path, "files", "html"), paths.HtmlPath);
    EXPECT_EQ(Read_Ini_String(path, "files", "rom"), paths.RomPath);
    EXPECT_EQ(Read_Ini_String(path, "files", "trs"), paths.RatingScalePath);
    EXPECT_EQ(Read_Ini_String(path, "files", "kvx"), paths.CurrentFile);
    EXPECT_EQ(Read_Ini_String(path, "other", "x"), "1");
}

TEST(IniFile, ExportSettingsRoundTripBesideThePaths) {
    TempDir dir;
    const std::string path = dir.file(std::string(SettingsFileName));
    EXPECT_EQ(readExportSettings(path), ExportSettings{});
    const RememberedPaths paths{"", "/roms/a.nes", "", ""};
    writeRememberedPaths(path, paths);
    const ExportSettings settings{true, "/roms/league.smc", 8, "\"/opt/my emu/run\" -f %f"};
    writeExportSettings(path, settings);
    EXPECT_EQ(readExportSettings(path), settings);
    EXPECT_EQ(readRememberedPaths(path), paths);
    EXPECT_EQ(Read_Ini_String(path, "export", "fixchecksum"), "1");
    EXPECT_EQ(Read_Ini_String(path, "emulator", "command"), settings.emulatorCommand);
    // Anything but "1" leaves the checksum alone; an edition the program has no code for is none.
    writeText(path, "[export]\nfixchecksum=yes\nedition=12\n");
    EXPECT_EQ(readExportSettings(path), ExportSettings{});
}

TEST(EmulatorCommand, WordsQuotesAndTheImage) {
    using Words = std::vector<std::string>;
    const std::string image = "/tmp/a b/game.nes";
    EXPECT_EQ(emulatorCommandLine("emu %f", image), (Words{"emu", image}));
    EXPECT_EQ(emulatorCommandLine("emu", image), (Words{"emu", image}));
    EXPECT_EQ(emulatorCommandLine("  \"/opt/my emu/run\"\t--rom=%f --full ", image),
              (Words{"/opt/my emu/run", "--rom=" + image, "--full"}));
    EXPECT_EQ(emulatorCommandLine("emu \"\" %f", image), (Words{"emu", "", image}));
    EXPECT_EQ(emulatorCommandLine(emulatorCommandFor("/opt/my emu/run"), image),
              (Words{"/opt/my emu/run", image}));
    EXPECT_EQ(emulatorCommandLine("   ", image), Words{});
    EXPECT_EQ(emulatorCommandLine("\"\" %f", image), Words{});
}

std::array<std::string, 4> entries(const RecentStore& store) {
    return {store.get(0), store.get(1), store.get(2), store.get(3)};
}

using Entries = std::array<std::string, 4>;

TEST(RecentFiles, NewestFourStayNewestFirst) {
    MemoryRecentStore store;
    for (const char* path : {"/a.kvx", "/b.kvx", "/c.kvx", "/d.kvx", "/e.kvx"})
        Add_Recent_File(store, path);
    EXPECT_EQ(entries(store), (Entries{"/e.kvx", "/d.kvx", "/c.kvx", "/b.kvx"}));
}

TEST(RecentFiles, ReopenedEntryMovesToTheTop) {
    MemoryRecentStore store;
    for (const char* path : {"/d.kvx", "/c.kvx", "/b.kvx", "/a.kvx"})
        Add_Recent_File(store, path);
    Add_Recent_File(store, "/c.kvx");
    EXPECT_EQ(entries(store), (Entries{"/c.kvx", "/a.kvx", "/b.kvx", "/d.kvx"}));
    Add_Recent_File(store, "/c.kvx");
    EXPECT_EQ(entries(store), (Entries{"/c.kvx", "/a.kvx", "/b.kvx", "/d.kvx"}));
    Add_Recent_File(store, "/C.kvx"); // paths compare with their case
    EXPECT_EQ(entries(store), (Entries{"/C.kvx", "/c.kvx", "/a.kvx", "/b.kvx"}));
}

TEST(RecentFiles, PathListedTwiceMovesFromItsLowestPlace) {
    MemoryRecentStore store;
    store.set(0, "/x.kvx");
    store.set(1, "/y.kvx");
    store.set(2, "/x.kvx");
    store.set(3, "/z.kvx");
    Add_Recent_File(store, "/x.kvx");
    EXPECT_EQ(entries(store), (Entries{"/x.kvx", "/x.kvx", "/y.kvx", "/z.kvx"}));
}

TEST(RecentFiles, RemovalMovesLaterEntriesUp) {
    MemoryRecentStore store;
    for (const char* path : {"/d.kvx", "/c.kvx", "/b.kvx", "/a.kvx"})
        Add_Recent_File(store, path);
    Remove_Recent_File(store, 0);
    EXPECT_EQ(entries(store), (Entries{"/b.kvx", "/c.kvx", "/d.kvx", ""}));
    Remove_Recent_File(store, 2);
    EXPECT_EQ(entries(store), (Entries{"/b.kvx", "/c.kvx", "", ""}));
    Remove_Recent_File(store, 4);
    Remove_Recent_File(store, -1);
    EXPECT_EQ(entries(store), (Entries{"/b.kvx", "/c.kvx", "", ""}));
}

TEST(RecentFiles, CaptionsDoubleAmpersands) {
    EXPECT_EQ(recentCaption(0, "C:\\Rosters\\A&B.kvx"), "&1 C:\\Rosters\\A&&B.kvx");
    EXPECT_EQ(recentCaption(3, "/r&&d/x.kvx"), "&4 /r&&&&d/x.kvx");

    MemoryRecentStore store;
    RecentMenu menu = recentMenu(store);
    EXPECT_EQ(menu.Captions, (Entries{"", "", "", ""}));
    EXPECT_FALSE(menu.SeparatorVisible);

    Add_Recent_File(store, "/a&b.kvx");
    EXPECT_EQ(store.get(0), "/a&b.kvx");
    store.set(2, "/c.kvx");
    menu = recentMenu(store);
    EXPECT_EQ(menu.Captions, (Entries{"&1 /a&&b.kvx", "", "&3 /c.kvx", ""}));
    EXPECT_TRUE(menu.SeparatorVisible);
}

TEST(RecentFiles, OpeningAnEntry) {
    TempDir dir;
    League saved;
    newDocument(saved, Date{1994, 9, 4});
    appendTeam(saved).City = "Buffalo";
    Save_Data_File(saved, dir.file("good.kvx"));
    writeText(dir.file("junk.kvx"), "not a data file");

    MemoryRecentStore store;
    for (const char* name : {"good.kvx", "junk.kvx", "gone.kvx"})
        Add_Recent_File(store, dir.file(name));
    League league;
    newDocument(league, Date{2001, 1, 1});
    league.CurrentFile = "/current.kvx";

    EXPECT_EQ(openRecentFile(league, store, 0), RecentOpenResult::Vanished);
    EXPECT_EQ(entries(store), (Entries{dir.file("junk.kvx"), dir.file("good.kvx"), "", ""}));
    EXPECT_EQ(openRecentFile(league, store, 0), RecentOpenResult::Refused);
    EXPECT_EQ(entries(store), (Entries{dir.file("good.kvx"), "", "", ""}));
    EXPECT_EQ(league.TeamCount, 0);
    EXPECT_EQ(league.CurrentFile, "/current.kvx");

    store.set(1, "/other.kvx");
    Add_Recent_File(store, "/newer.kvx");
    EXPECT_EQ(openRecentFile(league, store, 1), RecentOpenResult::Opened);
    EXPECT_EQ(entries(store), (Entries{dir.file("good.kvx"), "/newer.kvx", "/other.kvx", ""}));
    EXPECT_EQ(league.TeamCount, 1);
    EXPECT_EQ(league.Teams[0].City, "Buffalo");
    EXPECT_EQ(league.CurrentFile, dir.file("good.kvx"));
}

} // namespace
} // namespace kvx
