#include "document/rosterpage.h"
#include "support/printers.h"

#include <gtest/gtest.h>

namespace kvx {
namespace {

// Row 0 complete (levels 3, none, 16 and -300 beyond the list), row 1 a first name only.
const RosterPage::Records Stored{
    {{"Joe", "Namath", 12, 40, {3, -1, 16, -300}, 9}, {"Solo", "", 7, 77, {5, 5}, 0}}};

TEST(RosterPage, ShowsTheRowsAndStoresThemAsTheRulesReadThem) {
    RosterPage page;
    page.show(Stored);
    EXPECT_EQ(page.box(1).text, "06"); // a complete row's box without a level; 16 is kept
    EXPECT_EQ(page.row(1).number + page.box(AttributeCount).text, ""); // an incomplete row
    EXPECT_FALSE(page.hasUnstoredEdits(Stored));                       // shown, not edited
    EXPECT_EQ(page.records(Stored)[0],
              (PlayerRecord{"Joe", "Namath", 12, 40, {3, 0, 16, -300}, 9}));

    page.setBoxText(0, "51");
    page.editBox(0, true);
    page.select(3, -1);       // no entry chosen: the level stays kept
    page.setFirstName(0, ""); // a row made incomplete keeps what it shows
    page.fillCompleteRows();
    // Typing counts by its rule before it settles.
    EXPECT_EQ(page.records(Stored)[0], (PlayerRecord{"", "Namath", 12, 40, {8, 0, 16, -300}, 9}));
    EXPECT_TRUE(page.settle(0));
    EXPECT_EQ(page.box(0).text, "56");

    page.setLastName(1, "Han"); // a row made complete gets "06"
    page.setNumber(1, "7abc");
    page.fillCompleteRows();
    page.editBox(2, false); // the user's change gives a kept level up
    page.setBoxText(3, "120");
    page.editBox(3, true);
    EXPECT_TRUE(page.settle(3));
    EXPECT_EQ(page.box(3).text, "");
    const auto records = page.records(Stored);
    EXPECT_EQ(records[0], (PlayerRecord{"", "Namath", 12, 40, {8, 0, -1, -1}, 9}));
    EXPECT_EQ(records[1], (PlayerRecord{"Solo", "Han", 7, 77, {}, 0}));
    EXPECT_TRUE(page.hasUnstoredEdits(Stored));
    page.markStored();
    EXPECT_FALSE(page.hasUnstoredEdits(Stored));
}

} // namespace
} // namespace kvx
