#include "uitest.h"

#include "base/messages.h"
#include "rom/commands.h"
#include "rom/edition.h"
#include "rom/headerchecksum.h"
#include "rom/patch.h"
#include "support/genesis_image.h"
#include "support/image_builder.h"
#include "support/rom_checks.h"
#include "ui/frmExportData.h"

#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include <filesystem>

namespace kvx::test {

namespace {

const std::string NotSupported = "Sorry, support for that ROM isn't available yet.";

void importImage(App& app, const std::string& path, int filterIndex) {
    app.platform.chooseOpen(path, filterIndex);
    QVERIFY(trigger(*app.window, "mnuFileImportData"));
}

// Exports into `path` through the wizard, pressing Finish or closing it.
void exportImage(App& app, const std::string& path, int filterIndex, bool finish) {
    app.platform.chooseSave(path, filterIndex);
    whenModal<frmExportData>([finish](frmExportData& wizard) {
        if (finish)
            click(wizard, "cmdFinish");
        else
            wizard.close();
    });
    QVERIFY(trigger(*app.window, "mnuFileExportData"));
}

// An image whose detection bytes name `edition` and nothing else is in place.
void writeSignedImage(const std::string& path, std::string_view signature) {
    ImageBuilder builder(0x80000, 5);
    builder.signature(signature);
    writeBytes(path, builder.image().bytes());
}

constexpr std::string_view GenesisIISignature = "000005B0000005BA000005C4000005CE";

} // namespace

class ImportExportTest : public QObject {
    Q_OBJECT

private slots:
    void autoDetectionImportsWhatTheExplicitEntryDoes() {
        App app;
        const auto teams = writeNesImage(app.file("game.nes"), 11);
        importImage(app, app.file("game.nes"), 1);
        const League detected = app.session.document.league();
        QCOMPARE(detected.TeamCount, 28);
        QCOMPARE(detected.GeneralInfo.Credits, std::string("BUILT FOR TESTS"));
        QCOMPARE(detected.GeneralInfo.Year, std::string("1994"));

        importImage(app, app.file("game.nes"), 2);
        QVERIFY(app.session.document.league().Teams == detected.Teams);
        QVERIFY(app.session.document.league().GeneralInfo == detected.GeneralInfo);
        QVERIFY(app.session.document.league().CurrentFile.empty());
        QVERIFY(!app.session.document.isModified());
        QVERIFY(app.platform.messages.empty());
        QCOMPARE(app.session.RomPath, app.file("game.nes"));
    }

    void importDialogStartsAtTheRememberedImageWithTheFirstType() {
        App app([](App& app) {
            writeRememberedPaths(app.settingsFile(), {"", "/roms/old.nes", "", ""});
        });
        app.platform.cancelOpen();
        QVERIFY(trigger(*app.window, "mnuFileImportData"));
        const FileDialogRequest& first = app.platform.openRequests.at(0);
        QCOMPARE(first.filter, editionFilterString());
        QCOMPARE(first.filterIndex, 1);
        QCOMPARE(first.initialFolder, std::string("/roms"));
        QCOMPARE(first.proposedName, std::string("old.nes"));
        QVERIFY(app.platform.messages.empty());

        writeNesImage(app.file("game.nes"), 3);
        importImage(app, app.file("game.nes"), 2);
        // Export keeps the type chosen last; import starts from the first type again.
        app.platform.cancelSave();
        QVERIFY(trigger(*app.window, "mnuFileExportData"));
        QCOMPARE(app.platform.saveRequests.at(0).filterIndex, 2);
        QCOMPARE(app.platform.saveRequests.at(0).proposedName, std::string("game.nes"));
        QVERIFY(!app.platform.saveRequests.at(0).confirmOverwrite);
        app.platform.cancelOpen();
        QVERIFY(trigger(*app.window, "mnuFileImportData"));
        QCOMPARE(app.platform.openRequests.back().filterIndex, 1);
    }

    void failedImportsLeaveTheDocument() {
        App app;
        writeNesImage(app.file("game.nes"), 4);
        importImage(app, app.file("game.nes"), 2);
        const League before = app.session.document.league();
        app.platform.clearRecords();

        app.platform.cancelOpen();
        QVERIFY(trigger(*app.window, "mnuFileImportData"));
        QVERIFY(app.platform.messages.empty());

        importImage(app, app.file("missing.nes"), 1);
        QVERIFY(!std::filesystem::exists(app.file("missing.nes")));

        // The signature is there, the league is not: the image ends early.
        auto bytes = readBytes(app.file("game.nes"));
        bytes.resize(0x8000);
        writeBytes(app.file("short.nes"), bytes);
        importImage(app, app.file("short.nes"), 1);

        writeBytes(app.file("other.bin"), std::vector<std::uint8_t>(0x1000, 0x33));
        importImage(app, app.file("other.bin"), 1);

        QVERIFY(app.session.document.league().Teams == before.Teams);
        QVERIFY(app.session.document.league().GeneralInfo == before.GeneralInfo);
        const auto texts = app.platform.texts();
        QCOMPARE(texts.size(), std::size_t{3});
        QCOMPARE(texts[0], "The file \"" + app.file("missing.nes") + "\" does not exist.");
        QVERIFY(texts[1].find("damaged") != std::string::npos);
        QCOMPARE(texts[2], NotSupported);
        for (const RecordedMessage& message : app.platform.messages) {
            QCOMPARE(message.title, std::string("Read Me"));
            QCOMPARE(message.icon, MessageIcon::Information);
        }
    }

    void unsupportedEditionsAreRefusedInBothCommands() {
        App app;
        writeNesImage(app.file("game.nes"), 8);
        importImage(app, app.file("game.nes"), 2);
        const League before = app.session.document.league();
        const auto image = readBytes(app.file("game.nes"));
        app.platform.clearRecords();
        for (const int edition : {SnesII, PlayStation}) {
            importImage(app, app.file("game.nes"), edition);
            app.platform.chooseSave(app.file("game.nes"), edition);
            QVERIFY(trigger(*app.window, "mnuFileExportData"));
        }
        // A file larger than any image can be gets the same answer, without being read.
        writeBytes(app.file("huge.bin"), std::vector<std::uint8_t>{});
        std::filesystem::resize_file(app.file("huge.bin"), 200 << 20);
        importImage(app, app.file("huge.bin"), AutoDetect);
        app.platform.chooseSave(app.file("huge.bin"), AutoDetect);
        QVERIFY(trigger(*app.window, "mnuFileExportData"));
        QCOMPARE(app.platform.texts(), std::vector<std::string>(6, NotSupported));
        QVERIFY(app.session.document.league().Teams == before.Teams);
        QVERIFY(readBytes(app.file("game.nes")) == image);
        QCOMPARE(app.platform.unexpected, 0);
    }

    void rosterQuestionForMultiRosterImages() {
        if (!editionSupported(GenesisII))
            QSKIP("The Genesis II edition is not part of this build yet.");
        App app;
        writeSignedImage(app.file("second.bin"), GenesisIISignature);
        writeNesImage(app.file("game.nes"), 9);
        importImage(app, app.file("game.nes"), 2);
        const League before = app.session.document.league();
        app.platform.clearRecords();

        app.platform.cancelInput();
        importImage(app, app.file("second.bin"), 1);
        app.platform.type("three");
        app.platform.cancelInput();
        importImage(app, app.file("second.bin"), GenesisII);

        QCOMPARE(app.platform.inputs.size(), std::size_t{3});
        QCOMPARE(app.platform.inputs[0].prompt,
                 std::string("This ROM contains multiple rosters.\r"
                             "Which one do you want to import? (1-3)"));
        QCOMPARE(app.platform.inputs[0].title, std::string("Choose a Roster"));
        QCOMPARE(app.platform.inputs[0].defaultText, std::string("3"));
        QCOMPARE(app.platform.texts(),
                 std::vector<std::string>{"Please answer with a roster number from 1 to 3."});
        QVERIFY(app.session.document.league().Teams == before.Teams);
        QCOMPARE(app.platform.unexpected, 0);
    }

    void rosterAnswersChooseTheRoster() {
        if (!editionSupported(GenesisII))
            QSKIP("The Genesis II edition is not part of this build yet.");
        App app;
        std::array<std::vector<TeamRecord>, 3> rosters;
        for (std::size_t r = 0; r < rosters.size(); ++r)
            rosters[r] = genesisStyleTeams(28, 40 + static_cast<std::uint32_t>(r));
        GeneralInfoRecord info;
        info.Year = "1995";
        info.Credits = "THREE ROSTERS";
        const RomImage image = buildGenesisIIImage(rosters, info, 41);
        writeBytes(app.file("second.bin"), image.bytes());
        const auto rosterTeams = [&](int roster) {
            League league;
            newDocument(league, app.platform.date);
            importLeague(image, GenesisII, roster, league);
            return league.Teams;
        };
        QVERIFY(rosterTeams(1) != rosterTeams(3));

        // 0 reads the first roster; anything below 0 or above 3 the third.
        for (const auto& [answer, roster] :
             {std::pair{"0", 1}, std::pair{"-5", 3}, std::pair{"7", 3}, std::pair{"2", 2}}) {
            app.platform.type(answer);
            importImage(app, app.file("second.bin"), answer[0] == '2' ? GenesisII : 1);
            QVERIFY2(app.session.document.league().Teams == rosterTeams(roster), answer);
        }
        QCOMPARE(app.platform.inputs.size(), std::size_t{4});
        QVERIFY(app.platform.messages.empty());
    }

    void exportWritesTheAssignedTeams() {
        App app;
        const auto teams = writeNesImage(app.file("game.nes"), 12);
        const auto original = readBytes(app.file("game.nes"));
        importImage(app, app.file("game.nes"), 2);
        // As if an earlier Finish had put every team back into its own slot.
        League assigned = documentAssigningEveryTeam(app.session.document.league().Teams, Nes);
        assigned.GeneralInfo = app.session.document.league().GeneralInfo;
        assigned.Teams[5].City = "Edited";
        app.session.document.replace(assigned);

        exportImage(app, app.file("game.nes"), 1, true);
        QCOMPARE(app.platform.messages.size(), std::size_t{0});
        QCOMPARE(statusText(app), std::string("Exported 28 teams into game.nes"));
        QVERIFY(readBytes(app.file("game.nes")).size() == original.size());

        League reread;
        newDocument(reread, Date{2001, 1, 1});
        importLeague(RomImage::load(app.file("game.nes")), Nes, 0, reread);
        QCOMPARE(reread.Teams[5].City, std::string("Edited"));
        QCOMPARE(reread.Teams[6].City, app.session.document.league().Teams[6].City);
        // Finish left the assignments as they were, so the document did not change.
        QVERIFY(!app.session.document.isModified());
    }

    void finishPutsEveryTeamBackAndClosingCancelsTheExport() {
        App app;
        writeNesImage(app.file("game.nes"), 13);
        importImage(app, app.file("game.nes"), 2);
        const auto image = readBytes(app.file("game.nes"));
        const League before = app.session.document.league();

        exportImage(app, app.file("game.nes"), 2, false);
        QVERIFY(readBytes(app.file("game.nes")) == image);
        QVERIFY(app.session.document.league().Teams == before.Teams);
        QVERIFY(!app.session.document.isModified());
        QCOMPARE(statusText(app), std::string());

        // The import remembered where every team came from: Finish without looking puts each
        // one back into its own place, and the image holds the same league.
        exportImage(app, app.file("game.nes"), 2, true);
        QVERIFY(!app.session.document.isModified());
        QCOMPARE(app.session.document.league().Teams[27].RomSlot[Nes], 28);
        QCOMPARE(statusText(app), std::string("Exported 28 teams into game.nes"));
        League reread;
        newDocument(reread, Date{2001, 1, 1});
        importLeague(RomImage::load(app.file("game.nes")), Nes, 0, reread);
        QVERIFY(reread.Teams == before.Teams);
    }

    void refusedExportIsReportedAndTheImageUntouched() {
        App app;
        writeNesImage(app.file("game.nes"), 14);
        importImage(app, app.file("game.nes"), 2);
        League assigned = documentAssigningEveryTeam(app.session.document.league().Teams, Nes);
        assigned.Teams[2].Players[0].Number = 150;
        app.session.document.replace(assigned);
        const auto image = readBytes(app.file("game.nes"));

        exportImage(app, app.file("game.nes"), 2, true);
        QVERIFY(readBytes(app.file("game.nes")) == image);
        QCOMPARE(app.platform.messages.size(), std::size_t{1});
        QCOMPARE(app.platform.messages[0].title, std::string("Read Me"));
        QCOMPARE(app.platform.messages[0].icon, MessageIcon::Information);
        QVERIFY(app.platform.messages[0].text.find("150") != std::string::npos);
        QCOMPARE(statusText(app), std::string());

        app.platform.clearRecords();
        // No wizard opens for a missing image.
        app.platform.chooseSave(app.file("nothing-here.nes"), 2);
        QVERIFY(trigger(*app.window, "mnuFileExportData"));
        QVERIFY(!std::filesystem::exists(app.file("nothing-here.nes")));
        QCOMPARE(app.platform.messages.size(), std::size_t{1});
        QVERIFY(app.platform.messages[0].text.starts_with("The file \""));
        QCOMPARE(app.platform.unexpected, 0);
    }

    void patchLeavesTheImageAndImportsBackAsTheExport() {
        App app;
        writeNesImage(app.file("game.nes"), 16);
        importImage(app, app.file("game.nes"), 2);
        setCity(app.session, 5, "Patched");
        const auto original = readBytes(app.file("game.nes"));
        RomImage expected = RomImage::load(app.file("game.nes"));
        exportLeague(Nes, app.session.document.league(), expected);

        for (const auto& [name, type] : {std::pair{"update.ips", 1}, std::pair{"update", 2}}) {
            app.platform.chooseSave(app.file("game.nes"), 2);
            app.platform.chooseSave(app.file(name), type);
            whenModal<frmExportData>([](frmExportData& wizard) {
                click(wizard, "radSavePatch");
                click(wizard, "cmdFinish");
            });
            QVERIFY(trigger(*app.window, "mnuFileExportData"));
            QVERIFY(readBytes(app.file("game.nes")) == original);
        }
        // A name without extension takes the chosen type's.
        QCOMPARE(statusText(app),
                 std::string("Saved 28 teams for game.nes as the patch update.bps"));
        for (const char* name : {"update.ips", "update.bps"})
            QVERIFY2(applyPatch(original, readBytes(app.file(name))) == expected.bytes(), name);
        const FileDialogRequest& asked = app.platform.saveRequests.at(1);
        QCOMPARE(asked.title, std::string("Save as a Patch"));
        QCOMPARE(asked.proposedName, std::string("game"));
        QVERIFY(asked.confirmOverwrite);
        QVERIFY(app.platform.messages.empty());

        // Someone else's league: the image and the patch, nothing written.
        app.platform.chooseOpen(app.file("game.nes"), 1);
        app.platform.chooseOpen(app.file("update.bps"));
        app.platform.answer(Answer::No); // the edit made above is not saved
        QVERIFY(trigger(*app.window, "mnuFileImportPatched"));
        QVERIFY(!app.session.document.isModified());
        QCOMPARE(app.session.document.league().Teams[5].City, std::string("Patched"));
        QCOMPARE(statusText(app),
                 std::string("Imported 28 teams from game.nes patched with update.bps (NES)"));
        QVERIFY(readBytes(app.file("game.nes")) == original);

        // A patch made for another image is refused by the BPS check, and the league stays.
        writeNesImage(app.file("other.nes"), 17);
        app.platform.chooseOpen(app.file("other.nes"), 1);
        app.platform.chooseOpen(app.file("update.bps"));
        QVERIFY(trigger(*app.window, "mnuFileImportPatched"));
        QCOMPARE(app.session.document.league().Teams[5].City, std::string("Patched"));
        QCOMPARE(app.platform.messages.size(), std::size_t{1});
        QVERIFY(app.platform.messages[0].text.find("CRC") != std::string::npos);
        QCOMPARE(app.platform.unexpected, 0);
    }

    void checksumChoiceIsRememberedAndAnImageWithoutHeaderSaysSo() {
        App app;
        writeNesImage(app.file("game.nes"), 18);
        importImage(app, app.file("game.nes"), 2);
        QVERIFY(!app.session.exportSettings.fixChecksum);
        app.platform.chooseSave(app.file("game.nes"), 1);
        whenModal<frmExportData>([](frmExportData& wizard) {
            click(wizard, "chkFixChecksum");
            click(wizard, "cmdFinish");
        });
        QVERIFY(trigger(*app.window, "mnuFileExportData"));
        QCOMPARE(statusText(app), std::string("Exported 28 teams into game.nes"));
        QCOMPARE(app.platform.texts(), std::vector<std::string>{NoHeaderChecksum});

        QVERIFY(app.window->close());
        const auto settings = readBytes(app.settingsFile());
        App next([&settings](App& later) { writeBytes(later.settingsFile(), settings); });
        QVERIFY(next.session.exportSettings.fixChecksum);
        QCOMPARE(next.session.exportSettings.lastImage, app.file("game.nes"));
        QCOMPARE(next.session.exportSettings.lastEdition, static_cast<int>(Nes));
    }

    void exportWarningsComeBeforeTheOutcome() {
        App app;
        writeNesImage(app.file("game.nes"), 15);
        importImage(app, app.file("game.nes"), 2);
        League assigned = documentAssigningEveryTeam(app.session.document.league().Teams, Nes);
        assigned.Teams[0].Players[0].Attributes[3] = -1;
        assigned.Teams[0].Players[0].Attributes[4] = -2;
        assigned.Teams[1].Abbreviation = "ABCDEFGHIJ";
        assigned.Teams[1].Players[0].Face = 300;
        app.session.document.replace(assigned);
        const PlayerRecord& player = app.session.document.player(0, 0);

        exportImage(app, app.file("game.nes"), 2, true);
        // One box per undefined level, then one list of what was cut to fit.
        QCOMPARE(app.platform.messages.size(), std::size_t{3});
        for (std::size_t m = 0; m < 2; ++m) {
            const RecordedMessage& message = app.platform.messages[m];
            QCOMPARE(message.title, std::string("Uh Oh!"));
            QCOMPARE(message.icon, MessageIcon::Critical);
            QCOMPARE(message.text, "Warning!\r" + player.FirstName + " " + player.LastName + " (" +
                                       app.session.document.league().Teams[0].Abbreviation +
                                       ") has an undefined attribute!");
        }
        const RecordedMessage& cuts = app.platform.messages[2];
        QCOMPARE(cuts.title, std::string("Read Me"));
        QCOMPARE(cuts.icon, MessageIcon::Information);
        QVERIFY(cuts.text.find("\"ABCDEFGHIJ\" is written as \"ABCD\"") != std::string::npos);
        QVERIFY(cuts.text.find("face 300") != std::string::npos);
        QCOMPARE(statusText(app), std::string("Exported 28 teams into game.nes"));
    }
};

KVX_UI_TEST(ImportExportTest)

} // namespace kvx::test

#include "romcommands_test.moc"
