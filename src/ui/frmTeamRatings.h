#pragma once

#include "ratings/teamratings.h"
#include "ui/session.h"

#include <QWidget>

class QGroupBox;
class QPushButton;
class QTreeView;

namespace kvx {

class RatingScaleNotice;

// "Team Ratings": every team with its overall and its ten group ratings, the best of each group
// in bold red, sorted by a clicked column. The ratings are a snapshot: the list is built on
// opening and again after "Settings..." (the weight editor), not on every roster edit. When the
// teams themselves change (renamed, added, taken away by an undo, another document) it is
// rebuilt at once, so that it never lists a team that is not there.
class frmTeamRatings : public QWidget {
    Q_OBJECT

public:
    explicit frmTeamRatings(Session& session, QWidget* parent = nullptr);

    // Rebuilds the whole list from the document and the rating scale.
    void Update_lsvTeams();

    // The list as it stands, in its current order with its marks: what Save Window as HTML writes.
    const TeamRatingsTable& table() const { return table_; }

    // The design size of the window.
    QSize sizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void relayout();
    void lsvTeams_ColumnClick(int column);
    void cmdSettings_Click();
    void showTable();

    Session& session_;
    TeamRatingsTable table_;
    QGroupBox* frame_;
    RatingScaleNotice* notice_;
    QTreeView* lsvTeams_;
    QPushButton* cmdSettings_;
    QPushButton* cmdOK_;
};

} // namespace kvx
