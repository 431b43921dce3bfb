#include "uitest.h"

#include "base/messages.h"
#include "document/datafile.h"
#include "document/settings.h"
#include "ratings/ratingscale.h"
#include "rom/commands.h"
#include "rom/edition.h"
#include "support/image_builder.h"
#include "ui/texts.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>

#include <filesystem>

namespace kvx::test {

namespace {

// Entries that depend on the document, the active child window or the saved state.
const char* const Guarded[] = {
    "mnuFileSave",          "mnuFileExportData",         "mnuFileExportCSV",
    "mnuEditDefinePlayers", "mnuEditSwapDefensiveBacks", "mnuViewTeamRatings",
    "mnuViewPlayerRatings", "mnuFileSaveWindowAsHTML",   "mnuFilePlayInEmulator"};

QStringList menuLayout(QMenu* menu) {
    QStringList entries;
    for (QAction* entry : menu->actions())
        entries << entry->objectName() + "=" + (entry->isSeparator() ? "-" : entry->text());
    return entries;
}

void importNes(App& app, std::uint32_t seed = 7) {
    writeNesImage(app.file("game.nes"), seed);
    app.platform.chooseOpen(app.file("game.nes"), 2);
    QVERIFY(trigger(*app.window, "mnuFileImportData"));
    QCOMPARE(app.session.document.league().TeamCount, 28);
}

RatingScale sampleScale() {
    RatingScale scale{};
    for (int g = 0; g < GroupCount; ++g) {
        auto& entry = scale[static_cast<std::size_t>(g)];
        entry.Weights[static_cast<std::size_t>(g)] = static_cast<std::int16_t>(g + 3);
        entry.StartersMinusOne = 1;
        entry.Backups = static_cast<std::int16_t>(g % 3);
    }
    return scale;
}

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void captionAndMenusAreAsDocumented() {
        App app;
        QCOMPARE(app.window->windowTitle(),
                 QString("Untitled[*] - Kickvane Manager 2000 [Version 0.70]"));
        QVERIFY(app.window->findChild<QMdiArea*>("mdiArea"));

        QStringList titles;
        for (QAction* top : app.window->menuBar()->actions())
            titles << top->menu()->objectName() + "=" + top->text();
        QCOMPARE(titles,
                 QStringList({"mnuFile=&File", "mnuEdit=&Edit", "mnuView=&View", "mnuHelp=&Help"}));
        QCOMPARE(menuLayout(app.window->findChild<QMenu*>("mnuFile")),
                 QStringList({"mnuFileNew=&New",
                              "mnuFileOpen=&Open...",
                              "mnuFileSave=&Save",
                              "mnuFileSaveAs=Save &As...",
                              "mnuFileB3=-",
                              "mnuFileImportData=&Import Data...",
                              "mnuFileExportData=&Export Data...",
                              "mnuFileImportPatched=Import a Pa&tched Image...",
                              "mnuFilePlayInEmulator=Play in E&mulator...",
                              "mnuFileImportCSV=Import from CSV...",
                              "mnuFileExportCSV=Export as CSV...",
                              "mnuFileB4=-",
                              "mnuFileLoadRatingScale=Load Rating Scale...",
                              "mnuSaveRatingScaleAs=Save Rating Scale As...",
                              "mnuFileB5=-",
                              "mnuFileSaveWindowAsHTML=Save Window as &HTML...",
                              "mnuFileB1=-",
                              "mnuFileRecent_0=Recent File 1",
                              "mnuFileRecent_1=Recent File 2",
                              "mnuFileRecent_2=Recent File 3",
                              "mnuFileRecent_3=Recent File 4",
                              "mnuFileB2=-",
                              "mnuFileExit=E&xit"}));
        QCOMPARE(menuLayout(app.window->findChild<QMenu*>("mnuEdit")),
                 QStringList({"mnuEditUndo=&Undo", "mnuEditRedo=&Redo", "mnuEditB0=-",
                              "mnuEditDefineTeams=Define &Teams...",
                              "mnuEditDefinePlayers=Define &Players", "mnuEditB1=-",
                              "mnuEditSwapDefensiveBacks=&Swap Defensive Backs", "mnuEditB2=-",
                              "mnuEditGeneralInformation=&General Information..."}));
        QCOMPARE(menuLayout(app.window->findChild<QMenu*>("mnuView")),
                 QStringList(
                     {"mnuViewTeamRatings=&Team Ratings", "mnuViewPlayerRatings=&Player Ratings"}));
        QCOMPARE(menuLayout(app.window->findChild<QMenu*>("mnuHelp")),
                 QStringList({"mnuHelpAbout=&About"}));
    }

    void startUpWithoutSettingsFile() {
        App app;
        QVERIFY(app.session.HtmlPath.empty());
        QVERIFY(app.session.RomPath.empty());
        QVERIFY(app.session.RatingScalePath.empty());
        QVERIFY(app.session.document.league().CurrentFile.empty());
        QCOMPARE(app.session.document.league().TeamCount, 0);
        QCOMPARE(app.session.document.league().GeneralInfo.Credits, std::string("ANONYMOUS"));
        QCOMPARE(app.session.document.league().GeneralInfo.Year, std::string("2001"));
        QCOMPARE(app.session.document.league().GeneralInfo.Month, 3);
        QCOMPARE(app.session.document.league().GeneralInfo.Day, 7);
        QVERIFY(app.session.ratingScale == RatingScale{});
        QVERIFY(!app.session.document.isModified());
        for (int n = 0; n < 4; ++n)
            QVERIFY(
                !action(*app.window, ("mnuFileRecent_" + std::to_string(n)).c_str())->isVisible());
        QVERIFY(!action(*app.window, "mnuFileB2")->isVisible());
        QVERIFY(action(*app.window, "mnuFileB1")->isVisible());
        // No default.trs beside the program: said once.
        QCOMPARE(app.startUpMessages.size(), std::size_t{1});
        QCOMPARE(app.startUpMessages[0].text, std::string(text::NoDefaultRatingScale));
    }

    void startUpReadsSettingsRecentListAndDefaultScale() {
        App app([](App& app) {
            writeRememberedPaths(app.settingsFile(),
                                 {"/h/table.html", "/r/game.nes", "/t/mine.trs", "/k/old.kvx"});
            Save_Rating_Scale(app.file("default.trs"), sampleScale());
            app.recent->set(0, "/k/old.kvx");
            app.recent->set(1, "/k/older.kvx");
        });
        QCOMPARE(app.session.HtmlPath, std::string("/h/table.html"));
        QCOMPARE(app.session.RomPath, std::string("/r/game.nes"));
        QCOMPARE(app.session.RatingScalePath, std::string("/t/mine.trs"));
        // The remembered data file only guides the Open dialog; the run starts untitled.
        QVERIFY(app.session.document.league().CurrentFile.empty());
        QVERIFY(app.session.ratingScale == sampleScale());
        QVERIFY(app.startUpMessages.empty());
        QCOMPARE(action(*app.window, "mnuFileRecent_0")->text(), QString("&1 /k/old.kvx"));
        QCOMPARE(action(*app.window, "mnuFileRecent_1")->text(), QString("&2 /k/older.kvx"));
        QVERIFY(!action(*app.window, "mnuFileRecent_2")->isVisible());
        QVERIFY(action(*app.window, "mnuFileB2")->isVisible());

        app.platform.cancelOpen();
        QVERIFY(trigger(*app.window, "mnuFileOpen"));
        QCOMPARE(app.platform.openRequests.at(0).initialFolder, std::string("/k"));
    }

    void damagedDefaultScaleIsReported() {
        App app([](App& app) { writeBytes(app.file("default.trs"), {'0', '0', '0', '2'}); });
        QVERIFY(app.session.ratingScale == RatingScale{});
        QCOMPARE(app.startUpMessages.size(), std::size_t{1});
        QCOMPARE(app.startUpMessages[0].title, std::string("Read Me"));
        QVERIFY(app.startUpMessages[0].text.find("cannot be read") != std::string::npos);
    }

    void shutDownWritesTheFourKeys() {
        App app;
        app.window->show();
        app.session.HtmlPath = "/h/t.html";
        app.session.RomPath = "/r/g.nes";
        app.platform.chooseSave(app.file("saved.kvx"));
        QVERIFY(trigger(*app.window, "mnuFileSaveAs"));
        QVERIFY(trigger(*app.window, "mnuFileExit"));
        QVERIFY(!app.window->isVisible());

        const std::string ini = app.settingsFile();
        QCOMPARE(Read_Ini_String(ini, "files", "html"), std::string("/h/t.html"));
        QCOMPARE(Read_Ini_String(ini, "files", "rom"), std::string("/r/g.nes"));
        QCOMPARE(Read_Ini_String(ini, "files", "trs"), std::string());
        QCOMPARE(Read_Ini_String(ini, "files", "kvx"), app.file("saved.kvx"));
        const auto bytes = readBytes(ini);
        QVERIFY(std::string(bytes.begin(), bytes.end()).find("trs=\r\n") != std::string::npos);
    }

    void enabledStateFollowsTheDocument() {
        App app;
        for (const char* name : Guarded)
            QVERIFY2(!enabledInMenu(*app.window, name), name);
        for (const char* name : {"mnuFileNew", "mnuFileOpen", "mnuFileSaveAs", "mnuFileImportData",
                                 "mnuFileLoadRatingScale", "mnuSaveRatingScaleAs", "mnuFileExit",
                                 "mnuEditDefineTeams", "mnuEditGeneralInformation", "mnuHelpAbout"})
            QVERIFY2(enabledInMenu(*app.window, name), name);

        importNes(app);
        for (const char* name : Guarded) {
            const bool expected = std::string(name) != "mnuFileSave" &&
                                  std::string(name) != "mnuFileSaveWindowAsHTML";
            QVERIFY2(enabledInMenu(*app.window, name) == expected, name);
        }
        // The keyboard reaches the entries without opening a menu: the state is already right.
        QVERIFY(!action(*app.window, "mnuFileSave")->isEnabled());
        QVERIFY(action(*app.window, "mnuFileExportData")->isEnabled());

        app.platform.chooseSave(app.file("league.kvx"));
        QVERIFY(trigger(*app.window, "mnuFileSaveAs"));
        QVERIFY(action(*app.window, "mnuFileSave")->isEnabled());

        QVERIFY(trigger(*app.window, "mnuFileNew"));
        QVERIFY(!action(*app.window, "mnuFileSave")->isEnabled());
        QVERIFY(!action(*app.window, "mnuViewTeamRatings")->isEnabled());
    }

    void saveIsEnabledAfterOpen() {
        App app;
        writeDataFile(app.file("a.kvx"), "Alpha");
        app.platform.chooseOpen(app.file("a.kvx"));
        QVERIFY(trigger(*app.window, "mnuFileOpen"));
        QVERIFY(enabledInMenu(*app.window, "mnuFileSave"));
    }

    void htmlEntryFollowsTheActiveChildWindow() {
        App app;
        app.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(app.window.get()));
        QVERIFY(!enabledInMenu(*app.window, "mnuFileSaveWindowAsHTML"));
        QMdiSubWindow* child = app.window->mdiArea()->addSubWindow(new QLabel("child"));
        child->show();
        app.window->mdiArea()->setActiveSubWindow(child);
        QVERIFY(enabledInMenu(*app.window, "mnuFileSaveWindowAsHTML"));
        child->close();
        QVERIFY(!enabledInMenu(*app.window, "mnuFileSaveWindowAsHTML"));
    }

    void aboutBox() {
        App app;
        QVERIFY(trigger(*app.window, "mnuHelpAbout"));
        QCOMPARE(app.platform.messages.size(), std::size_t{1});
        const RecordedMessage about = app.platform.messages[0];
        QCOMPARE(about.title, std::string("About KVXm 2000"));
        QCOMPARE(about.icon, MessageIcon::Information);
        const QStringList lines = QString::fromStdString(about.text).split('\n');
        QCOMPARE(lines.size(), 6);
        QCOMPARE(lines[1], QString());
        QCOMPARE(lines[2], QString("Kickvane Manager 2000"));
        QCOMPARE(lines[4], QString());
    }
};

// New, Open, Save, Save As and the rating-scale commands.
class FileCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void openReadsTheFileAndRemembersIt() {
        App app;
        writeDataFile(app.file("a.kvx"), "Alpha", 3);
        app.platform.chooseOpen(app.file("a.kvx"));
        QVERIFY(trigger(*app.window, "mnuFileOpen"));
        const FileDialogRequest& request = app.platform.openRequests.at(0);
        QCOMPARE(request.filter,
                 std::string("KVXm 2000 Data File (*.kvx)|*.kvx|All Files (*.*)|*"));
        QCOMPARE(request.filterIndex, 1);
        QCOMPARE(app.session.document.league().TeamCount, 3);
        QCOMPARE(app.session.document.league().Teams[0].City, std::string("Alpha"));
        QCOMPARE(app.session.document.league().CurrentFile, app.file("a.kvx"));
        QCOMPARE(app.recent->get(0), app.file("a.kvx"));
        QVERIFY(action(*app.window, "mnuFileRecent_0")->isVisible());
        QVERIFY(app.platform.messages.empty());
    }

    void cancelledOrRefusedOpenLeavesTheDocument() {
        App app;
        importNes(app);
        const League before = app.session.document.league();

        app.platform.cancelOpen();
        QVERIFY(trigger(*app.window, "mnuFileOpen"));
        QVERIFY(app.session.document.league().Teams == before.Teams);
        QVERIFY(app.platform.messages.empty());

        writeBytes(app.file("junk.kvx"), {'K', 'V', 'X', ' ', 'd'});
        app.platform.chooseOpen(app.file("junk.kvx"));
        QVERIFY(trigger(*app.window, "mnuFileOpen"));
        QVERIFY(app.session.document.league().Teams == before.Teams);
        QCOMPARE(app.session.document.league().TeamCount, 28);
        QVERIFY(app.session.document.league().CurrentFile.empty());
        QVERIFY(app.recent->get(0).empty());
        QCOMPARE(app.platform.messages.size(), std::size_t{1});
        QCOMPARE(app.platform.messages[0].title, std::string("Read Me"));
        QCOMPARE(app.platform.messages[0].text, std::string("The file cannot be opened."));
        QCOMPARE(app.platform.messages[0].icon, MessageIcon::Information);
    }

    // Another program writes the data file after it was opened: Save asks before replacing it.
    void saveAsksBeforeReplacingAnotherProgramsChange() {
        App app;
        writeDataFile(app.file("a.kvx"), "Alpha", 3);
        app.platform.chooseOpen(app.file("a.kvx"));
        QVERIFY(trigger(*app.window, "mnuFileOpen"));
        setCity(app.session, 0, "Ours");
        writeDataFile(app.file("a.kvx"), "Theirs", 4);
        const auto theirs = readBytes(app.file("a.kvx"));

        app.platform.answer(Answer::No);
        QVERIFY(trigger(*app.window, "mnuFileSave"));
        QCOMPARE(app.platform.questions.size(), std::size_t{1});
        QVERIFY(app.platform.questions[0].text.find("Another program has changed a.kvx") !=
                std::string::npos);
        QVERIFY(readBytes(app.file("a.kvx")) == theirs);
        QVERIFY(app.session.document.isModified());

        app.platform.answer(Answer::Yes);
        QVERIFY(trigger(*app.window, "mnuFileSave"));
        QVERIFY(!app.session.document.isModified());
        League reread;
        QVERIFY(Load_Data_File(reread, app.file("a.kvx")));
        QCOMPARE(reread.Teams[0].City, std::string("Ours"));
        // Saved here, the file is ours again: the next Save asks nothing.
        QVERIFY(trigger(*app.window, "mnuFileSave"));
        QCOMPARE(app.platform.questions.size(), std::size_t{2});
    }

    void saveAsThenSaveWritesToTheNewPath() {
        App app;
        importNes(app);
        app.platform.chooseSave(app.file("first.kvx"));
        QVERIFY(trigger(*app.window, "mnuFileSaveAs"));
        QVERIFY(app.platform.saveRequests.at(0).confirmOverwrite);
        QCOMPARE(app.session.document.league().CurrentFile, app.file("first.kvx"));
        // Save As does not enter the file into the recent list.
        QVERIFY(app.recent->get(0).empty());

        setCity(app.session, 0, "Changed");
        QVERIFY(trigger(*app.window, "mnuFileSave"));
        QVERIFY(!app.session.document.isModified());
        League reread;
        QVERIFY(Load_Data_File(reread, app.file("first.kvx")));
        QCOMPARE(reread.Teams[0].City, std::string("Changed"));

        // The next Save As proposes the current file.
        app.platform.cancelSave();
        QVERIFY(trigger(*app.window, "mnuFileSaveAs"));
        QCOMPARE(app.platform.saveRequests.at(1).initialFolder, app.dir.path().string());
        QCOMPARE(app.platform.saveRequests.at(1).proposedName, std::string("first.kvx"));
    }

    void failedSaveIsReportedAndChangesNothing() {
        App app;
        importNes(app);
        makeChange(app.session);
        app.platform.chooseSave(app.file("missing-folder/league.kvx"));
        QVERIFY(trigger(*app.window, "mnuFileSaveAs"));
        QVERIFY(app.session.document.league().CurrentFile.empty());
        QVERIFY(app.session.document.isModified());
        QCOMPARE(app.platform.messages.size(), std::size_t{1});
        QCOMPARE(app.platform.messages[0].title, std::string("Read Me"));
        QVERIFY(app.platform.messages[0].text.starts_with("The roster was not saved.\r"));
        QVERIFY(!enabledInMenu(*app.window, "mnuFileSave"));
    }

    void ratingScaleCommandsRememberTheirPath() {
        App app;
        Save_Rating_Scale(app.file("mine.trs"), sampleScale());
        app.platform.chooseOpen(app.file("mine.trs"));
        QVERIFY(trigger(*app.window, "mnuFileLoadRatingScale"));
        const FileDialogRequest& first = app.platform.openRequests.at(0);
        QCOMPARE(first.filter,
                 std::string("KVXm 2000 Rating Scales (*.trs)|*.trs|All Files (*.*)|*"));
        QCOMPARE(first.initialFolder, app.dir.path().string());
        QVERIFY(first.proposedName.empty());
        QVERIFY(app.session.ratingScale == sampleScale());
        QCOMPARE(app.session.RatingScalePath, app.file("mine.trs"));

        app.platform.chooseSave(app.file("copy.trs"));
        QVERIFY(trigger(*app.window, "mnuSaveRatingScaleAs"));
        const FileDialogRequest& second = app.platform.saveRequests.at(0);
        QCOMPARE(second.initialFolder, app.dir.path().string());
        QCOMPARE(second.proposedName, std::string("mine.trs"));
        QCOMPARE(readBytes(app.file("copy.trs")).size(), std::size_t{264});
        QCOMPARE(app.session.RatingScalePath, app.file("copy.trs"));
        // The rating scale is no part of the document.
        QVERIFY(!app.session.document.isModified());
    }

    void refusedRatingScaleLeavesTheScale() {
        App app;
        writeBytes(app.file("bad.trs"), {'0', '0', '0', '2', 1, 2, 3});
        app.platform.chooseOpen(app.file("bad.trs"));
        QVERIFY(trigger(*app.window, "mnuFileLoadRatingScale"));
        QVERIFY(app.session.ratingScale == RatingScale{});
        QCOMPARE(app.platform.texts(), std::vector<std::string>{"The file cannot be opened."});
        QCOMPARE(app.session.RatingScalePath, app.file("bad.trs"));

        app.platform.cancelOpen();
        app.platform.clearRecords();
        QVERIFY(trigger(*app.window, "mnuFileLoadRatingScale"));
        QVERIFY(app.platform.messages.empty());
    }
};

// The recent-file list as the File menu shows and opens it.
class RecentFilesTest : public QObject {
    Q_OBJECT

private:
    static void open(App& app, const std::string& path) {
        app.platform.chooseOpen(path);
        QVERIFY(trigger(*app.window, "mnuFileOpen"));
        QCOMPARE(app.session.document.league().CurrentFile, path);
    }

    static QString caption(App& app, int entry) {
        return action(*app.window, ("mnuFileRecent_" + std::to_string(entry)).c_str())->text();
    }

private slots:
    void fiveFilesKeepTheLastFour() {
        App app;
        std::vector<std::string> files;
        for (int n = 1; n <= 5; ++n) {
            files.push_back(app.file("f" + std::to_string(n) + ".kvx"));
            writeDataFile(files.back(), "City" + std::to_string(n));
            open(app, files.back());
        }
        for (int entry = 0; entry < 4; ++entry) {
            QCOMPARE(app.recent->get(entry), files[static_cast<std::size_t>(4 - entry)]);
            QCOMPARE(caption(app, entry),
                     QString("&%1 %2").arg(entry + 1).arg(
                         QString::fromStdString(files[static_cast<std::size_t>(4 - entry)])));
        }

        // Entry 2 (f3) goes to the top; f5 and f4 move down one place, f2 stays last.
        QVERIFY(trigger(*app.window, "mnuFileRecent_2"));
        QCOMPARE(app.session.document.league().Teams[0].City, std::string("City3"));
        QCOMPARE(app.session.document.league().CurrentFile, files[2]);
        QCOMPARE(app.recent->get(0), files[2]);
        QCOMPARE(app.recent->get(1), files[4]);
        QCOMPARE(app.recent->get(2), files[3]);
        QCOMPARE(app.recent->get(3), files[1]);
        QCOMPARE(caption(app, 1), QString("&2 ") + QString::fromStdString(files[4]));

        // Another running copy changed the list: opening the menu shows it.
        app.recent->set(3, "");
        QVERIFY(action(*app.window, "mnuFileRecent_3")->isVisible());
        QVERIFY(!enabledInMenu(*app.window, "mnuFileRecent_3"));
    }

    void ampersandsAreDoubledInTheCaptionOnly() {
        App app;
        const std::string path = app.file("A&B.kvx");
        writeDataFile(path, "Amp");
        open(app, path);
        QCOMPARE(app.recent->get(0), path);
        QCOMPARE(caption(app, 0),
                 "&1 " + QString::fromStdString(app.dir.path().string()) + "/A&&B.kvx");
    }

    void vanishedFileIsRemovedAfterItsMessage() {
        App app;
        writeDataFile(app.file("gone.kvx"), "Gone");
        writeDataFile(app.file("kept.kvx"), "Kept");
        open(app, app.file("gone.kvx"));
        open(app, app.file("kept.kvx"));
        std::filesystem::remove(app.file("gone.kvx"));

        QVERIFY(trigger(*app.window, "mnuFileRecent_1"));
        QCOMPARE(app.platform.messages.size(), std::size_t{1});
        QCOMPARE(app.platform.messages[0].title, std::string("Read Me"));
        QCOMPARE(app.platform.messages[0].text,
                 std::string("The file has either been moved or deleted."));
        QCOMPARE(app.recent->get(0), app.file("kept.kvx"));
        QVERIFY(app.recent->get(1).empty());
        QVERIFY(!action(*app.window, "mnuFileRecent_1")->isVisible());
        QCOMPARE(app.session.document.league().Teams[0].City, std::string("Kept"));
    }

    void refusedFileIsRemovedAndTheDocumentUntouched() {
        App app;
        importNes(app);
        const League before = app.session.document.league();
        writeBytes(app.file("notdata.kvx"), std::vector<std::uint8_t>(100, 'x'));
        app.recent->set(0, app.file("notdata.kvx"));
        app.window->Update_Recent_Menu();

        QVERIFY(trigger(*app.window, "mnuFileRecent_0"));
        QCOMPARE(app.platform.texts(), std::vector<std::string>{"The file cannot be opened."});
        QVERIFY(app.recent->get(0).empty());
        QVERIFY(!action(*app.window, "mnuFileRecent_0")->isVisible());
        QVERIFY(!action(*app.window, "mnuFileB2")->isVisible());
        QVERIFY(app.session.document.league().Teams == before.Teams);
        QVERIFY(app.session.document.league().CurrentFile.empty());
    }
};

// Every command that replaces the document asks first while it holds unsaved changes.
class UnsavedChangesTest : public QObject {
    Q_OBJECT

private:
    // Queues what the command needs once it goes ahead, and runs it.
    static void runCommand(App& app, const QString& command) {
        if (command == "Open") {
            app.platform.chooseOpen(app.file("other.kvx"));
            QVERIFY(trigger(*app.window, "mnuFileOpen"));
        } else if (command == "Import") {
            app.platform.chooseOpen(app.file("second.nes"), 1);
            QVERIFY(trigger(*app.window, "mnuFileImportData"));
        } else if (command == "Recent") {
            QVERIFY(trigger(*app.window, "mnuFileRecent_0"));
        } else if (command == "Exit") {
            QVERIFY(trigger(*app.window, "mnuFileExit"));
        } else {
            QVERIFY(trigger(*app.window, "mnuFileNew"));
        }
    }

    // Whether the command replaced the document (or, for Exit, closed the program).
    static bool wentAhead(App& app, const QString& command) {
        const League& league = app.session.document.league();
        if (command == "Open" || command == "Recent")
            return league.Teams[0].City == "Other";
        if (command == "Import")
            return league.TeamCount == 28 && league.Teams[0].City != "Edited";
        if (command == "Exit")
            return !app.window->isVisible();
        return league.TeamCount == 0;
    }

private slots:
    void unsavedChangesAreAskedFor_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("answer");
        for (const char* command : {"New", "Open", "Import", "Recent", "Exit"})
            for (const auto& [name, answer] :
                 {std::pair{"Yes", Answer::Yes}, std::pair{"No", Answer::No},
                  std::pair{"Cancel", Answer::Cancel}})
                QTest::newRow((std::string(command) + " " + name).c_str())
                    << QString(command) << static_cast<int>(answer);
    }

    void unsavedChangesAreAskedFor() {
        QFETCH(QString, command);
        QFETCH(int, answer);
        App app;
        app.window->show();
        importNes(app);
        writeNesImage(app.file("second.nes"), 99);
        writeDataFile(app.file("other.kvx"), "Other");
        app.recent->set(0, app.file("other.kvx"));
        app.window->Update_Recent_Menu();
        setCity(app.session, 0, "Edited");
        app.platform.clearRecords();

        app.platform.answer(static_cast<Answer>(answer));
        if (static_cast<Answer>(answer) == Answer::Yes)
            app.platform.chooseSave(app.file("kept.kvx"));
        runCommand(app, command);

        QCOMPARE(app.platform.questions.size(), std::size_t{1});
        QCOMPARE(app.platform.questions[0].text,
                 std::string("Do you want to save the changes to the untitled roster?"));
        switch (static_cast<Answer>(answer)) {
        case Answer::Cancel:
            QVERIFY(!wentAhead(app, command));
            QCOMPARE(app.session.document.league().Teams[0].City, std::string("Edited"));
            QVERIFY(app.session.document.isModified());
            // Nothing after the question: no file dialog, no message.
            QVERIFY(app.platform.openRequests.empty());
            QVERIFY(app.platform.saveRequests.empty());
            QVERIFY(app.platform.messages.empty());
            break;
        case Answer::No:
            QVERIFY(wentAhead(app, command));
            QVERIFY(app.platform.saveRequests.empty());
            break;
        case Answer::Yes: {
            QVERIFY(wentAhead(app, command));
            League saved;
            QVERIFY(Load_Data_File(saved, app.file("kept.kvx")));
            QCOMPARE(saved.Teams[0].City, std::string("Edited"));
            break;
        }
        }
        QCOMPARE(app.platform.unexpected, 0);
    }

    // The caption's "*" follows the document through Qt's handling of child windows
    // (maximised, restored, closed) and through an import that asked and then stopped.
    void captionMarksUnsavedChangesThroughEveryPath() {
        App app;
        app.window->show();
        QVERIFY(QTest::qWaitForWindowActive(app.window.get()));
        importNes(app);
        makeChange(app.session);
        QVERIFY(trigger(*app.window, "mnuViewTeamRatings"));
        QMdiSubWindow* frame = app.window->mdiArea()->subWindowList().at(0);
        frame->showMaximized();
        QVERIFY(app.window->isWindowModified());
        frame->showNormal();
        QVERIFY(app.window->isWindowModified());
        QVERIFY(app.window->windowTitle().startsWith("Untitled[*] - "));
        frame->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(app.window->isWindowModified());

        if (editionSupported(GenesisII)) {
            ImageBuilder image(0x80000, 5);
            image.signature("000005B0000005BA000005C4000005CE"); // Genesis II
            writeBytes(app.file("second.bin"), image.image().bytes());
            app.platform.answer(Answer::No);
            app.platform.chooseOpen(app.file("second.bin"), 1);
            app.platform.cancelInput();
            QVERIFY(trigger(*app.window, "mnuFileImportData"));
            QCOMPARE(app.session.document.league().TeamCount, 28);
            QVERIFY(app.window->isWindowModified());
        }
        app.platform.chooseSave(app.file("marked.kvx"));
        QVERIFY(trigger(*app.window, "mnuFileSaveAs"));
        QVERIFY(!app.window->isWindowModified());
        QCOMPARE(app.platform.unexpected, 0);
    }

    void savedDocumentIsReplacedWithoutAQuestion() {
        App app;
        importNes(app);
        QVERIFY(trigger(*app.window, "mnuFileNew"));
        QVERIFY(app.platform.questions.empty());
        QCOMPARE(app.session.document.league().TeamCount, 0);
    }

    void cancelledSaveAsKeepsTheDocument() {
        App app;
        importNes(app);
        makeChange(app.session);
        app.platform.answer(Answer::Yes);
        app.platform.cancelSave();
        QVERIFY(trigger(*app.window, "mnuFileNew"));
        QCOMPARE(app.session.document.league().TeamCount, 28);
        QVERIFY(app.session.document.isModified());
    }

    void namedDocumentIsSavedInPlace() {
        App app;
        importNes(app);
        app.platform.chooseSave(app.file("named.kvx"));
        QVERIFY(trigger(*app.window, "mnuFileSaveAs"));
        setCity(app.session, 0, "Edited");
        app.platform.answer(Answer::Yes);
        QVERIFY(trigger(*app.window, "mnuFileNew"));
        QCOMPARE(app.platform.questions.at(0).text,
                 std::string("Do you want to save the changes to named.kvx?"));
        QVERIFY(app.platform.saveRequests.size() == 1);
        League saved;
        QVERIFY(Load_Data_File(saved, app.file("named.kvx")));
        QCOMPARE(saved.Teams[0].City, std::string("Edited"));
    }
};

KVX_UI_TEST(MainWindowTest)
KVX_UI_TEST(FileCommandsTest)
KVX_UI_TEST(RecentFilesTest)
KVX_UI_TEST(UnsavedChangesTest)

} // namespace kvx::test

#include "frmMain_test.moc"
