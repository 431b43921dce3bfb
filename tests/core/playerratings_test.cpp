#include "ratings/playerratings.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace kvx {
namespace {

// Only the teams the document counts are listed; a level outside 0..15 has no shown value,
// and a player holding one has no rating either; the rows keep the sort of the list.
TEST(PlayerRatings, ListsCountedTeamsAndLeavesUnshownValuesEmpty) {
    League league;
    league.Teams.resize(static_cast<std::size_t>(3));
    league.TeamCount = 2;
    for (TeamRecord& team : league.Teams) {
        team.Abbreviation = "NYG";
        team.Players[DB * DepthPlaces + 6].FirstName = "Ty";
        team.Players[DB * DepthPlaces + 6].Number = 24;
    }
    PlayerRecord& odd = league.Teams[1].Players[DB * DepthPlaces];
    odd.FirstName = "Odd";
    odd.Number = 9;
    odd.Attributes[2] = 16;
    odd.Attributes[7] = -1;
    RatingScale scale{};
    scale[DB].Weights[0] = 1;

    PlayerRatingsTable table;
    table.clickColumn(0); // descending by number
    table.rebuild(league, scale, DB);
    ASSERT_EQ(table.rows().size(), 3u);
    EXPECT_EQ(table.rows()[0].Key, "ID55"); // "24" of team 0, then of team 1: stable
    EXPECT_EQ(table.rows()[1].Key, "ID125");
    const PlayerRatingsRow& row = table.rows()[2];
    EXPECT_EQ(row.Key, "ID119");
    EXPECT_EQ(row.Cells[1], ", Odd - nyg");
    EXPECT_EQ(row.Cells[2], "");
    EXPECT_EQ(row.Cells[FirstAttributeColumn + 1], "06");
    EXPECT_EQ(row.Cells[FirstAttributeColumn + 2], "");
    EXPECT_EQ(row.Cells[FirstAttributeColumn + 7], "");
    EXPECT_EQ(table.rows()[0].Cells[2], "00");
    EXPECT_EQ(table.headers()[FirstAttributeColumn + 6], "IN");

    EXPECT_THROW(table.rebuild(league, scale, GroupCount), std::out_of_range);
}

} // namespace
} // namespace kvx
