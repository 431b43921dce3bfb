#pragma once

#include "document/league.h"

#include <optional>
#include <string>

namespace kvx {

// The four texts of a team that Define Teams edits.
struct TeamTexts {
    std::string City;
    std::string Name;
    std::string Abbreviation;
    std::string ScheduleName;
};

// Why Define Teams will not store typed texts, with the message it shows for it.
struct TeamTextsRefusal {
    enum Reason { EmptyField, CityWithoutLetter, TeamExists };
    Reason reason;
    const char* title;
    const char* text;
};

// Checks texts typed for team `editedTeam` (-1: a new team) against the league's counted
// teams, in the order the user is told: a field left empty, a city that does not begin with a
// letter A-Z, then a team of the same city and name (the edited team itself excepted).
std::optional<TeamTextsRefusal> teamTextsRefusal(const League& league, const TeamTexts& texts,
                                                 int editedTeam);

} // namespace kvx
