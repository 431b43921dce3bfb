#pragma once

#include "document/league.h"
#include "ui/dialogparts.h"

#include <optional>
#include <string>

class QListWidget;

namespace kvx {

// What "Select a Team" answers after OK: the chosen team's index, or no team at all for
// "-- No Change --".
struct TeamChoice {
    std::optional<int> team;

    bool operator==(const TeamChoice&) const = default;
};

// "Select a Team": picks one team of the league for a slot of the export wizard.
class frmChooseTeam : public Picker<TeamChoice> {
    Q_OBJECT

public:
    explicit frmChooseTeam(const League& league, QWidget* parent = nullptr);

    // Runs the dialog and answers the choice, or nothing when it was closed without OK.
    static std::optional<TeamChoice> choose(const League& league, QWidget* parent);

private:
    void cmdOK_Click();
    std::string displayName(int team) const;

    const League& league_;
    QListWidget* lstTeams_;
};

} // namespace kvx
