#include "document/slotassignment.h"

#include "document/tables.h"

#include <gtest/gtest.h>

namespace kvx {
namespace {

League leagueOf(std::initializer_list<std::pair<const char*, const char*>> teams) {
    League league;
    newDocument(league, Date{2001, 1, 1});
    for (const auto& [city, name] : teams) {
        TeamRecord& team = appendTeam(league);
        team.City = city;
        team.Name = name;
    }
    return league;
}

TEST(SlotAssignment, FreshTeamsAllClaimSlotZeroAndTheLastWins) {
    const League league =
        leagueOf({{"Buffalo", "Bills"}, {"Miami", "Dolphins"}, {"Dallas", "Cowboys"}});
    const SlotAssignment assignment(league, Nes);
    EXPECT_EQ(assignment.team(0), 2);
    for (int slot = 1; slot < 30; ++slot)
        EXPECT_EQ(assignment.team(slot), -1);
}

TEST(SlotAssignment, AutoMatchesNicknamesOnOnePage) {
    League league = leagueOf({{"Buffalo", "bills"},
                              {"Orchard", "Bills"},
                              {"Miami", "Dolphins"},
                              {"San Francisco", "49ers"},
                              {"Nowhere", ""}});
    for (auto& team : league.Teams)
        team.RomSlot[Nes] = -1;
    SlotAssignment assignment(league, Nes);
    assignment.autoMatch(league, 0);
    EXPECT_EQ(assignment.team(0), 1); // the last matching team wins
    EXPECT_EQ(assignment.team(2), 2);
    EXPECT_EQ(assignment.team(25), -1); // other pages are left alone
    assignment.autoMatch(league, 5);
    EXPECT_EQ(assignment.team(25), 3); // "S.F. 49ers"
    // The empty fifth slot of AFC CENTRAL matches only a team with an empty name.
    assignment.autoMatch(league, 1);
    EXPECT_EQ(assignment.team(9), 4);
}

TEST(SlotAssignment, FinishKeepsTheHighestSlotAndClearsTheRest) {
    League league = leagueOf({{"A", "A"}, {"B", "B"}, {"C", "C"}});
    league.Teams[2].RomSlot[GenesisI] = 12; // another edition is never touched
    SlotAssignment assignment(league, Nes);
    assignment.assign(0, -1);
    assignment.assign(4, 1);
    assignment.assign(17, 1);
    assignment.assign(6, 0);
    assignment.finish(league);
    EXPECT_EQ(league.Teams[0].RomSlot[Nes], 6);
    EXPECT_EQ(league.Teams[1].RomSlot[Nes], 17);
    EXPECT_EQ(league.Teams[2].RomSlot[Nes], -1);
    EXPECT_EQ(league.Teams[2].RomSlot[GenesisI], 12);
}

TEST(SlotAssignment, AutoPrefersTheTeamTheImageHoldsNow) {
    // The image's own teams, by place in the image; the NES edition keeps no team in slot 9.
    std::vector<TeamRecord> held(28);
    for (std::size_t b = 0; b < held.size(); ++b) {
        held[b].City = "Place" + std::to_string(b);
        held[b].Name = "Held" + std::to_string(b);
    }
    const ImageSlotTeams image = imageSlotTeams(Nes, held);
    for (int slot = 0; slot < 30; ++slot) {
        const int b = SlotTeamIndex(Nes, slot);
        EXPECT_EQ(image[static_cast<std::size_t>(slot)].empty(), b < 0) << slot;
        if (b >= 0) {
            EXPECT_EQ(image[static_cast<std::size_t>(slot)].displayName(),
                      held[static_cast<std::size_t>(b)].City + " " +
                          held[static_cast<std::size_t>(b)].Name);
        }
    }

    const std::string nowInSlot0 = image[0].Name;
    League league = leagueOf({{"X", nowInSlot0.c_str()}, // the image's team, back in its slot
                              {"Y", "Bills"},            // the edition's name for slot 0
                              {"Z", "colts"}});          // slot 1: nothing holds "Held..."
    for (auto& team : league.Teams)
        team.RomSlot[Nes] = -1;
    SlotAssignment assignment(league, Nes);
    assignment.autoMatch(league, 0, &image);
    EXPECT_EQ(assignment.team(0), 0);
    EXPECT_EQ(assignment.team(1), 2);
    // Without the image only the edition's names count.
    SlotAssignment byNames(league, Nes);
    byNames.autoMatch(league, 0);
    EXPECT_EQ(byNames.team(0), 1);
}

TEST(SlotAssignment, SlotsOutsideTheDivisionsClaimNothing) {
    League league = leagueOf({{"A", "A"}, {"B", "B"}});
    league.Teams[0].RomSlot[Nes] = 45;
    league.Teams[1].RomSlot[Nes] = -3;
    const SlotAssignment assignment(league, Nes);
    for (int slot = 0; slot < 30; ++slot)
        EXPECT_EQ(assignment.team(slot), -1);
}

} // namespace
} // namespace kvx
