#include "ratingswindow.h"
#include "uitest.h"

#include "base/fileio.h"
#include "ratings/ratingscale.h"
#include "ui/frmDefineTeams.h"
#include "ui/frmPlayerRatings.h"
#include "ui/frmTeamRatings.h"
#include "ui/frmWeightRatings.h"
#include "ui/qtext.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QStatusBar>

namespace kvx::test {

namespace {

constexpr int Overall = 1;
constexpr int QbColumn = 2;
constexpr int RbColumn = 3;
constexpr int TeColumn = 5;
constexpr int KColumn = 10;

// Every group rated on attribute 0 of its first player alone. A level L rates
// 0 7 13 20 27 33 40 47 64 72 80 88 96 99 99 99 for L = 0..15.
RatingScale firstPlayerScale() {
    RatingScale scale{};
    for (auto& entry : scale)
        entry.Weights[0] = 1;
    return scale;
}

TeamRecord team(const std::string& city, const std::string& name,
                const std::array<int, GroupCount>& levels) {
    TeamRecord record;
    record.City = city;
    record.Name = name;
    record.Abbreviation = name.substr(0, 3);
    for (int g = 0; g < GroupCount; ++g)
        record.player(g * DepthPlaces).Attributes[0] =
            static_cast<std::int16_t>(levels[static_cast<std::size_t>(g)]);
    return record;
}

League league(std::vector<TeamRecord> teams) {
    League made;
    made.TeamCount = static_cast<std::int16_t>(teams.size());
    made.Teams = std::move(teams);
    return made;
}

// Weighted sums 1687 and 1686: overalls 67.48 and 67.44. Both rate QB 40 (a tie); Miami has
// the better TE, Buffalo the better K.
League twoTeams() {
    return league({team("Buffalo", "Bills", {6, 9, 9, 9, 9, 10, 10, 10, 6, 7}),
                   team("Miami", "Dolphins", {6, 9, 9, 11, 9, 10, 10, 10, 1, 7})});
}

frmTeamRatings* openTeamRatings(App& app) {
    app.window->show();
    if (!QTest::qWaitForWindowExposed(app.window.get()) ||
        !trigger(*app.window, "mnuViewTeamRatings"))
        return nullptr;
    return app.window->childWindow<frmTeamRatings>();
}

QTreeView& lsvTeams(frmTeamRatings& window) {
    return *window.findChild<QTreeView*>("lsvTeams");
}

QString accessibleName(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

} // namespace

class TeamRatingsTest : public QObject {
    Q_OBJECT

private slots:
    // With all weights 0 every group cell is the best value 0; the window keeps that snapshot
    // until "Settings..." has run the weight editor, whatever happens to the scale meanwhile.
    void snapshotUntilSettings() {
        App app;
        app.session.document.replace(twoTeams());
        frmTeamRatings* window = openTeamRatings(app);
        QVERIFY(window);
        QCOMPARE(window->windowTitle(), QString("Team Ratings"));
        QTreeView& list = lsvTeams(*window);
        QCOMPARE(headerTexts(list), QStringList({"Team", "Overall", "QB", "RB", "WR", "TE", "OL",
                                                 "DL", "LB", "DB", "K", "P"}));
        QCOMPARE(accessibleName(&list), QString("Team ratings"));
        QCOMPARE(unnamedControls(*window), QStringList());
        QCOMPARE(keys(list), QStringList({"ID0", "ID1"}));
        QCOMPARE(columnTexts(list, 0), QStringList({"Buffalo Bills", "Miami Dolphins"}));
        QCOMPARE(columnTexts(list, Overall), QStringList({"00.0", "00.0"}));
        for (int row = 0; row < 2; ++row) {
            QVERIFY(!marked(list, row, 0) && !marked(list, row, Overall));
            QCOMPARE(alignment(list, row, 0), Qt::AlignLeft | Qt::AlignVCenter);
            for (int column = QbColumn; column < TeamRatingsColumnCount; ++column) {
                QCOMPARE(cell(list, row, column).toString(), QString("00"));
                QVERIFY(marked(list, row, column));
                QCOMPARE(alignment(list, row, column), Qt::AlignCenter);
            }
        }
        // Without default.trs the window says why every rating is 00, above the list.
        auto* notice = window->findChild<QLabel*>("lblNoRatingScale");
        QVERIFY(notice && notice->isVisible());
        QCOMPARE(notice->text(), QString::fromUtf8("No rating scale is loaded: File \u25B8 Load "
                                                   "Rating Scale..."));
        QVERIFY(list.y() > notice->geometry().bottom());

        // Columns are at least their design widths in twips and as wide as what they show, the
        // sort indicator included; the window opens wide enough for all of them.
        const auto pixels = [&](int twips) { return qRound(twips * list.logicalDpiX() / 1440.0); };
        QVERIFY(list.columnWidth(0) >= pixels(1440));
        QVERIFY(list.columnWidth(Overall) >= pixels(800));
        QVERIFY(list.columnWidth(KColumn) >= pixels(500));
        QVERIFY(list.columnWidth(0) > list.fontMetrics().horizontalAdvance("Miami Dolphins"));
        for (int column = 0; column < TeamRatingsColumnCount; ++column)
            QVERIFY(list.columnWidth(column) >= list.header()->sectionSizeHint(column));
        QVERIFY(list.header()->length() <= list.viewport()->width());

        // A scale loaded from the menu shows only after Settings.
        app.session.ratingScale = firstPlayerScale();
        QCOMPARE(columnTexts(list, Overall), QStringList({"00.0", "00.0"}));
        bool shown = false;
        whenModal<frmWeightRatings>([&](frmWeightRatings& editor) {
            shown = editor.isModal();
            QCOMPARE(unnamedControls(editor), QStringList());
            click(editor, "cmdOK");
        });
        click(*window, "cmdSettings");
        QVERIFY(shown);
        QVERIFY(notice->isHidden()); // weights set by hand are a scale as well
        QVERIFY(list.y() < notice->y() + notice->height());
        QCOMPARE(columnTexts(list, 0), QStringList({"Buffalo Bills", "Miami Dolphins"}));
        // 1687 / 25 = 67.48 and 1686 / 25 = 67.44, shown with one decimal.
        QCOMPARE(columnTexts(list, Overall), QStringList({"67.5", "67.4"}));
        QCOMPARE(columnTexts(list, QbColumn), QStringList({"40", "40"}));
        QVERIFY(marked(list, 0, QbColumn) && marked(list, 1, QbColumn));
        QVERIFY(!marked(list, 0, TeColumn) && marked(list, 1, TeColumn));
        QVERIFY(marked(list, 0, KColumn) && !marked(list, 1, KColumn));

        click(*window, "cmdOK");
        QTRY_VERIFY(!app.window->childWindow<frmTeamRatings>());
    }

    // Clicks on the real headers: QB sorts in the current (ascending) direction, QB again
    // reverses it, RB then sorts descending. Texts compare as texts, so 100 comes before 99.
    // The marks stay with their teams.
    void headerClicksSortTheList() {
        App app;
        app.session.ratingScale = firstPlayerScale();
        // QB 100 for Chicago: weights 1 and 8, level 14 of the second gives 99.56.
        app.session.ratingScale[QB].Weights[1] = 8;
        League three = league({team("Denver", "Broncos", {0, 9, 0, 0, 0, 0, 0, 0, 0, 0}),
                               team("Chicago", "Bears", {0, 3, 0, 0, 0, 0, 0, 0, 0, 0}),
                               team("Buffalo", "Bills", {15, 6, 0, 0, 0, 0, 0, 0, 0, 0})});
        three.Teams[1].Players[0].Attributes[1] = 14;
        three.Teams[2].Players[0].Attributes[1] = 15;
        app.session.document.replace(three);
        frmTeamRatings* window = openTeamRatings(app);
        QVERIFY(window);
        QTreeView& list = lsvTeams(*window);
        QCOMPARE(keys(list), QStringList({"ID2", "ID1", "ID0"}));
        QCOMPARE(list.header()->sortIndicatorSection(), 0);

        clickHeader(list, QbColumn);
        QCOMPARE(columnTexts(list, QbColumn), QStringList({"00", "100", "99"}));
        QCOMPARE(list.header()->sortIndicatorOrder(), Qt::AscendingOrder);
        clickHeader(list, QbColumn);
        QCOMPARE(columnTexts(list, QbColumn), QStringList({"99", "100", "00"}));
        QCOMPARE(list.header()->sortIndicatorOrder(), Qt::DescendingOrder);
        clickHeader(list, RbColumn);
        QCOMPARE(columnTexts(list, RbColumn), QStringList({"72", "40", "20"}));
        QCOMPARE(keys(list), QStringList({"ID0", "ID2", "ID1"}));
        QCOMPARE(list.header()->sortIndicatorSection(), RbColumn);
        QCOMPARE(list.header()->sortIndicatorOrder(), Qt::DescendingOrder);
        for (int row = 0; row < 3; ++row)
            QCOMPARE(marked(list, row, QbColumn), keys(list)[row] == "ID1");
    }

    // The ratings are a snapshot, the teams are not. Through the real Define Teams dialog and
    // Edit > Undo / Redo, a renamed, an added and a removed team show in both lists at once, in
    // their sort order; a roster edit and a loaded scale wait for Settings; another document
    // rebuilds at once.
    void listsFollowTheTeamsOfTheDocument() {
        App app;
        app.session.ratingScale = firstPlayerScale();
        League two = twoTeams();
        two.Teams[0].Players[0].FirstName = "Al"; // one listed quarterback each
        two.Teams[1].Players[0].FirstName = "Bo";
        app.session.document.replace(two);
        frmTeamRatings* window = openTeamRatings(app);
        QVERIFY(window);
        QTreeView& list = lsvTeams(*window);
        clickHeader(list, 0); // descending by name
        QVERIFY(trigger(*app.window, "mnuViewPlayerRatings"));
        auto& players =
            *app.window->childWindow<frmPlayerRatings>()->findChild<QTreeView*>("lsvPlayers");
        QCOMPARE(columnTexts(players, 1), QStringList({", Al - bil", ", Bo - dol"}));

        whenModal<frmDefineTeams>([&](frmDefineTeams& dialog) {
            auto* teams = dialog.findChild<QComboBox*>("cmbTeams");
            const auto type = [&](const TeamTexts& texts) {
                dialog.findChild<QLineEdit*>("txtCity")->setText(toQString(texts.City));
                dialog.findChild<QLineEdit*>("txtName")->setText(toQString(texts.Name));
                dialog.findChild<QLineEdit*>("txtAbbreviation")
                    ->setText(toQString(texts.Abbreviation));
                dialog.findChild<QLineEdit*>("txtSchedule")->setText(toQString(texts.ScheduleName));
                click(dialog, "cmdApply");
            };
            teams->setCurrentIndex(teams->findText("Miami Dolphins"));
            type({"Akron", "Dolphins", "AKD", "Akron"});
            QCOMPARE(columnTexts(list, 0), QStringList({"Buffalo Bills", "Akron Dolphins"}));
            teams->setCurrentIndex(0); // -- New Team --
            type({"Tampa", "Bay", "TB", "Tampa"});
            click(dialog, "cmdOK");
        });
        QVERIFY(trigger(*app.window, "mnuEditDefineTeams"));
        QCOMPARE(columnTexts(list, 0),
                 QStringList({"Tampa Bay", "Buffalo Bills", "Akron Dolphins"}));
        QCOMPARE(keys(list), QStringList({"ID2", "ID0", "ID1"}));
        QCOMPARE(columnTexts(players, 1), QStringList({", Al - bil", ", Bo - akd"}));

        QVERIFY(trigger(*app.window, "mnuEditUndo")); // the added team
        QCOMPARE(keys(list), QStringList({"ID0", "ID1"}));
        QVERIFY(trigger(*app.window, "mnuEditUndo")); // the new name
        QCOMPARE(columnTexts(list, 0), QStringList({"Miami Dolphins", "Buffalo Bills"}));
        QCOMPARE(columnTexts(players, 1), QStringList({", Al - bil", ", Bo - dol"}));
        QVERIFY(trigger(*app.window, "mnuEditRedo"));
        QCOMPARE(columnTexts(list, 0), QStringList({"Buffalo Bills", "Akron Dolphins"}));
        QCOMPARE(columnTexts(players, 1), QStringList({", Al - bil", ", Bo - akd"}));

        // Miami's quarterback at the top level: shown once Settings rebuilds the list.
        PlayerRecord better = app.session.document.player(1, 0);
        better.Attributes[0] = 15;
        app.session.document.storePlayers(1, 0, {&better, 1}, "Edit Players");
        QCOMPARE(columnTexts(list, QbColumn), QStringList({"40", "40"}));
        whenModal<frmWeightRatings>([](frmWeightRatings& editor) { editor.close(); });
        click(*window, "cmdSettings");
        QCOMPARE(columnTexts(list, QbColumn), QStringList({"40", "99"}));
        QCOMPARE(list.header()->sortIndicatorOrder(), Qt::DescendingOrder);

        writeDataFile(app.file("other.kvx"), "Other", 3);
        app.platform.answer(Answer::No); // the edits are not kept
        app.platform.chooseOpen(app.file("other.kvx"));
        QVERIFY(trigger(*app.window, "mnuFileOpen"));
        QCOMPARE(columnTexts(list, 0), QStringList({"Other Team0", "City Team2", "City Team1"}));
        QVERIFY(trigger(*app.window, "mnuFileNew"));
        QCOMPARE(rowCount(list), 0);
        QCOMPARE(rowCount(players), 0);
        QCOMPARE(app.platform.unexpected, 0);
        QVERIFY(!enabledInMenu(*app.window, "mnuViewTeamRatings"));
    }

    // One window of each kind: the command brings an open one forward as it stands.
    void viewCommandsOpenOneWindowEach() {
        App app;
        app.session.document.replace(twoTeams());
        frmTeamRatings* teams = openTeamRatings(app);
        QVERIFY(teams);
        clickHeader(lsvTeams(*teams), QbColumn);
        QVERIFY(trigger(*app.window, "mnuViewPlayerRatings"));
        QVERIFY(app.window->childWindow<frmPlayerRatings>());
        QVERIFY(trigger(*app.window, "mnuViewTeamRatings"));
        QCOMPARE(app.window->childWindow<frmTeamRatings>(), teams);
        QCOMPARE(app.window->mdiArea()->subWindowList().size(), 2);
        QCOMPARE(app.window->mdiArea()->currentSubWindow()->widget(), teams);
        QCOMPARE(lsvTeams(*teams).header()->sortIndicatorSection(), QbColumn);

        // A scale loaded from the menu, even one of zero weights, ends both windows' notice.
        auto* players = app.window->childWindow<frmPlayerRatings>();
        QVERIFY(players->findChild<QLabel*>("lblNoRatingScale")->isVisible());
        Save_Rating_Scale(app.file("zero.trs"), RatingScale{});
        app.platform.chooseOpen(app.file("zero.trs"));
        QVERIFY(trigger(*app.window, "mnuFileLoadRatingScale"));
        QVERIFY(teams->findChild<QLabel*>("lblNoRatingScale")->isHidden());
        QVERIFY(players->findChild<QLabel*>("lblNoRatingScale")->isHidden());
    }
};

// File > Save Window as HTML... with the ratings windows.
class SaveWindowAsHtmlTest : public QObject {
    Q_OBJECT

private slots:
    // The active Team Ratings list in its current order, with its marks, byte for byte; texts
    // are written as they are. With Player Ratings active the path is remembered and nothing
    // is written; a failed write is reported.
    void writesTheActiveTeamRatingsList() {
        App app;
        app.session.ratingScale[QB].Weights[0] = 1;
        app.session.document.replace(
            league({team("Rock & Roll", "<Stars>", {9, 0, 0, 0, 0, 0, 0, 0, 0, 0}),
                    team("Alpha", "Beta", {3, 0, 0, 0, 0, 0, 0, 0, 0, 0})}));
        frmTeamRatings* window = openTeamRatings(app);
        QVERIFY(window);
        clickHeader(lsvTeams(*window), QbColumn);
        clickHeader(lsvTeams(*window), QbColumn); // descending: 72 before 20

        app.platform.chooseSave(app.file("table.html"));
        QVERIFY(trigger(*app.window, "mnuFileSaveWindowAsHTML"));
        const FileDialogRequest& first = app.platform.saveRequests.at(0);
        QCOMPARE(first.filter, std::string("HTML File (*.html)|*.html|All Files (*.*)|*"));
        QCOMPARE(first.filterIndex, 1);
        QCOMPARE(first.initialFolder, app.dir.path().string());
        QCOMPARE(first.proposedName, std::string("output.html"));
        QCOMPARE(app.session.HtmlPath, app.file("table.html"));

        const std::string font = "<FONT Face='Verdana,Arial' Size=2";
        const std::string grey = "<TD Align=Center bgColor='#f0f0f0'>" + font;
        const std::string plain = "<TD Align=Center>" + font;
        const std::string red = " Color=Red></B";
        // Every group but QB rates 00 everywhere, the best value: RB .. P are all marked.
        std::string zeros;
        for (int k = 3; k <= 11; ++k)
            zeros += (k % 2 == 1 ? grey : plain) + red + ">00</TD>";
        const std::string expected =
            "<TABLE Border=1>\r\n"
            "<TR bgColor='#e0e0e0'><TD><B>Team</TD><TD Align=Center><B>Overall</TD>"
            "<TD Align=Center><B>QB</TD><TD Align=Center><B>RB</TD><TD Align=Center><B>WR</TD>"
            "<TD Align=Center><B>TE</TD><TD Align=Center><B>OL</TD><TD Align=Center><B>DL</TD>"
            "<TD Align=Center><B>LB</TD><TD Align=Center><B>DB</TD><TD Align=Center><B>K</TD>"
            "<TD Align=Center><B>P</TD></TR>\r\n"
            "<TR><TD>" +
            font + ">Rock & Roll <Stars></TD>" + grey + ">11.5</TD>" + plain + red + ">72</TD>" +
            zeros +
            "</TR>\r\n"
            "<TR><TD>" +
            font + ">Alpha Beta</TD>" + grey + ">03.2</TD>" + plain + ">20</TD>" + zeros +
            "</TR>\r\n"
            "</TABLE>\r\n";
        const auto bytes = readBytes(app.file("table.html"));
        QCOMPARE(std::string(bytes.begin(), bytes.end()), expected);
        QCOMPARE(app.window->statusBar()->currentMessage(),
                 QString("Saved the team ratings as table.html"));

        QVERIFY(trigger(*app.window, "mnuViewPlayerRatings"));
        app.platform.chooseSave(app.file("players.html"));
        QVERIFY(trigger(*app.window, "mnuFileSaveWindowAsHTML"));
        QCOMPARE(app.platform.saveRequests.at(1).initialFolder, app.dir.path().string());
        QCOMPARE(app.platform.saveRequests.at(1).proposedName, std::string("table.html"));
        QCOMPARE(app.session.HtmlPath, app.file("players.html"));
        QVERIFY(!fileExists(app.file("players.html")));
        QCOMPARE(app.window->statusBar()->currentMessage(),
                 QString("Nothing was written: only the Team Ratings list is saved as HTML."));

        QVERIFY(trigger(*app.window, "mnuViewTeamRatings"));
        app.platform.chooseSave(app.file("missing/table.html"));
        QVERIFY(trigger(*app.window, "mnuFileSaveWindowAsHTML"));
        QCOMPARE(app.session.HtmlPath, app.file("missing/table.html"));
        QCOMPARE(app.platform.messages.size(), std::size_t{1});
        QVERIFY(app.platform.messages[0].text.starts_with("The table was not saved.\r"));
        QCOMPARE(app.platform.unexpected, 0);
    }
};

KVX_UI_TEST(TeamRatingsTest)
KVX_UI_TEST(SaveWindowAsHtmlTest)

} // namespace kvx::test

#include "frmTeamRatings_test.moc"
