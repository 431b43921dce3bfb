#include "ratings/teamratings.h"

#include "document/tables.h"

#include <algorithm>

namespace kvx {

namespace {

TeamRatingsRow buildRow(const League& league, int team, const RatingScale& scale) {
    const TeamRecord& record = league.Teams[static_cast<std::size_t>(team)];
    TeamRatingsRow row;
    row.Team = team;
    row.Key = "ID" + std::to_string(team);
    row.Cells[0] = record.displayName();
    for (int group = 0; group < GroupCount; ++group) {
        const int rating = Group_Rating(record, group, scale);
        row.GroupRatings[static_cast<std::size_t>(group)] = rating;
        row.Cells[static_cast<std::size_t>(FirstGroupColumn + group)] = formatTwoDigits(rating);
        row.WeightedSum += PositionWeights[static_cast<std::size_t>(group)] * rating;
    }
    row.Cells[1] = formatOverall(row.WeightedSum);
    return row;
}

// The best value of a column starts from 0, so a column of ratings all below 0 has no mark.
void markBest(std::vector<TeamRatingsRow>& rows) {
    for (std::size_t group = 0; group < GroupCount; ++group) {
        int best = 0;
        for (const TeamRatingsRow& row : rows)
            best = std::max(best, row.GroupRatings[group]);
        for (TeamRatingsRow& row : rows)
            row.Marked[FirstGroupColumn + group] = row.GroupRatings[group] == best;
    }
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// List views compare cell texts as texts, without regard to the case of ASCII letters;
// numbers therefore sort by their digits ("100" before "99").
bool textLess(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(lowerAscii(x)) <
               static_cast<unsigned char>(lowerAscii(y));
    });
}

} // namespace

void TeamRatingsTable::rebuild(const League& league, const RatingScale& scale) {
    rows_.clear();
    const int count = std::clamp<int>(league.TeamCount, 0, static_cast<int>(league.Teams.size()));
    rows_.reserve(static_cast<std::size_t>(count));
    for (int team = 0; team < count; ++team)
        rows_.push_back(buildRow(league, team, scale));
    markBest(rows_);
    sortRows();
}

void TeamRatingsTable::clickColumn(int column) {
    if (column < 0 || column >= TeamRatingsColumnCount)
        return;
    if (column == sortColumn_)
        ascending_ = !ascending_;
    else
        sortColumn_ = column;
    sortRows();
}

// Stable, so rows with equal text keep their order (document order after a rebuild).
void TeamRatingsTable::sortRows() {
    const auto column = static_cast<std::size_t>(sortColumn_);
    std::stable_sort(
        rows_.begin(), rows_.end(),
        [column, ascending = ascending_](const TeamRatingsRow& a, const TeamRatingsRow& b) {
            return ascending ? textLess(a.Cells[column], b.Cells[column])
                             : textLess(b.Cells[column], a.Cells[column]);
        });
}

} // namespace kvx
