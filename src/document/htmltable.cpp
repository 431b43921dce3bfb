#include "document/htmltable.h"

namespace kvx {

std::string htmlTable(const ListTable& table) {
    static constexpr const char* LineEnd = "\r\n";
    static constexpr const char* Font = "<FONT Face='Verdana,Arial' Size=2";
    std::string html = std::string("<TABLE Border=1>") + LineEnd;

    html += "<TR bgColor='#e0e0e0'>";
    for (const auto& column : table.columns)
        html += std::string("<TD") + (column.centred ? " Align=Center" : "") + "><B>" +
                column.header + "</TD>";
    html += std::string("</TR>") + LineEnd;

    for (const auto& row : table.rows) {
        html += std::string("<TR><TD>") + Font + ">" + row.text + "</TD>";
        for (std::size_t k = 1; k <= row.cells.size(); ++k) {
            const auto& cell = row.cells[k - 1];
            // The bold marker has always been written as a closing tag, which makes the cell red.
            html += std::string("<TD Align=Center") + (k % 2 == 1 ? " bgColor='#f0f0f0'" : "") +
                    ">" + Font + (cell.bold ? " Color=Red></B" : "") + ">" + cell.text + "</TD>";
        }
        html += std::string("</TR>") + LineEnd;
    }
    html += std::string("</TABLE>") + LineEnd;
    return html;
}

} // namespace kvx
