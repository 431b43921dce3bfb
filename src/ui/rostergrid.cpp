#include "ui/rostergrid.h"

#include "document/tables.h"
#include "ui/qtext.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopedValueRollback>

#include <algorithm>

namespace kvx {

namespace {

// Which row (and, for attribute boxes, which box) a control of the grid belongs to.
constexpr const char* RowProperty = "kvxRow";
constexpr const char* BoxProperty = "kvxBox";

// Attributes 0..5 every group has; 6..10 depend on the group.
constexpr int CommonAttributes = static_cast<int>(CommonAttributeAbbreviations.size());

const QColor EditedRowColour(255, 255, 255);

// Ctrl+Z in a box undoes the box's own typing; once it has none, the key is left to the Edit
// menu's Undo (which takes back the page's typing first), and likewise for Redo.
bool leavesUndoToMenu(QObject* watched, QEvent* event) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool undo = key->matches(QKeySequence::Undo);
    if (!undo && !key->matches(QKeySequence::Redo))
        return false;
    const auto* box = qobject_cast<const QComboBox*>(watched);
    const QLineEdit* text = box ? box->lineEdit() : qobject_cast<const QLineEdit*>(watched);
    return text && !(undo ? text->isUndoAvailable() : text->isRedoAvailable());
}

} // namespace

RosterGrid::RosterGrid(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("fraPlayers"));
    setFrameShape(QFrame::StyledPanel);
    setAccessibleName(QStringLiteral("Players"));
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(3);
    lblAtt_ = buildRosterHeader(grid);
    rowButtons_ = new QButtonGroup(this);
    // Built row by row, so that Tab runs through a row before it reaches the next one.
    for (int r = 0; r < Rows; ++r)
        buildRow(grid, r);
}

void RosterGrid::buildRow(QGridLayout* grid, int r) {
    RosterRowControls& row = rows_[static_cast<std::size_t>(r)];
    row = buildRosterRow(grid, r);
    rowButtons_->addButton(row.radio, r);
    for (QWidget* control : row.boxes()) {
        control->setProperty(RowProperty, r);
        control->installEventFilter(this);
    }
    connect(row.number, &QLineEdit::inputRejected, this, &RosterGrid::numberRefused);
    connect(row.number, &QLineEdit::textChanged, this,
            [this, r](const QString& text) { page_.setNumber(r, fromQString(text)); });
    connect(row.firstName, &QLineEdit::textChanged, this, [this, r](const QString& text) {
        page_.setFirstName(r, fromQString(text));
        Validate();
    });
    connect(row.lastName, &QLineEdit::textChanged, this, [this, r](const QString& text) {
        page_.setLastName(r, fromQString(text));
        Validate();
    });
    for (QLineEdit* text : {row.number, row.firstName, row.lastName})
        connect(text, &QLineEdit::textEdited, this, &RosterGrid::userEdited);
    for (int j = 0; j < AttributeCount; ++j)
        wireAttributeBox(row.attributes[static_cast<std::size_t>(j)], r * AttributeCount + j);
    Highlight(r, frameColour());
}

void RosterGrid::wireAttributeBox(QComboBox* box, int c) {
    box->setProperty(BoxProperty, c);
    QLineEdit* text = box->lineEdit();
    connect(text, &QLineEdit::textChanged, this,
            [this, c](const QString& shown) { page_.setBoxText(c, fromQString(shown)); });
    connect(text, &QLineEdit::textEdited, this, [this, c] { attributeEdited(c, true); });
    connect(text, &QLineEdit::returnPressed, this, [this, c] { settleTypedValue(c); });
    connect(box, &QComboBox::activated, this, [this, c] { attributeEdited(c, false); });
    connect(box, &QComboBox::currentIndexChanged, this, [this, c](int index) {
        if (!showing_) {
            page_.select(c, index);
            showAttributeBox(c);
        }
    });
}

QComboBox* RosterGrid::attributeBox(int c) const {
    return rows_[static_cast<std::size_t>(c / AttributeCount)]
        .attributes[static_cast<std::size_t>(c % AttributeCount)];
}

// --- Showing the page ----------------------------------------------------------------------

void RosterGrid::showRecords(const RosterPage::Records& stored) {
    page_.show(stored);
    for (int r = 0; r < Rows; ++r)
        showRow(r);
}

void RosterGrid::showRow(int r) {
    const QScopedValueRollback<bool> showing(showing_, true);
    const RosterRow& shown = page_.row(r);
    const RosterRowControls& row = rows_[static_cast<std::size_t>(r)];
    row.firstName->setText(toQString(shown.firstName));
    row.lastName->setText(toQString(shown.lastName));
    row.number->setText(toQString(shown.number));
    for (int j = 0; j < AttributeCount; ++j)
        showAttributeBox(r * AttributeCount + j);
}

// A box shows the page's level; what was typed into it stays until it is settled.
void RosterGrid::showAttributeBox(int c) {
    const QScopedValueRollback<bool> showing(showing_, true);
    const AttributeBoxState& state = page_.box(c);
    QComboBox* box = attributeBox(c);
    box->setEnabled(page_.row(c / AttributeCount).complete());
    if (box->currentIndex() != state.level)
        box->setCurrentIndex(state.level);
    box->setToolTip(state.kept ? tr("Level %1 has no value to show; it is kept until you "
                                    "choose one.")
                                     .arg(*state.kept)
                               : QString());
}

void RosterGrid::showColumns(int group) {
    for (int k = 0; k < AttributeCount - CommonAttributes; ++k) {
        QLabel* label = lblAtt_[static_cast<std::size_t>(CommonAttributes + k)];
        label->setText(toQString(AttributeNames(group, k, Abbreviation)));
        label->setToolTip(toQString(AttributeNames(group, k, FullName)));
    }
    for (int c = 0; c < RosterPage::Boxes; ++c) {
        QComboBox* box = attributeBox(c);
        const QLabel* label = lblAtt_[static_cast<std::size_t>(c % AttributeCount)];
        const bool shown = !label->text().isEmpty();
        box->setVisible(shown);
        if (shown) {
            box->setAccessibleName(rowName(c / AttributeCount, label->text()));
            box->setAccessibleDescription(label->toolTip());
        }
    }
}

void RosterGrid::Validate() {
    if (showing_)
        return;
    page_.fillCompleteRows();
    for (int c = 0; c < RosterPage::Boxes; ++c)
        showAttributeBox(c);
}

// --- Edits ---------------------------------------------------------------------------------

void RosterGrid::settleAll() {
    for (int c = 0; c < RosterPage::Boxes; ++c)
        settleTypedValue(c);
}

void RosterGrid::settleTypedValue(int c) {
    if (!page_.settle(c))
        return;
    const QScopedValueRollback<bool> showing(showing_, true);
    QComboBox* box = attributeBox(c);
    box->setCurrentIndex(page_.box(c).level);
    // The entry's own text, also when the level was already selected before the typing.
    box->setEditText(toQString(page_.box(c).text));
}

void RosterGrid::attributeEdited(int c, bool typed) {
    page_.editBox(c, typed);
    showAttributeBox(c);
    userEdited();
}

void RosterGrid::userEdited() {
    page_.markEdited();
    emit edited();
}

// --- Row focus -----------------------------------------------------------------------------

int RosterGrid::selectedRow() const {
    return std::max(rowButtons_->checkedId(), 0);
}

void RosterGrid::selectRow(int row, bool focus) {
    QRadioButton* radio = rows_[static_cast<std::size_t>(row)].radio;
    radio->setChecked(true);
    if (focus)
        radio->setFocus(Qt::OtherFocusReason);
}

void RosterGrid::Highlight(int row, const QColor& colour) {
    paintRow(rows_[static_cast<std::size_t>(row)], colour);
}

QColor RosterGrid::frameColour() const {
    return palette().color(QPalette::Window);
}

// A combo box's list opening takes the focus only for a moment; it neither ends the row's
// editing nor a typed value.
bool RosterGrid::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride)
        return leavesUndoToMenu(watched, event) || QFrame::eventFilter(watched, event);
    const bool in = event->type() == QEvent::FocusIn;
    if ((in || event->type() == QEvent::FocusOut) &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        const QVariant row = watched->property(RowProperty);
        if (row.isValid()) {
            const int r = row.toInt();
            if (in) {
                Highlight(r, EditedRowColour);
                selectRow(r);
            } else {
                const QVariant box = watched->property(BoxProperty);
                if (box.isValid())
                    settleTypedValue(box.toInt());
                Highlight(r, frameColour());
            }
        }
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace kvx
