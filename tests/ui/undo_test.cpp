#include "uitest.h"

#include "document/datafile.h"

#include <QAction>
#include <QTest>
#include <QUndoStack>

namespace kvx::test {

namespace {

QString caption(App& app, const char* name) {
    enabledInMenu(*app.window, name);
    return action(*app.window, name)->text();
}

void importNes(App& app) {
    writeNesImage(app.file("game.nes"), 21);
    app.platform.chooseOpen(app.file("game.nes"), 2);
    QVERIFY(trigger(*app.window, "mnuFileImportData"));
}

} // namespace

class UndoTest : public QObject {
    Q_OBJECT

private slots:
    // Edit > Undo and Redo name the step, are enabled only when there is one, and the unsaved
    // changes follow the history: back at the saved step there are none.
    void undoAndRedoFollowTheHistory() {
        App app;
        importNes(app);
        QVERIFY(!enabledInMenu(*app.window, "mnuEditUndo"));
        QVERIFY(!enabledInMenu(*app.window, "mnuEditRedo"));
        QCOMPARE(caption(app, "mnuEditUndo"), QString("&Undo"));
        const auto imported = serializeDataFile(app.session.document.league());

        setCity(app.session, 3, "Renamed");
        QCOMPARE(caption(app, "mnuEditUndo"), QString("&Undo Edit Team"));
        QVERIFY(trigger(*app.window, "mnuEditUndo"));
        QVERIFY(serializeDataFile(app.session.document.league()) == imported);
        QVERIFY(!app.session.document.isModified());
        QCOMPARE(caption(app, "mnuEditRedo"), QString("&Redo Edit Team"));
        QVERIFY(trigger(*app.window, "mnuEditRedo"));
        QCOMPARE(app.session.document.team(3).City, std::string("Renamed"));
        QVERIFY(app.session.document.isModified());

        // Saving marks the present step; undoing past it and redoing back returns to it.
        app.platform.chooseSave(app.file("league.kvx"));
        QVERIFY(trigger(*app.window, "mnuFileSaveAs"));
        QVERIFY(!app.session.document.isModified());
        QVERIFY(trigger(*app.window, "mnuEditUndo"));
        QVERIFY(app.session.document.isModified());
        QVERIFY(trigger(*app.window, "mnuEditRedo"));
        QVERIFY(!app.session.document.isModified());

        // The standard shortcuts reach the same entries.
        QCOMPARE(action(*app.window, "mnuEditUndo")->shortcut(), QKeySequence(QKeySequence::Undo));
        QCOMPARE(action(*app.window, "mnuEditRedo")->shortcut(), QKeySequence(QKeySequence::Redo));
    }

    // New, Open, Import and a recent file start a fresh history.
    void anotherDocumentStartsAFreshHistory() {
        App app;
        importNes(app);
        setCity(app.session, 0, "Renamed");
        app.platform.answer(Answer::No);
        QVERIFY(trigger(*app.window, "mnuFileNew"));
        QCOMPARE(app.session.document.undoStack().count(), 0);
        QVERIFY(!enabledInMenu(*app.window, "mnuEditUndo"));

        importNes(app);
        setCity(app.session, 0, "Renamed");
        app.platform.answer(Answer::No);
        importNes(app);
        QCOMPARE(app.session.document.undoStack().count(), 0);
        QCOMPARE(app.platform.unexpected, 0);
    }
};

KVX_UI_TEST(UndoTest)

} // namespace kvx::test

#include "undo_test.moc"
