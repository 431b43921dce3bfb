#pragma once

#include "document/editions.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace kvx {

inline constexpr int GroupCount = 10;
inline constexpr int DepthPlaces = 7;
inline constexpr int PlayerSlots = GroupCount * DepthPlaces; // 70
inline constexpr int AttributeCount = 11;
inline constexpr int DivisionSlots = 30;

// Position groups; slot = group * 7 + depth.
enum Group : int { QB, RB, WR, TE, OL, DL, LB, DB, K, P };

struct PlayerRecord {
    std::string FirstName;
    std::string LastName;
    std::int16_t Number = 0;
    std::int16_t Face = 0;
    std::array<std::int16_t, AttributeCount> Attributes{};
    // Low four bits of the image byte whose high four bits hold Attributes[10].
    std::int16_t ExtraNibble = 0;

    bool operator==(const PlayerRecord&) const = default;
};

// One player's place in the league: the team's index and the slot 0..69 in its depth chart.
struct PlayerPlace {
    int team = 0;
    int slot = 0;

    bool operator==(const PlayerPlace&) const = default;
};

// One value per edition code 1..9, indexed by the code itself.
class RomSlots {
public:
    std::int16_t& operator[](int edition) {
        return values_.at(static_cast<std::size_t>(edition - 1));
    }
    std::int16_t operator[](int edition) const {
        return values_.at(static_cast<std::size_t>(edition - 1));
    }
    std::int16_t& operator[](Edition edition) { return (*this)[code(edition)]; }
    std::int16_t operator[](Edition edition) const { return (*this)[code(edition)]; }
    bool operator==(const RomSlots&) const = default;

private:
    std::array<std::int16_t, EditionCount> values_{};
};

struct TeamRecord {
    std::string City;
    std::string Name;
    std::string Abbreviation;
    std::string ScheduleName;
    std::array<PlayerRecord, PlayerSlots> Players{};
    // Division slot 0..29 chosen in the export wizard for each edition; -1 = not assigned.
    RomSlots RomSlot;

    // "City Name", as every list of teams shows it.
    std::string displayName() const { return City + " " + Name; }

    // The player in slot 0..69 (group * 7 + depth); std::out_of_range outside.
    PlayerRecord& player(int slot) { return Players.at(static_cast<std::size_t>(slot)); }
    const PlayerRecord& player(int slot) const {
        return Players.at(static_cast<std::size_t>(slot));
    }

    bool operator==(const TeamRecord&) const = default;
};

struct GeneralInfoRecord {
    std::string Year; // 4 characters, space-padded
    std::int16_t Month = 0;
    std::int16_t Day = 0;
    std::string Credits;

    bool operator==(const GeneralInfoRecord&) const = default;
};

// The league document. Teams always holds at least one element; only the first
// TeamCount of them are meaningful.
struct League {
    std::vector<TeamRecord> Teams = std::vector<TeamRecord>(1);
    std::int16_t TeamCount = 0;
    GeneralInfoRecord GeneralInfo;
    std::string CurrentFile;

    // The meaningful teams: TeamCount, kept within what Teams holds, so that a count read from a
    // damaged file can never lead past the array.
    int teamCount() const { return std::clamp<int>(TeamCount, 0, static_cast<int>(Teams.size())); }
    std::span<TeamRecord> teams() { return {Teams.data(), static_cast<std::size_t>(teamCount())}; }
    std::span<const TeamRecord> teams() const {
        return {Teams.data(), static_cast<std::size_t>(teamCount())};
    }
    // Any team the array holds (also past TeamCount); std::out_of_range outside it.
    TeamRecord& team(int index) { return Teams.at(static_cast<std::size_t>(index)); }
    const TeamRecord& team(int index) const { return Teams.at(static_cast<std::size_t>(index)); }
};

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
};

// Today's date; injected so that tests are deterministic.
using Clock = std::function<Date()>;
Date systemToday();

// New: an empty untitled document dated today, credited to "ANONYMOUS".
void newDocument(League& league, const Date& today);

// Makes every field of the team blank again. The texts keep their memory, so that refilling a
// whole league (an import) allocates nothing.
void clearTeam(TeamRecord& team);

// Grows the team array by one blank team after the first TeamCount (existing teams keep
// their contents), counts it in TeamCount and returns it.
TeamRecord& appendTeam(League& league);

// Two teams are the same team when City and Name, joined without separator, are equal
// regardless of letter case.
bool sameTeam(const std::string& cityA, const std::string& nameA, const std::string& cityB,
              const std::string& nameB);

// Exchanges two player records completely.
void Swap_Players(PlayerRecord& a, PlayerRecord& b);

// Depth places 2 and 4, and 3 and 5, of every counted team's defensive backs change places:
// whole records move, and a second run restores the previous order.
void swapDefensiveBacks(League& league);

// Gives the player in `slot` of counted team `team` the face `face`. The images keep a face in
// one byte, so only 0..255 is taken; a bad index or face is refused with std::out_of_range
// before anything changes.
void setFace(League& league, int team, int slot, int face);

// ASCII-only case changes: texts are byte strings and only the letters A-Z/a-z change.
std::string toUpperAscii(std::string text);
std::string toLowerAscii(std::string text);
// Leading and trailing spaces removed (spaces only, as the program has always trimmed).
std::string trimSpaces(const std::string& text);
// A year as GeneralInfo keeps it: cut or space-padded to exactly four characters.
std::string fittedYear(const std::string& text);

} // namespace kvx
