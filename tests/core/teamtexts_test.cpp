#include "document/teamtexts.h"

#include <gtest/gtest.h>

namespace kvx {
namespace {

constexpr const char* Fill = "You must fill in all the fields.";
constexpr const char* Letter = "The city must begin with a letter.";
constexpr const char* Exists = "That team already exists!";

// The first failed check names the refusal; the duplicate key joins city and name
// without a separator, ignores case, and leaves out the edited team and uncounted teams.
TEST(TeamTexts, RefusalsNameTheFirstFailedCheck) {
    League league;
    for (const char* city : {"New York", "Buffalo", "Miami"}) {
        TeamRecord& team = appendTeam(league);
        team.City = city;
        team.Name = "Jets";
    }
    league.TeamCount = 2; // Miami is held but not counted
    const std::tuple<TeamTexts, int, const char*> cases[] = {
        {{"", "Jets", "NYJ", "Jets"}, -1, Fill},
        {{"Boston", "Jets", "", "Jets"}, -1, Fill},
        {{"Boston", "Jets", "BOS", ""}, -1, Fill},
        {{"9ers", "Jets", "NIN", "Niners"}, -1, Letter},
        {{" Boston", "Jets", "BOS", "Boston"}, -1, Letter},
        {{"[Boston", "Jets", "BOS", "Boston"}, -1, Letter}, // between "Z" and "a"
        {{"{Boston", "Jets", "BOS", "Boston"}, -1, Letter}, // just past "z"
        {{"\xC9vora", "Jets", "EVO", "Evora"}, -1, Letter}, // a letter, but not one of A-Z
        {{"new york", "JETS", "NY", "Other"}, -1, Exists},
        {{"New Yor", "kJets", "NYK", "Other"}, -1, Exists},
        {{"New", "York Jets", "NYK", "Other"}, -1, nullptr},
        {{"Miami", "Jets", "MIA", "Miami"}, -1, nullptr},
        {{"NEW YORK", "jets", "BUF", "Bills"}, 1, Exists},
        {{"BUFFALO", "jets", "BUF", "Bills"}, 1, nullptr},
        {{"NEW YORK", "jets", "NYJ", "Jets"}, 0, nullptr},
    };
    for (const auto& [texts, edited, expected] : cases) {
        const auto refusal = teamTextsRefusal(league, texts, edited);
        EXPECT_STREQ(refusal ? refusal->text : nullptr, expected) << texts.City << texts.Name;
        if (refusal) {
            EXPECT_STREQ(refusal->title, expected == Exists ? "Whoops!" : "Read Me");
            EXPECT_EQ(refusal->reason == TeamTextsRefusal::TeamExists, expected == Exists);
        }
    }
}

} // namespace
} // namespace kvx
