#include "document/league.h"
#include "document/tables.h"
#include "support/random_league.h"

#include <gtest/gtest.h>

namespace kvx {
namespace {

TEST(League, NewDocumentIsEmptyUntitledAndDatedToday) {
    League league;
    league.Teams.resize(5);
    league.TeamCount = 5;
    league.CurrentFile = "old.kvx";
    newDocument(league, Date{2001, 3, 7});

    EXPECT_EQ(league.TeamCount, 0);
    ASSERT_EQ(league.Teams.size(), 1u);
    EXPECT_EQ(league.Teams[0], TeamRecord{});
    EXPECT_EQ(league.CurrentFile, "");
    EXPECT_EQ(league.GeneralInfo.Credits, "ANONYMOUS");
    EXPECT_EQ(league.GeneralInfo.Year, "2001");
    EXPECT_EQ(league.GeneralInfo.Month, 3);
    EXPECT_EQ(league.GeneralInfo.Day, 7);
}

TEST(League, AppendedTeamIsBlankAndKeepsTheOthers) {
    League league;
    appendTeam(league).City = "Buffalo";
    TeamRecord& second = appendTeam(league);

    EXPECT_EQ(league.TeamCount, 2);
    EXPECT_EQ(league.Teams[0].City, "Buffalo");
    EXPECT_EQ(second, TeamRecord{});
    for (int edition = 1; edition <= EditionCount; ++edition)
        EXPECT_EQ(second.RomSlot[edition], 0);
}

TEST(League, ClearedTeamEqualsABlankOne) {
    // Every field filled, so that a field the clearing forgets shows.
    test::Random random(3);
    TeamRecord team = test::randomTeam(random);
    clearTeam(team);
    EXPECT_EQ(team, TeamRecord{});
}

// Depth 2 and 4, 3 and 5 of each counted team's defensive backs swap, nothing else; twice restores.
TEST(League, SwapDefensiveBacksMovesTwoPairsOfEveryCountedTeam) {
    test::Random random(5);
    League league;
    for (int t = 0; t < 3; ++t)
        appendTeam(league) = test::randomTeam(random);
    league.TeamCount = 2;
    const League original = league;
    swapDefensiveBacks(league);
    const int partner[DepthPlaces] = {0, 1, 4, 5, 2, 3, 6};
    for (int t = 0; t < 3; ++t)
        for (int s = 0; s < PlayerSlots; ++s) {
            const int from = t < 2 && s / DepthPlaces == DB ? DB * 7 + partner[s % 7] : s;
            EXPECT_EQ(league.Teams[t].Players[s], original.Teams[t].Players[from]) << t << "/" << s;
        }
    swapDefensiveBacks(league);
    EXPECT_EQ(league.Teams, original.Teams);
}

// A face is one byte of the image; bad places and faces are refused before anything changes.
TEST(League, SetFaceTakesOneByteAtACountedPlace) {
    League league;
    appendTeam(league);
    setFace(league, 0, 69, 255);
    EXPECT_EQ(league.Teams[0].Players[69].Face, 255);
    const League before = league;
    for (const auto& [team, slot, face] :
         {std::tuple{1, 0, 1}, std::tuple{-1, 0, 1}, std::tuple{0, 70, 1}, std::tuple{0, -1, 1},
          std::tuple{0, 0, 256}, std::tuple{0, 0, -1}})
        EXPECT_THROW(setFace(league, team, slot, face), std::out_of_range) << team << slot << face;
    EXPECT_EQ(league.Teams, before.Teams);
}

TEST(League, CaseChangesTouchAsciiLettersOnly) {
    EXPECT_EQ(toUpperAscii("st. louis \xe9"), "ST. LOUIS \xe9");
    EXPECT_EQ(toLowerAscii("O'KELDRY 49ERS"), "o'keldry 49ers");
    EXPECT_EQ(trimSpaces("  Green Bay "), "Green Bay");
    EXPECT_EQ(trimSpaces("   "), "");
}

TEST(Tables, SlotTeamIndexOfTwentyEightTeamEditionsSkipsTwoSlots) {
    for (Edition edition : {Nes, GenesisI, GenesisII, SnesI, SnesII}) {
        EXPECT_EQ(SlotTeamIndex(edition, 0), 0);
        EXPECT_EQ(SlotTeamIndex(edition, 8), 8);
        EXPECT_EQ(SlotTeamIndex(edition, 9), -1);
        EXPECT_EQ(SlotTeamIndex(edition, 10), 9);
        EXPECT_EQ(SlotTeamIndex(edition, 28), 27);
        EXPECT_EQ(SlotTeamIndex(edition, 29), -1);
    }
    for (Edition edition : {GenesisIII, SnesIII})
        for (int slot = 0; slot < 30; ++slot)
            EXPECT_EQ(SlotTeamIndex(edition, slot), slot);
    for (Edition edition : {AutoDetect, PlayStation})
        EXPECT_EQ(SlotTeamIndex(edition, 4), 0);
}

TEST(Tables, DefaultTeamNamesShareListsBetweenEditions) {
    for (int slot = 0; slot < 30; ++slot) {
        EXPECT_EQ(DefaultTeamNames(GenesisII, slot), DefaultTeamNames(GenesisI, slot));
        EXPECT_EQ(DefaultTeamNames(SnesI, slot), DefaultTeamNames(GenesisI, slot));
        EXPECT_EQ(DefaultTeamNames(SnesIII, slot), DefaultTeamNames(GenesisIII, slot));
        for (Edition unnamed : {AutoDetect, SnesII, PlayStation})
            EXPECT_EQ(DefaultTeamNames(unnamed, slot), "");
        // List B differs from list A only in the order of the two NFC divisions.
        if (slot < 15 || (slot >= 20 && slot < 25)) {
            EXPECT_EQ(DefaultTeamNames(GenesisI, slot), DefaultTeamNames(Nes, slot));
        }
    }
    EXPECT_EQ(DefaultTeamNames(Nes, 15), "Washington Redskins");
    EXPECT_EQ(DefaultTeamNames(GenesisI, 15), "Dallas Cowboys");
    EXPECT_EQ(DefaultTeamNames(GenesisI, 28), "S.F. 49ers");
    EXPECT_EQ(DefaultTeamNames(Nes, 9), "");
    EXPECT_EQ(DefaultTeamNames(GenesisIII, 28), "St.Louis Rams");
    EXPECT_EQ(DefaultTeamNames(GenesisIII, 29), "San Francisco 49ers");
}

TEST(Tables, AttributeNamesAndScales) {
    EXPECT_EQ(AttributeNames(QB, 3, Abbreviation), "AR");
    EXPECT_EQ(AttributeNames(QB, 3, FullName), "Avoid Rush & Block");
    EXPECT_EQ(AttributeNames(K, 2, Abbreviation), "AB");
    EXPECT_EQ(AttributeNames(P, 1, Abbreviation), "AB");
    EXPECT_EQ(AttributeNames(P, 2, Abbreviation), "");
    for (int slot = 0; slot < 5; ++slot)
        EXPECT_EQ(AttributeNames(OL, slot, Abbreviation), "");
    EXPECT_EQ(AttributeNames(DB, 1, FullName), "Quickness");
    EXPECT_EQ(AttributeScale[15], 99);
    int weightSum = 0;
    for (auto weight : PositionWeights)
        weightSum += weight;
    EXPECT_EQ(weightSum, 25);
}

TEST(Tables, SlotLabelsCountDepthFromOne) {
    EXPECT_EQ(Slot_Label(0), "QB1");
    EXPECT_EQ(Slot_Label(8), "RB2");
    EXPECT_EQ(Slot_Label(56), "K1");
    EXPECT_EQ(Slot_Label(69), "P7");
    EXPECT_EQ(Slot_Label(70), "");
    EXPECT_EQ(Slot_Label(-1), "");
}

} // namespace
} // namespace kvx
