#pragma once

#include <QDialog>

#include <string>

class QComboBox;
class QListWidget;
class QPushButton;

namespace kvx {

class Document;
struct DocumentChange;
struct PlayerRecord;

// "Trade Player": picks the partner of a trade, any listed player of any team. It changes
// nothing itself: dialogResult() is the chosen player's team × 70 + slot, or Cancelled. Should
// the league change while it is open, its lists follow, so that no entry outlives its team.
class frmTradePlayer : public QDialog {
    Q_OBJECT

public:
    static constexpr int Cancelled = -1;

    explicit frmTradePlayer(const Document& document, QWidget* parent = nullptr);

    int dialogResult() const { return result_; }

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
    int result_ = Cancelled;
};

} // namespace kvx
