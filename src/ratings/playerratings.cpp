#include "ratings/playerratings.h"

#include "document/tables.h"

#include <algorithm>
#include <stdexcept>

namespace kvx {

namespace {

constexpr int SharedAttributes = 6; // attributes 0..5 are every group's; 6..10 the group's own

std::string lowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool hasShownValue(int level) {
    return level >= 0 && level < static_cast<int>(AttributeScale.size());
}

} // namespace

std::string shownValue(int level) {
    if (!hasShownValue(level))
        return {};
    return formatTwoDigits(AttributeScale[static_cast<std::size_t>(level)]);
}

PlayerRatingsTable::PlayerRatingsTable() {
    headers_[0] = "#";
    headers_[1] = "Name";
    headers_[2] = "Overall";
    for (int i = 0; i < SharedAttributes; ++i)
        headers_[static_cast<std::size_t>(FirstAttributeColumn + i)] =
            CommonAttributeAbbreviations[static_cast<std::size_t>(i)];
}

void PlayerRatingsTable::rebuild(const League& league, const RatingScale& scale, int group) {
    if (group < 0 || group >= GroupCount)
        throw std::out_of_range("position group");
    rows_.clear();
    const int count = league.teamCount();
    for (int team = 0; team < count; ++team) {
        const TeamRecord& record = league.team(team);
        const std::string abbreviation = lowerAscii(record.Abbreviation);
        for (int slot = group * DepthPlaces; slot < (group + 1) * DepthPlaces; ++slot) {
            const PlayerRecord& player = record.player(slot);
            if (player.FirstName.empty())
                continue;
            PlayerRatingsRow row;
            row.Team = team;
            row.Slot = slot;
            row.Key = "ID" + std::to_string(team * PlayerSlots + slot);
            row.Cells[0] = formatTwoDigits(player.Number);
            row.Cells[1] = player.LastName + ", " + player.FirstName + " - " + abbreviation;
            // A row the rosters editor left incomplete holds levels without a shown value; a
            // rating made of them would mean nothing, so it is left empty as well.
            const bool complete =
                std::all_of(player.Attributes.begin(), player.Attributes.end(), hasShownValue);
            if (complete)
                row.Cells[2] = formatTwoDigits(Player_Rating(record, slot, scale));
            for (int i = 0; i < AttributeCount; ++i) {
                const auto column = static_cast<std::size_t>(FirstAttributeColumn + i);
                if (i >= SharedAttributes)
                    headers_[column] = AttributeNames(group, i - SharedAttributes, Abbreviation);
                if (!headers_[column].empty())
                    row.Cells[column] = shownValue(player.Attributes[static_cast<std::size_t>(i)]);
            }
            rows_.push_back(std::move(row));
        }
    }
    sortRows();
}

ListTable PlayerRatingsTable::listTable() const {
    ListTable list;
    for (std::size_t column = 0; column < PlayerRatingsColumnCount; ++column)
        list.columns.push_back({headers_[column], column >= 2});
    list.rows.reserve(rows_.size());
    for (const PlayerRatingsRow& row : rows_) {
        ListTable::Row line{row.Cells[0], {}};
        for (std::size_t column = 1; column < PlayerRatingsColumnCount; ++column)
            line.cells.push_back({row.Cells[column], false});
        list.rows.push_back(std::move(line));
    }
    return list;
}

} // namespace kvx
