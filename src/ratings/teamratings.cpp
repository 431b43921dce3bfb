#include "ratings/teamratings.h"

#include "document/tables.h"

#include <algorithm>

namespace kvx {

namespace {

TeamRatingsRow buildRow(const League& league, int team, const RatingScale& scale) {
    const TeamRecord& record = league.team(team);
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

} // namespace

void TeamRatingsTable::rebuild(const League& league, const RatingScale& scale) {
    rows_.clear();
    const int count = league.teamCount();
    rows_.reserve(static_cast<std::size_t>(count));
    for (int team = 0; team < count; ++team)
        rows_.push_back(buildRow(league, team, scale));
    markBest(rows_);
    sortRows();
}

ListTable TeamRatingsTable::listTable() const {
    ListTable list;
    for (int column = 0; column < TeamRatingsColumnCount; ++column)
        list.columns.push_back(
            {std::string(TeamRatingsHeaders[static_cast<std::size_t>(column)]), column > 0});
    list.rows.reserve(rows_.size());
    for (const TeamRatingsRow& row : rows_) {
        ListTable::Row line{row.Cells[0], {}};
        for (std::size_t column = 1; column < TeamRatingsColumnCount; ++column)
            line.cells.push_back({row.Cells[column], row.Marked[column]});
        list.rows.push_back(std::move(line));
    }
    return list;
}

} // namespace kvx
