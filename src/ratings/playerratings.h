#pragma once

#include "document/htmltable.h"
#include "ratings/listorder.h"
#include "ratings/ratings.h"

#include <array>
#include <string>
#include <vector>

namespace kvx {

// The Player Ratings list: the players of one position group across the league. Columns,
// 0-based: 0 "#", 1 "Name", 2 "Overall", 3..8 the shown values of attributes 0..5 ("RS" ..
// "AG"), 9..13 those of attributes 6..10 under the group's own abbreviations.
inline constexpr int PlayerRatingsColumnCount = 3 + AttributeCount;
inline constexpr int FirstAttributeColumn = 3;

struct PlayerRatingsRow {
    int Team = 0;    // index into the document's Teams
    int Slot = 0;    // 0..69
    std::string Key; // "ID" followed by Team x 70 + Slot
    // "00" number; "Last, First - abb"; "00" rating; "00" shown values, empty under an empty
    // header and for a level that has no shown value (outside 0..15). A row with such a level
    // has no rating either.
    std::array<std::string, PlayerRatingsColumnCount> Cells;
};

class PlayerRatingsTable : public SortedRows<PlayerRatingsRow, PlayerRatingsColumnCount> {
public:
    PlayerRatingsTable();

    // Redraw_Form: for every team 0..TeamCount-1 and every depth place of `group` in order, a
    // row for each slot whose first name is not empty, then the rows in the current sort order.
    // Headers 9..13 take the group's abbreviations only as rows are added, so a group with no
    // listed player keeps the headers of the group shown before. Throws std::out_of_range for
    // a group outside 0..9.
    void rebuild(const League& league, const RatingScale& scale, int group);

    const std::array<std::string, PlayerRatingsColumnCount>& headers() const { return headers_; }

    // The list as shown, in its current order: "#" and "Name" left-aligned, the rest centred.
    ListTable listTable() const;

private:
    std::array<std::string, PlayerRatingsColumnCount> headers_;
};

// The shown value of an attribute level, AttributeScale in the "00" format ("06" .. "99");
// empty for a level outside 0..15, which has none.
std::string shownValue(int level);

} // namespace kvx
