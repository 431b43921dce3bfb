#include "rom/routines.h"

#include <gtest/gtest.h>

namespace kvx {
namespace {

TEST(Routines, HexTexts) {
    EXPECT_EQ(Bytes_To_Hex(std::string("\x38\x80\x00\xFF", 4)), "388000FF");
    EXPECT_EQ(High_Nibble(0x5A), 5);
    EXPECT_EQ(Low_Nibble(0x5A), 10);
    EXPECT_EQ(packNibbles(9, 0), 0x90);
}

TEST(Routines, PathSplitting) {
    EXPECT_EQ(Text_After_Last("C:\\roms\\game.nes", "\\"), "game.nes");
    EXPECT_EQ(Text_Before_Last("C:\\roms\\game.nes", "\\"), "C:\\roms");
    EXPECT_EQ(Text_After_Last("game.nes", "\\"), "game.nes");
    EXPECT_EQ(Text_Before_Last("game.nes", "\\"), "game.nes");
    EXPECT_EQ(Text_After_Last("/home/u/roms/game.nes", "/"), "game.nes");
}

TEST(Routines, PointerBases) {
    EXPECT_EQ(Pointer_To_Offset(0x00, 0x80, 0x7FF0), 0x10);
    EXPECT_EQ(Pointer_To_Offset(0x00, 0x80, -0x14010), 0x1C010);
    EXPECT_EQ(Pointer_To_Offset(0x10, 0x00, 0x8000), 0x8010);
    EXPECT_EQ(Pointer_To_Offset(0xCA, 0x86, 0x7FF0), 0x6DA);
}

TEST(Routines, RosterSlots) {
    EXPECT_EQ(Roster_Slot(2, 59), 63); // team 1's punter
    EXPECT_EQ(Roster_Slot(2, 12), 28);
    EXPECT_EQ(Roster_Slot(2, 28), 56);
    EXPECT_EQ(Roster_Slot(6, 30), 53);
    EXPECT_EQ(Roster_Slot(3, 32 + 31), 54);
    EXPECT_EQ(Roster_Slot(4, 22), 40);
    EXPECT_EQ(Roster_Slot(8, 34), 55);
    EXPECT_EQ(Roster_Slot(5, 37 * 31 + 36), 63);
    EXPECT_EQ(Roster_Slot(9, 5), 0);
    EXPECT_EQ(Roster_Slot(1, 5), 0);

    // Every roster index reaches a different slot, and every slot stays inside its group.
    for (int edition : {2, 3, 4}) {
        std::vector<bool> used(70, false);
        for (int k = 0; k < rosterSize(edition); ++k) {
            const int slot = Roster_Slot(edition, k);
            EXPECT_FALSE(used[static_cast<std::size_t>(slot)]) << edition << " " << k;
            used[static_cast<std::size_t>(slot)] = true;
        }
    }
}

TEST(Routines, JerseyNumbers) {
    EXPECT_EQ(decodeJerseyNumber(0x42), 42);
    EXPECT_EQ(decodeJerseyNumber(0x07), 7);
    EXPECT_EQ(decodeJerseyNumber(0x1A), 1);
    EXPECT_EQ(decodeJerseyNumber(0xA5), 0);
    EXPECT_EQ(decodeJerseyNumber(0x0A), 0);
    EXPECT_EQ(decodeJerseyNumber(0x00), 0);
    EXPECT_EQ(encodeJerseyNumber(42), 0x42);
    EXPECT_EQ(encodeJerseyNumber(7), 0x07);
    EXPECT_EQ(encodeJerseyNumber(99), 0x99);
    for (int n = 0; n <= 99; ++n)
        EXPECT_EQ(decodeJerseyNumber(encodeJerseyNumber(n)), n);
}

TEST(Routines, PackedNames) {
    PlayerRecord player;
    readPackedName("\x12zedBRANTLOW", player);
    EXPECT_EQ(player.Number, 12);
    EXPECT_EQ(player.FirstName, "zed");
    EXPECT_EQ(player.LastName, "BRANTLOW");

    readPackedName("\x34zedmcquillan", player);
    EXPECT_EQ(player.LastName, "");
    EXPECT_EQ(player.FirstName, "zedmcquillan");

    // A last name that starts with a non-letter loses it to the first name on the next read.
    player.FirstName = "al";
    player.LastName = "'OKELDRY";
    readPackedName(packedName(player), player);
    EXPECT_EQ(player.FirstName, "al'");
    EXPECT_EQ(player.LastName, "OKELDRY");

    PlayerRecord untouched;
    untouched.Number = 5;
    readPackedName("", untouched);
    EXPECT_EQ(untouched.Number, 5);

    player.Number = 7;
    player.FirstName = "Zed";
    player.LastName = "McQuillan";
    EXPECT_EQ(packedName(player), "\x07zedMCQUILLAN");
}

TEST(Routines, CapitalizeNames) {
    std::vector<TeamRecord> teams(1);
    teams[0].City = "ST. LOUIS";
    teams[0].Name = "RAMS";
    teams[0].Abbreviation = "stl ";
    teams[0].ScheduleName = "RAMS";
    teams[0].Players[0].FirstName = "zed";
    teams[0].Players[0].LastName = "BRANTLOW";
    teams[0].Players[1].FirstName = "al";
    teams[0].Players[1].LastName = "O'KELDRY";
    teams[0].Players[2].FirstName = "x";
    teams[0].Players[2].LastName = "MCQUILLAN";
    teams[0].Players[3].FirstName = "";
    teams[0].Players[3].LastName = "ALONE";
    Capitalize_Names(teams);
    EXPECT_EQ(teams[0].City, "St. Louis");
    EXPECT_EQ(teams[0].Name, "Rams");
    EXPECT_EQ(teams[0].Abbreviation, "stl ");
    EXPECT_EQ(teams[0].ScheduleName, "RAMS");
    EXPECT_EQ(teams[0].Players[0].FirstName, "Zed");
    EXPECT_EQ(teams[0].Players[0].LastName, "Brantlow");
    EXPECT_EQ(teams[0].Players[1].LastName, "O'keldry");
    EXPECT_EQ(teams[0].Players[2].LastName, "Mcquillan");
    EXPECT_EQ(teams[0].Players[3].LastName, "ALONE"); // its pair is incomplete

    std::vector<TeamRecord> agents(1);
    agents[0].City = "[Free";
    agents[0].Name = "Agents]";
    agents[0].Players[0].FirstName = "SAN FRANCISCO";
    agents[0].Players[0].LastName = "49ERS";
    Capitalize_Names(agents);
    EXPECT_EQ(agents[0].City, "[free");
    EXPECT_EQ(agents[0].Name, "Agents]");
    EXPECT_EQ(agents[0].Players[0].FirstName, "San Francisco");
    EXPECT_EQ(agents[0].Players[0].LastName, "49ers");
}

TEST(Routines, FindAssignedTeam) {
    std::vector<TeamRecord> teams(4);
    for (auto& team : teams)
        team.RomSlot[2] = -1;
    teams[1].RomSlot[2] = 10; // NES slot 10 holds the image's team 9
    teams[2].RomSlot[2] = 10;
    teams[3].RomSlot[2] = 9; // the empty fifth slot of AFC CENTRAL
    teams[0].RomSlot[3] = 10;
    EXPECT_EQ(Find_Assigned_Team(teams, 4, 2, 9), 1);
    EXPECT_EQ(Find_Assigned_Team(teams, 4, 2, 8), -1);
    EXPECT_EQ(Find_Assigned_Team(teams, 4, 3, 9), 0);
    EXPECT_EQ(Find_Assigned_Team(teams, 1, 2, 9), -1); // beyond TeamCount
    teams[0].RomSlot[2] = 45;                          // only a damaged file holds this
    EXPECT_EQ(Find_Assigned_Team(teams, 1, 2, 0), -1);
}

TEST(Routines, CentredLines) {
    EXPECT_EQ(centredText("anonymous", 23, 12), "       ANONYMOUS       ");
    EXPECT_EQ(centredText("", 23, 12), std::string(23, ' '));
    EXPECT_EQ(centredText("ABCDE", 23, 12), "         ABCDE         ");
    EXPECT_EQ(centredText(std::string(30, 'x'), 23, 12), std::string(23, 'X'));
    EXPECT_EQ(centredText(std::string(22, 'a'), 23, 12), std::string(22, 'A') + " ");
    EXPECT_EQ(centredText("A", 23, 12), std::string(11, ' ') + "A" + std::string(11, ' '));
    EXPECT_EQ(centredText(std::string(WebAddress), 23, 12), "   WWW.KVXM2000.TEST   ");
    EXPECT_EQ(fixedWidth("NY", 4), "NY  ");
    EXPECT_EQ(fixedWidth("ABCDEF", 4), "ABCD");
}

} // namespace
} // namespace kvx
