#include "document/league.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <stdexcept>

namespace kvx {

Date systemToday() {
    const auto now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    return Date{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

void newDocument(League& league, const Date& today) {
    league.Teams.assign(1, TeamRecord{});
    league.TeamCount = 0;
    league.CurrentFile.clear();
    league.GeneralInfo.Credits = "ANONYMOUS";
    char year[16];
    std::snprintf(year, sizeof year, "%04d", today.year % 10000);
    league.GeneralInfo.Year = year;
    league.GeneralInfo.Month = static_cast<std::int16_t>(today.month);
    league.GeneralInfo.Day = static_cast<std::int16_t>(today.day);
}

void clearTeam(TeamRecord& team) {
    for (std::string* text : {&team.City, &team.Name, &team.Abbreviation, &team.ScheduleName})
        text->clear();
    for (PlayerRecord& player : team.Players) {
        player.FirstName.clear();
        player.LastName.clear();
        player.Number = 0;
        player.Face = 0;
        player.Attributes.fill(0);
        player.ExtraNibble = 0;
    }
    team.RomSlot = RomSlots{};
}

TeamRecord& appendTeam(League& league) {
    const auto index = static_cast<std::size_t>(std::max<int>(league.TeamCount, 0));
    league.Teams.resize(index + 1);
    league.Teams[index] = TeamRecord{};
    league.TeamCount = static_cast<std::int16_t>(index + 1);
    return league.Teams[index];
}

bool sameTeam(const std::string& cityA, const std::string& nameA, const std::string& cityB,
              const std::string& nameB) {
    return toLowerAscii(cityA + nameA) == toLowerAscii(cityB + nameB);
}

void Swap_Players(PlayerRecord& a, PlayerRecord& b) {
    std::swap(a, b);
}

void swapDefensiveBacks(League& league) {
    constexpr std::size_t first = DB * DepthPlaces;
    for (TeamRecord& team : league.teams()) {
        Swap_Players(team.Players[first + 2], team.Players[first + 4]);
        Swap_Players(team.Players[first + 3], team.Players[first + 5]);
    }
}

void setFace(League& league, int team, int slot, int face) {
    if (team < 0 || team >= league.teamCount())
        throw std::out_of_range("There is no team " + std::to_string(team) + " in the league.");
    if (face < 0 || face > 255)
        throw std::out_of_range("There is no face " + std::to_string(face) + ".");
    // player() refuses a bad slot.
    league.team(team).player(slot).Face = static_cast<std::int16_t>(face);
}

std::string toUpperAscii(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string toLowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string trimSpaces(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string fittedYear(const std::string& text) {
    std::string year = text.substr(0, 4);
    year.resize(4, ' ');
    return year;
}

} // namespace kvx
