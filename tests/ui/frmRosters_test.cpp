#include "rosterleague.h"
#include "uitest.h"

#include "base/messages.h"
#include "document/datafile.h"
#include "ui/frmChooseFace.h"
#include "ui/frmRosters.h"
#include "ui/frmTradePlayer.h"
#include "ui/texts.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>
#include <QUndoStack>

namespace kvx::test {

namespace {

// The main window, shown and active so that focus moves as it does for the user, holding
// `league`, with the editor opened from the Edit menu.
frmRosters* openEditor(App& app, League league = rosterLeague()) {
    app.session.document.replace(std::move(league));
    app.window->show();
    if (!QTest::qWaitForWindowActive(app.window.get()))
        return nullptr;
    if (!trigger(*app.window, "mnuEditDefinePlayers"))
        return nullptr;
    return app.window->childWindow<frmRosters>();
}

template <class W>
W* find(QWidget* window, const QString& name) {
    return window->findChild<W*>(name);
}

QLineEdit* text(QWidget* editor, const char* kind, int row) {
    return find<QLineEdit>(editor, QStringLiteral("%1_%2").arg(kind).arg(row));
}

QComboBox* att(QWidget* editor, int row, int attribute) {
    return find<QComboBox>(editor, QStringLiteral("cmbAtt_%1").arg(row * 11 + attribute));
}

QRadioButton* radio(QWidget* editor, int row) {
    return find<QRadioButton>(editor, QStringLiteral("radPlayer_%1").arg(row));
}

void showGroup(QWidget* editor, int group) {
    find<QComboBox>(editor, "cmbPosition")->setCurrentIndex(group);
}

const PlayerRecord& stored(App& app, int team, int slot) {
    return app.session.document.player(team, slot);
}

int steps(App& app) {
    return app.session.document.undoStack().count();
}

void clearAndType(QLineEdit* box, const QString& typed) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, typed);
}

// Trades the editor's selected row with the listed player `entry` of team entry `team`.
void trade(frmRosters* editor, int team, const QString& entry) {
    whenModal<frmTradePlayer>([team, entry](frmTradePlayer& dialog) {
        find<QComboBox>(&dialog, "cmbTeams")->setCurrentIndex(team);
        auto* list = find<QListWidget>(&dialog, "cmbPlayer");
        const auto found = list->findItems(entry, Qt::MatchExactly);
        QVERIFY(!found.isEmpty());
        list->setCurrentItem(found.first());
        click(dialog, "cmdOK");
    });
    click(*editor, "cmdTrade");
}

std::vector<std::uint8_t> saved(App& app) {
    return serializeDataFile(app.session.document.league());
}

QString menuText(App& app, const char* name) {
    enabledInMenu(*app.window, name);
    return action(*app.window, name)->text();
}

} // namespace

class RostersEditorTest : public QObject {
    Q_OBJECT

private slots:
    // Team 0, "QB", row 0, and that page stored at once: its incomplete rows get number 0 and
    // no levels, and nothing else changes. Define Players again brings the same window forward.
    void openingShowsAndStoresTheFirstPage() {
        App app;
        frmRosters* editor = openEditor(app);
        QVERIFY(editor);
        QCOMPARE(editor->windowTitle(), QString("Rosters"));
        auto* teams = find<QComboBox>(editor, "cmbTeams");
        QCOMPARE(teams->count(), 3);
        QCOMPARE(teams->currentText(), QString("City0 Team0"));
        QCOMPARE(find<QComboBox>(editor, "cmbPosition")->currentText(), QString("QB"));
        QVERIFY(radio(editor, 0)->isChecked());
        QCOMPARE(text(editor, "txtFirstName", 1)->text(), QString("First0.1"));
        QCOMPARE(text(editor, "txtNumber", 1)->text(), QString("1"));
        QCOMPARE(att(editor, 1, 0)->currentText(), QString("13")); // level 1
        QVERIFY(att(editor, 1, 0)->isEnabled());

        const League expected = [] {
            League league = rosterLeague();
            for (int s = 3; s < 7; ++s) {
                league.Teams[0].player(s).Number = 0;
                league.Teams[0].player(s).Attributes.fill(-1);
            }
            return league;
        }();
        QVERIFY(app.session.document.league().Teams == expected.Teams);
        QCOMPARE(stored(app, 0, 3).Face, std::int16_t{77});
        QCOMPARE(app.session.document.undoStack().text(0), QString("Edit Players"));

        // Labels speak for their controls; every row control has a name of its own.
        const auto labels = editor->findChildren<QLabel*>();
        const auto team = std::find_if(labels.begin(), labels.end(),
                                       [](QLabel* label) { return label->text() == "Team:"; });
        QVERIFY(team != labels.end() && (*team)->buddy() == teams);
        QCOMPARE(text(editor, "txtFirstName", 2)->accessibleName(), QString("Row 3 first name"));
        QCOMPARE(att(editor, 2, 0)->accessibleName(), QString("Row 3 RS"));
        // A filled box is spoken by its row and column, its value as its value.
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(att(editor, 1, 0));
        QCOMPARE(spoken->text(QAccessible::Name), QString("Row 2 RS"));
        QCOMPARE(spoken->text(QAccessible::Value), QString("13"));
        QCOMPARE(att(editor, 2, 6)->accessibleName(), QString("Row 3 PS"));
        QCOMPARE(att(editor, 2, 6)->accessibleDescription(), QString("Passing Speed"));

        const int before = steps(app);
        QVERIFY(trigger(*app.window, "mnuEditDefinePlayers"));
        QCOMPARE(app.window->mdiArea()->subWindowList().size(), 1);
        QCOMPARE(app.window->childWindow<frmRosters>(), editor);
        QCOMPARE(steps(app), before);
    }

    // Attribute boxes follow the names: a row needs both; clearing a name keeps the values. A
    // typed value settles when its box is left; a number above 99 is refused, audibly.
    void namesEnableTheAttributeBoxes() {
        App app;
        frmRosters* editor = openEditor(app);
        QVERIFY(editor);
        clearAndType(text(editor, "txtFirstName", 4), "Joe");
        QVERIFY(!att(editor, 4, 0)->isEnabled());
        clearAndType(text(editor, "txtLastName", 4), "Namath");
        for (int j = 0; j < 11; ++j) {
            QVERIFY(att(editor, 4, j)->isEnabled());
            QCOMPARE(att(editor, 4, j)->currentText(), QString("06"));
        }
        clearAndType(att(editor, 4, 2)->lineEdit(), "51");
        clearAndType(text(editor, "txtNumber", 4), "123");
        QCOMPARE(att(editor, 4, 2)->currentText(), QString("56"));
        QCOMPARE(app.platform.beeps, 1);
        clearAndType(text(editor, "txtFirstName", 0), "");
        QVERIFY(!att(editor, 0, 0)->isEnabled());
        QCOMPARE(att(editor, 0, 3)->currentIndex(), 3);

        showGroup(editor, RB);
        const PlayerRecord& joe = stored(app, 0, 4);
        QCOMPARE(joe.FirstName + " " + joe.LastName, std::string("Joe Namath"));
        QCOMPARE(joe.Number, std::int16_t{12});
        QCOMPARE(joe.Attributes[2], std::int16_t{8});
        QCOMPARE(joe.Attributes[10], std::int16_t{0});
    }

    // A level a data file may hold beyond 0..15 shows no value and survives opening, a name
    // typed in its row, OK and saving, until the user changes that very box.
    void levelsWithoutAnEntryAreKeptUntilTheirBoxIsChanged() {
        App app;
        League league = fullLeague(2);
        league.Teams[0].Players[0].Attributes[0] = 16;
        league.Teams[0].Players[1].Attributes[6] = -300;
        Save_Data_File(league, app.file("raw.kvx"));
        app.platform.chooseOpen(app.file("raw.kvx"));
        QVERIFY(trigger(*app.window, "mnuFileOpen"));
        frmRosters* editor = openEditor(app, app.session.document.league());
        QVERIFY(editor);
        QVERIFY(!app.session.document.isModified());
        QComboBox* raw = att(editor, 0, 0);
        QVERIFY(raw->isEnabled());
        QCOMPARE(raw->currentText(), QString());
        QVERIFY(raw->toolTip().contains("16"));
        clearAndType(text(editor, "txtLastName", 0), "Renamed");
        QCOMPARE(raw->currentIndex(), -1);
        click(*editor, "cmdOK");
        QVERIFY(trigger(*app.window, "mnuFileSave"));
        League reread;
        QVERIFY(Load_Data_File(reread, app.file("raw.kvx")));
        league.Teams[0].Players[0].LastName = "Renamed";
        QVERIFY(reread.Teams == league.Teams);

        QVERIFY(trigger(*app.window, "mnuEditDefinePlayers"));
        raw = att(app.window->childWindow<frmRosters>(), 0, 0);
        raw->setFocus();
        QTest::keyClick(raw, Qt::Key_Down);
        showGroup(app.window->childWindow<frmRosters>(), RB);
        QCOMPARE(stored(app, 0, 0).Attributes[0], std::int16_t{0});
        QCOMPARE(stored(app, 0, 1).Attributes[6], std::int16_t{-300});
    }

    void columnsFollowTheGroup() {
        App app;
        frmRosters* editor = openEditor(app);
        QVERIFY(editor);
        auto label = [editor](int j) {
            return find<QLabel>(editor, QStringLiteral("lblAtt_%1").arg(j));
        };
        QCOMPARE(label(0)->toolTip(), QString("Running Speed"));
        showGroup(editor, K);
        const QStringList captions{"KP", "KA", "AB", "", ""};
        for (int j = 6; j < 11; ++j) {
            QCOMPARE(label(j)->text(), captions[j - 6]);
            for (int r = 0; r < 7; ++r)
                QCOMPARE(att(editor, r, j)->isHidden(), j >= 9);
        }
        QCOMPARE(label(6)->toolTip(), QString("Kicking Power (Ability)"));
        QCOMPARE(label(8)->toolTip(), QString("Avoid Block"));
        showGroup(editor, OL);
        for (int j = 0; j < 11; ++j)
            QCOMPARE(att(editor, 6, j)->isHidden(), j >= 6);
    }

    // The row being edited is white and its button on; Tab runs through the row.
    void rowHighlightFollowsTheFocus() {
        App app;
        frmRosters* editor = openEditor(app);
        QVERIFY(editor);
        const QColor normal = att(editor, 0, 0)->palette().color(QPalette::Base);
        QVERIFY(normal != QColor(Qt::white));
        text(editor, "txtFirstName", 2)->setFocus();
        QVERIFY(radio(editor, 2)->isChecked());
        QCOMPARE(att(editor, 2, 10)->palette().color(QPalette::Base), QColor(Qt::white));
        QCOMPARE(text(editor, "txtNumber", 2)->palette().color(QPalette::Base), QColor(Qt::white));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), text(editor, "txtLastName", 2));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), att(editor, 2, 0));
        text(editor, "txtNumber", 5)->setFocus();
        QVERIFY(radio(editor, 5)->isChecked());
        QCOMPARE(att(editor, 2, 0)->palette().color(QPalette::Base), normal);
        QCOMPARE(editor->Selected_Radio(), 5);
    }

    // The arrows beep at the ends and change nothing; a move exchanges two slots of the group
    // with what was typed on the page, and the moved row stays selected and focused.
    void movingPlayers() {
        App app;
        frmRosters* editor = openEditor(app);
        QVERIFY(editor);
        showGroup(editor, RB);
        const int before = steps(app);
        click(*editor, "UpDown1Up");
        radio(editor, 6)->click();
        click(*editor, "UpDown1Down");
        QCOMPARE(app.platform.beeps, 2);
        QCOMPARE(steps(app), before);

        clearAndType(text(editor, "txtFirstName", 3), "Typed");
        click(*editor, "UpDown1Down");
        QCOMPARE(stored(app, 0, RB * 7 + 4).FirstName, std::string("Typed"));
        QVERIFY(stored(app, 0, RB * 7 + 3) == samplePlayer(0, RB * 7 + 4));
        QCOMPARE(text(editor, "txtFirstName", 4)->text(), QString("Typed"));
        QVERIFY(radio(editor, 4)->isChecked());
        QVERIFY(radio(editor, 4)->hasFocus());
        QCOMPARE(app.session.document.undoStack().undoText(), QString("Move Player"));

        // The keyboard's way, from any box of the row (an attribute box's list stays shut).
        att(editor, 4, 5)->setFocus();
        QTest::keyClick(att(editor, 4, 5), Qt::Key_Down, Qt::AltModifier);
        QCOMPARE(stored(app, 0, RB * 7 + 5).FirstName, std::string("Typed"));
        QVERIFY(radio(editor, 5)->hasFocus());
        QVERIFY(!att(editor, 4, 5)->view()->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up, Qt::AltModifier);
        QCOMPARE(stored(app, 0, RB * 7 + 4).FirstName, std::string("Typed"));
        QVERIFY(radio(editor, 4)->isChecked());
    }

    // Teams 0 and 2 show the same text; each entry is its own team, here and in the trade
    // dialog.
    void teamsNamedAlikeAreEditedAndTradedEachByItsPlace() {
        App app;
        frmRosters* editor = openEditor(app);
        QVERIFY(editor);
        auto* teams = find<QComboBox>(editor, "cmbTeams");
        teams->setCurrentIndex(2);
        QCOMPARE(editor->currentTeam(), 2);
        QCOMPARE(text(editor, "txtFirstName", 0)->text(), QString("First2.0"));
        clearAndType(text(editor, "txtFirstName", 0), "Second");
        teams->setCurrentIndex(1);
        QCOMPARE(stored(app, 2, 0).FirstName, std::string("Second"));
        QCOMPARE(stored(app, 0, 0).FirstName, std::string("First0.0"));

        trade(editor, 2, "Last2.1, First2.1 (QB2)");
        QVERIFY(stored(app, 1, 0) == samplePlayer(2, 1));
        QVERIFY(stored(app, 2, 1) == samplePlayer(1, 0));
    }

    // Trading with the own slot changes nothing; a QB can go for the team's own K, or for any
    // player of another team. The page shows the result at once.
    void tradingThroughTheDialog() {
        App app;
        frmRosters* editor = openEditor(app);
        QVERIFY(editor);
        radio(editor, 1)->click();
        const int before = steps(app);
        trade(editor, 0, "Last0.1, First0.1 (QB2)");
        QCOMPARE(steps(app), before);

        trade(editor, 0, "Last0.57, First0.57 (K2)");
        QVERIFY(stored(app, 0, 1) == samplePlayer(0, 57));
        QVERIFY(stored(app, 0, 57) == samplePlayer(0, 1));
        QCOMPARE(text(editor, "txtLastName", 1)->text(), QString("Last0.57"));

        trade(editor, 1, "Last1.20, First1.20 (WR7)");
        QVERIFY(stored(app, 0, 1) == samplePlayer(1, 20));
        QVERIFY(stored(app, 1, 20) == samplePlayer(0, 57));
        QCOMPARE(app.session.document.undoStack().undoText(), QString("Trade"));

        // Cancel hands back nothing.
        whenModal<frmTradePlayer>([](frmTradePlayer& dialog) { click(dialog, "cmdCancel"); });
        click(*editor, "cmdTrade");
        QVERIFY(stored(app, 0, 1) == samplePlayer(1, 20));
    }

    void detailsStoresTheChosenFace() {
        App app;
        frmRosters* editor = openEditor(app);
        QVERIFY(editor);
        radio(editor, 2)->click();
        whenModal<frmChooseFace>([](frmChooseFace& chooser) {
            click(chooser, "picFace_20");
            click(chooser, "cmdOK");
        });
        click(*editor, "cmdDetails");
        QCOMPARE(stored(app, 0, 2).Face, std::int16_t{20});
        whenModal<frmChooseFace>([](frmChooseFace& chooser) {
            click(chooser, "picFace_30");
            click(chooser, "cmdCancel");
        });
        click(*editor, "cmdDetails");
        QCOMPARE(stored(app, 0, 2).Face, std::int16_t{20});
    }

    // OK stores the page and closes; the close box closes without storing.
    void okStoresClosingOtherwiseDoesNot() {
        App app;
        frmRosters* editor = openEditor(app);
        QVERIFY(editor);
        clearAndType(text(editor, "txtFirstName", 0), "Dropped");
        qobject_cast<QMdiSubWindow*>(editor->parentWidget())->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!app.window->childWindow<frmRosters>());
        QCOMPARE(stored(app, 0, 0).FirstName, std::string("First0.0"));

        QVERIFY(trigger(*app.window, "mnuEditDefinePlayers"));
        editor = app.window->childWindow<frmRosters>();
        clearAndType(text(editor, "txtFirstName", 0), "Kept");
        click(*editor, "cmdOK");
        QCOMPARE(stored(app, 0, 0).FirstName, std::string("Kept"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!app.window->childWindow<frmRosters>());
    }

    // Maximised, the rows stay at the top and OK at the bottom; in a main window smaller than
    // the editor, the area scrolls so that OK can still be reached.
    void gridKeepsToTheTopAndTheAreaScrolls() {
        App app;
        frmRosters* editor = openEditor(app);
        QVERIFY(editor);
        auto* frame = qobject_cast<QMdiSubWindow*>(editor->parentWidget());
        frame->showMaximized();
        auto* rows = find<QWidget>(editor, "fraPlayers");
        auto* ok = find<QWidget>(editor, "cmdOK");
        QTRY_VERIFY(editor->height() > rows->geometry().bottom() + 3 * ok->height());
        QVERIFY(rows->y() < find<QWidget>(editor, "cmbTeams")->geometry().bottom() + 20);
        QVERIFY(ok->geometry().bottom() > editor->height() - 2 * ok->height());

        frame->showNormal();
        app.window->resize(frame->width() / 2, frame->height() / 2);
        QMdiArea* area = app.window->mdiArea();
        QTRY_VERIFY(area->verticalScrollBar()->maximum() > 0);
        QVERIFY(area->horizontalScrollBar()->maximum() > 0);
    }

    // Typing not stored yet is the newest edit: Undo names it and takes it back first, Redo
    // does it again, and Ctrl+Z reaches Undo from a box with no typing of its own to undo.
    // Closing the program asks about typing, Save As writes it.
    void typingOnThePageIsTheNewestEdit() {
        App app;
        frmRosters* editor = openEditor(app, fullLeague(2));
        QVERIFY(editor);
        QVERIFY(!app.session.document.isModified());
        click(*editor, "UpDown1Down");
        const auto moved = saved(app);
        QLineEdit* lastName = text(editor, "txtLastName", 3);
        clearAndType(lastName, "Typed");
        QCOMPARE(menuText(app, "mnuEditUndo"), QString("&Undo Edit Players"));
        QVERIFY(!enabledInMenu(*app.window, "mnuEditRedo"));

        QTest::keyClick(lastName, Qt::Key_Z, Qt::ControlModifier); // the box's own undo
        QCOMPARE(steps(app), 1);
        QLineEdit* untouched = text(editor, "txtNumber", 5);
        clearAndType(lastName, "Typed");
        untouched->setFocus();
        QTest::keyClick(untouched, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(lastName->text(), QString("Last0.3"));
        QVERIFY(saved(app) == moved);
        QCOMPARE(menuText(app, "mnuEditUndo"), QString("&Undo Move Player"));
        QCOMPARE(menuText(app, "mnuEditRedo"), QString("&Redo Edit Players"));
        QVERIFY(trigger(*app.window, "mnuEditRedo"));
        QCOMPARE(lastName->text(), QString("Typed"));
        QCOMPARE(stored(app, 0, 3).LastName, std::string("Typed"));
        QVERIFY(trigger(*app.window, "mnuEditUndo"));
        QVERIFY(trigger(*app.window, "mnuEditUndo"));
        QVERIFY(stored(app, 0, 0) == samplePlayer(0, 0));
        QVERIFY(!app.session.document.isModified());

        clearAndType(text(editor, "txtLastName", 0), "Typed");
        app.platform.answer(Answer::Cancel);
        QVERIFY(!app.window->close());
        QCOMPARE(app.platform.questions.size(), std::size_t{1});
        app.platform.chooseSave(app.file("typed.kvx"));
        QVERIFY(trigger(*app.window, "mnuFileSaveAs"));
        League saved;
        QVERIFY(Load_Data_File(saved, app.file("typed.kvx")));
        QCOMPARE(saved.Teams[0].Players[0].LastName, std::string("Typed"));
    }

    // Each edit of the editor, and Swap Defensive Backs, is one step that Undo takes back and
    // Redo does again, byte for byte.
    void everyEditIsOneStepUndoneAndRedoneExactly() {
        App app;
        frmRosters* editor = openEditor(app, fullLeague(2));
        QVERIFY(editor);
        std::vector<std::vector<std::uint8_t>> states{saved(app)};
        QStringList actions;
        auto stepMade = [&](const char* action) {
            states.push_back(saved(app));
            actions << QString::fromLatin1(action);
            return steps(app) == static_cast<int>(actions.size()) &&
                   app.session.document.undoStack().undoText() == actions.back();
        };
        clearAndType(text(editor, "txtFirstName", 1), "Typed");
        showGroup(editor, WR);
        QVERIFY(stepMade("Edit Players"));
        click(*editor, "UpDown1Down");
        QVERIFY(stepMade("Move Player"));
        trade(editor, 1, "Last1.0, First1.0 (QB1)");
        QVERIFY(stepMade("Trade"));
        whenModal<frmChooseFace>([](frmChooseFace& chooser) {
            click(chooser, "picFace_9");
            click(chooser, "cmdOK");
        });
        click(*editor, "cmdDetails");
        QVERIFY(stepMade("Change Face"));
        QVERIFY(trigger(*app.window, "mnuEditSwapDefensiveBacks"));
        QVERIFY(stepMade("Swap Defensive Backs"));

        for (auto n = actions.size(); n > 0; --n) {
            QCOMPARE(menuText(app, "mnuEditUndo"), "&Undo " + actions[n - 1]);
            QVERIFY(trigger(*app.window, "mnuEditUndo"));
            QVERIFY(saved(app) == states[n - 1]);
        }
        QVERIFY(!app.session.document.isModified());
        for (qsizetype n = 0; n < actions.size(); ++n) {
            QVERIFY(trigger(*app.window, "mnuEditRedo"));
            QVERIFY(saved(app) == states[static_cast<std::size_t>(n) + 1]);
        }
        QCOMPARE(text(editor, "txtFirstName", 1)->text(), QString("First1.0"));
    }

    // Changes made elsewhere: an undo redisplays the page, new and renamed teams refresh the
    // list keeping the team shown, another document shows its first page without storing it,
    // and a document without teams closes the editor.
    void followsTheDocument() {
        App app;
        frmRosters* editor = openEditor(app);
        QVERIFY(editor);
        Document& document = app.session.document;
        auto* teams = find<QComboBox>(editor, "cmbTeams");
        teams->setCurrentIndex(1);
        click(*editor, "UpDown1Down");
        document.undoStack().undo();
        QCOMPARE(text(editor, "txtFirstName", 0)->text(), QString("First1.0"));

        const int added = document.addTeam(TeamTexts{"New", "Club", "NC", "NEW CLUB"});
        setCity(app.session, 1, "Renamed");
        QCOMPARE(teams->count(), 4);
        QCOMPARE(teams->itemText(added), QString("New Club"));
        QCOMPARE(teams->currentText(), QString("Renamed Team1"));
        QCOMPARE(editor->currentTeam(), 1);

        // Undoing the new team while it is shown leaves no entry past the last team.
        teams->setCurrentIndex(added);
        document.undoStack().undo(); // the rename
        document.undoStack().undo(); // the new team
        QCOMPARE(teams->count(), 3);
        QCOMPARE(editor->currentTeam(), 0);

        document.replace(fullLeague(2));
        QCOMPARE(editor->currentTeam(), 0);
        QCOMPARE(editor->currentPosition(), 0);
        QCOMPARE(teams->count(), 2);
        QVERIFY(!document.isModified());

        document.replace(League{});
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!app.window->childWindow<frmRosters>());
    }

    // The editor is opened if needed and shows the swapped players, and again after a second run.
    void swapDefensiveBacksShowsTheSwappedPlayers() {
        App app;
        app.session.document.replace(fullLeague(3));
        QVERIFY(trigger(*app.window, "mnuEditSwapDefensiveBacks"));
        frmRosters* editor = app.window->childWindow<frmRosters>();
        QVERIFY(editor);
        const RecordedMessage swapped{msg::ReadMeTitle,
                                      "The Defensive Backs have been swapped.\rSwapping them "
                                      "again will return the roster to the original order."};
        QVERIFY(app.platform.messages == std::vector{swapped});
        showGroup(editor, DB);
        QCOMPARE(text(editor, "txtLastName", 2)->text(), QString("Last0.53"));
        QVERIFY(trigger(*app.window, "mnuEditSwapDefensiveBacks"));
        QCOMPARE(text(editor, "txtLastName", 2)->text(), QString("Last0.51"));
    }
};

KVX_UI_TEST(RostersEditorTest)

} // namespace kvx::test

#include "frmRosters_test.moc"
