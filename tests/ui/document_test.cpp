#include "uitest.h"

#include "document/datafile.h"
#include "support/random_league.h"
#include "ui/document.h"

#include <QSignalSpy>
#include <QTest>
#include <QUndoStack>

#include <stdexcept>

namespace kvx::test {

namespace {

std::vector<std::uint8_t> bytesOf(const Document& document) {
    return serializeDataFile(document.league());
}

} // namespace

class DocumentTest : public QObject {
    Q_OBJECT

private slots:
    // Every kind of edit is one step: undone it gives back the document byte for byte, redone
    // the edited one; the saved step is the one without unsaved changes.
    void everyEditUndoesAndRedoesExactly() {
        Document document;
        document.replace(randomLeague(3, 11));
        QVERIFY(!document.isModified());
        document.markSaved("/somewhere/league.kvx");

        GeneralInfoRecord info = document.league().GeneralInfo;
        info.Credits = "EDITED";
        PlayerRecord page[7];
        for (PlayerRecord& player : page)
            player.FirstName = "Page";
        const std::vector<std::function<void()>> edits = {
            [&] {
                document.setTeamTexts(1, {"New", "Name", "NN", "New Name"});
            },
            [&] {
                document.addTeam({"Added", "Team", "ADD", "Added"});
            },
            [&] { document.storePlayers(0, 7, page, "Edit Players"); },
            [&] { document.swapPlayers(0, 3, 2, 60, "Trade"); },
            [&] { document.setFace(2, 5, 130); },
            [&] { document.swapDefensiveBacks(); },
            [&] { document.setGeneralInfo(info); },
            [&] {
                document.setRomSlots(2, {-1, 29, 0, 4});
            },
        };
        std::vector<std::vector<std::uint8_t>> states{bytesOf(document)};
        for (const auto& edit : edits) {
            edit();
            QVERIFY(document.isModified());
            QVERIFY(bytesOf(document) != states.back());
            states.push_back(bytesOf(document));
        }
        QCOMPARE(document.undoStack().count(), static_cast<int>(edits.size()));
        for (std::size_t step = edits.size(); step > 0; --step) {
            document.undoStack().undo();
            QVERIFY2(bytesOf(document) == states[step - 1], qPrintable(QString::number(step)));
        }
        QVERIFY(!document.isModified());
        QCOMPARE(document.teamCount(), 3);
        for (std::size_t step = 1; step <= edits.size(); ++step) {
            document.undoStack().redo();
            QVERIFY(bytesOf(document) == states[step]);
        }
        QCOMPARE(document.league().CurrentFile, std::string("/somewhere/league.kvx"));
    }

    void editsThatChangeNothingLeaveNoStep() {
        Document document;
        document.replace(randomLeague(2, 5));
        QSignalSpy changes(&document, &Document::changed);
        const TeamRecord& team = document.team(0);
        document.setTeamTexts(0, {team.City, team.Name, team.Abbreviation, team.ScheduleName});
        document.swapPlayers(1, 4, 1, 4, "Trade");
        document.setGeneralInfo(document.league().GeneralInfo);
        QCOMPARE(document.undoStack().count(), 0);
        QCOMPARE(changes.count(), 0);
        QVERIFY(!document.isModified());
    }

    void badIndicesAreRefusedBeforeAnythingChanges() {
        Document document;
        document.replace(randomLeague(2, 6));
        const auto before = bytesOf(document);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, document.team(2));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, document.swapPlayers(0, 0, 2, 0, "Trade"));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, document.setFace(0, 1, 256));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, document.setRomSlots(2, {0}));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, document.setRomSlots(2, {0, 30}));
        PlayerRecord two[2];
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, document.storePlayers(0, 69, two, "Edit"));
        QVERIFY(bytesOf(document) == before);
        QCOMPARE(document.undoStack().count(), 0);

        // A document whose count claims more teams than it holds is read as it can be.
        League short_ = randomLeague(2, 7);
        short_.TeamCount = 5;
        document.replace(short_);
        QCOMPARE(document.teamCount(), 2);
    }

    // One signal per change, saying what changed and for which teams; a new document starts a
    // fresh history without unsaved changes.
    void changesAreAnnounced() {
        Document document;
        document.replace(randomLeague(3, 8));
        QSignalSpy changes(&document, &Document::changed);
        QSignalSpy modified(&document, &Document::modifiedChanged);

        document.swapPlayers(2, 0, 0, 1, "Trade");
        document.addTeam({"A", "B", "C", "D"});
        document.undoStack().undo();
        QCOMPARE(changes.count(), 3);
        const auto trade = changes[0][0].value<DocumentChange>();
        QCOMPARE(trade.aspects, DocumentAspects(DocumentAspect::Players));
        QCOMPARE(trade.teams, (std::vector<int>{0, 2}));
        QVERIFY(trade.touches(2) && !trade.touches(1));
        const auto undone = changes[2][0].value<DocumentChange>();
        QVERIFY(undone.has(DocumentAspect::TeamCount));
        QCOMPARE(document.teamCount(), 3);

        document.replace(randomLeague(1, 9));
        QCOMPARE(changes.last()[0].value<DocumentChange>().aspects,
                 DocumentAspects(DocumentAspect::Whole));
        QCOMPARE(document.undoStack().count(), 0);
        QVERIFY(!document.isModified());
        QCOMPARE(modified.count(), 2);
    }
};

KVX_UI_TEST(DocumentTest)

} // namespace kvx::test

#include "document_test.moc"
