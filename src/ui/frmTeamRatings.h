#pragma once

#include "ratings/teamratings.h"
#include "ui/session.h"

#include <QWidget>

class QGroupBox;
class QPushButton;
class QTreeView;

namespace kvx {

// "Team Ratings": every team with its overall and its ten group ratings, the best of each group
// in bold red, sorted by a clicked column. The list is a snapshot: it is built on opening and
// again after "Settings..." (the weight editor), not on every edit. Only when another document
// takes this one's place is it rebuilt at once, so that it never shows a league that is gone.
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
    void lsvTeams_ColumnClick(int column);
    void cmdSettings_Click();
    void showTable();

    Session& session_;
    TeamRatingsTable table_;
    QGroupBox* frame_;
    QTreeView* lsvTeams_;
    QPushButton* cmdSettings_;
    QPushButton* cmdOK_;
};

} // namespace kvx
