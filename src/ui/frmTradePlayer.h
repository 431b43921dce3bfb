#pragma once

#include "document/league.h"
#include "ui/dialogparts.h"

#include <optional>
#include <string>

class QComboBox;
class QListWidget;
class QPushButton;

namespace kvx {

class Document;
struct DocumentChange;

// "Trade Player": picks the partner of a trade, any listed player of any team. It changes
// nothing itself: it answers the chosen player's place, or nothing when cancelled. Should the
// league change while it is open, its lists follow, so that no entry outlives its team.
class frmTradePlayer : public Picker<PlayerPlace> {
    Q_OBJECT

public:
    explicit frmTradePlayer(const Document& document, QWidget* parent = nullptr);

    // Runs the dialog and answers the partner chosen, or nothing.
    static std::optional<PlayerPlace> choose(const Document& document, QWidget* parent);

    // A player's entry in the list: "Last, First (QB1)".
    static std::string entryText(const PlayerRecord& player, int slot);

private:
    void fillTeamList();
    void cmbTeams_Click();
    void cmdOK_Click();
    void documentChanged(const DocumentChange& change);
    // The team of the selected entry (each entry carries its team's index, as two teams may
    // show the same text); -1 while none is selected.
    int chosenTeam() const;

    const Document& document_;
    QComboBox* cmbTeams_;
    QListWidget* cmbPlayer_;
    QPushButton* cmdOK_;
};

} // namespace kvx
