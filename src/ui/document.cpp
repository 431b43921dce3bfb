#include "ui/document.h"

#include <QUndoCommand>
#include <QUndoStack>

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <utility>

namespace kvx {

namespace {

// The state of the parts of the league one edit may touch: enough to put them back exactly.
struct Snapshot {
    std::int16_t teamCount = 0;
    std::size_t teamsSize = 1;
    std::vector<std::pair<int, TeamRecord>> teams; // only teams that existed at the time
    std::optional<GeneralInfoRecord> info;

    bool operator==(const Snapshot&) const = default;
};

Snapshot capture(const League& league, const std::vector<int>& teams, bool withInfo) {
    Snapshot snapshot;
    snapshot.teamCount = league.TeamCount;
    snapshot.teamsSize = league.Teams.size();
    for (const int t : teams)
        if (t >= 0 && static_cast<std::size_t>(t) < league.Teams.size())
            snapshot.teams.emplace_back(t, league.team(t));
    if (withInfo)
        snapshot.info = league.GeneralInfo;
    return snapshot;
}

void restore(League& league, const Snapshot& snapshot) {
    league.Teams.resize(std::max<std::size_t>(snapshot.teamsSize, 1));
    for (const auto& [t, record] : snapshot.teams)
        league.team(t) = record;
    league.TeamCount = snapshot.teamCount;
    if (snapshot.info)
        league.GeneralInfo = *snapshot.info;
}

} // namespace

bool DocumentChange::touches(int team) const {
    if (aspects.testFlag(DocumentAspect::Whole))
        return true;
    return std::binary_search(teams.begin(), teams.end(), team);
}

// One step of the history: the touched parts of the league before and after the edit.
class EditCommand : public QUndoCommand {
public:
    EditCommand(Document& document, const QString& action, DocumentChange change, Snapshot before,
                Snapshot after)
        : QUndoCommand(action), document_(document), change_(std::move(change)),
          before_(std::move(before)), after_(std::move(after)) {}

    void undo() override { apply(before_); }
    void redo() override { apply(after_); }

private:
    void apply(const Snapshot& snapshot) {
        restore(document_.league_, snapshot);
        document_.announce(change_);
    }

    Document& document_;
    DocumentChange change_;
    Snapshot before_;
    Snapshot after_;
};

Document::Document(QObject* parent) : QObject(parent), undo_(new QUndoStack(this)) {
    connect(undo_, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
}

Document::~Document() = default;

int Document::teamCount() const {
    return league_.teamCount();
}

void Document::checkTeam(int index) const {
    if (index < 0 || index >= teamCount())
        throw std::out_of_range("There is no team " + std::to_string(index) + " in the league.");
}

void Document::checkSlot(int slot) {
    if (slot < 0 || slot >= PlayerSlots)
        throw std::out_of_range("There is no player slot " + std::to_string(slot) + ".");
}

const TeamRecord& Document::team(int index) const {
    checkTeam(index);
    return league_.team(index);
}

const PlayerRecord& Document::player(int team, int slot) const {
    checkSlot(slot);
    return this->team(team).player(slot);
}

bool Document::isModified() const {
    return !undo_->isClean();
}

void Document::announce(const DocumentChange& change) {
    emit changed(change);
}

void Document::edit(const QString& action, DocumentAspects aspects, std::vector<int> teams,
                    const Mutation& mutate) {
    std::sort(teams.begin(), teams.end());
    teams.erase(std::unique(teams.begin(), teams.end()), teams.end());
    const bool withInfo = aspects.testFlag(DocumentAspect::GeneralInfo);
    Snapshot before = capture(league_, teams, withInfo);
    try {
        mutate(league_);
    } catch (...) {
        restore(league_, before);
        throw;
    }
    Snapshot after = capture(league_, teams, withInfo);
    if (after == before)
        return;
    DocumentChange change{aspects, std::move(teams)};
    // The stack runs the step's redo at once, which announces the change.
    undo_->push(
        new EditCommand(*this, action, std::move(change), std::move(before), std::move(after)));
}

void Document::setTeamTexts(int team, const TeamTexts& texts) {
    checkTeam(team);
    edit(tr("Edit Team"), DocumentAspect::TeamTexts, {team}, [&](League& league) {
        TeamRecord& record = league.team(team);
        record.City = texts.City;
        record.Name = texts.Name;
        record.Abbreviation = texts.Abbreviation;
        record.ScheduleName = texts.ScheduleName;
    });
}

int Document::addTeam(const TeamTexts& texts) {
    if (teamCount() >= INT16_MAX)
        throw std::out_of_range("The league cannot hold more teams.");
    const int index = teamCount();
    edit(tr("Add Team"), DocumentAspect::TeamCount | DocumentAspect::TeamTexts, {index},
         [&](League& league) {
             league.TeamCount = static_cast<std::int16_t>(index);
             TeamRecord& record = appendTeam(league);
             record.City = texts.City;
             record.Name = texts.Name;
             record.Abbreviation = texts.Abbreviation;
             record.ScheduleName = texts.ScheduleName;
         });
    return index;
}

void Document::storePlayers(int team, int firstSlot, std::span<const PlayerRecord> players,
                            const QString& action) {
    checkTeam(team);
    checkSlot(firstSlot);
    if (!players.empty())
        checkSlot(firstSlot + static_cast<int>(players.size()) - 1);
    edit(action, DocumentAspect::Players, {team}, [&](League& league) {
        auto& records = league.team(team).Players;
        std::copy(players.begin(), players.end(),
                  records.begin() + static_cast<std::ptrdiff_t>(firstSlot));
    });
}

void Document::swapPlayers(int teamA, int slotA, int teamB, int slotB, const QString& action) {
    checkTeam(teamA);
    checkTeam(teamB);
    checkSlot(slotA);
    checkSlot(slotB);
    edit(action, DocumentAspect::Players, {teamA, teamB}, [&](League& league) {
        Swap_Players(league.team(teamA).player(slotA), league.team(teamB).player(slotB));
    });
}

void Document::setFace(int team, int slot, int face) {
    edit(tr("Change Face"), DocumentAspect::Players, {team},
         [&](League& league) { kvx::setFace(league, team, slot, face); });
}

void Document::swapDefensiveBacks() {
    std::vector<int> teams(static_cast<std::size_t>(teamCount()));
    for (int t = 0; t < teamCount(); ++t)
        teams[static_cast<std::size_t>(t)] = t;
    edit(tr("Swap Defensive Backs"), DocumentAspect::Players, std::move(teams),
         [](League& league) { kvx::swapDefensiveBacks(league); });
}

void Document::setGeneralInfo(const GeneralInfoRecord& info) {
    edit(tr("Edit General Information"), DocumentAspect::GeneralInfo, {},
         [&](League& league) { league.GeneralInfo = info; });
}

void Document::setRomSlots(int edition, const std::vector<std::int16_t>& assigned) {
    if (edition < 1 || edition > EditionCount)
        throw std::out_of_range("There is no edition " + std::to_string(edition) + ".");
    if (assigned.size() != static_cast<std::size_t>(teamCount()))
        throw std::out_of_range("The slot assignment does not match the league's teams.");
    for (const std::int16_t slot : assigned)
        if (slot < -1 || slot >= DivisionSlots)
            throw std::out_of_range("There is no division slot " + std::to_string(slot) + ".");
    std::vector<int> teams(assigned.size());
    for (std::size_t t = 0; t < assigned.size(); ++t)
        teams[t] = static_cast<int>(t);
    edit(tr("Assign Export Slots"), DocumentAspect::RomSlots, std::move(teams),
         [&](League& league) {
             for (std::size_t t = 0; t < assigned.size(); ++t)
                 league.Teams[t].RomSlot[edition] = assigned[t];
         });
}

void Document::replace(League league) {
    if (league.Teams.empty())
        league.Teams.resize(1);
    league.TeamCount = static_cast<std::int16_t>(league.teamCount());
    league_ = std::move(league);
    undo_->clear();
    announce(DocumentChange{DocumentAspect::Whole, {}});
}

void Document::markSaved(const std::string& path) {
    league_.CurrentFile = path;
    undo_->setClean();
    announce(DocumentChange{DocumentAspect::FileName, {}});
}

} // namespace kvx
