#pragma once

#include "document/htmltable.h"
#include "ratings/listorder.h"

#include <QAbstractTableModel>

#include <string>
#include <vector>

class QAbstractButton;
class QFontMetrics;
class QPushButton;
class QTreeView;
class QWidget;

namespace kvx {

struct DocumentChange;

// Window sizes are designed in twips (1440 to the inch); on screen they become pixels at the
// logical resolution of the screen the widget is on.
int twipsToPixelsX(const QWidget* widget, int twips);
int twipsToPixelsY(const QWidget* widget, int twips);

// What a report-style list view shows: a list as a window shows it (headers and their
// alignment, rows of texts, bold sub-items shown bold red) and each row's key (role
// Qt::UserRole of column 0, "ID3").
class ReportModel : public QAbstractTableModel {
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    // Replaces everything shown; keys has one entry per row.
    void show(ListTable table, std::vector<std::string> keys);
    // The row holding `key`, or -1.
    int rowOf(const QString& key) const;
    // The width of the widest text of `column`, bold cells measured in `bold`.
    int widestText(int column, const QFontMetrics& plain, const QFontMetrics& bold) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const ListTable::Cell* cell(int row, int column) const;
    Qt::Alignment alignment(int column) const;

    ListTable table_;
    std::vector<std::string> keys_;
};

// A report-style list view over a ReportModel of `columns` columns, with the given accessible
// name. Header clicks are reported (sectionClicked) and the sort indicator is shown, but the
// list never sorts itself: the window sorts its table and shows it again.
QTreeView* makeReportList(QWidget* parent, const char* name, const char* accessibleName,
                          int columns);

// Sets column widths in twips, starting with column `first`.
void setColumnWidths(QTreeView* list, int first, const std::vector<int>& twips);

// Widens every column to what its header (with the sort indicator) and its texts need, keeping
// at least the widths in twips given for them, one per column from column 0.
void fitColumns(QTreeView* list, const std::vector<int>& minimumTwips);

// The width the list needs to show every column without scrolling sideways.
int fittedListWidth(const QTreeView* list);

// Shows the table in its order with the sort indicator of `order`. The current row stays
// current when its key is still listed.
void showList(QTreeView* list, ListTable table, std::vector<std::string> keys,
              const ListOrder& order);

// A button under the list: its caption, at least the design width of 1215 twips.
QPushButton* makeListButton(QWidget* window, const char* caption, const char* name);

// The ratings lists are snapshots: roster edits and a rating scale loaded from the menu show
// only when the user rebuilds the list. The teams they list follow the document at once, though:
// a list rebuilds when teams are renamed, added or taken away again by an undo, and when another
// document takes this one's place, so that it never shows a team that is not there.
bool changesTeamList(const DocumentChange& change);

// The resize layout both ratings windows share, in twips: the frame fills the window above the
// buttons, the list fills the frame from (120, listTop) leaving 100 on the right and below, the
// buttons sit 75 below the frame with `ok` right-aligned under it. A `notice` that is not hidden
// takes a line at the list's top, and the list starts below it. Each step is applied on its own
// and skipped when it would give a negative size.
void layoutListWindow(QWidget* window, QWidget* frame, QTreeView* list, int listTop,
                      QAbstractButton* left, QAbstractButton* ok, QWidget* notice = nullptr);

} // namespace kvx
