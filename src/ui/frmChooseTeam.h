#pragma once

#include "document/league.h"

#include <QDialog>

#include <string>

class QListWidget;
class QPushButton;

namespace kvx {

// "Select a Team": picks one team of the league for a slot of the export wizard.
class frmChooseTeam : public QDialog {
    Q_OBJECT

public:
    static constexpr int NoChange = -2;
    static constexpr int Cancelled = -1;

    explicit frmChooseTeam(const League& league, QWidget* parent = nullptr);

    // The chosen team's index, NoChange for "-- No Change --", Cancelled when the window was
    // closed without OK.
    int dialogResult() const { return result_; }

private:
    void cmdOK_Click();
    std::string displayName(int team) const;

    const League& league_;
    QListWidget* lstTeams_;
    QPushButton* cmdOK_;
    QPushButton* cmdCancel_;
    int result_ = Cancelled;
};

} // namespace kvx
