#include "document/htmltable.h"

#include <gtest/gtest.h>

namespace kvx {
namespace {

TEST(HtmlTable, WritesTheDocumentedFourLines) {
    ListTable table;
    table.columns = {{"Team", false}, {"Overall", true}, {"QB", true}};
    table.rows = {{"Buffalo Bills", {{"67.5", false}, {"94", true}}}};
    EXPECT_EQ(htmlTable(table),
              "<TABLE Border=1>\r\n"
              "<TR bgColor='#e0e0e0'><TD><B>Team</TD><TD Align=Center><B>Overall</TD><TD "
              "Align=Center><B>QB</TD></TR>\r\n"
              "<TR><TD><FONT Face='Verdana,Arial' Size=2>Buffalo Bills</TD><TD Align=Center "
              "bgColor='#f0f0f0'><FONT Face='Verdana,Arial' Size=2>67.5</TD><TD Align=Center><FONT "
              "Face='Verdana,Arial' Size=2 Color=Red></B>94</TD></TR>\r\n"
              "</TABLE>\r\n");
}

TEST(HtmlTable, OddSubItemsAreGreyAndTextsAreNotEscaped) {
    ListTable table;
    table.columns = {{"Team", false}};
    table.rows = {{"A&B <Q>", {{"1"}, {"2"}, {"3"}}}};
    const std::string html = htmlTable(table);
    EXPECT_NE(html.find("Size=2>A&B <Q></TD>"), std::string::npos);
    EXPECT_NE(
        html.find("<TD Align=Center bgColor='#f0f0f0'><FONT Face='Verdana,Arial' Size=2>1</TD>"
                  "<TD Align=Center><FONT Face='Verdana,Arial' Size=2>2</TD>"
                  "<TD Align=Center bgColor='#f0f0f0'><FONT Face='Verdana,Arial' Size=2>3"),
        std::string::npos);
}

} // namespace
} // namespace kvx
