#include "rosterleague.h"

#include <string>

namespace kvx::test {

PlayerRecord samplePlayer(int team, int slot) {
    PlayerRecord player;
    const std::string tag = std::to_string(team) + "." + std::to_string(slot);
    player.FirstName = "First" + tag;
    player.LastName = "Last" + tag;
    player.Number = static_cast<std::int16_t>(slot);
    player.Face = static_cast<std::int16_t>(slot);
    for (int j = 0; j < AttributeCount; ++j)
        player.Attributes[static_cast<std::size_t>(j)] = static_cast<std::int16_t>((slot + j) % 16);
    player.ExtraNibble = static_cast<std::int16_t>(team);
    return player;
}

League fullLeague(int teams) {
    League league;
    newDocument(league, Date{2001, 3, 7});
    league.Teams.resize(static_cast<std::size_t>(teams));
    league.TeamCount = static_cast<std::int16_t>(teams);
    for (int t = 0; t < teams; ++t) {
        TeamRecord& team = league.team(t);
        team.City = "City" + std::to_string(t);
        team.Name = "Team" + std::to_string(t);
        for (int s = 0; s < PlayerSlots; ++s)
            team.player(s) = samplePlayer(t, s);
    }
    return league;
}

League rosterLeague() {
    League league = fullLeague(3);
    league.Teams[2].City = league.Teams[0].City;
    league.Teams[2].Name = league.Teams[0].Name;
    auto& quarterbacks = league.Teams[0].Players;
    PlayerRecord solo;
    solo.FirstName = "Solo";
    solo.Number = 7;
    solo.Face = 77;
    solo.Attributes.fill(5);
    quarterbacks[3] = solo;
    for (int s = 4; s < 7; ++s)
        quarterbacks[static_cast<std::size_t>(s)] = PlayerRecord{};
    return league;
}

} // namespace kvx::test
