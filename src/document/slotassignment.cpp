#include "document/slotassignment.h"

#include "document/tables.h"

#include <algorithm>
#include <string>

namespace kvx {

namespace {

int teamCount(const League& league) {
    return league.teamCount();
}

} // namespace

SlotAssignment::SlotAssignment(const League& league, int edition) : edition_(edition) {
    assignment_.fill(-1);
    for (int t = 0; t < teamCount(league); ++t) {
        const int slot = league.team(t).RomSlot[edition];
        if (slot >= 0 && slot < DivisionSlots)
            assignment_[static_cast<std::size_t>(slot)] = t;
    }
}

namespace {

// The last team whose Name equals `nickname` ignoring letter case, or -1.
int lastNamed(const League& league, const std::string& nickname) {
    const std::string wanted = toLowerAscii(nickname);
    int found = -1;
    for (int t = 0; t < teamCount(league); ++t)
        if (toLowerAscii(league.team(t).Name) == wanted)
            found = t;
    return found;
}

} // namespace

ImageSlotTeams imageSlotTeams(int edition, const std::vector<TeamRecord>& imageTeams) {
    ImageSlotTeams slots;
    for (int slot = 0; slot < DivisionSlots; ++slot) {
        const int team = SlotTeamIndex(edition, slot);
        if (team < 0 || team >= static_cast<int>(imageTeams.size()))
            continue;
        const TeamRecord& held = imageTeams[static_cast<std::size_t>(team)];
        slots[static_cast<std::size_t>(slot)] = SlotTeam{held.City, held.Name};
    }
    return slots;
}

void SlotAssignment::autoMatch(const League& league, int page, const ImageSlotTeams* image) {
    for (int row = 0; row < Rows; ++row) {
        const int slot = page * Rows + row;
        int team = -1;
        if (image) {
            const std::string& now = (*image)[static_cast<std::size_t>(slot)].Name;
            if (!now.empty())
                team = lastNamed(league, now);
        }
        if (team < 0) {
            const std::string original(DefaultTeamNames(edition_, slot));
            const auto space = original.rfind(' ');
            team = lastNamed(league,
                             space == std::string::npos ? original : original.substr(space + 1));
        }
        if (team >= 0)
            assignment_[static_cast<std::size_t>(slot)] = team;
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
