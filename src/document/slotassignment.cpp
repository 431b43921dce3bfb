#include "document/slotassignment.h"

#include "document/tables.h"

#include <algorithm>
#include <string>

namespace kvx {

namespace {

int teamCount(const League& league) {
    return std::clamp<int>(league.TeamCount, 0, static_cast<int>(league.Teams.size()));
}

} // namespace

SlotAssignment::SlotAssignment(const League& league, int edition) : edition_(edition) {
    assignment_.fill(-1);
    for (int t = 0; t < teamCount(league); ++t) {
        const int slot = league.Teams[static_cast<std::size_t>(t)].RomSlot[edition];
        if (slot >= 0 && slot < DivisionSlots)
            assignment_[static_cast<std::size_t>(slot)] = t;
    }
}

void SlotAssignment::autoMatch(const League& league, int page) {
    for (int row = 0; row < Rows; ++row) {
        const int slot = page * Rows + row;
        const std::string original(DefaultTeamNames(edition_, slot));
        const auto space = original.rfind(' ');
        const std::string nickname =
            toLowerAscii(space == std::string::npos ? original : original.substr(space + 1));
        for (int t = 0; t < teamCount(league); ++t)
            if (toLowerAscii(league.Teams[static_cast<std::size_t>(t)].Name) == nickname)
                assignment_[static_cast<std::size_t>(slot)] = t;
    }
}

std::vector<std::int16_t> SlotAssignment::finishedSlots(int teamCount) const {
    std::vector<std::int16_t> slots(static_cast<std::size_t>(std::max(teamCount, 0)), -1);
    for (int slot = 0; slot < DivisionSlots; ++slot) {
        const int t = assignment_[static_cast<std::size_t>(slot)];
        if (t >= 0 && t < teamCount)
            slots[static_cast<std::size_t>(t)] = static_cast<std::int16_t>(slot);
    }
    return slots;
}

void SlotAssignment::finish(League& league) const {
    const std::vector<std::int16_t> slots = finishedSlots(teamCount(league));
    for (std::size_t t = 0; t < slots.size(); ++t)
        league.Teams[t].RomSlot[edition_] = slots[t];
}

} // namespace kvx
