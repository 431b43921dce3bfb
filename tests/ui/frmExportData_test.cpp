#include "uitest.h"

#include "document/tables.h"
#include "rom/edition.h"
#include "ui/frmChooseTeam.h"
#include "ui/frmExportData.h"

#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace kvx::test {

namespace {

// A league of teams "City<t> <name>" as an import leaves them: RomSlot 0 for every edition.
League leagueOf(const std::vector<std::string>& names) {
    League league;
    newDocument(league, Date{2001, 3, 7});
    league.Teams.resize(names.size());
    league.TeamCount = static_cast<std::int16_t>(names.size());
    for (std::size_t t = 0; t < names.size(); ++t) {
        league.Teams[t].City = "City" + std::to_string(t);
        league.Teams[t].Name = names[t];
    }
    return league;
}

QString buttonText(QWidget& wizard, int row) {
    return wizard.findChild<QPushButton*>(QString("cmdChangeTeam_%1").arg(row))->text();
}

QString labelText(QWidget& wizard, const QString& name) {
    return wizard.findChild<QLabel*>(name)->text();
}

// Clicks the slot button of `row` and picks the list entry with `entry` in "Select a Team".
void pick(frmExportData& wizard, int row, const QString& entry) {
    whenModal<frmChooseTeam>([entry](frmChooseTeam& picker) {
        auto* list = picker.findChild<QListWidget*>("lstTeams");
        const auto found = list->findItems(entry, Qt::MatchExactly);
        QVERIFY(!found.isEmpty());
        list->setCurrentItem(found.first());
        click(picker, "cmdOK");
    });
    click(wizard, QString("cmdChangeTeam_%1").arg(row).toLatin1().constData());
}

} // namespace

class ExportWizardTest : public QObject {
    Q_OBJECT

private slots:
    void freshImportShowsTheLastTeamInSlotZero() {
        League league = leagueOf({"Alpha", "Beta", "Gamma"});
        frmExportData wizard(league, Nes);
        QCOMPARE(wizard.windowTitle(), QString("Export Data"));
        QCOMPARE(labelText(wizard, "lblDivision"), QString("AFC EAST"));
        QCOMPARE(labelText(wizard, "lblHeading"), QString("Original Team"));
        QCOMPARE(buttonText(wizard, 0), QString("City2 Gamma"));
        for (int row = 1; row < 5; ++row)
            QCOMPARE(buttonText(wizard, row), QString("No Change"));
        for (int row = 0; row < 5; ++row)
            QCOMPARE(labelText(wizard, QString("lblOriginalTeam_%1").arg(row)).toStdString(),
                     std::string(DefaultTeamNames(Nes, row)));
        QVERIFY(!wizard.findChild<QPushButton*>("cmdBack")->isEnabled());
        QVERIFY(!wizard.dialogResult());
    }

    void slotsShowTheImageTeamsAndFinishAnswersTheChoices() {
        League league = leagueOf({"Hawks", "Bills"});
        for (TeamRecord& team : league.Teams)
            team.RomSlot[Nes] = -1;
        ExportWizardInput input{Nes, {}, true};
        input.imageTeams[0] = SlotTeam{"Seattle", "Hawks"};
        input.imageTeams[1] = SlotTeam{"Old Town", "Mules"};
        frmExportData wizard(league, input);
        QCOMPARE(labelText(wizard, "lblImageTeam_0"), QString("Seattle Hawks"));
        QCOMPARE(labelText(wizard, "lblImageTeam_1"), QString("Old Town Mules"));
        QCOMPARE(labelText(wizard, "lblImageTeam_2"), QString());
        QCOMPARE(wizard.findChild<QLabel*>("lblImageTeam_0")->accessibleName(),
                 QString("Row 1 in the image now: Seattle Hawks"));
        // Slot 0 is "Buffalo Bills" to the edition, but the image holds the Hawks there now.
        click(wizard, "cmdAuto");
        QCOMPARE(buttonText(wizard, 0), QString("City0 Hawks"));
        QCOMPARE(buttonText(wizard, 1), QString("No Change"));

        auto* checksum = wizard.findChild<QCheckBox*>("chkFixChecksum");
        QVERIFY(checksum->isChecked()); // as remembered
        QVERIFY(wizard.findChild<QRadioButton*>("radWriteImage")->isChecked());
        click(wizard, "radSavePatch");
        checksum->click();
        click(wizard, "cmdFinish");
        const ExportPlan plan = wizard.plan();
        QCOMPARE(plan.romSlots, (std::vector<std::int16_t>{0, -1}));
        QVERIFY(plan.asPatch);
        QVERIFY(!plan.fixChecksum);
    }

    void pagesRunThroughTheSixDivisions() {
        League league = leagueOf({"Alpha"});
        frmExportData wizard(league, Nes);
        auto* back = wizard.findChild<QPushButton*>("cmdBack");
        auto* next = wizard.findChild<QPushButton*>("cmdNext");
        for (int page = 1; page < 6; ++page) {
            next->click();
            QCOMPARE(wizard.page(), page);
            QVERIFY(back->isEnabled());
        }
        QVERIFY(!next->isEnabled());
        QCOMPARE(labelText(wizard, "lblDivision"), QString("NFC WEST"));
        // Slot 29 of a 28-team edition has no team of its own.
        QCOMPARE(labelText(wizard, "lblOriginalTeam_4"), QString());
        for (int page = 4; page >= 0; --page)
            back->click();
        QCOMPARE(wizard.page(), 0);
        QVERIFY(!back->isEnabled());
        QVERIFY(next->isEnabled());
    }

    void autoMatchesNicknamesOfThePageOnly() {
        // AFC EAST of the NES edition: Bills, Colts, Dolphins, Patriots, Jets.
        League league = leagueOf({"BILLS", "Dolphins", "dolphins", "Jets", "Broncos"});
        league.Teams[4].RomSlot[Nes] = 3;
        frmExportData wizard(league, Nes);
        click(wizard, "cmdAuto");
        QCOMPARE(buttonText(wizard, 0), QString("City0 BILLS"));
        QCOMPARE(buttonText(wizard, 1), QString("No Change"));
        QCOMPARE(buttonText(wizard, 2), QString("City2 dolphins")); // the last match wins
        QCOMPARE(buttonText(wizard, 3), QString("City4 Broncos"));  // no match: kept
        QCOMPARE(buttonText(wizard, 4), QString("City3 Jets"));
        QCOMPARE(wizard.assignment(10), -1); // Broncos sit on the AFC WEST page
    }

    void autoFillsARowWithoutTeamOnlyForAnEmptyName() {
        League league = leagueOf({"Browns", "Steelers"});
        frmExportData wizard(league, Nes);
        click(wizard, "cmdNext");
        click(wizard, "cmdAuto");
        QCOMPARE(buttonText(wizard, 4), QString("No Change"));

        League unnamed = leagueOf({"Browns", ""});
        frmExportData other(unnamed, Nes);
        click(other, "cmdNext");
        click(other, "cmdAuto");
        QCOMPARE(buttonText(other, 1), QString("City0 Browns"));
        QCOMPARE(buttonText(other, 4), QString("City1 "));
    }

    void sameTeamInTwoSlotsKeepsTheHigher() {
        League league = leagueOf({"Alpha", "Beta"});
        league.Teams[0].RomSlot[Nes] = -1;
        league.Teams[1].RomSlot[Nes] = -1;
        frmExportData wizard(league, Nes);
        pick(wizard, 0, "City1 Beta");
        pick(wizard, 2, "City1 Beta");
        QCOMPARE(buttonText(wizard, 0), QString("City1 Beta"));
        QCOMPARE(buttonText(wizard, 2), QString("City1 Beta"));
        click(wizard, "cmdFinish");
        QVERIFY(wizard.dialogResult());
        QCOMPARE(wizard.finishedSlots(), (std::vector<std::int16_t>{-1, 2}));
    }

    void noChangeClearsTheSlotAndFinishClearsUnassignedTeams() {
        League league = leagueOf({"Alpha", "Beta"});
        league.Teams[0].RomSlot[Nes] = 1;
        league.Teams[1].RomSlot[Nes] = 7;
        frmExportData wizard(league, Nes);
        QCOMPARE(buttonText(wizard, 1), QString("City0 Alpha"));
        pick(wizard, 1, "-- No Change --");
        QCOMPARE(buttonText(wizard, 1), QString("No Change"));

        // A cancelled picker changes nothing.
        whenModal<frmChooseTeam>([](frmChooseTeam& picker) { click(picker, "cmdCancel"); });
        click(wizard, "cmdChangeTeam_3");
        QCOMPARE(buttonText(wizard, 3), QString("No Change"));

        click(wizard, "cmdFinish");
        QCOMPARE(wizard.finishedSlots(), (std::vector<std::int16_t>{-1, 7}));
    }

    void closingWithoutFinishAnswersCancel() {
        League league = leagueOf({"Alpha", "Beta"});
        frmExportData wizard(league, Nes);
        wizard.show();
        pick(wizard, 2, "City0 Alpha");
        wizard.close();
        QVERIFY(!wizard.dialogResult());
    }

    void slotsOutsideTheDivisionsAssignNothing() {
        League league = leagueOf({"Alpha", "Beta"});
        league.Teams[0].RomSlot[Nes] = 30;
        league.Teams[1].RomSlot[Nes] = -1;
        frmExportData wizard(league, Nes);
        for (int slot = 0; slot < 30; ++slot)
            QCOMPARE(wizard.assignment(slot), -1);
    }

    void pickerListsTeamsAlphabetically() {
        League league = leagueOf({"Z", "A", "B", "A"});
        for (const auto& [team, city] : {std::pair{0, "zulu"}, std::pair{1, "Alpha"},
                                         std::pair{2, "beta"}, std::pair{3, "Alpha"}})
            league.Teams[team].City = city;
        frmChooseTeam picker(league);
        QCOMPARE(picker.windowTitle(), QString("Select a Team"));
        auto* list = picker.findChild<QListWidget*>("lstTeams");
        QCOMPARE(list->accessibleName(), QString("Teams"));
        QStringList entries;
        for (int row = 0; row < list->count(); ++row)
            entries << list->item(row)->text();
        QCOMPARE(entries,
                 QStringList({"-- No Change --", "Alpha A", "Alpha A", "beta B", "zulu Z"}));
        QCOMPARE(list->currentRow(), 0);

        // Each "Alpha A" entry stands for its own team, in document order as sorted.
        list->setCurrentRow(2);
        click(picker, "cmdOK");
        QCOMPARE(picker.dialogResult(), std::optional(TeamChoice{3}));
    }

    void pickerAnswersNoChangeAndCancel() {
        League league = leagueOf({"Alpha"});
        frmChooseTeam first(league);
        click(first, "cmdOK");
        QCOMPARE(first.dialogResult(), std::optional(TeamChoice{}));

        frmChooseTeam second(league);
        second.findChild<QListWidget*>("lstTeams")->setCurrentRow(1);
        click(second, "cmdCancel");
        QVERIFY(!second.dialogResult());
    }
};

KVX_UI_TEST(ExportWizardTest)

} // namespace kvx::test

#include "frmExportData_test.moc"
