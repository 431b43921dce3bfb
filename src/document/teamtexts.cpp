#include "document/teamtexts.h"

#include "base/messages.h"

namespace kvx {

std::optional<TeamTextsRefusal> teamTextsRefusal(const League& league, const TeamTexts& texts,
                                                 int editedTeam) {
    if (texts.City.empty() || texts.Name.empty() || texts.Abbreviation.empty() ||
        texts.ScheduleName.empty())
        return TeamTextsRefusal{TeamTextsRefusal::EmptyField, msg::ReadMeTitle, msg::FillAllFields};
    const auto first = static_cast<unsigned char>(toLowerAscii(texts.City.substr(0, 1))[0]);
    if (first < 'a' || first > 'z')
        return TeamTextsRefusal{TeamTextsRefusal::CityWithoutLetter, msg::ReadMeTitle,
                                msg::CityBeginsWithLetter};
    for (int t = 0; t < league.teamCount(); ++t) {
        const TeamRecord& team = league.team(t);
        if (t != editedTeam && sameTeam(team.City, team.Name, texts.City, texts.Name))
            return TeamTextsRefusal{TeamTextsRefusal::TeamExists, msg::TeamExistsTitle,
                                    msg::TeamExists};
    }
    return std::nullopt;
}

} // namespace kvx
