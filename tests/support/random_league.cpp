#include "support/random_league.h"

namespace kvx::test {

namespace {

int between(Random& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}

} // namespace

std::string randomText(Random& random, std::size_t length, std::string_view alphabet) {
    std::string text;
    for (std::size_t i = 0; i < length; ++i)
        text += alphabet[static_cast<std::size_t>(
            between(random, 0, static_cast<int>(alphabet.size()) - 1))];
    return text;
}

PlayerRecord randomPlayer(Random& random) {
    PlayerRecord player;
    player.FirstName = randomText(random, static_cast<std::size_t>(between(random, 0, 9)),
                                  "abcdefghijklmnopqrstuvwxyz");
    player.LastName = randomText(random, static_cast<std::size_t>(between(random, 0, 12)),
                                 "ABCDEFGHIJKLMNOPQRSTUVWXYZ'-");
    player.Number = static_cast<std::int16_t>(between(random, 0, 99));
    player.Face = static_cast<std::int16_t>(between(random, 0, 255));
    for (auto& attribute : player.Attributes)
        attribute = static_cast<std::int16_t>(between(random, 0, 15));
    player.ExtraNibble = static_cast<std::int16_t>(between(random, 0, 15));
    return player;
}

TeamRecord randomTeam(Random& random) {
    TeamRecord team;
    team.City = randomText(random, static_cast<std::size_t>(between(random, 1, 14)),
                           "abcdefghijklmnopqrstuvwxyz ");
    team.Name = randomText(random, static_cast<std::size_t>(between(random, 1, 12)),
                           "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    team.Abbreviation = randomText(random, static_cast<std::size_t>(between(random, 1, 4)),
                                   "ABCDEFGHIJKLMNOPQRSTUVWXYZ.");
    team.ScheduleName = randomText(random, static_cast<std::size_t>(between(random, 0, 13)),
                                   "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    for (auto& player : team.Players)
        if (between(random, 0, 5) != 0)
            player = randomPlayer(random);
    for (int edition = 1; edition <= EditionCount; ++edition)
        team.RomSlot[edition] = static_cast<std::int16_t>(between(random, -1, 29));
    return team;
}

League randomLeague(int teamCount, std::uint32_t seed) {
    Random random(seed);
    League league;
    league.Teams.clear();
    for (int t = 0; t < teamCount; ++t)
        league.Teams.push_back(randomTeam(random));
    if (league.Teams.empty())
        league.Teams.emplace_back();
    league.TeamCount = static_cast<std::int16_t>(teamCount);
    league.GeneralInfo.Year = std::to_string(between(random, 1990, 2030));
    league.GeneralInfo.Month = static_cast<std::int16_t>(between(random, 1, 12));
    league.GeneralInfo.Day = static_cast<std::int16_t>(between(random, 1, 31));
    league.GeneralInfo.Credits =
        randomText(random, static_cast<std::size_t>(between(random, 0, 30)),
                   "ABCDEFGHIJKLMNOPQRSTUVWXYZ abc&");
    return league;
}

} // namespace kvx::test
