#pragma once

#include "document/league.h"
#include "document/rosterpage.h"

#include <QWidget>

class QComboBox;

namespace kvx {

class Document;
class Platform;
class RosterGrid;
struct DocumentChange;

// "Rosters": the players of one team and one position group at a time, a page of seven rows
// (slot = group × 7 + row), each with a jersey number, first and last name and eleven attribute
// boxes (box row × 11 + attribute). The page is stored into the document when the user switches
// group or team and on OK; moving, trading and a new face store it first and then change the
// document at once. Closing the window any other way stores nothing of the page shown.
//
// The window follows the document: it redisplays its page when players of its team change by
// other means, refreshes the team list when teams are added or renamed, shows team 0 "QB" when
// another document takes the place of the old one (or when its team is gone after an undo), and
// closes when the document has no teams any more.
//
// What the user typed on the page and has not stored yet counts as the newest edit: the main
// window's Undo takes it back first (it stores the page, then undoes that step), and Redo waits
// until it is stored or typed away. Ctrl+Z in a box undoes the box's own typing first.
class frmRosters : public QWidget {
    Q_OBJECT

public:
    static constexpr int Rows = DepthPlaces;
    // The undo step of a stored page.
    static constexpr const char* EditPlayersAction = "Edit Players";

    frmRosters(Document& document, Platform& platform, QWidget* parent = nullptr);

    // The page shown: team index and position group, -1 while no page is shown.
    int currentTeam() const { return CurrentTeam; }
    int currentPosition() const { return CurrentPosition; }

    // Fills the seven rows from the document for the team shown and the group selected.
    void Update_Player_Display();
    // Stores the seven rows into the document at the page shown (nothing when they are as
    // stored): names as typed, the number box's leading number, the selected levels (-1 where
    // a box has none). Face and ExtraNibble stay as they are.
    void Save_Information();
    // The row whose button is on; 0 if none is.
    int Selected_Radio() const;

    // The user changed the page since it was shown or stored, and storing it would change the
    // document.
    bool hasUnstoredEdits() const;

signals:
    // The user edited the page, or it was shown or stored: hasUnstoredEdits() may have changed.
    void unstoredEditsChanged();

private:
    void buildControls();
    QWidget* buildUpDown();
    void cmbPosition_Click();
    void cmbTeams_Click();
    void UpDown1_Click(int step);
    void cmdDetails_Click();
    void cmdTrade_Click();
    void cmdOK_Click();
    void documentChanged(const DocumentChange& change);

    // Team 0, "QB", row 0, with a fresh team list. `store` stores that page at once, as opening
    // the window does; a page shown after another document came needs no storing.
    void showFirstPage(bool store);
    // The stored records of the page shown; blank ones while no page is shown.
    RosterPage::Records storedPage() const;
    // A team and a position group are shown: the page stands for seven slots of the document.
    bool showsPage() const;
    bool showsTeam() const;
    // Moving, trading and a new face change the stored records: typing on the page is stored
    // first rather than lost.
    void storeTyping();
    void fillTeamList();

    Document& document_;
    Platform& platform_;
    int CurrentTeam = -1;
    int CurrentPosition = -1;
    // Save_Information is storing this window's own page: its change needs no redisplay.
    bool storing_ = false;

    QComboBox* cmbTeams_ = nullptr;
    QComboBox* cmbPosition_ = nullptr;
    RosterGrid* fraPlayers_ = nullptr;
};

} // namespace kvx
