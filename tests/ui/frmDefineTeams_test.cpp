#include "uitest.h"

#include "document/datafile.h"
#include "rom/edition.h"
#include "ui/frmDefineTeams.h"
#include "ui/qtext.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QUndoStack>

namespace kvx::test {

namespace {

League leagueOf(const std::vector<TeamTexts>& teams) {
    League league;
    newDocument(league, Date{2001, 3, 7});
    league.Teams.resize(teams.size());
    league.TeamCount = static_cast<std::int16_t>(teams.size());
    for (std::size_t t = 0; t < teams.size(); ++t) {
        TeamRecord& team = league.Teams[t];
        team.City = teams[t].City;
        team.Name = teams[t].Name;
        team.Abbreviation = teams[t].Abbreviation;
        team.ScheduleName = teams[t].ScheduleName;
        team.Players[0].LastName = "Starter" + std::to_string(t);
        team.RomSlot[Nes] = static_cast<std::int16_t>(t);
    }
    return league;
}

QLineEdit* box(QWidget& dialog, const char* name) {
    return dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
}

QComboBox* teamList(QWidget& dialog) {
    return dialog.findChild<QComboBox*>("cmbTeams");
}

QStringList entries(QWidget& dialog) {
    QStringList shown;
    for (int i = 0; i < teamList(dialog)->count(); ++i)
        shown << teamList(dialog)->itemText(i);
    return shown;
}

void type(QWidget& dialog, const TeamTexts& texts) {
    box(dialog, "txtCity")->setText(toQString(texts.City));
    box(dialog, "txtName")->setText(toQString(texts.Name));
    box(dialog, "txtAbbreviation")->setText(toQString(texts.Abbreviation));
    box(dialog, "txtSchedule")->setText(toQString(texts.ScheduleName));
}

void choose(QWidget& dialog, const QString& entry, int occurrence = 0) {
    int found = -1;
    for (int i = 0; i < teamList(dialog)->count() && found < 0; ++i)
        if (teamList(dialog)->itemText(i) == entry && occurrence-- == 0)
            found = i;
    QVERIFY2(found > 0, qPrintable(entry));
    teamList(dialog)->setCurrentIndex(found);
}

// Opens Define Teams from the menu and runs `act` on it.
void defineTeams(App& app, std::function<void(frmDefineTeams&)> act) {
    whenModal<frmDefineTeams>(std::move(act));
    QVERIFY(trigger(*app.window, "mnuEditDefineTeams"));
}

} // namespace

class DefineTeamsTest : public QObject {
    Q_OBJECT

private slots:
    // Apply on "-- New Team --" twice in a row: both teams at the end of the league in the order
    // added, blank, in the list at their places ignoring case, and the dialog ready for the next.
    void addsTeamsAtTheEndAndListsThemInOrder() {
        App app;
        app.session.document.replace(leagueOf({{"New York", "Jets", "NYJ", "Jets"},
                                               {"Buffalo", "Bills", "BUF", "Bills"},
                                               {"miami", "Dolphins", "MIA", "Dolphins"}}));
        const League before = app.session.document.league();
        defineTeams(app, [&](frmDefineTeams& dialog) {
            QCOMPARE(entries(dialog), QStringList({"-- New Team --", "Buffalo Bills",
                                                   "miami Dolphins", "New York Jets"}));
            for (const TeamTexts& texts : {TeamTexts{"Zurich", "Lions", "ZUR", "Zurich"},
                                           TeamTexts{"zagreb", "Bears", "ZAG", "Zagreb"}}) {
                type(dialog, texts);
                click(dialog, "cmdApply");
                QCOMPARE(teamList(dialog)->currentIndex(), 0);
                QCOMPARE(dialog.selectedTeam(), -1);
                for (const char* name : {"txtCity", "txtName", "txtAbbreviation", "txtSchedule"})
                    QVERIFY2(box(dialog, name)->text().isEmpty(), name);
                QCOMPARE(dialog.focusWidget(), box(dialog, "txtCity"));
            }
            QCOMPARE(entries(dialog),
                     QStringList({"-- New Team --", "Buffalo Bills", "miami Dolphins",
                                  "New York Jets", "zagreb Bears", "Zurich Lions"}));
            // The added entries lead to the added teams.
            choose(dialog, "zagreb Bears");
            QCOMPARE(dialog.selectedTeam(), 4);
            QCOMPARE(box(dialog, "txtSchedule")->text(), QString("Zagreb"));
            click(dialog, "cmdOK");
        });
        QVERIFY(app.platform.messages.empty());
        Document& document = app.session.document;
        QCOMPARE(document.teamCount(), 5);
        for (int t = 0; t < 3; ++t)
            QVERIFY(document.team(t) == before.team(t));
        TeamRecord zurich;
        zurich.City = "Zurich";
        zurich.Name = "Lions";
        zurich.Abbreviation = "ZUR";
        zurich.ScheduleName = "Zurich";
        QVERIFY(document.team(3) == zurich); // blank players and RomSlot 0 for every edition
        QCOMPARE(document.team(4).City, std::string("zagreb"));
        QVERIFY(document.team(4).Players == zurich.Players);
        QVERIFY(document.team(4).RomSlot == zurich.RomSlot);
        QCOMPARE(document.undoStack().count(), 2);
    }

    // Renaming changes only the selected team and keeps its entry where it stands.
    void renamesInPlace() {
        App app;
        // Two teams may show the same text ("Los Angeles" + "Rams", "Los" + "Angeles Rams").
        app.session.document.replace(leagueOf({{"Buffalo", "Bills", "BUF", "Bills"},
                                               {"Miami", "Dolphins", "MIA", "Dolphins"},
                                               {"Los Angeles", "Rams", "LAR", "LA Rams"},
                                               {"Los", "Angeles Rams", "LOSAR", "Los Rams"}}));
        const League before = app.session.document.league();
        defineTeams(app, [&](frmDefineTeams& dialog) {
            choose(dialog, "Buffalo Bills");
            QCOMPARE(dialog.selectedTeam(), 0);
            QCOMPARE(box(dialog, "txtAbbreviation")->text(), QString("BUF"));
            click(dialog, "cmdApply"); // to itself: allowed, and nothing changes
            QVERIFY(!app.session.document.isModified());
            type(dialog, {"Zion", "Bills", "BUF", "Bills"});
            click(dialog, "cmdApply");
            QCOMPARE(teamList(dialog)->currentIndex(), 1);
            QCOMPARE(teamList(dialog)->currentText(), QString("Zion Bills"));

            choose(dialog, "Miami Dolphins");
            box(dialog, "txtAbbreviation")->clear();
            QTest::keyClicks(box(dialog, "txtAbbreviation"), "MIAMI");
            click(dialog, "cmdApply");

            choose(dialog, "Los Angeles Rams", 1);
            QCOMPARE(dialog.selectedTeam(), 3);
            QCOMPARE(box(dialog, "txtCity")->text(), QString("Los"));
            box(dialog, "txtSchedule")->setText("Rams of Los");
            click(dialog, "cmdApply");
            // A stored abbreviation longer than four is kept; typing cannot make it longer.
            QTest::keyClick(box(dialog, "txtAbbreviation"), Qt::Key_End);
            QTest::keyClick(box(dialog, "txtAbbreviation"), Qt::Key_X);
            QCOMPARE(box(dialog, "txtAbbreviation")->text(), QString("LOSAR"));
            QCOMPARE(entries(dialog),
                     QStringList({"-- New Team --", "Zion Bills", "Los Angeles Rams",
                                  "Los Angeles Rams", "Miami Dolphins"}));
            click(dialog, "cmdOK");
        });
        QVERIFY(app.platform.messages.empty());
        Document& document = app.session.document;
        QCOMPARE(document.team(0).City, std::string("Zion"));
        QCOMPARE(document.team(0).Name, std::string("Bills"));
        QCOMPARE(document.team(1).Abbreviation, std::string("MIAM"));
        QCOMPARE(document.team(1).City, std::string("Miami"));
        QVERIFY(document.team(2) == before.Teams[2]);
        QCOMPARE(document.team(3).ScheduleName, std::string("Rams of Los"));
        QCOMPARE(document.team(3).Abbreviation, std::string("LOSAR"));
        QCOMPARE(document.team(0).Players[0].LastName, std::string("Starter0"));
        QCOMPARE(document.undoStack().count(), 3);
    }

    // A refusal is shown with its title and icon, and OK drops what was typed since the last
    // Apply, for a new team or an existing one: the document stays as it was.
    void refusalsAndOkStoreNothing() {
        App app;
        app.session.document.replace(leagueOf({{"Buffalo", "Bills", "BUF", "Bills"}}));
        const auto before = serializeDataFile(app.session.document.league());
        const std::vector<std::pair<TeamTexts, RecordedMessage>> refused = {
            {{"Boston", "Jets", "", "Jets"},
             {"Read Me", "You must fill in all the fields.", MessageIcon::Information}},
            {{"buffalo", "BILLS", "BU", "Other"},
             {"Whoops!", "That team already exists!", MessageIcon::Exclamation}},
        };
        defineTeams(app, [&](frmDefineTeams& dialog) {
            QCOMPARE(dialog.windowTitle(), QString("Define Teams"));
            for (const auto& [texts, expected] : refused) {
                app.platform.clearRecords();
                type(dialog, texts);
                click(dialog, "cmdApply");
                QVERIFY(app.platform.messages == std::vector{expected});
            }
            QCOMPARE(entries(dialog), QStringList({"-- New Team --", "Buffalo Bills"}));
            type(dialog, {"Boston", "Jets", "BOS", "Boston"});
            choose(dialog, "Buffalo Bills");
            type(dialog, {"Boston", "Bills", "BOS", "Boston"});
            click(dialog, "cmdOK");
        });
        QVERIFY(!app.session.document.isModified());
        QVERIFY(serializeDataFile(app.session.document.league()) == before);
    }

    // Screen readers speak each box by its label; league texts take only what a league stores.
    void labelsNameTheirBoxesAndBoxesTakeLeagueTexts() {
        App app;
        defineTeams(app, [&](frmDefineTeams& dialog) {
            const std::vector<std::pair<const char*, QString>> labels = {
                {"cmbTeams", "Team:"},
                {"txtCity", "City:"},
                {"txtName", "Name:"},
                {"txtAbbreviation", "Abbreviation:"},
                {"txtSchedule", "Schedule Name:"}};
            for (const auto& [name, caption] : labels) {
                auto* control = dialog.findChild<QWidget*>(name);
                QCOMPARE(spokenLabel(control), caption);
                auto* edit = qobject_cast<QLineEdit*>(control);
                if (!edit)
                    continue;
                typeKeys(edit, QString::fromUtf8("A\xC3\xA9\xE2\x82\xAC")); // A, é, €
                QCOMPARE(edit->text(), QString::fromUtf8("A\xC3\xA9"));
            }
            click(dialog, "cmdOK");
        });
    }
};

KVX_UI_TEST(DefineTeamsTest)

} // namespace kvx::test

#include "frmDefineTeams_test.moc"
