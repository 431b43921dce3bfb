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

TEST(League, TeamIdentityJoinsCityAndNameIgnoringCase) {
    EXPECT_TRUE(sameTeam("New York", "Jets", "new york", "JETS"));
    EXPECT_TRUE(sameTeam("New Y", "orkJets", "New York", "Jets"));
    EXPECT_FALSE(sameTeam("New York", "Jets", "New York", "Giants"));
    // Joined without a separator: "NewYork Jets" is not "New YorkJets".
    EXPECT_FALSE(sameTeam("New", "York Jets", "New York", "Jets"));
}

TEST(League, SwapPlayersTwiceRestoresBothRecords) {
    PlayerRecord a{"zed", "BRANTLOW", 12, 200, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}, 9};
    PlayerRecord b{"al", "O'KELDRY", 99, 140, {15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5}, 3};
    const PlayerRecord originalA = a, originalB = b;
    Swap_Players(a, b);
    EXPECT_EQ(a, originalB);
    EXPECT_EQ(b, originalA);
    Swap_Players(a, b);
    EXPECT_EQ(a, originalA);
    EXPECT_EQ(b, originalB);
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
