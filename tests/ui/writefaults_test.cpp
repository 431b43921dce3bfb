#include "uitest.h"

#include "base/fileio.h"
#include "document/settings.h"
#include "ratings/ratingscale.h"
#include "rom/edition.h"
#include "support/rom_checks.h"
#include "support/write_faults.h"
#include "ui/frmExportData.h"

#include <QStatusBar>
#include <QTest>

namespace kvx::test {

class WriteFaultsTest : public QObject {
    Q_OBJECT

private slots:
    // Every command that replaces a file, on a full disk: each says which file was not written
    // and why, every file stays byte for byte, the document keeps its unsaved changes, nothing
    // claims success, and the program does not close over changes it could not save.
    void aFullDiskLeavesEveryFileAndSaysSo() {
        App app([](App& app) {
            writeRememberedPaths(app.settingsFile(), {"", "", "", app.file("league.kvx")});
        });
        writeNesImage(app.file("game.nes"), 21);
        app.platform.chooseOpen(app.file("game.nes"), 2);
        QVERIFY(trigger(*app.window, "mnuFileImportData"));
        // Every team assigned its own slot back, so that the export has all it needs.
        League assigned = documentAssigningEveryTeam(app.session.document.league().Teams, Nes);
        assigned.GeneralInfo = app.session.document.league().GeneralInfo;
        app.session.document.replace(assigned);
        app.platform.chooseSave(app.file("league.kvx"));
        QVERIFY(trigger(*app.window, "mnuFileSaveAs"));
        Save_Rating_Scale(app.file("scale.trs"), RatingScale{});
        writeBytes(app.file("league.csv"), {'o', 'l', 'd'});
        writeBytes(app.file("ratings.html"), {'o', 'l', 'd'});
        QVERIFY(trigger(*app.window, "mnuViewTeamRatings"));
        makeChange(app.session);
        const std::vector<std::string> files = {"game.nes",   "league.kvx",   "scale.trs",
                                                "league.csv", "ratings.html", "kvxm2000.ini"};
        std::vector<std::vector<std::uint8_t>> before;
        for (const auto& name : files)
            before.push_back(readBytes(app.file(name)));
        app.window->statusBar()->clearMessage();
        app.platform.clearRecords();

        {
            const test::InjectedWriteFailure full;
            app.platform.chooseSave(app.file("ratings.html"));
            QVERIFY(trigger(*app.window, "mnuFileSaveWindowAsHTML"));
            QVERIFY(trigger(*app.window, "mnuFileSave"));
            app.platform.chooseSave(app.file("game.nes"), 2);
            whenModal<frmExportData>([](frmExportData& wizard) { click(wizard, "cmdFinish"); });
            QVERIFY(trigger(*app.window, "mnuFileExportData"));
            app.platform.chooseSave(app.file("scale.trs"));
            QVERIFY(trigger(*app.window, "mnuSaveRatingScaleAs"));
            app.platform.chooseSave(app.file("league.csv"));
            QVERIFY(trigger(*app.window, "mnuFileExportCSV"));
            // Saving on the way out fails too: the window stays open with the changes.
            app.platform.answer(Answer::Yes);
            QVERIFY(!app.window->close());
            // Closing without saving: the remembered paths cannot be written either.
            app.platform.answer(Answer::No);
            QVERIFY(app.window->close());
        }

        const std::vector<std::string> messages = app.platform.texts();
        const std::vector<std::pair<std::string, std::string>> said = {
            {"ratings.html", "The table was not saved."},
            {"league.kvx", "The roster was not saved."},
            {"game.nes", "Nothing was exported"},
            {"scale.trs", "The rating scale was not saved."},
            {"league.csv", "The CSV file was not written."},
            {"league.kvx", "The roster was not saved."},
            {"kvxm2000.ini", "The remembered file paths were not saved."}};
        QCOMPARE(messages.size(), said.size());
        for (std::size_t n = 0; n < messages.size(); ++n) {
            const auto& [file, outcome] = said[n];
            const std::string cause =
                "Cannot write \"" + app.file(file) + "\": No space left on device.";
            QVERIFY2(messages[n].find(cause) != std::string::npos, messages[n].c_str());
            QVERIFY2(messages[n].find(outcome) != std::string::npos, messages[n].c_str());
        }
        for (std::size_t n = 0; n < files.size(); ++n)
            QVERIFY2(readBytes(app.file(files[n])) == before[n], files[n].c_str());
        QVERIFY(app.session.document.isModified());
        QCOMPARE(statusText(app), std::string());
        QCOMPARE(app.platform.unexpected, 0);
    }
};

KVX_UI_TEST(WriteFaultsTest)

} // namespace kvx::test

#include "writefaults_test.moc"
