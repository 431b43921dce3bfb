#pragma once

#include "document/league.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace kvx {

// One attribute box of the rosters page.
struct AttributeBoxState {
    int level = -1;     // the entry selected, 0..15; -1 for none
    std::string text;   // what the box shows: its entry's text, or what was typed
    bool typed = false; // typed into since its level was last set
    // A stored level the box has no entry for (outside -1..15, which data files and CSV can
    // carry): the box shows none and stores the level as it was until the user changes the box.
    std::optional<std::int16_t> kept;
};

struct RosterRow {
    std::string number;
    std::string firstName;
    std::string lastName;
    std::array<AttributeBoxState, AttributeCount> boxes{};

    // Both names filled: only such a row's attribute boxes can be edited.
    bool complete() const { return !firstName.empty() && !lastName.empty(); }
};

// What the rosters editor shows of one team's position group: seven rows (slot = group × 7 +
// row) with the texts of their boxes, and the rules that turn them into records. The editor
// mirrors every change of a box here and shows what the page decides; storing the records is
// the document's business.
class RosterPage {
public:
    static constexpr int Rows = DepthPlaces;
    static constexpr int Boxes = Rows * AttributeCount; // box = row × 11 + attribute
    using Records = std::array<PlayerRecord, Rows>;

    // The two-digit text of a level's entry: "06", "13", ..., "99".
    static std::string levelText(int level);

    // Shows the stored records: a complete row with its number and levels, any other row with
    // its names only. Then fills complete rows, and nothing counts as edited.
    void show(const Records& stored);

    const RosterRow& row(int row) const { return rows_.at(static_cast<std::size_t>(row)); }
    const AttributeBoxState& box(int box) const;

    // The texts of the number and name boxes, whenever they change.
    void setNumber(int row, std::string text);
    void setFirstName(int row, std::string text);
    void setLastName(int row, std::string text);
    // The text an attribute box shows, whenever it changes.
    void setBoxText(int box, std::string text);
    // The entry an attribute box selects, whenever it changes: a real level gives up a kept one.
    void select(int box, int level);
    // The user typed into an attribute box (`typed`) or picked from its list: a kept level is
    // given up, and the page is edited.
    void editBox(int box, bool typed);
    // The user changed a number or name box.
    void markEdited() { edited_ = true; }

    // A box typed into takes the first level whose value is at least the typed number, or none
    // for a number above 99, and shows that entry's text. False when it had no typing to settle.
    bool settle(int box);
    // The attribute boxes of complete rows that show no level (but for a kept one) get "06".
    void fillCompleteRows();

    // The seven records the page stands for, over the stored ones (which give what the page
    // does not show: face, ExtraNibble): names as typed, the number's leading number rounded,
    // the levels selected (typing read by its rule, -1 where a box has none).
    Records records(const Records& stored) const;
    // The user changed the page since it was shown or stored, and storing it would change the
    // stored records.
    bool hasUnstoredEdits(const Records& stored) const;
    // The page was stored: it is not edited any more.
    void markStored() { edited_ = false; }

private:
    AttributeBoxState& boxAt(int box);
    void setLevel(AttributeBoxState& box, int level);

    std::array<RosterRow, Rows> rows_{};
    bool edited_ = false;
};

} // namespace kvx
