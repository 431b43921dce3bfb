#include "document/typedvalues.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace kvx {
namespace {

// A box reads the number its text begins with; an attribute box takes the first level whose
// value is at least that number, a jersey number box only 0..99 (rounded, halves to even).
TEST(TypedValues, BoxesReadTheLeadingNumber) {
    const std::tuple<const char*, double, int, bool> cases[] = {
        {"50", 50, 7, true},     {"51", 51, 8, true},        {"abc", 0, 0, true},
        {"120", 120, -1, false}, {" \t+12abc", 12, 1, true}, {"-5", -5, 0, false},
        {"+-5", 0, 0, true},     {"99.5", 99.5, -1, false},  {"2.5e1", 25, 3, true},
        {"2e", 2, 0, true},      {"1e-999", 0, 0, true},     {"1e999", HUGE_VAL, -1, false}};
    for (const auto& [text, number, level, jersey] : cases) {
        EXPECT_EQ(leadingNumber(text), number) << text;
        EXPECT_EQ(typedLevel(text), level) << text;
        EXPECT_EQ(isJerseyNumber(text), jersey) << text;
    }
    EXPECT_EQ(roundedLeadingNumber("12.5"), 12);
    EXPECT_EQ(roundedLeadingNumber("13.5"), 14);
}

// The import's roster question takes a whole answer that is a number without an exponent and
// fits 16 bits; any number but 0..3 picks roster 3.
TEST(TypedValues, RosterAnswers) {
    const std::pair<const char*, std::optional<int>> cases[] = {
        {"1", 1},    {" 2 ", 2},   {"3", 3},         {"0", 0},      {"+2", 2},     {"-5", 3},
        {"7", 3},    {"2.5", 2},   {"1.5", 2},       {"32767", 3},  {"40000", {}}, {"1e1", {}},
        {"two", {}}, {"", {}},     {"1x", {}},       {"\t1", {}},   {"nan", {}},   {"-nan", {}},
        {"inf", {}}, {"-inf", {}}, {"infinity", {}}, {"NAN(1)", {}}};
    for (const auto& [answer, choice] : cases)
        EXPECT_EQ(rosterChoiceFromAnswer(answer), choice) << answer;
}

} // namespace
} // namespace kvx
