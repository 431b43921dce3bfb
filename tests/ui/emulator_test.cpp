#include "uitest.h"

#include "rom/commands.h"
#include "rom/edition.h"
#include "ui/frmExportData.h"

#include <QTest>

#include <algorithm>
#include <filesystem>

namespace kvx::test {

namespace {

// An emulator that records what it was given: the path it was started with, and a copy of the
// file at that path, both in `folder`.
std::string writeRecordingEmulator(const std::string& folder) {
    const std::string path = folder + "/emulator.sh";
    const std::string script = "#!/bin/sh\n"
                               "cp \"$1\" '" +
                               folder +
                               "/received'\n"
                               "printf '%s' \"$1\" > '" +
                               folder +
                               "/argument.tmp'\n"
                               "mv '" +
                               folder + "/argument.tmp' '" + folder + "/argument'\n";
    writeBytes(path, std::vector<std::uint8_t>(script.begin(), script.end()));
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    return path;
}

std::string readText(const std::string& path) {
    const auto bytes = readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

} // namespace

class EmulatorTest : public QObject {
    Q_OBJECT

private slots:
    void emulatorPlaysACopyThatGoesWhenItEnds() {
        App app;
        writeNesImage(app.file("game.nes"), 21);
        app.platform.chooseOpen(app.file("game.nes"), 2);
        QVERIFY(trigger(*app.window, "mnuFileImportData"));
        // Nothing was exported yet: there is no image to play.
        QVERIFY(trigger(*app.window, "mnuFilePlayInEmulator"));
        QCOMPARE(app.platform.messages.size(), std::size_t{1});
        QVERIFY(app.platform.messages[0].text.starts_with("Play in Emulator starts a copy"));
        app.platform.clearRecords();

        app.platform.chooseSave(app.file("game.nes"), 1);
        whenModal<frmExportData>([](frmExportData& wizard) { click(wizard, "cmdFinish"); });
        QVERIFY(trigger(*app.window, "mnuFileExportData"));
        setCity(app.session, 3, "Played");
        const auto original = readBytes(app.file("game.nes"));
        RomImage expected = RomImage::load(app.file("game.nes"));
        exportLeague(Nes, app.session.document.league(), expected);

        const std::string emulator = writeRecordingEmulator(app.dir.path().string());
        app.platform.chooseOpen(emulator);
        for (int run = 0; run < 2; ++run) {
            std::filesystem::remove(app.file("argument"));
            QVERIFY(trigger(*app.window, "mnuFilePlayInEmulator"));
            QTRY_VERIFY_WITH_TIMEOUT(std::filesystem::exists(app.file("argument")), 10000);
            const std::string copy = readText(app.file("argument"));
            QVERIFY(copy.ends_with("/game.nes"));
            QVERIFY(copy != app.file("game.nes"));
            QTRY_VERIFY_WITH_TIMEOUT(!std::filesystem::exists(copy), 10000);
            QVERIFY(!std::filesystem::exists(std::filesystem::path(copy).parent_path()));
            QVERIFY(std::ranges::equal(readBytes(app.file("received")), expected.bytes()));
            QVERIFY(readBytes(app.file("game.nes")) == original);
        }
        // The emulator was asked for once and is kept for the settings file.
        QCOMPARE(app.platform.openRequests.size(), std::size_t{1});
        QCOMPARE(app.session.exportSettings.emulatorCommand, "\"" + emulator + "\" %f");
        QVERIFY(app.platform.messages.empty());
        QCOMPARE(app.platform.unexpected, 0);
        QCOMPARE(statusText(app), std::string("Started the emulator on a copy of game.nes"));
    }

    void anEmulatorThatCannotStartIsAskedForAgain() {
        App app;
        writeNesImage(app.file("game.nes"), 22);
        app.platform.chooseOpen(app.file("game.nes"), 2);
        QVERIFY(trigger(*app.window, "mnuFileImportData"));
        app.session.exportSettings.lastImage = app.file("game.nes");
        app.session.exportSettings.lastEdition = code(Nes);
        app.session.exportSettings.emulatorCommand = "'" + app.file("no-such-emulator") + "' %f";
        const auto original = readBytes(app.file("game.nes"));
        QVERIFY(trigger(*app.window, "mnuFilePlayInEmulator"));
        QCOMPARE(app.platform.messages.size(), std::size_t{1});
        QVERIFY(app.platform.messages[0].text.find("could not be started") != std::string::npos);
        QVERIFY(app.session.exportSettings.emulatorCommand.empty());
        QVERIFY(readBytes(app.file("game.nes")) == original);
    }
};

KVX_UI_TEST(EmulatorTest)

} // namespace kvx::test

#include "emulator_test.moc"
