#include "ui/reportlist.h"

#include "ui/document.h"
#include "ui/qtext.h"

#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTreeView>

#include <algorithm>
#include <unordered_map>

namespace kvx {

namespace {

constexpr int TwipsPerInch = 1440;

// A list view's own colour for the best values.
const QColor MarkColour(255, 0, 0);

ReportModel* modelOf(const QTreeView* list) {
    return static_cast<ReportModel*>(list->model());
}

} // namespace

int twipsToPixelsX(const QWidget* widget, int twips) {
    return qRound(static_cast<double>(twips) * widget->logicalDpiX() / TwipsPerInch);
}

int twipsToPixelsY(const QWidget* widget, int twips) {
    return qRound(static_cast<double>(twips) * widget->logicalDpiY() / TwipsPerInch);
}

void ReportModel::show(ListTable table, std::vector<std::string> keys) {
    beginResetModel();
    table_ = std::move(table);
    keys_ = std::move(keys);
    keys_.resize(table_.rows.size());
    endResetModel();
}

int ReportModel::rowOf(const QString& key) const {
    const std::string wanted = fromQString(key);
    for (std::size_t row = 0; row < keys_.size(); ++row)
        if (keys_[row] == wanted)
            return static_cast<int>(row);
    return -1;
}

int ReportModel::widestText(int column, const QFontMetrics& plain, const QFontMetrics& bold) const {
    // A column repeats few texts ("06" .. "99"): each is measured once.
    std::unordered_map<std::string, int> measured[2];
    int widest = 0;
    for (const ListTable::Row& row : table_.rows) {
        const ListTable::Cell* sub =
            column == 0 || static_cast<std::size_t>(column) > row.cells.size()
                ? nullptr
                : &row.cells[static_cast<std::size_t>(column - 1)];
        const std::string& text = column == 0 ? row.text : sub ? sub->text : std::string();
        const bool isBold = sub && sub->bold;
        auto [entry, added] = measured[isBold ? 1 : 0].try_emplace(text, 0);
        if (added)
            entry->second = (isBold ? bold : plain).horizontalAdvance(toQString(text));
        widest = std::max(widest, entry->second);
    }
    return widest;
}

int ReportModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.rows.size());
}

int ReportModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(table_.columns.size());
}

// Column 0 is the row's item text; the others are its sub-items.
const ListTable::Cell* ReportModel::cell(int row, int column) const {
    const ListTable::Row& line = table_.rows.at(static_cast<std::size_t>(row));
    if (column < 1 || static_cast<std::size_t>(column) > line.cells.size())
        return nullptr;
    return &line.cells[static_cast<std::size_t>(column - 1)];
}

Qt::Alignment ReportModel::alignment(int column) const {
    return table_.columns.at(static_cast<std::size_t>(column)).centred
               ? Qt::AlignCenter
               : Qt::AlignLeft | Qt::AlignVCenter;
}

QVariant ReportModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const int row = index.row();
    const int column = index.column();
    const ListTable::Cell* sub = cell(row, column);
    switch (role) {
    case Qt::DisplayRole:
        return toQString(column == 0 ? table_.rows[static_cast<std::size_t>(row)].text
                         : sub       ? sub->text
                                     : std::string());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(alignment(column));
    case Qt::FontRole:
        if (sub && sub->bold) {
            // Only the weight is set: the rest comes from the list view's own font.
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    case Qt::ForegroundRole:
        return sub && sub->bold ? QVariant(MarkColour) : QVariant();
    case Qt::UserRole:
        return column == 0 ? toQString(keys_[static_cast<std::size_t>(row)]) : QVariant();
    default:
        return {};
    }
}

QVariant ReportModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount())
        return {};
    if (role == Qt::DisplayRole)
        return toQString(table_.columns[static_cast<std::size_t>(section)].header);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(alignment(section));
    return {};
}

QTreeView* makeReportList(QWidget* parent, const char* name, const char* accessibleName,
                          int columns) {
    auto* list = new QTreeView(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setAccessibleName(QString::fromLatin1(accessibleName));
    auto* model = new ReportModel(list);
    list->setModel(model);
    // The columns exist before the first rows arrive, so that their widths can be set.
    model->show(ListTable{std::vector<ListTable::Column>(static_cast<std::size_t>(columns)), {}},
                {});
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QHeaderView* header = list->header();
    header->setStretchLastSection(false);
    header->setSectionsMovable(false);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(0, Qt::AscendingOrder);
    return list;
}

void setColumnWidths(QTreeView* list, int first, const std::vector<int>& twips) {
    for (std::size_t i = 0; i < twips.size(); ++i)
        list->setColumnWidth(first + static_cast<int>(i), twipsToPixelsX(list, twips[i]));
}

void fitColumns(QTreeView* list, const std::vector<int>& minimumTwips) {
    // Measured from the texts rather than through the item delegate, cell by cell: that is
    // twenty times quicker for a list of a few hundred players. The margins are those the
    // style puts on either side of an item's text.
    const ReportModel* model = modelOf(list);
    const QFontMetrics plain(list->font());
    QFont boldFont = list->font();
    boldFont.setBold(true);
    const QFontMetrics bold(boldFont);
    const int margins =
        2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
    for (int column = 0; column < model->columnCount(); ++column) {
        const auto index = static_cast<std::size_t>(column);
        const int minimum =
            index < minimumTwips.size() ? twipsToPixelsX(list, minimumTwips[index]) : 0;
        // The header's size hint counts the sort indicator, whichever column shows it.
        list->setColumnWidth(column, std::max({minimum, list->header()->sectionSizeHint(column),
                                               model->widestText(column, plain, bold) + margins}));
    }
}

int fittedListWidth(const QTreeView* list) {
    return list->header()->length() + 2 * list->frameWidth() +
           list->verticalScrollBar()->sizeHint().width();
}

void showList(QTreeView* list, ListTable table, std::vector<std::string> keys,
              const ListOrder& order) {
    ReportModel* model = modelOf(list);
    const QString current = list->currentIndex().siblingAtColumn(0).data(Qt::UserRole).toString();
    model->show(std::move(table), std::move(keys));
    if (const int row = current.isEmpty() ? -1 : model->rowOf(current); row >= 0)
        list->setCurrentIndex(model->index(row, 0));
    list->header()->setSortIndicator(order.column,
                                     order.ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
}

QPushButton* makeListButton(QWidget* window, const char* caption, const char* name) {
    constexpr int DesignWidth = 1215;
    auto* button = new QPushButton(QString::fromLatin1(caption), window);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->resize(std::max(button->sizeHint().width(), twipsToPixelsX(window, DesignWidth)),
                   button->sizeHint().height());
    return button;
}

bool changesTeamList(const DocumentChange& change) {
    return change.has(DocumentAspect::Whole) || change.has(DocumentAspect::TeamTexts) ||
           change.has(DocumentAspect::TeamCount);
}

void layoutListWindow(QWidget* window, QWidget* frame, QTreeView* list, int listTop,
                      QAbstractButton* left, QAbstractButton* ok, QWidget* notice) {
    const auto x = [window](int twips) { return twipsToPixelsX(window, twips); };
    const auto y = [window](int twips) { return twipsToPixelsY(window, twips); };
    const QSize inner = window->contentsRect().size();
    const int buttonHeight = (left ? left : ok)->height();

    const int frameWidth = inner.width();
    const int frameHeight = inner.height() - y(100) - buttonHeight;
    if (frameWidth >= 0 && frameHeight >= 0)
        frame->setGeometry(0, 0, frameWidth, frameHeight);

    const int listWidth = frame->width() - x(120) - x(100);
    int top = y(listTop);
    if (notice && !notice->isHidden() && listWidth > 0) {
        const int height = notice->hasHeightForWidth() ? notice->heightForWidth(listWidth)
                                                       : notice->sizeHint().height();
        notice->setGeometry(x(120), top, listWidth, height);
        top += height + y(60);
    }
    const int listHeight = frame->height() - top - y(100);
    if (listWidth >= 0 && listHeight >= 0)
        list->setGeometry(x(120), top, listWidth, listHeight);

    const int buttonTop = frame->y() + frame->height() + y(75);
    if (left)
        left->move(left->x(), buttonTop);
    ok->move(frame->x() + frame->width() - ok->width(), buttonTop);
}

} // namespace kvx
