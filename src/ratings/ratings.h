#pragma once

#include "document/league.h"

#include <array>
#include <cstdint>
#include <string>

namespace kvx {

// How one position group is rated: the weight of each of the eleven attributes, and how many
// depth places count for the team. Field order and widths are also the entry layout of the
// rating-scale file.
struct RatingScaleEntry {
    std::array<std::int16_t, AttributeCount> Weights{};
    std::int16_t StartersMinusOne = 0;
    std::int16_t Backups = 0;

    bool operator==(const RatingScaleEntry&) const = default;
};

// The depth rule of the weight editor: starters and backups together never count more than the
// group's seven depth places. The user picks one of the two; the other gives way if needed.
void pickStarters(RatingScaleEntry& entry, int startersMinusOne);
void pickBackups(RatingScaleEntry& entry, int backups);

// One entry per position group, indexed by group. All zero (no weights, one starter, no
// backups) until a rating-scale file is loaded. The program owns one and hands it around.
using RatingScale = std::array<RatingScaleEntry, GroupCount>;

// The cap and rounding shared by player and group ratings: x at or above 100 rates 99, anything
// else rounds to the nearest integer with ties to even (99.5 rates 100, 50.5 rates 50).
int ratingFromPercent(double x);

// A player's rating 0..99 (100 just below the cap) from the weights of its slot's group.
// Throws std::out_of_range for a slot outside 0..69 or a team outside the document.
int Player_Rating(const TeamRecord& team, int slot, const RatingScale& scale);
int Player_Rating(const League& league, int team, int slot, const RatingScale& scale);

// The rating of a team's position group 0..9: its starters at full and its backups at half
// weight, in depth order. Throws std::out_of_range for a group or team outside the document.
int Group_Rating(const TeamRecord& team, int group, const RatingScale& scale);
int Group_Rating(const League& league, int team, int group, const RatingScale& scale);

// Sum over the groups of PositionWeights x Group_Rating; the team overall is this / 25.
int teamRatingSum(const TeamRecord& team, const RatingScale& scale);
double teamOverall(const TeamRecord& team, const RatingScale& scale);
double teamOverall(const League& league, int team, const RatingScale& scale);

// The "00" format: at least two digits (7 -> "07", 100 -> "100", -7 -> "-07").
std::string formatTwoDigits(int value);

// The overall of a weighted sum S, S / 25, in the "00.0" format: at least two integer digits
// and one decimal, rounded half away from zero (S = 1687 -> "67.5", S = 1686 -> "67.4").
std::string formatOverall(int weightedSum);

} // namespace kvx
