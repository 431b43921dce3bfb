#pragma once

#include "document/league.h"
#include "document/teamtexts.h"

#include <QFlags>
#include <QMetaType>
#include <QObject>
#include <QString>

#include <functional>
#include <span>
#include <vector>

class QUndoStack;

namespace kvx {

// What an edit of the league changed, so that each open window refreshes only what it shows.
enum class DocumentAspect : unsigned {
    TeamTexts = 1u << 0,   // City, Name, Abbreviation or ScheduleName of the listed teams
    TeamCount = 1u << 1,   // teams were added (or taken away again by an undo)
    Players = 1u << 2,     // player records of the listed teams
    GeneralInfo = 1u << 3, // roster date or credits
    RomSlots = 1u << 4,    // the export wizard's slot assignment of the listed teams
    Whole = 1u << 5,       // another document took this one's place (New, Open, Import, ...)
    FileName = 1u << 6,    // the document was saved under a (new) name
};
Q_DECLARE_FLAGS(DocumentAspects, DocumentAspect)
Q_DECLARE_OPERATORS_FOR_FLAGS(DocumentAspects)

struct DocumentChange {
    DocumentAspects aspects;
    // The teams whose records changed, in ascending order; empty for Whole, GeneralInfo and
    // FileName.
    std::vector<int> teams;

    bool has(DocumentAspect aspect) const { return aspects.testFlag(aspect); }
    // True when what changed may concern `team`: its own records, or the whole document.
    bool touches(int team) const;
};

// The one owner of the league document. Windows and commands read the league freely through
// league() and change it only through the edits below. Each edit keeps the document's rules
// (Teams holds at least TeamCount teams; indices are checked and a bad one is refused with
// std::out_of_range before anything changes), becomes one step of the undo history named
// after the user's action, marks the document changed and emits changed() once. An edit that
// changes nothing leaves no step and emits nothing.
//
// Replacing the whole document (New, Open, a recent file, Import, a CSV import) and saving it
// are not edits: they start a fresh history, or mark its present step as the saved one.
class Document : public QObject {
    Q_OBJECT

public:
    explicit Document(QObject* parent = nullptr);
    ~Document() override;

    const League& league() const { return league_; }
    // TeamCount, never more than Teams holds and never negative.
    int teamCount() const;
    // Team 0..teamCount() - 1; std::out_of_range for any other index.
    const TeamRecord& team(int index) const;
    const PlayerRecord& player(int team, int slot) const;

    // Unsaved changes: the present step of the history is not the one last saved or loaded.
    bool isModified() const;
    // Undo and redo of the edits, for Edit > Undo / Redo.
    QUndoStack& undoStack() { return *undo_; }

    // --- Edits ---------------------------------------------------------------------------
    void setTeamTexts(int team, const TeamTexts& texts);
    // Appends a blank team (70 blank players, RomSlot 0 for every edition) carrying the texts;
    // returns its index.
    int addTeam(const TeamTexts& texts);
    // Stores players into consecutive slots of one team, from `firstSlot` on: the rosters
    // editor's page of seven rows.
    void storePlayers(int team, int firstSlot, std::span<const PlayerRecord> players,
                      const QString& action);
    // Exchanges two player records whole (Swap_Players); the two may be of different teams.
    void swapPlayers(int teamA, int slotA, int teamB, int slotB, const QString& action);
    void setFace(int team, int slot, int face);
    // Depth places 2 and 4, and 3 and 5, of every team's defensive backs change places.
    void swapDefensiveBacks();
    void setGeneralInfo(const GeneralInfoRecord& info);
    // The export wizard's Finish: RomSlot[edition] of every team, in team order.
    void setRomSlots(int edition, const std::vector<std::int16_t>& assigned);

    // --- Whole document -------------------------------------------------------------------
    // Another document takes this one's place, unchanged and with a fresh history.
    void replace(League league);
    // The document was written to `path`: it becomes CurrentFile and the saved step.
    void markSaved(const std::string& path);

signals:
    void changed(const kvx::DocumentChange& change);
    void modifiedChanged(bool modified);

private:
    friend class EditCommand;
    using Mutation = std::function<void(League&)>;

    // Runs `mutate` on the league as one undoable step over the listed teams.
    void edit(const QString& action, DocumentAspects aspects, std::vector<int> teams,
              const Mutation& mutate);
    void announce(const DocumentChange& change);
    void checkTeam(int index) const;
    static void checkSlot(int slot);

    League league_;
    QUndoStack* undo_;
};

} // namespace kvx

Q_DECLARE_METATYPE(kvx::DocumentChange)
