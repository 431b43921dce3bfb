#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kvx {

// List views compare cell texts as texts, without regard to the case of ASCII letters;
// numbers therefore sort by their digits ("100" before "99", "05" before "12").
bool textLess(std::string_view a, std::string_view b);

// The sort of a report list: one column, compared by text, in one direction. Lists start
// sorted by their first column, ascending.
struct ListOrder {
    int column = 0;
    bool ascending = true;

    // A click on the header of 0-based `clicked` of `columnCount` columns: the sort column
    // flips the direction, any other column becomes the sort column in the current direction.
    // A column outside the list is ignored.
    void click(int clicked, int columnCount);

    // Sorts rows by the text `cell(row, column)`. Stable, so rows with equal text keep the
    // order they had (document order after a rebuild).
    template <class Row, class Cell>
    void sort(std::vector<Row>& rows, Cell cell) const {
        std::stable_sort(rows.begin(), rows.end(), [&](const Row& a, const Row& b) {
            return ascending ? textLess(cell(a, column), cell(b, column))
                             : textLess(cell(b, column), cell(a, column));
        });
    }
};

// The rows of a ratings list (each with its texts in `Cells`) in the order the header clicks
// chose.
template <class Row, int ColumnCount>
class SortedRows {
public:
    // A click on the header of 0-based `column`, as ListOrder::click takes it.
    void clickColumn(int column) {
        order_.click(column, ColumnCount);
        sortRows();
    }

    const std::vector<Row>& rows() const { return rows_; }
    // Each row's Key, in the rows' order: what a list view keeps its selection by.
    std::vector<std::string> keys() const {
        std::vector<std::string> keys;
        keys.reserve(rows_.size());
        for (const Row& row : rows_)
            keys.push_back(row.Key);
        return keys;
    }
    int sortColumn() const { return order_.column; }
    bool ascending() const { return order_.ascending; }
    const ListOrder& order() const { return order_; }

protected:
    void sortRows() {
        order_.sort(rows_, [](const Row& row, int column) -> const std::string& {
            return row.Cells[static_cast<std::size_t>(column)];
        });
    }

    std::vector<Row> rows_;
    ListOrder order_;
};

} // namespace kvx
