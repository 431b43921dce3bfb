#pragma once

#include "uitest.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QColor>
#include <QComboBox>
#include <QFont>
#include <QHeaderView>
#include <QStringList>
#include <QTest>
#include <QTreeView>

// Reading and driving the controls of the ratings windows as a user does.
namespace kvx::test {

inline QVariant cell(const QTreeView& list, int row, int column, int role = Qt::DisplayRole) {
    return list.model()->index(row, column).data(role);
}

inline int rowCount(const QTreeView& list) {
    return list.model()->rowCount();
}

inline QStringList columnTexts(const QTreeView& list, int column) {
    QStringList texts;
    for (int row = 0; row < rowCount(list); ++row)
        texts << cell(list, row, column).toString();
    return texts;
}

inline QStringList rowTexts(const QTreeView& list, int row) {
    QStringList texts;
    for (int column = 0; column < list.model()->columnCount(); ++column)
        texts << cell(list, row, column).toString();
    return texts;
}

inline QStringList headerTexts(const QTreeView& list) {
    QStringList texts;
    for (int column = 0; column < list.model()->columnCount(); ++column)
        texts << list.model()->headerData(column, Qt::Horizontal).toString();
    return texts;
}

inline QStringList keys(const QTreeView& list) {
    QStringList texts;
    for (int row = 0; row < rowCount(list); ++row)
        texts << cell(list, row, 0, Qt::UserRole).toString();
    return texts;
}

inline Qt::Alignment alignment(const QTreeView& list, int row, int column) {
    return cell(list, row, column, Qt::TextAlignmentRole).value<Qt::Alignment>();
}

// Bold red: the mark of a best value.
inline bool marked(const QTreeView& list, int row, int column) {
    return cell(list, row, column, Qt::FontRole).value<QFont>().bold() &&
           cell(list, row, column, Qt::ForegroundRole).value<QColor>() == QColor(255, 0, 0);
}

// A mouse click on the middle of a column's header.
inline void clickHeader(QTreeView& list, int column) {
    QHeaderView* header = list.header();
    const QPoint middle(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, middle);
}

// The controls of `window` a user can reach (shown, taking focus) that a screen reader could not
// name: no accessible name of their own, no buddy label, no caption.
inline QStringList unnamedControls(QWidget& window) {
    QStringList unnamed;
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (!control->isVisibleTo(&window) || control->focusPolicy() == Qt::NoFocus)
            continue;
        const auto* button = qobject_cast<QAbstractButton*>(control);
        if (control->accessibleName().isEmpty() && spokenLabel(control).isEmpty() &&
            !(button && !button->text().isEmpty()))
            unnamed << control->objectName() + QStringLiteral(" (") +
                           QString::fromLatin1(control->metaObject()->className()) +
                           QStringLiteral(")");
    }
    return unnamed;
}

// Picks an entry of a drop-down list as the user does: opens the list and clicks the entry.
inline void pick(QComboBox& box, const QString& text) {
    const int index = box.findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    box.showPopup();
    QAbstractItemView* view = box.view();
    QTRY_VERIFY(view->isVisible());
    const QModelIndex item = view->model()->index(index, box.modelColumn());
    // The pointer moves onto the entry (scrolling to it), which makes it the current one, and
    // clicks it.
    view->scrollTo(item);
    const QPoint entry(view->viewport()->width() / 2, view->visualRect(item).center().y());
    // (Qt drops a move to where the pointer already is: it comes from the list's corner.)
    QTest::mouseMove(view->viewport(), QPoint(0, 0));
    QTest::mouseMove(view->viewport(), entry);
    QTRY_COMPARE(view->currentIndex(), item);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, entry);
    QTRY_VERIFY(!view->isVisible());
    QCOMPARE(box.currentText(), text);
}

} // namespace kvx::test
