// How long the ratings windows take to rebuild their lists for a full league: 32 teams with
// every slot filled. Run with QT_QPA_PLATFORM=offscreen where there is no display.

#include "uibench.h"

#include "support/random_league.h"
#include "ui/frmPlayerRatings.h"
#include "ui/frmTeamRatings.h"
#include "ui/session.h"

#include <QTest>

namespace kvx {

namespace {

League fullLeague() {
    League league = test::randomLeague(32, 1);
    test::Random random(2);
    for (TeamRecord& team : league.Teams)
        for (PlayerRecord& player : team.Players) {
            player = test::randomPlayer(random);
            if (player.FirstName.empty())
                player.FirstName = "Al"; // every slot is listed
        }
    return league;
}

RatingScale busyScale() {
    RatingScale scale{};
    for (RatingScaleEntry& entry : scale) {
        entry.Weights.fill(3);
        entry.StartersMinusOne = 2;
        entry.Backups = 2;
    }
    return scale;
}

} // namespace

class RatingsWindowsBench : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        session_.document.replace(fullLeague());
        session_.ratingScale = busyScale();
    }

    // Update_lsvTeams: 32 rows of twelve columns, ratings, marks, sort and the list view.
    void teamRatings() {
        frmTeamRatings window(session_);
        window.show();
        QBENCHMARK {
            window.Update_lsvTeams();
        }
    }

    // Redraw_Form for one group: 224 players of 32 teams, fourteen columns.
    void playerRatings() {
        frmPlayerRatings window(session_);
        window.show();
        QBENCHMARK {
            window.Redraw_Form();
        }
    }

private:
    Session session_;
};

} // namespace kvx

std::unique_ptr<QObject> kvx::bench::makeRatingsWindowsBench() {
    return std::make_unique<RatingsWindowsBench>();
}

#include "ratingswindows_bench.moc"
