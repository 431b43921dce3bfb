#pragma once

#include "document/league.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kvx {

// The team an image holds in one division slot now, as the export reads it; both texts are
// empty for a slot the edition has no team in.
struct SlotTeam {
    std::string City;
    std::string Name;

    bool empty() const { return City.empty() && Name.empty(); }
    std::string displayName() const { return City + " " + Name; }
};
using ImageSlotTeams = std::array<SlotTeam, DivisionSlots>;

// The image's teams (in the image's own order, as teamsInImage reads them) by division slot.
ImageSlotTeams imageSlotTeams(Edition edition, const std::vector<TeamRecord>& imageTeams);

// What the export wizard edits: for each of the 30 division slots of an edition, the document
// team to write there, or -1 to leave the image's own team. Slot = page * 5 + row, the pages
// being the six divisions.
class SlotAssignment {
public:
    static constexpr int Pages = 6;
    static constexpr int Rows = 5;

    // Opening the wizard: every team whose RomSlot for `edition` names a slot claims it; when
    // several name the same slot, the last of them wins. A RomSlot outside 0..29 claims nothing.
    SlotAssignment(const League& league, Edition edition);

    Edition edition() const { return edition_; }
    int team(int slot) const { return assignment_.at(static_cast<std::size_t>(slot)); }
    // `team` -1 means "no change".
    void assign(int slot, int team) { assignment_.at(static_cast<std::size_t>(slot)) = team; }

    // Auto on one page: each slot takes the last team whose Name equals, ignoring letter case,
    // the last word of the name the edition gives that slot; a slot without a match keeps its team.
    // With the image's teams, a team named as the one the image holds there now comes first: a
    // league exported into this image before finds its own slots again, whatever the edition
    // called them.
    void autoMatch(const League& league, int page, const ImageSlotTeams* image = nullptr);

    // Finish: RomSlot for this edition becomes -1 for every team, then each assigned team gets
    // its slot (a team placed in several slots keeps the highest of them).
    void finish(League& league) const;
    // What Finish stores: the RomSlot of this edition for each of the first `teamCount` teams.
    std::vector<std::int16_t> finishedSlots(int teamCount) const;

private:
    Edition edition_;
    std::array<int, 30> assignment_{};
};

} // namespace kvx
