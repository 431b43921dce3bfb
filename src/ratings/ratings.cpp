#include "ratings/ratings.h"

#include "document/tables.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>

// Every step below is one IEEE double operation in the order the ratings were always computed
// in; the build forbids contraction and fast-math so that no machine fuses or reorders them and
// ties land on the same side everywhere.

namespace kvx {

namespace {

constexpr double TopLevel = 15.0;      // highest attribute level: the player value scale
constexpr double BackupShare = 7.5;    // one backup's part of the group denominator
constexpr double BackupDivisor = 2.0;  // every term of a backup counts half
constexpr double BonusThreshold = 7.0; // values above this earn the bonus
constexpr double BonusFraction = 0.2;  // 20 % bonus
constexpr double PercentScale = 100.0;
constexpr int RatingCap = 99;
constexpr int OverallDivisor = 25;      // sum of PositionWeights
constexpr int LowestRating = INT16_MIN; // ratings are 16-bit; absurd loaded weights stop here

int weightTotal(const RatingScaleEntry& entry) {
    int total = 0;
    for (const auto weight : entry.Weights)
        total += weight;
    return total;
}

// Sum of (weight / W) x level over the eleven attributes in index order; for a backup every
// term is halved before it is added.
double playerValue(const PlayerRecord& player, const RatingScaleEntry& entry, int total,
                   bool halved) {
    double value = 0.0;
    for (std::size_t i = 0; i < player.Attributes.size(); ++i) {
        double term = (static_cast<double>(entry.Weights[i]) / static_cast<double>(total)) *
                      static_cast<double>(player.Attributes[i]);
        if (halved)
            term = term / BackupDivisor;
        value = value + term;
    }
    return value;
}

const TeamRecord& teamAt(const League& league, int team) {
    if (team < 0)
        throw std::out_of_range("team index");
    return league.Teams.at(static_cast<std::size_t>(team));
}

std::string atLeastTwoDigits(long long magnitude) {
    std::string digits = std::to_string(magnitude);
    if (digits.size() < 2)
        digits.insert(0, 2 - digits.size(), '0');
    return digits;
}

} // namespace

int ratingFromPercent(double x) {
    if (x >= PercentScale)
        return RatingCap;
    if (!(x >= LowestRating)) // also catches a NaN
        return LowestRating;
    // Round to nearest, ties to even, without relying on the floating-point rounding mode.
    // x - floor(x) is exact for every double in this range.
    const double whole = std::floor(x);
    const double fraction = x - whole;
    auto result = static_cast<int>(whole);
    if (fraction > 0.5 || (fraction == 0.5 && result % 2 != 0))
        ++result;
    return result;
}

void pickStarters(RatingScaleEntry& entry, int startersMinusOne) {
    if (startersMinusOne + entry.Backups > DepthPlaces - 1)
        entry.Backups = static_cast<std::int16_t>(DepthPlaces - 1 - startersMinusOne);
    entry.StartersMinusOne = static_cast<std::int16_t>(startersMinusOne);
}

void pickBackups(RatingScaleEntry& entry, int backups) {
    if (entry.StartersMinusOne + backups > DepthPlaces - 1)
        entry.StartersMinusOne = static_cast<std::int16_t>(DepthPlaces - 1 - backups);
    entry.Backups = static_cast<std::int16_t>(backups);
}

int Player_Rating(const TeamRecord& team, int slot, const RatingScale& scale) {
    if (slot < 0 || slot >= PlayerSlots)
        throw std::out_of_range("player slot");
    const RatingScaleEntry& entry = scale[static_cast<std::size_t>(slot / DepthPlaces)];
    const int total = weightTotal(entry);
    if (total == 0)
        return 0;
    const double value = playerValue(team.player(slot), entry, total, false);
    return ratingFromPercent((value / TopLevel) * PercentScale);
}

int Player_Rating(const League& league, int team, int slot, const RatingScale& scale) {
    return Player_Rating(teamAt(league, team), slot, scale);
}

int Group_Rating(const TeamRecord& team, int group, const RatingScale& scale) {
    if (group < 0 || group >= GroupCount)
        throw std::out_of_range("position group");
    const RatingScaleEntry& entry = scale[static_cast<std::size_t>(group)];
    const int total = weightTotal(entry);
    if (total == 0)
        return 0;

    // A loaded file may hold any counts. Starters and backups together never reach past the
    // group's seven depth places, and at least one starter keeps the denominator above zero.
    const int starters = std::clamp(entry.StartersMinusOne + 1, 1, DepthPlaces);
    const int backups = std::clamp<int>(entry.Backups, 0, DepthPlaces - starters);
    const double most = starters * TopLevel + backups * BackupShare;

    double sum = 0.0;
    for (int depth = 0; depth < starters + backups; ++depth) {
        const PlayerRecord& player = team.player(group * DepthPlaces + depth);
        double value = playerValue(player, entry, total, depth >= starters);
        if (value > BonusThreshold)
            value = value + value * BonusFraction;
        sum = sum + value;
    }
    return ratingFromPercent((sum / most) * PercentScale);
}

int Group_Rating(const League& league, int team, int group, const RatingScale& scale) {
    return Group_Rating(teamAt(league, team), group, scale);
}

int teamRatingSum(const TeamRecord& team, const RatingScale& scale) {
    int sum = 0;
    for (int group = 0; group < GroupCount; ++group)
        sum += PositionWeights[static_cast<std::size_t>(group)] * Group_Rating(team, group, scale);
    return sum;
}

double teamOverall(const TeamRecord& team, const RatingScale& scale) {
    return static_cast<double>(teamRatingSum(team, scale)) / OverallDivisor;
}

double teamOverall(const League& league, int team, const RatingScale& scale) {
    return teamOverall(teamAt(league, team), scale);
}

std::string formatTwoDigits(int value) {
    const long long magnitude = std::llabs(static_cast<long long>(value));
    return (value < 0 ? "-" : "") + atLeastTwoDigits(magnitude);
}

std::string formatOverall(int weightedSum) {
    // S / 25 = 4S / 100, so 4S is the overall in exact hundredths. Rounding to tenths on that
    // integer keeps the binary approximation of a quotient such as 67.48 from deciding a digit.
    const long long hundredths = 4LL * weightedSum;
    const long long tenths = (std::llabs(hundredths) + 5) / 10;
    const bool negative = hundredths < 0 && tenths != 0;
    return (negative ? "-" : "") + atLeastTwoDigits(tenths / 10) + "." +
           std::to_string(tenths % 10);
}

} // namespace kvx
