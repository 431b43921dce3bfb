#include "rom/genesis.h"

#include <gtest/gtest.h>

namespace kvx {
namespace {

using namespace genesis;

TEST(Genesis, CreditsLineIsCentredFromColumnTwelve) {
    EXPECT_EQ(creditsLine("abcde"), std::string(9, ' ') + "ABCDE" + std::string(9, ' '));
    EXPECT_EQ(creditsLine("Anonymous"), "       ANONYMOUS       ");
    EXPECT_EQ(creditsLine(std::string(22, 'x')), std::string(22, 'X') + " ");
    EXPECT_EQ(creditsLine("x"), std::string(11, ' ') + "X" + std::string(11, ' '));
    EXPECT_EQ(creditsLine(""), std::string(23, ' '));
    EXPECT_EQ(creditsLine("a credits line of thirty chars"), "A CREDITS LINE OF THIRT");
}

TEST(Genesis, AbbreviationsTakeTheGamesDotAndFourBytes) {
    EXPECT_EQ(abbreviationField("NY", '_'), "NY  ");
    EXPECT_EQ(abbreviationField("L.A.", '_'), "L_A_");
    EXPECT_EQ(abbreviationField("ABCDEF", '_'), "ABCD");
    EXPECT_EQ(abbreviationField("s.f", '\\'), "s\\f ");
}

TEST(Genesis, ScheduleNamesStartAtFloorOfEightMinusHalfTheLength) {
    EXPECT_EQ(scheduleNameField("", '\\'), std::string(13, ' '));
    EXPECT_EQ(scheduleNameField("Giants", '\\'), "    GIANTS   ");
    EXPECT_EQ(scheduleNameField("K.C.", '\\'), "     K\\C\\    ");
    EXPECT_EQ(scheduleNameField("ABCDEFGHIJKLM", '\\'), "ABCDEFGHIJKLM");

    TeamRecord team;
    team.City = "Kansas";
    team.Name = "City";
    Warnings warnings;
    team.ScheduleName = "KANSAS CITY  "; // 13 with its spaces
    EXPECT_EQ(cutScheduleName(team, warnings), "KANSAS CITY  ");
    team.ScheduleName = "KANSAS CITY      "; // only spaces are lost
    EXPECT_EQ(cutScheduleName(team, warnings), "KANSAS CITY  ");
    EXPECT_TRUE(warnings.empty());
    team.ScheduleName = "KANSAS CITY CHIEFS";
    EXPECT_EQ(cutScheduleName(team, warnings), "KANSAS CITY C");
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("Kansas City"), std::string::npos) << warnings[0];
}

TEST(Genesis, SubPointersAddressTheSeasonLabels) {
    auto label = [](std::string_view text, const SubPointers& subs, std::size_t n) {
        const std::size_t start = n == 0 ? 0 : subs[n - 1];
        const std::size_t end = n == subs.size() ? text.size() : subs[n];
        return std::string(text.substr(start, end - start));
    };
    for (const auto& [text, subs, playoff] :
         {std::tuple{SeasonLabelsI, SubPointersI, "PLAYOFF"},
          std::tuple{SeasonLabelsLater, SubPointersLater, "PLAYOFFS"}}) {
        EXPECT_EQ(label(text, subs, 1), "NFC");
        EXPECT_EQ(label(text, subs, 2), "");
        EXPECT_EQ(label(text, subs, 4), " 1ST");
        EXPECT_EQ(label(text, subs, 21), "18TH");
        EXPECT_EQ(label(text, subs, 22), "OFFENSE");
        EXPECT_EQ(label(text, subs, 29), playoff);
        EXPECT_EQ(label(text, subs, 35), "WEST");
    }
    EXPECT_EQ(label(SeasonLabelsI, SubPointersI, 36), "\xFF");
    EXPECT_EQ(label(SeasonLabelsLater, SubPointersLater, 36), "    ");
}

} // namespace
} // namespace kvx
