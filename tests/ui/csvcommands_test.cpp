#include "uitest.h"

#include "document/datafile.h"

#include <QTest>

namespace kvx::test {

class CsvCommandsTest : public QObject {
    Q_OBJECT

private slots:
    // Export as CSV and Import from CSV give back the league byte for byte; a refused file is
    // reported with its line and column and leaves the document as it was.
    void csvRoundTripAndRefusal() {
        App app;
        writeDataFile(app.file("league.kvx"), "Tacoma", 3);
        app.platform.chooseOpen(app.file("league.kvx"));
        QVERIFY(trigger(*app.window, "mnuFileOpen"));
        const auto saved = serializeDataFile(app.session.document.league());

        app.platform.chooseSave(app.file("league.csv"));
        QVERIFY(trigger(*app.window, "mnuFileExportCSV"));
        QCOMPARE(app.platform.saveRequests.at(0).proposedName, std::string("league.csv"));
        QCOMPARE(statusText(app), std::string("Exported league.csv"));

        app.platform.chooseOpen(app.file("league.csv"));
        QVERIFY(trigger(*app.window, "mnuFileImportCSV"));
        QVERIFY(serializeDataFile(app.session.document.league()) == saved);
        QVERIFY(app.session.document.league().CurrentFile.empty());
        QCOMPARE(statusText(app), std::string("Imported 3 teams from league.csv"));

        // One level out of range in an otherwise good file.
        const auto bytes = readBytes(app.file("league.csv"));
        std::string text(bytes.begin(), bytes.end());
        const auto row = text.find("\nplayer,0,");
        const auto field = text.find(",0,0,0,0,0,0,0,0,0,0,0,0", row);
        QVERIFY(row != std::string::npos && field != std::string::npos);
        text.replace(field + 2, 2, ",16"); // the face stays 0, RS becomes 16
        writeBytes(app.file("broken.csv"), std::vector<std::uint8_t>(text.begin(), text.end()));
        setCity(app.session, 1, "Edited");
        app.platform.answer(Answer::No);
        app.platform.chooseOpen(app.file("broken.csv"));
        QVERIFY(trigger(*app.window, "mnuFileImportCSV"));
        QCOMPARE(app.platform.messages.size(), std::size_t{1});
        QVERIFY(app.platform.messages[0].text.starts_with("Line 4, column "));
        QCOMPARE(app.session.document.team(1).City, std::string("Edited"));
        QCOMPARE(app.platform.unexpected, 0);
    }
};

KVX_UI_TEST(CsvCommandsTest)

} // namespace kvx::test

#include "csvcommands_test.moc"
