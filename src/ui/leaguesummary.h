#pragma once

#include <QFrame>

class QAction;
class QLabel;
class QVBoxLayout;

namespace kvx {

// What the main area shows, while no child window is open, once a league is loaded: the file,
// where the league came from (the import's image and edition), its number of teams, and the
// commands a user usually takes next, as buttons.
class LeagueSummary : public QFrame {
    Q_OBJECT

public:
    explicit LeagueSummary(QWidget* parent = nullptr);

    // `origin` is the sentence the command that loaded the league reported ("Imported 28 teams
    // from game.nes (NES)"), empty when there is none.
    void setLeague(const QString& file, const QString& origin, int teams);
    // A button for a next step: it triggers `action` and follows its enabled state.
    void addStep(QAction* action);

private:
    QLabel* lblFile_;
    QLabel* lblOrigin_;
    QLabel* lblTeams_;
    QVBoxLayout* steps_;
};

} // namespace kvx
