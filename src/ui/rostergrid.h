#pragma once

#include "document/rosterpage.h"
#include "ui/rostercontrols.h"

#include <QFrame>

#include <array>

class QButtonGroup;
class QColor;
class QComboBox;
class QGridLayout;
class QLabel;

namespace kvx {

// The seven rows of the rosters editor ("fraPlayers"). It builds them one at a time, mirrors
// every change of a box into its RosterPage and shows what the page decides: complete rows
// enabled with "06" where a box had no level, typed values settled when their box is left.
// The row being edited stands out white and its button follows the focus.
class RosterGrid : public QFrame {
    Q_OBJECT

public:
    static constexpr int Rows = RosterPage::Rows;

    explicit RosterGrid(QWidget* parent = nullptr);

    const RosterPage& page() const { return page_; }
    // Shows the stored records of a page; nothing counts as edited afterwards.
    void showRecords(const RosterPage::Records& stored);
    // Every typed value takes its level, as when its box is left.
    void settleAll();
    // The page was stored as it is shown.
    void markStored() { page_.markStored(); }
    // The captions, tips and visible attribute boxes of a position group.
    void showColumns(int group);
    // Attribute boxes of complete rows (both names filled) are enabled, those without a level
    // (but for a kept one) get "06"; boxes of other rows are disabled and keep what they show.
    // Runs after every change of a name box, and when a page is shown.
    void Validate();
    // The background of the row's number, name and attribute boxes.
    void Highlight(int row, const QColor& colour);
    // The row whose button is on; 0 if none is.
    int selectedRow() const;
    void selectRow(int row, bool focus = false);

signals:
    // The user changed a box.
    void edited();
    // A keystroke was refused: it would have made a number larger than 99.
    void numberRefused();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildRow(QGridLayout* grid, int row);
    void wireAttributeBox(QComboBox* box, int index);
    void showRow(int row);
    void showAttributeBox(int box);
    // Applies the typed-value rule to a box the user typed into, and shows the level it gives.
    void settleTypedValue(int box);
    // The user typed into or picked in an attribute box: a level it kept is given up.
    void attributeEdited(int box, bool typed);
    void userEdited();
    QComboBox* attributeBox(int box) const;
    QColor frameColour() const;

    RosterPage page_;
    // The grid is showing what the page holds: the boxes' signals are its own, not the user's.
    bool showing_ = false;
    QButtonGroup* rowButtons_ = nullptr;
    std::array<RosterRowControls, Rows> rows_{};
    std::array<QLabel*, AttributeCount> lblAtt_{};
};

} // namespace kvx
