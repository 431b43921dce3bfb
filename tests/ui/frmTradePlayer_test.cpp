#include "rosterleague.h"
#include "uitest.h"

#include "ui/document.h"
#include "ui/frmTradePlayer.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QUndoStack>

namespace kvx::test {

class TradePlayerTest : public QObject {
    Q_OBJECT

private slots:
    // Players in slot order with their depth labels, a last name alone listed too; a team
    // without listed players cannot hand back a slot; teams named alike give the first.
    void listsPlayersAndHandsBackTheirSlot() {
        League league = rosterLeague();
        for (PlayerRecord& player : league.Teams[1].Players)
            player.LastName.clear();
        league.Teams[1].Players[40].LastName = "Alone";
        league.Teams[1].Players[2].LastName = "Brantlow";
        league.Teams[1].Players[2].FirstName = "Zed";
        Document document;
        document.replace(league);

        frmTradePlayer dialog(document);
        QCOMPARE(dialog.windowTitle(), QString("Trade Player"));
        auto* teams = dialog.findChild<QComboBox*>("cmbTeams");
        auto* players = dialog.findChild<QListWidget*>("cmbPlayer");
        auto* ok = dialog.findChild<QPushButton*>("cmdOK");
        QCOMPARE(teams->currentIndex(), 0);
        QCOMPARE(players->count(), 66); // team 0's rows 3..6 of QB have no last name
        QCOMPARE(players->item(0)->text(), QString("Last0.0, First0.0 (QB1)"));
        QCOMPARE(players->item(3)->text(), QString("Last0.7, First0.7 (RB1)"));
        QCOMPARE(players->item(65)->text(), QString("Last0.69, First0.69 (P7)"));
        QCOMPARE(players->currentRow(), 0);

        teams->setCurrentIndex(1);
        QCOMPARE(players->count(), 2);
        QCOMPARE(players->item(0)->text(), QString("Brantlow, Zed (QB3)"));
        QCOMPARE(players->item(1)->text(), QString("Alone, First1.40 (DL6)"));
        players->setCurrentRow(1);
        ok->click();
        QVERIFY((dialog.dialogResult() == PlayerPlace{1, 40}));

        for (PlayerRecord& player : league.Teams[1].Players)
            player.LastName.clear();
        document.replace(league);
        frmTradePlayer empty(document);
        empty.findChild<QComboBox*>("cmbTeams")->setCurrentIndex(1);
        QCOMPARE(empty.findChild<QListWidget*>("cmbPlayer")->count(), 0);
        QVERIFY(!empty.findChild<QPushButton*>("cmdOK")->isEnabled());

        frmTradePlayer alike(document);
        alike.findChild<QComboBox*>("cmbTeams")->setCurrentIndex(2);
        alike.findChild<QListWidget*>("cmbPlayer")->setCurrentRow(1);
        alike.findChild<QPushButton*>("cmdOK")->click();
        QVERIFY((alike.dialogResult() == PlayerPlace{2, 1})); // its own team, named like team 0
    }

    // Teams renamed, added and taken away again while the dialog is open: the lists follow,
    // the chosen entry stays while its team exists, and OK hands back the entry's own team.
    void followsTheLeague() {
        Document document;
        document.replace(rosterLeague());
        frmTradePlayer dialog(document);
        auto* teams = dialog.findChild<QComboBox*>("cmbTeams");
        auto* players = dialog.findChild<QListWidget*>("cmbPlayer");
        teams->setCurrentIndex(2);
        document.setTeamTexts(2, TeamTexts{"Other", "Club", "OC", "OTHER"});
        QCOMPARE(teams->currentText(), QString("Other Club"));
        const int added = document.addTeam(TeamTexts{"New", "Club", "NC", "NEW"});
        QCOMPARE(teams->count(), 4);
        teams->setCurrentIndex(added);
        QCOMPARE(players->count(), 0);
        document.undoStack().undo();
        QCOMPARE(teams->count(), 3);
        QCOMPARE(teams->currentIndex(), 0);
        document.undoStack().undo();
        teams->setCurrentIndex(2);
        players->setCurrentRow(1);
        dialog.findChild<QPushButton*>("cmdOK")->click();
        QVERIFY((dialog.dialogResult() == PlayerPlace{2, 1})); // named like team 0, still team 2
    }

    // The window frame's close box is Cancel, even after a player was chosen.
    void closingByTheFrameCancels() {
        Document document;
        document.replace(rosterLeague());
        frmTradePlayer dialog(document);
        dialog.show();
        dialog.findChild<QListWidget*>("cmbPlayer")->setCurrentRow(2);
        dialog.close();
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.dialogResult());
    }
};

KVX_UI_TEST(TradePlayerTest)

} // namespace kvx::test

#include "frmTradePlayer_test.moc"
