#include "document/rosterpage.h"

#include "document/tables.h"
#include "document/typedvalues.h"

#include <algorithm>
#include <cstdio>

namespace kvx {

namespace {

bool hasEntry(int level) {
    return level >= 0 && level < static_cast<int>(AttributeScale.size());
}

} // namespace

std::string RosterPage::levelText(int level) {
    if (!hasEntry(level))
        return {};
    char text[8];
    std::snprintf(text, sizeof text, "%02d", AttributeScale[static_cast<std::size_t>(level)]);
    return text;
}

void RosterPage::show(const Records& stored) {
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        const PlayerRecord& player = stored[r];
        RosterRow& row = rows_[r];
        row.firstName = player.FirstName;
        row.lastName = player.LastName;
        const bool complete = row.complete();
        row.number = complete ? std::to_string(player.Number) : std::string();
        for (std::size_t j = 0; j < row.boxes.size(); ++j) {
            const int level = complete ? player.Attributes[j] : -1;
            AttributeBoxState& box = row.boxes[j];
            box.typed = false;
            box.kept = hasEntry(level) || level == -1
                           ? std::nullopt
                           : std::optional<std::int16_t>(static_cast<std::int16_t>(level));
            setLevel(box, hasEntry(level) ? level : -1);
        }
    }
    fillCompleteRows();
    edited_ = false;
}

const AttributeBoxState& RosterPage::box(int box) const {
    return row(box / AttributeCount).boxes.at(static_cast<std::size_t>(box % AttributeCount));
}

AttributeBoxState& RosterPage::boxAt(int box) {
    return rows_.at(static_cast<std::size_t>(box / AttributeCount))
        .boxes.at(static_cast<std::size_t>(box % AttributeCount));
}

void RosterPage::setLevel(AttributeBoxState& box, int level) {
    box.level = level;
    box.text = levelText(level);
}

void RosterPage::setNumber(int row, std::string text) {
    rows_.at(static_cast<std::size_t>(row)).number = std::move(text);
}

void RosterPage::setFirstName(int row, std::string text) {
    rows_.at(static_cast<std::size_t>(row)).firstName = std::move(text);
}

void RosterPage::setLastName(int row, std::string text) {
    rows_.at(static_cast<std::size_t>(row)).lastName = std::move(text);
}

void RosterPage::setBoxText(int box, std::string text) {
    boxAt(box).text = std::move(text);
}

void RosterPage::select(int box, int level) {
    AttributeBoxState& state = boxAt(box);
    setLevel(state, level);
    if (level >= 0)
        state.kept.reset();
}

void RosterPage::editBox(int box, bool typed) {
    AttributeBoxState& state = boxAt(box);
    state.typed = typed;
    state.kept.reset();
    edited_ = true;
}

bool RosterPage::settle(int box) {
    AttributeBoxState& state = boxAt(box);
    if (!state.typed)
        return false;
    state.typed = false;
    setLevel(state, typedLevel(state.text));
    return true;
}

void RosterPage::fillCompleteRows() {
    for (RosterRow& row : rows_) {
        if (!row.complete())
            continue;
        for (AttributeBoxState& box : row.boxes)
            if (box.level < 0 && !box.kept)
                setLevel(box, 0);
    }
}

RosterPage::Records RosterPage::records(const Records& stored) const {
    Records page = stored;
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        const RosterRow& row = rows_[r];
        PlayerRecord& player = page[r];
        player.FirstName = row.firstName;
        player.LastName = row.lastName;
        // The box accepts only 0..99; a number shown from the document is kept as it was.
        player.Number = static_cast<std::int16_t>(
            std::clamp(roundedLeadingNumber(row.number), -32768.0, 32767.0));
        for (std::size_t j = 0; j < row.boxes.size(); ++j) {
            const AttributeBoxState& box = row.boxes[j];
            int level = box.level;
            if (box.typed)
                level = typedLevel(box.text);
            else if (box.level < 0 && box.kept)
                level = *box.kept;
            player.Attributes[j] = static_cast<std::int16_t>(level);
        }
    }
    return page;
}

bool RosterPage::hasUnstoredEdits(const Records& stored) const {
    return edited_ && records(stored) != stored;
}

} // namespace kvx
