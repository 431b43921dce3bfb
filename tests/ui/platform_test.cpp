#include "uitest.h"

#include "base/fileio.h"
#include "base/messages.h"
#include "document/settings.h"
#include "rom/commands.h"
#include "support/image_builder.h"
#include "ui/application.h"
#include "ui/qtplatform.h"

#include <QComboBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include <stdexcept>

namespace kvx::test {

namespace {

// Answers the next file dialog as a user does: picks the file type, types the name, accepts.
void answerFileDialog(int fileType, const std::string& path) {
    whenModal<QFileDialog>([fileType, path](QFileDialog& dialog) {
        auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
        auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
        QVERIFY(types && name);
        types->setCurrentIndex(fileType - 1);
        emit types->activated(fileType - 1);
        name->setText(toQPath(path));
        static_cast<QDialog&>(dialog).accept();
    });
}

} // namespace

class PlatformTest : public QObject {
    Q_OBJECT

private slots:
    void filtersBecomeQtNameFilters() {
        QCOMPARE(qtNameFilters("KVXm 2000 Data File (*.kvx)|*.kvx|All Files (*.*)|*"),
                 QStringList({"KVXm 2000 Data File (*.kvx) (*.kvx)", "All Files (*.*) (*)"}));
        const QStringList editions = qtNameFilters(editionFilterString());
        QCOMPARE(editions.size(), 9);
        QCOMPARE(editions[0], QString("Kickvane (Auto Detect) (*.nes *.bin *.smc)"));
        QCOMPARE(editions[8], QString("[PSX] Kickvane (*.dat)"));
    }

    // Qt's own dialog, not a stand-in: every file type the user picks comes back as its number,
    // in the open and in the save dialog.
    void realDialogReportsTheChosenFileType() {
        TempDir dir;
        const std::string path = dir.file("game.bin");
        writeBytes(path, std::vector<std::uint8_t>(64));
        for (const bool saving : {false, true}) {
            for (int type = 1; type <= 9; ++type) {
                FileDialogRequest request;
                request.filter = editionFilterString();
                request.filterIndex = 1;
                request.initialFolder = dir.path().string();
                answerFileDialog(type, path);
                QtPlatform platform;
                const auto choice =
                    saving ? platform.saveFile(request) : platform.openFile(request);
                QVERIFY(choice);
                QCOMPARE(choice->filterIndex, type);
                QCOMPARE(choice->path, path);
            }
        }
    }

    void chosenEditionReachesTheCommands() {
        App app;
        app.platform.realFileDialogs = true;
        writeNesImage(app.file("game.nes"), 3);
        const auto image = readBytes(app.file("game.nes"));

        // "[SNES] Kickvane II" is answered as unsupported, whatever the image holds.
        answerFileDialog(7, app.file("game.nes"));
        QVERIFY(trigger(*app.window, "mnuFileImportData"));
        QCOMPARE(app.platform.texts(), std::vector<std::string>{msg::RomNotSupported});
        QCOMPARE(app.session.document.teamCount(), 0);

        answerFileDialog(2, app.file("game.nes"));
        QVERIFY(trigger(*app.window, "mnuFileImportData"));
        QCOMPARE(app.session.document.teamCount(), 28);

        // The export dialog opens on the type last chosen; "[PSX] Kickvane" writes nothing.
        app.platform.clearRecords();
        answerFileDialog(9, app.file("game.nes"));
        QVERIFY(trigger(*app.window, "mnuFileExportData"));
        QCOMPARE(app.platform.saveRequests.at(0).filterIndex, 2);
        QCOMPARE(app.platform.texts(), std::vector<std::string>{msg::RomNotSupported});
        QVERIFY(readBytes(app.file("game.nes")) == image);
    }

    // A name typed without an extension is saved with the data file's, so that the Open
    // dialog (which lists *.kvx) shows it; a name with an extension of its own keeps it.
    void saveAsAddsTheDataFileExtension() {
        App app;
        app.platform.realFileDialogs = true;
        answerFileDialog(1, app.file("league"));
        QVERIFY(trigger(*app.window, "mnuFileSaveAs"));
        QCOMPARE(app.session.document.league().CurrentFile, app.file("league.kvx"));
        QVERIFY(fileExists(app.file("league.kvx")) && !fileExists(app.file("league")));
        answerFileDialog(1, app.file("league.bak"));
        QVERIFY(trigger(*app.window, "mnuFileSaveAs"));
        QVERIFY(fileExists(app.file("league.bak")) && !fileExists(app.file("league.bak.kvx")));
    }

    // League texts are single bytes: every one of them comes out of a text box as it went in.
    void everyTextByteSurvivesATextBox() {
        std::string bytes;
        for (int c = 0x20; c <= 0xFF; ++c)
            bytes += static_cast<char>(c);
        QLineEdit box;
        latin1Only(&box);
        box.setText(toQString(bytes));
        QCOMPARE(fromQString(box.text()), bytes);

        // A character the league cannot store is refused as it is typed.
        box.clear();
        for (const QChar c : QString::fromUtf8("A\xC5\x81"
                                               "B")) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(&box, &press);
        }
        QCOMPARE(box.text(), QString("AB"));
    }

    void messagesShowCarriageReturnsAsLineBreaks() {
        QCOMPARE(toDisplayText("Warning!\rSomeone (ABC)"), QString("Warning!\nSomeone (ABC)"));
        // A message may name a file in the file system's encoding, or a player from an image.
        QCOMPARE(toDisplayText("/home/j\xC3\xBCrgen/game.nes"),
                 QString::fromUtf8("/home/j\xC3\xBCrgen/game.nes"));
        QCOMPARE(toDisplayText("Montr\xE9"
                               "al"),
                 QString::fromLatin1("Montr\xE9"
                                     "al"));
    }

    // Whatever a window's handler throws is reported and the program goes on.
    void exceptionsInHandlersAreReported() {
        ScriptedPlatform platform;
        auto* application = static_cast<Application*>(QCoreApplication::instance());
        application->setPlatform(&platform);
        // A queued call reaches the handler through the application's event delivery, as a
        // click does; a thrown mouse event would also unwind through Qt's own mouse handling,
        // which leaks what it holds and fails the leak checker.
        QObject receiver;
        QMetaObject::invokeMethod(
            &receiver, [] { throw std::out_of_range("There is no team 40 in the league."); },
            Qt::QueuedConnection);
        QCoreApplication::processEvents();
        application->setPlatform(nullptr);
        QCOMPARE(platform.texts(), std::vector<std::string>{"The command could not be finished: "
                                                            "There is no team 40 in the league."});
    }

    void rememberedPathsSplitAtTheLastSlash() {
        FileDialogRequest request;
        startAt(request, "/home/me/roms/game.nes", "/opt/kvx");
        QCOMPARE(request.initialFolder, std::string("/home/me/roms"));
        QCOMPARE(request.proposedName, std::string("game.nes"));
        startAt(request, "", "/opt/kvx");
        QCOMPARE(request.initialFolder, std::string("/opt/kvx"));
        QCOMPARE(request.proposedName, std::string());
        startAt(request, "/game.nes", "/opt/kvx");
        QCOMPARE(request.initialFolder, std::string("/"));
        startAt(request, "game.nes", "/opt/kvx");
        QCOMPARE(request.initialFolder, std::string("/opt/kvx"));
        QCOMPARE(request.proposedName, std::string("game.nes"));
    }

    void recentListLivesInSectionRecent() {
        TempDir dir;
        const std::string store = dir.file("kvxm2000.conf");
        {
            SettingsRecentStore recent(QString::fromStdString(store));
            Add_Recent_File(recent, "/r/one.kvx");
            Add_Recent_File(recent, "/r/two & three.kvx");
            QVERIFY(recent.get(2).empty());
        }
        QCOMPARE(Read_Ini_String(store, "recent", "0"), std::string("/r/two & three.kvx"));
        QCOMPARE(Read_Ini_String(store, "recent", "1"), std::string("/r/one.kvx"));
        // Another copy of the program sees the same list.
        SettingsRecentStore other(QString::fromStdString(store));
        QCOMPARE(other.get(1), std::string("/r/one.kvx"));
    }
};

KVX_UI_TEST(PlatformTest)

} // namespace kvx::test

#include "platform_test.moc"
