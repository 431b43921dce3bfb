#pragma once

#include "document/htmltable.h"
#include "ratings/listorder.h"
#include "ratings/ratings.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace kvx {

// The Team Ratings list as the window, its HTML export and the command line show it.
// Columns, 0-based: 0 "Team", 1 "Overall", 2..11 the ten position groups QB..P.
inline constexpr int TeamRatingsColumnCount = 2 + GroupCount;
inline constexpr int FirstGroupColumn = 2;
inline constexpr std::array<std::string_view, TeamRatingsColumnCount> TeamRatingsHeaders = {
    "Team", "Overall", "QB", "RB", "WR", "TE", "OL", "DL", "LB", "DB", "K", "P"};

struct TeamRatingsRow {
    int Team = 0;    // index into the document's Teams
    std::string Key; // "ID" followed by the team index
    // Shown text: "City Name", the overall as "00.0", the group ratings as "00".
    std::array<std::string, TeamRatingsColumnCount> Cells;
    std::array<int, GroupCount> GroupRatings{};
    int WeightedSum = 0; // sum of PositionWeights x group rating; the overall is this / 25
    // Best value of its group column (shown bold red). Only group columns are ever marked;
    // the marks belong to the cells and move with the row when the list is sorted.
    std::array<bool, TeamRatingsColumnCount> Marked{};
};

class TeamRatingsTable : public SortedRows<TeamRatingsRow, TeamRatingsColumnCount> {
public:
    // Update_lsvTeams: one row per team 0..TeamCount-1 in document order, the best-in-column
    // marks, then the rows in the current sort order.
    void rebuild(const League& league, const RatingScale& scale);

    // The list as shown, in its current order: "Team" left-aligned, every other column
    // centred, the group columns' marks as bold sub-items. What the window shows and what
    // Save Window as HTML writes.
    ListTable listTable() const;
};

} // namespace kvx
