#include "ratings/ratings.h"
#include "support/random_league.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace kvx {
namespace {

// A scale whose entry for `group` has the given weights (attribute index, weight).
RatingScale scaleWith(int group, std::initializer_list<std::pair<int, int>> weights,
                      int startersMinusOne = 0, int backups = 0) {
    RatingScale scale;
    RatingScaleEntry& entry = scale[static_cast<std::size_t>(group)];
    for (const auto& [index, weight] : weights)
        entry.Weights[static_cast<std::size_t>(index)] = static_cast<std::int16_t>(weight);
    entry.StartersMinusOne = static_cast<std::int16_t>(startersMinusOne);
    entry.Backups = static_cast<std::int16_t>(backups);
    return scale;
}

void setLevels(TeamRecord& team, int slot, std::initializer_list<std::pair<int, int>> levels) {
    for (const auto& [index, level] : levels)
        team.player(slot).Attributes[static_cast<std::size_t>(index)] =
            static_cast<std::int16_t>(level);
}

void setAllLevels(TeamRecord& team, int level) {
    for (auto& player : team.Players)
        player.Attributes.fill(static_cast<std::int16_t>(level));
}

TEST(Ratings, CapIsTestedBeforeRoundingAndTiesGoToEven) {
    EXPECT_EQ(ratingFromPercent(50.5), 50);
    EXPECT_EQ(ratingFromPercent(51.5), 52);
    EXPECT_EQ(ratingFromPercent(12.5), 12);
    EXPECT_EQ(ratingFromPercent(13.5), 14);
    EXPECT_EQ(ratingFromPercent(99.5), 100);
    EXPECT_EQ(ratingFromPercent(99.49), 99);
    EXPECT_EQ(ratingFromPercent(std::nextafter(100.0, 0.0)), 100);
    EXPECT_EQ(ratingFromPercent(100.0), 99);
    EXPECT_EQ(ratingFromPercent(250.0), 99);
    EXPECT_EQ(ratingFromPercent(0.0), 0);
    EXPECT_EQ(ratingFromPercent(-0.5), 0);
    EXPECT_EQ(ratingFromPercent(-1.5), -2);
    EXPECT_EQ(ratingFromPercent(-6.6), -7);
    EXPECT_EQ(ratingFromPercent(-1e12), -32768);
    EXPECT_EQ(ratingFromPercent(std::numeric_limits<double>::quiet_NaN()), -32768);
}

TEST(Ratings, AllWeightsZeroRateZero) {
    const League league = test::randomLeague(3, 11);
    const RatingScale scale{};
    for (int t = 0; t < 3; ++t) {
        for (int slot = 0; slot < PlayerSlots; ++slot)
            EXPECT_EQ(Player_Rating(league, t, slot, scale), 0);
        for (int group = 0; group < GroupCount; ++group)
            EXPECT_EQ(Group_Rating(league, t, group, scale), 0);
        EXPECT_EQ(teamOverall(league, t, scale), 0.0);
    }
}

TEST(Ratings, TopLevelsRateNinetyNine) {
    TeamRecord team;
    setAllLevels(team, 15);
    const RatingScale scale = scaleWith(QB, {{0, 3}, {6, 15}, {10, 1}});
    EXPECT_EQ(Player_Rating(team, 0, scale), 99);
    EXPECT_EQ(Player_Rating(team, 6, scale), 99);
}

TEST(Ratings, PlayerJustBelowTheCapRoundsUpToOneHundred) {
    TeamRecord team;
    setLevels(team, 8, {{2, 14}, {7, 15}}); // RB2: v = 14.9375, x = 99.583...
    const RatingScale scale = scaleWith(RB, {{2, 1}, {7, 15}});
    EXPECT_EQ(Player_Rating(team, 8, scale), 100);
}

TEST(Ratings, PlayerTieRoundsToEven) {
    TeamRecord team;
    setLevels(team, 14, {{0, 1}, {1, 2}}); // v = 1/8 + 14/8 = 1.875, x = 12.5
    EXPECT_EQ(Player_Rating(team, 14, scaleWith(WR, {{0, 1}, {1, 7}})), 12);
}

TEST(Ratings, NonPositionAttributesCountWhenWeighted) {
    TeamRecord team;
    setLevels(team, 28, {{0, 15}, {10, 0}}); // an offensive lineman has no attribute 10
    EXPECT_EQ(Player_Rating(team, 28, scaleWith(OL, {{0, 1}, {10, 1}})), 50);
}

TEST(Ratings, GroupTiesRoundToEven) {
    // Two starters; weights 1 and 3. The first is worth 0.75, the second 12 or 12.25 before its
    // bonus, so T = 15.15 (x = 50.5) or T = 15.45 (x = 51.5).
    const RatingScale scale = scaleWith(TE, {{0, 1}, {1, 3}}, 1, 0);
    TeamRecord team;
    setLevels(team, 21, {{0, 0}, {1, 1}});
    setLevels(team, 22, {{0, 3}, {1, 15}});
    EXPECT_EQ(Group_Rating(team, TE, scale), 50);
    setLevels(team, 22, {{0, 4}, {1, 15}});
    EXPECT_EQ(Group_Rating(team, TE, scale), 52);
}

TEST(Ratings, OneStarterOfValueTenEarnsTheBonus) {
    TeamRecord team;
    setLevels(team, 35, {{3, 10}});
    setLevels(team, 36, {{3, 15}}); // not counted: only the first slot plays
    EXPECT_EQ(Group_Rating(team, DL, scaleWith(DL, {{3, 4}})), 80);
}

TEST(Ratings, SevenStartersCountEverySlot) {
    TeamRecord team;
    setLevels(team, 48, {{4, 15}}); // LB7 only: T = 18, D = 105
    EXPECT_EQ(Group_Rating(team, LB, scaleWith(LB, {{4, 2}}, 6, 0)), 17);
    EXPECT_EQ(Group_Rating(team, LB, scaleWith(LB, {{4, 2}}, 5, 0)), 0);
}

TEST(Ratings, SixBackupsCountAtHalfWeight) {
    TeamRecord team;
    setLevels(team, 49, {{5, 10}}); // starter: 12 with the bonus
    for (int slot = 50; slot <= 55; ++slot)
        setLevels(team, slot, {{5, 14}}); // backups: 7 each, no bonus
    // T = 12 + 6 x 7 = 54, D = 15 + 6 x 7.5 = 60.
    EXPECT_EQ(Group_Rating(team, DB, scaleWith(DB, {{5, 1}}, 0, 6)), 90);
}

TEST(Ratings, BackupEarnsTheBonusOnlyAboveFourteen) {
    const RatingScale scale = scaleWith(K, {{6, 1}}, 0, 1); // D = 22.5, starter worth 0
    TeamRecord team;
    setLevels(team, 57, {{6, 15}}); // 7.5, with the bonus 9: x = 40
    EXPECT_EQ(Group_Rating(team, K, scale), 40);
    setLevels(team, 57, {{6, 14}}); // 7.0, no bonus: x = 31.1
    EXPECT_EQ(Group_Rating(team, K, scale), 31);
}

TEST(Ratings, GroupJustBelowTheCapRatesOneHundred) {
    TeamRecord team;
    setLevels(team, 0, {{1, 14}}); // v = 12.44, with the bonus 14.93: x = 99.56
    EXPECT_EQ(Group_Rating(team, QB, scaleWith(QB, {{0, 1}, {1, 8}})), 100);
    setAllLevels(team, 15);
    EXPECT_EQ(Group_Rating(team, QB, scaleWith(QB, {{0, 1}, {1, 8}}, 2, 4)), 99);
}

TEST(Ratings, LoadedCountsNeverReachBeyondTheGroup) {
    TeamRecord team;
    setLevels(team, 56, {{0, 15}}); // K1, the slot after the defensive backs
    setLevels(team, 55, {{0, 3}});
    // Seven starters at most: 3 / 105 -> 3 %, the kicker is not read.
    EXPECT_EQ(Group_Rating(team, DB, scaleWith(DB, {{0, 1}}, 20, 20)), 3);
    EXPECT_EQ(Group_Rating(team, DB, scaleWith(DB, {{0, 1}}, 6, 5)), 3);
    // The last group has no slot after it at all.
    EXPECT_NO_THROW(Group_Rating(team, P, scaleWith(P, {{0, 1}}, 32767, 32767)));
    // Fewer than one starter counts as one; negative backups as none.
    setLevels(team, 63, {{0, 15}});
    setLevels(team, 64, {{0, 15}});
    EXPECT_EQ(Group_Rating(team, P, scaleWith(P, {{0, 1}}, -5, -2)), 99);
    EXPECT_EQ(Group_Rating(team, P, scaleWith(P, {{0, 1}}, -1, 0)), 99);
    EXPECT_EQ(Group_Rating(team, P, scaleWith(P, {{0, 1}}, -32768, 1)), 99);
}

// Starters and backups picked in the editor fill the seven places at most: a pick that fills
// them exactly keeps the other count, one more takes a place from it.
TEST(Ratings, PickedStartersAndBackupsFillTheGroupAtMost) {
    RatingScaleEntry entry{};
    const auto counts = [&entry] { return entry.StartersMinusOne * 10 + entry.Backups; };
    entry.StartersMinusOne = 1;
    pickBackups(entry, 5);
    EXPECT_EQ(counts(), 15);
    pickBackups(entry, 6);
    EXPECT_EQ(counts(), 6);
    pickStarters(entry, 1);
    EXPECT_EQ(counts(), 15);
}

TEST(Ratings, UnusualValuesAreUsedAsStored) {
    TeamRecord team;
    setAllLevels(team, -1); // rows the rosters editor left incomplete
    EXPECT_EQ(Player_Rating(team, 0, scaleWith(QB, {{6, 5}})), -7);
    // Weights that cancel out total zero and rate zero.
    setAllLevels(team, 9);
    EXPECT_EQ(Player_Rating(team, 0, scaleWith(QB, {{0, 5}, {1, -5}})), 0);
    EXPECT_EQ(Group_Rating(team, QB, scaleWith(QB, {{0, 5}, {1, -5}})), 0);
    // Large and negative weights are capped from above only.
    setLevels(team, 0, {{0, 15}, {1, 0}});
    EXPECT_EQ(Player_Rating(team, 0, scaleWith(QB, {{0, 15}, {1, -14}})), 99);
    setLevels(team, 0, {{0, 0}, {1, 15}});
    EXPECT_EQ(Player_Rating(team, 0, scaleWith(QB, {{0, 32767}, {1, -32767}, {2, 1}})), -32768);
}

TEST(Ratings, TeamOverallWeighsTheGroups) {
    TeamRecord team;
    setAllLevels(team, 15);
    RatingScale scale;
    for (auto& entry : scale)
        entry.Weights[0] = 1;
    EXPECT_EQ(teamRatingSum(team, scale), 99 * 25);
    EXPECT_EQ(teamOverall(team, scale), 99.0);

    scale[QB].Weights[0] = 0; // QB counts 4 of 25
    EXPECT_EQ(teamRatingSum(team, scale), 99 * 21);
    EXPECT_DOUBLE_EQ(teamOverall(team, scale), 83.16);
}

TEST(Ratings, OutOfRangeIndicesAreRefused) {
    const League league = test::randomLeague(2, 3);
    const RatingScale scale{};
    EXPECT_THROW(Player_Rating(league, 2, 0, scale), std::out_of_range);
    EXPECT_THROW(Player_Rating(league, -1, 0, scale), std::out_of_range);
    EXPECT_THROW(Player_Rating(league, 0, 70, scale), std::out_of_range);
    EXPECT_THROW(Group_Rating(league, 0, 10, scale), std::out_of_range);
    EXPECT_THROW(Group_Rating(league, 0, -1, scale), std::out_of_range);
}

TEST(RatingFormats, TwoDigits) {
    EXPECT_EQ(formatTwoDigits(0), "00");
    EXPECT_EQ(formatTwoDigits(7), "07");
    EXPECT_EQ(formatTwoDigits(64), "64");
    EXPECT_EQ(formatTwoDigits(100), "100");
    EXPECT_EQ(formatTwoDigits(-7), "-07");
}

TEST(RatingFormats, OverallRoundsTheExactQuotient) {
    EXPECT_EQ(formatOverall(1687), "67.5"); // 67.48
    EXPECT_EQ(formatOverall(1686), "67.4"); // 67.44
    EXPECT_EQ(formatOverall(0), "00.0");
    EXPECT_EQ(formatOverall(185), "07.4");
    EXPECT_EQ(formatOverall(2475), "99.0");
    EXPECT_EQ(formatOverall(2500), "100.0");
    EXPECT_EQ(formatOverall(1), "00.0"); // 0.04
    EXPECT_EQ(formatOverall(2), "00.1"); // 0.08
    EXPECT_EQ(formatOverall(-175), "-07.0");
    EXPECT_EQ(formatOverall(-1), "00.0");
}

} // namespace
} // namespace kvx
