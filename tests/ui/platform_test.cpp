#include "uitest.h"

#include "document/settings.h"
#include "rom/commands.h"
#include "ui/qtplatform.h"

#include <QTest>

namespace kvx::test {

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
        QCOMPARE(pathInFolder("/opt/kvx", "kvxm2000.ini"), std::string("/opt/kvx/kvxm2000.ini"));
        QCOMPARE(pathInFolder("/", "kvxm2000.ini"), std::string("/kvxm2000.ini"));
    }

    void messagesShowCarriageReturnsAsLineBreaks() {
        QCOMPARE(toDisplayText("Warning!\rSomeone (ABC)"), QString("Warning!\nSomeone (ABC)"));
        // Single-byte texts from an image that are not UTF-8 still show.
        QCOMPARE(toQString("Montr\xE9"
                           "al"),
                 QString::fromLatin1("Montr\xE9"
                                     "al"));
        QCOMPARE(toQString("Montr\xC3\xA9"
                           "al"),
                 QString::fromUtf8("Montr\xC3\xA9"
                                   "al"));
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
