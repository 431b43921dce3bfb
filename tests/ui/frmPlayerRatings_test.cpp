#include "ratingswindow.h"
#include "uitest.h"

#include "ui/frmPlayerRatings.h"

#include <QAccessible>
#include <QLabel>

namespace kvx::test {

namespace {

constexpr int NameColumn = 1;
constexpr int OverallColumn = 2;

PlayerRecord player(const std::string& first, const std::string& last, int number, int level) {
    PlayerRecord record;
    record.FirstName = first;
    record.LastName = last;
    record.Number = static_cast<std::int16_t>(number);
    record.Attributes.fill(static_cast<std::int16_t>(level));
    return record;
}

// Buffalo's quarterbacks: a complete player, one without a last name, a slot with only a last
// name (not listed) and a row the rosters editor left incomplete (levels -1). Miami has one
// quarterback and one lineman; both teams have a kicker; nobody plays TE.
League sampleLeague() {
    League league;
    league.Teams.resize(static_cast<std::size_t>(2));
    league.TeamCount = 2;
    TeamRecord& buffalo = league.Teams[0];
    buffalo.City = "Buffalo";
    buffalo.Name = "Bills";
    buffalo.Abbreviation = "BUF";
    buffalo.Players[0] = player("Zed", "Brantlow", 12, 0);
    for (int i = 0; i < AttributeCount; ++i)
        buffalo.Players[0].Attributes[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(i);
    buffalo.Players[1] = player("Zed", "", 5, 15);
    buffalo.Players[2] = player("", "Ghost", 1, 15);
    buffalo.Players[3] = player("Half", "Done", 40, -1);
    buffalo.Players[K * DepthPlaces] = player("Kip", "Boot", 3, 10);
    TeamRecord& miami = league.Teams[1];
    miami.City = "Miami";
    miami.Name = "Dolphins";
    miami.Abbreviation = "Mia";
    miami.Players[0] = player("Ace", "Quill", 7, 8);
    miami.Players[OL * DepthPlaces] = player("Big", "Wall", 70, 9);
    miami.Players[K * DepthPlaces + 1] = player("Lou", "Toe", 4, 2);
    return league;
}

struct Opened {
    frmPlayerRatings* window = nullptr;
    QTreeView* list = nullptr;
    QComboBox* position = nullptr;
};

Opened openPlayerRatings(App& app) {
    app.window->show();
    if (!QTest::qWaitForWindowExposed(app.window.get()) ||
        !trigger(*app.window, "mnuViewPlayerRatings"))
        return {};
    auto* window = app.window->childWindow<frmPlayerRatings>();
    return {window, window->findChild<QTreeView*>("lsvPlayers"),
            window->findChild<QComboBox*>("cmbPosition")};
}

} // namespace

class PlayerRatingsTest : public QObject {
    Q_OBJECT

private slots:
    // Opening shows QB: every slot with a first name, sorted by number as text (05 before 12),
    // with shown values through the attribute scale; an incomplete row is listed with empty
    // values. A click on the real "Name" header sorts by name.
    void listsTheQuarterbacks() {
        App app;
        app.session.ratingScale[QB].Weights[0] = 1;
        app.session.document.replace(sampleLeague());
        const Opened opened = openPlayerRatings(app);
        QVERIFY(opened.window);
        QTreeView& list = *opened.list;
        QCOMPARE(opened.window->windowTitle(), QString("Player Ratings"));
        QCOMPARE(opened.position->currentText(), QString("QB"));
        QCOMPARE(opened.window->findChild<QLabel*>("lblPosition")->buddy(), opened.position);
        QCOMPARE(QAccessible::queryAccessibleInterface(&list)->text(QAccessible::Name),
                 QString("Player ratings"));
        QCOMPARE(unnamedControls(*opened.window), QStringList());
        QCOMPARE(headerTexts(list), QStringList({"#", "Name", "Overall", "RS", "RP", "MS", "HP",
                                                 "BB", "AG", "PS", "PC", "PA", "AR", "CO"}));
        QCOMPARE(keys(list), QStringList({"ID1", "ID70", "ID0", "ID3"}));
        QCOMPARE(rowTexts(list, 0), QStringList({"05", ", Zed - buf", "99", "99", "99", "99", "99",
                                                 "99", "99", "99", "99", "99", "99", "99"}));
        QCOMPARE(rowTexts(list, 1).mid(0, 4), QStringList({"07", "Quill, Ace - mia", "53", "56"}));
        QCOMPARE(rowTexts(list, 2),
                 QStringList({"12", "Brantlow, Zed - buf", "00", "06", "13", "19", "25", "31", "38",
                              "44", "50", "56", "63", "69"}));
        QCOMPARE(rowTexts(list, 3), QStringList({"40", "Done, Half - buf", "", "", "", "", "", "",
                                                 "", "", "", "", "", ""}));

        const auto pixels = [&](int twips) { return qRound(twips * list.logicalDpiX() / 1440.0); };
        QVERIFY(list.columnWidth(0) >= pixels(500));
        QVERIFY(list.columnWidth(NameColumn) >= pixels(1440));
        QVERIFY(list.columnWidth(OverallColumn) >= pixels(1000));
        QVERIFY(list.columnWidth(13) >= pixels(500));
        // The name column shows each name with its team, and the window all the columns.
        QVERIFY(list.columnWidth(NameColumn) >
                list.fontMetrics().horizontalAdvance("Brantlow, Zed - buf"));
        QVERIFY(list.header()->length() <= list.viewport()->width());
        QCOMPARE(alignment(list, 0, NameColumn), Qt::AlignLeft | Qt::AlignVCenter);
        QCOMPARE(alignment(list, 0, OverallColumn), Qt::AlignCenter);

        clickHeader(list, NameColumn);
        QCOMPARE(columnTexts(list, NameColumn),
                 QStringList({", Zed - buf", "Brantlow, Zed - buf", "Done, Half - buf",
                              "Quill, Ace - mia"}));
        QCOMPARE(list.header()->sortIndicatorSection(), NameColumn);
    }

    // Headers 10..14 change only as rows are added: a group without listed players keeps the
    // headers of the group before. The list is rebuilt when a group is picked (the one shown
    // too), or at once when another document takes this one's place.
    void groupHeadersFollowTheRowsAdded() {
        App app;
        app.session.document.replace(sampleLeague());
        const Opened opened = openPlayerRatings(app);
        QVERIFY(opened.window);
        QTreeView& list = *opened.list;

        pick(*opened.position, "K");
        QCOMPARE(opened.position->currentText(), QString("K"));
        QCOMPARE(headerTexts(list).mid(9), QStringList({"KP", "KA", "AB", "", ""}));
        QCOMPARE(columnTexts(list, NameColumn), QStringList({"Boot, Kip - buf", "Toe, Lou - mia"}));
        QCOMPARE(rowTexts(list, 0).mid(9), QStringList({"69", "69", "69", "", ""}));

        pick(*opened.position, "TE");
        QCOMPARE(rowCount(list), 0);
        QCOMPARE(headerTexts(list).mid(9), QStringList({"KP", "KA", "AB", "", ""}));

        pick(*opened.position, "OL");
        QCOMPARE(headerTexts(list).mid(9), QStringList({"", "", "", "", ""}));
        QCOMPARE(rowTexts(list, 0).mid(1, 9),
                 QStringList({"Wall, Big - mia", "00", "63", "63", "63", "63", "63", "63", ""}));

        // A rename elsewhere shows after the next pick, of the group shown as well.
        PlayerRecord renamed = app.session.document.player(1, OL * DepthPlaces);
        renamed.LastName = "Fort";
        app.session.document.storePlayers(1, OL * DepthPlaces, {&renamed, 1}, "Edit Players");
        QCOMPARE(columnTexts(list, NameColumn), QStringList({"Wall, Big - mia"}));
        pick(*opened.position, "OL");
        QCOMPARE(columnTexts(list, NameColumn), QStringList({"Fort, Big - mia"}));

        app.platform.answer(Answer::No); // the unsaved edit is not kept
        QVERIFY(trigger(*app.window, "mnuFileNew"));
        QCOMPARE(rowCount(list), 0);
        QCOMPARE(app.platform.unexpected, 0);
    }
};

KVX_UI_TEST(PlayerRatingsTest)

} // namespace kvx::test

#include "frmPlayerRatings_test.moc"
