#pragma once

#include <string>
#include <vector>

namespace kvx {

// A report-style list as a window shows it: column headers with their alignment, and rows of an
// item text followed by sub-items that may be marked bold.
struct ListTable {
    struct Column {
        std::string header;
        bool centred = false;
    };
    struct Cell {
        std::string text;
        bool bold = false;
    };
    struct Row {
        std::string text;
        std::vector<Cell> cells;
    };
    std::vector<Column> columns;
    std::vector<Row> rows;
};

// The list as one HTML table, CR LF line ends, texts written as they are (not escaped). Odd
// sub-items get a grey background; bold sub-items come out red.
std::string htmlTable(const ListTable& table);

} // namespace kvx
