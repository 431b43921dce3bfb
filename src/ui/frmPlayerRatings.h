#pragma once

#include "ratings/playerratings.h"
#include "ui/session.h"

#include <QWidget>

class QComboBox;
class QGroupBox;
class QPushButton;
class QTreeView;

namespace kvx {

class RatingScaleNotice;

// "Player Ratings": the players of the position group chosen in cmbPosition, across the
// league, with number, name, rating and shown attribute values. The list is a snapshot, rebuilt
// whenever the user picks a group (the one shown too); when the teams change (renamed, added, taken
// away by an undo, another document) it is rebuilt at once for the group shown, so that it never
// lists players of a team that is not there or under a team's old abbreviation.
class frmPlayerRatings : public QWidget {
    Q_OBJECT

public:
    explicit frmPlayerRatings(Session& session, QWidget* parent = nullptr);

    // Rebuilds the list for the group selected in cmbPosition.
    void Redraw_Form();

    const PlayerRatingsTable& table() const { return table_; }

    // The design size of the window.
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void relayout();
    void lsvPlayers_ColumnClick(int column);
    void showTable();

    Session& session_;
    PlayerRatingsTable table_;
    QGroupBox* frame_;
    RatingScaleNotice* notice_;
    QComboBox* cmbPosition_;
    QTreeView* lsvPlayers_;
    QPushButton* cmdOK_;
};

} // namespace kvx
