#include "uitest.h"

#include "document/datafile.h"
#include "document/settings.h"
#include "ratings/ratingscale.h"
#include "support/image_builder.h"
#include "ui/frmExportData.h"
#include "ui/frmTeamRatings.h"
#include "ui/mainarea.h"

#include <QAction>
#include <QDropEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMimeData>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include <filesystem>

namespace kvx::test {

namespace {

// Drags one file onto the main window and drops it, as a file manager does.
void dropFile(frmMain& window, const std::string& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    const QPoint centre = window.rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(centre), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
}

// Pixels of the main area that are not its background.
int inkedPixels(QMdiArea& area, const QRect& outside = {}) {
    const QImage image = area.viewport()->grab().toImage();
    const QRgb background = area.background().color().rgb();
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (!outside.contains(x, y) && image.pixel(x, y) != background)
                ++inked;
    return inked;
}

} // namespace

class DesktopTest : public QObject {
    Q_OBJECT

private slots:
    // The settings file stays beside a portable copy; an installed copy, whose folder it cannot
    // write, keeps it in the user's folder and says nothing at exit. The installed rating scale
    // is found in the data folder.
    void settingsAndScaleOfAnInstalledCopy() {
        TempDir root;
        const std::string prefix = root.file("usr");
        std::filesystem::create_directories(prefix + "/share/kvxm2000");
        RatingScale scale{};
        scale[0].Weights[0] = 9;
        Save_Rating_Scale(prefix + "/share/kvxm2000/default.trs", scale);
        {
            // A program folder that cannot be written (it does not even exist here, so that the
            // test holds also when it runs as root).
            App app([&](App& app) { app.platform.directory = prefix + "/bin/missing"; });
            QVERIFY(app.session.ratingScale == RatingScale{});
        }
        std::filesystem::create_directories(prefix + "/bin");
        {
            App app([&](App& app) { app.platform.directory = prefix + "/bin/missing"; });
            app.session.RomPath = "/roms/game.nes";
            app.window->close();
            QVERIFY(app.platform.messages.empty());
            QVERIFY(std::filesystem::exists(app.file("user-config/kvxm2000.ini")));
            QCOMPARE(Read_Ini_String(app.file("user-config/kvxm2000.ini"), "files", "rom"),
                     std::string("/roms/game.nes"));
        }
        App installed([&](App& app) { app.platform.directory = prefix + "/bin"; });
        QVERIFY(installed.session.ratingScale == scale);
        // That folder can be written: a portable copy keeps its settings beside the program.
        installed.window->close();
        QVERIFY(std::filesystem::exists(prefix + "/bin/kvxm2000.ini"));
    }

    // A file named on the command line or dropped on the window: a data file opens, anything
    // else is imported with detection; the unsaved-changes question comes first.
    void filesFromOutsideOpenOrImport() {
        App app;
        writeNesImage(app.file("game.nes"), 31);
        writeDataFile(app.file("league.kvx"), "Dropped", 3);

        app.window->openFile(app.file("game.nes"));
        QCOMPARE(app.session.document.teamCount(), 28);
        QCOMPARE(statusText(app), std::string("Imported 28 teams from game.nes (NES)"));

        makeChange(app.session);
        app.platform.answer(Answer::Cancel);
        dropFile(*app.window, app.file("league.kvx"));
        QCOMPARE(app.session.document.teamCount(), 28);

        app.platform.answer(Answer::No);
        dropFile(*app.window, app.file("league.kvx"));
        QCOMPARE(app.session.document.team(0).City, std::string("Dropped"));
        QCOMPARE(app.session.document.league().CurrentFile, app.file("league.kvx"));
        QCOMPARE(app.recent->get(0), app.file("league.kvx"));
        QCOMPARE(statusText(app), std::string("Opened league.kvx"));

        // Something that is neither is answered as an image of no known kind.
        QCOMPARE(app.platform.questions.size(), std::size_t{2});
        writeBytes(app.file("notes.txt"), std::vector<std::uint8_t>(40, 'x'));
        app.platform.clearRecords();
        app.window->openFile(app.file("notes.txt"));
        QCOMPARE(app.platform.texts(),
                 std::vector<std::string>{"Sorry, support for that ROM isn't available yet."});
        QCOMPARE(app.session.document.team(0).City, std::string("Dropped"));
        QCOMPARE(app.platform.unexpected, 0);
    }

    // The caption names the document and marks unsaved changes; the status bar says what the
    // last command did.
    void captionAndStatusFollowTheDocument() {
        App app;
        app.window->show();
        QApplication::setActiveWindow(app.window.get());
        QVERIFY(QTest::qWaitForWindowActive(app.window.get()));
        writeNesImage(app.file("game.nes"), 32);
        app.platform.chooseOpen(app.file("game.nes"), 1);
        QVERIFY(trigger(*app.window, "mnuFileImportData"));
        QCOMPARE(app.window->windowTitle(),
                 QString("Untitled[*] - Kickvane Manager 2000 [Version 0.70]"));
        QVERIFY(!app.window->isWindowModified());
        QVERIFY(!app.window->windowIcon().isNull());
        QCOMPARE(statusText(app), std::string("Imported 28 teams from game.nes (NES)"));

        setCity(app.session, 2, "Elsewhere");
        QVERIFY(app.window->isWindowModified());

        // Ctrl+Shift+S is Save As (the scripted dialog hands the name back as it was given).
        app.platform.chooseSave(app.file("league"));
        QTest::keyClick(app.window.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(app.platform.saveRequests.size(), std::size_t{1});
        QVERIFY(std::filesystem::exists(app.file("league")));
        QCOMPARE(app.window->windowTitle(),
                 QString("league[*] - Kickvane Manager 2000 [Version 0.70]"));
        QVERIFY(!app.window->isWindowModified());
        QCOMPARE(statusText(app), std::string("Saved league"));

        app.platform.chooseOpen(app.file("scale.trs"));
        Save_Rating_Scale(app.file("scale.trs"), RatingScale{});
        QVERIFY(trigger(*app.window, "mnuFileLoadRatingScale"));
        QCOMPARE(statusText(app), std::string("Loaded the rating scale scale.trs"));
    }

    // While no child window is open, the main area says what to do first; a child window hides
    // the hint.
    void emptyAreaShowsAHint() {
        App app;
        app.window->show();
        auto* area = app.window->findChild<MainArea*>("mdiArea");
        QVERIFY(area);
        QVERIFY(area->accessibleDescription().contains("Import Data"));
        QVERIFY(inkedPixels(*area) > 200);

        auto* child = new QLabel(QStringLiteral("child"));
        app.window->showChildWindow<QLabel>([child] { return child; });
        QMdiSubWindow* frame = area->subWindowList().at(0);
        frame->setGeometry(0, 0, 120, 80);
        QCOMPARE(inkedPixels(*area, frame->geometry()), 0);
    }

    // Once a league is loaded the area says what it is and offers the next steps; it stands
    // back while a child window is open, and the hint returns with New.
    void loadedLeagueIsSummedUp() {
        App app;
        app.window->show();
        auto* area = app.window->findChild<MainArea*>("mdiArea");
        auto* summary = area->findChild<QFrame*>("fraLeague");
        QVERIFY(summary && summary->isHidden());
        writeNesImage(app.file("game.nes"), 5);
        app.platform.chooseOpen(app.file("game.nes"), 1);
        QVERIFY(trigger(*app.window, "mnuFileImportData"));
        const auto label = [summary](const char* name) {
            return summary->findChild<QLabel*>(name)->text();
        };
        QVERIFY(summary->isVisible());
        QCOMPARE(label("lblLeagueFile"), QString("Untitled"));
        QCOMPARE(label("lblLeagueOrigin"), QString("Imported 28 teams from game.nes (NES)"));
        QCOMPARE(label("lblLeagueTeams"), QString("28 teams"));
        QVERIFY(area->viewport()->rect().contains(summary->geometry()));

        auto* ratings = summary->findChild<QToolButton*>("cmdNext_mnuViewTeamRatings");
        QVERIFY(ratings && ratings->isEnabled());
        ratings->click();
        QVERIFY(app.window->childWindow<frmTeamRatings>());
        QVERIFY(summary->isHidden());
        area->closeAllSubWindows();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(summary->isVisible());

        app.platform.chooseSave(app.file("league.kvx"));
        QVERIFY(trigger(*app.window, "mnuFileSaveAs"));
        QCOMPARE(label("lblLeagueFile"), QString("league.kvx"));
        QCOMPARE(label("lblLeagueOrigin"), QString("Imported 28 teams from game.nes (NES)"));
        QVERIFY(trigger(*app.window, "mnuFileNew"));
        QVERIFY(summary->isHidden());
        QVERIFY(inkedPixels(*area) > 200);
    }

    void windowPlacementIsRemembered() {
        TempDir shared;
        QRect placed;
        {
            App app([&](App& app) { app.platform.directory = shared.path().string(); });
            app.window->show();
            app.window->setGeometry(40, 50, 700, 520);
            placed = app.window->geometry();
            app.window->close();
        }
        App again([&](App& app) { app.platform.directory = shared.path().string(); });
        QCOMPARE(again.window->geometry().size(), placed.size());
    }

    void exportWizardCancels() {
        League league;
        newDocument(league, Date{2001, 1, 1});
        frmExportData wizard(league, Nes);
        wizard.show();
        click(wizard, "cmdCancel");
        QVERIFY(!wizard.isVisible());
        QVERIFY(!wizard.dialogResult());

        frmExportData again(league, Nes);
        again.show();
        QTest::keyClick(&again, Qt::Key_Escape);
        QVERIFY(!again.isVisible());
        QVERIFY(!again.dialogResult());
    }
};

KVX_UI_TEST(DesktopTest)

} // namespace kvx::test

#include "desktop_test.moc"
