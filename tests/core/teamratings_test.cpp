#include "ratings/teamratings.h"

#include <gtest/gtest.h>

namespace kvx {
namespace {

constexpr int TeamColumn = 0;
constexpr int OverallColumn = 1;
constexpr int QbColumn = FirstGroupColumn + QB;
constexpr int RbColumn = FirstGroupColumn + RB;

// The scale rates QB and RB on attribute 0 alone, one starter each: a first player of level L
// rates round(L / 15 x 100), with the bonus above level 7.
RatingScale twoGroupScale() {
    RatingScale scale;
    scale[QB].Weights[0] = 1;
    scale[RB].Weights[0] = 1;
    return scale;
}

void addTeam(League& league, const std::string& city, const std::string& name, int qbLevel,
             int rbLevel) {
    TeamRecord& team = appendTeam(league);
    team.City = city;
    team.Name = name;
    team.Players[0].Attributes[0] = static_cast<std::int16_t>(qbLevel);
    team.Players[7].Attributes[0] = static_cast<std::int16_t>(rbLevel);
}

std::vector<std::string> column(const TeamRatingsTable& table, int index) {
    std::vector<std::string> texts;
    for (const TeamRatingsRow& row : table.rows())
        texts.push_back(row.Cells[static_cast<std::size_t>(index)]);
    return texts;
}

using Texts = std::vector<std::string>;

TEST(TeamRatings, AllWeightsZeroMarkEveryGroupCell) {
    League league;
    addTeam(league, "Buffalo", "Bills", 15, 15);
    addTeam(league, "Miami", "Dolphins", 3, 9);
    TeamRatingsTable table;
    table.rebuild(league, RatingScale{});
    ASSERT_EQ(table.rows().size(), 2u);
    for (const TeamRatingsRow& row : table.rows()) {
        EXPECT_EQ(row.Cells[OverallColumn], "00.0");
        EXPECT_FALSE(row.Marked[TeamColumn]);
        EXPECT_FALSE(row.Marked[OverallColumn]);
        for (int c = FirstGroupColumn; c < TeamRatingsColumnCount; ++c) {
            EXPECT_EQ(row.Cells[static_cast<std::size_t>(c)], "00");
            EXPECT_TRUE(row.Marked[static_cast<std::size_t>(c)]);
        }
    }
}

TEST(TeamRatings, RowsShowNamesKeysRatingsAndOverall) {
    League league;
    addTeam(league, "Seattle", "Seahawks", 15, 1); // QB 99, RB 07
    addTeam(league, "Atlanta", "Falcons", 6, 10);  // QB 40, RB 80
    league.Teams.resize(4);                        // elements past TeamCount are not listed
    TeamRatingsTable table;
    table.rebuild(league, twoGroupScale());

    ASSERT_EQ(table.rows().size(), 2u);
    const TeamRatingsRow& atlanta = table.rows()[0]; // sorted by name
    EXPECT_EQ(atlanta.Team, 1);
    EXPECT_EQ(atlanta.Key, "ID1");
    EXPECT_EQ(atlanta.Cells[TeamColumn], "Atlanta Falcons");
    EXPECT_EQ(atlanta.Cells[QbColumn], "40");
    EXPECT_EQ(atlanta.Cells[RbColumn], "80");
    EXPECT_EQ(atlanta.WeightedSum, 4 * 40 + 3 * 80);
    EXPECT_EQ(atlanta.Cells[OverallColumn], "16.0");
    const TeamRatingsRow& seattle = table.rows()[1];
    EXPECT_EQ(seattle.Key, "ID0");
    EXPECT_EQ(seattle.Cells[RbColumn], "07");
    EXPECT_EQ(seattle.Cells[OverallColumn], "16.7"); // (396 + 21) / 25 = 16.68
    EXPECT_EQ(seattle.Cells[FirstGroupColumn + P], "00");
    // The team's name stays left in the list and in its HTML table; the numbers are centred.
    const ListTable list = table.listTable();
    EXPECT_FALSE(list.columns[TeamColumn].centred);
    EXPECT_TRUE(list.columns[OverallColumn].centred);
}

TEST(TeamRatings, BestValuesAreMarkedWithTies) {
    League league;
    addTeam(league, "A", "One", 15, 2);
    addTeam(league, "B", "Two", 15, 9);
    addTeam(league, "C", "Three", 7, 3);
    TeamRatingsTable table;
    table.rebuild(league, twoGroupScale());
    const auto& rows = table.rows();
    EXPECT_TRUE(rows[0].Marked[QbColumn]);
    EXPECT_TRUE(rows[1].Marked[QbColumn]);
    EXPECT_FALSE(rows[2].Marked[QbColumn]);
    EXPECT_FALSE(rows[0].Marked[RbColumn]);
    EXPECT_TRUE(rows[1].Marked[RbColumn]);
    EXPECT_FALSE(rows[2].Marked[RbColumn]);
    for (const TeamRatingsRow& row : rows) {
        EXPECT_TRUE(row.Marked[FirstGroupColumn + WR]); // all 00
        EXPECT_FALSE(row.Marked[OverallColumn]);
    }
}

TEST(TeamRatings, HeaderClicksSortAndToggle) {
    League league;
    addTeam(league, "Denver", "Broncos", 3, 9);
    addTeam(league, "chicago", "Bears", 9, 1);
    addTeam(league, "Buffalo", "Bills", 6, 6);
    TeamRatingsTable table;
    table.rebuild(league, twoGroupScale());
    EXPECT_EQ(column(table, TeamColumn),
              (Texts{"Buffalo Bills", "chicago Bears", "Denver Broncos"}));

    table.clickColumn(QbColumn);
    EXPECT_TRUE(table.ascending());
    EXPECT_EQ(column(table, QbColumn), (Texts{"20", "40", "72"}));
    table.clickColumn(QbColumn);
    EXPECT_FALSE(table.ascending());
    EXPECT_EQ(column(table, QbColumn), (Texts{"72", "40", "20"}));
    table.clickColumn(RbColumn);
    EXPECT_EQ(table.sortColumn(), RbColumn);
    EXPECT_FALSE(table.ascending());
    EXPECT_EQ(column(table, RbColumn), (Texts{"72", "40", "07"}));

    // Marks travel with their rows.
    for (const TeamRatingsRow& row : table.rows())
        EXPECT_EQ(row.Marked[QbColumn], row.Key == "ID1");

    // A rebuild keeps the sort.
    table.rebuild(league, twoGroupScale());
    EXPECT_EQ(column(table, RbColumn), (Texts{"72", "40", "07"}));
    table.clickColumn(TeamRatingsColumnCount);
    EXPECT_EQ(table.sortColumn(), RbColumn);
}

TEST(TeamRatings, SortingIsTextual) {
    League league;
    addTeam(league, "A", "Ninety-nine", 15, 0);
    TeamRecord& hundred = appendTeam(league); // QB 100: v = 12.44, x = 99.56
    hundred.City = "B";
    hundred.Name = "Hundred";
    hundred.Players[0].Attributes[1] = 14;
    RatingScale scale;
    scale[QB].Weights[0] = 1;
    scale[QB].Weights[1] = 8;
    league.Teams[0].Players[0].Attributes.fill(15);

    TeamRatingsTable table;
    table.rebuild(league, scale);
    table.clickColumn(QbColumn);
    EXPECT_EQ(column(table, QbColumn), (Texts{"100", "99"}));
    EXPECT_TRUE(table.rows()[0].Marked[QbColumn]);
    EXPECT_FALSE(table.rows()[1].Marked[QbColumn]);
}

TEST(TeamRatings, EmptyDocumentHasNoRows) {
    League league;
    TeamRatingsTable table;
    table.rebuild(league, twoGroupScale());
    EXPECT_TRUE(table.rows().empty());
}

} // namespace
} // namespace kvx
