#pragma once

#include "document/league.h"
#include "rom/romimage.h"
#include "rom/romio.h"
#include "support/printers.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace kvx::test {

// What an import makes of teams stored in image form: names title-cased, the schedule name
// copied from the nickname as stored, and the attributes a short-roster image does not keep
// filled in the way the game fills them. For the NES and SNES I / Genesis I style editions.
std::vector<TeamRecord> expectedShortRosterImport(std::vector<TeamRecord> teams, int edition);

// The division slots a fresh import of `edition` gives its teams (in the image's order): each team
// the division table holds remembers its slot for that edition, every other RomSlot is -1.
void setImportedSlots(std::vector<TeamRecord>& teams, int edition);

// A document assigning every team of `teams` back to its slot, with the player names of the
// first `filledTeams` teams (in the edition's roster order) set so that the whole name block
// takes exactly `bytes` bytes; the other teams' players keep their names.
League leagueWithNameBlockOf(std::vector<TeamRecord> teams, int edition, int filledTeams,
                             std::size_t bytes);

// A document that assigns `teams` to the division slots given, for one edition.
League documentWithAssignments(const std::vector<std::pair<TeamRecord, int>>& teamsAndSlots,
                               int edition);

// A document holding the image's own teams (in the image's order), each assigned to the division
// slot that holds it, so that an export puts every team back where it came from.
League documentAssigningEveryTeam(const std::vector<TeamRecord>& imageTeams, int edition);

// The league imported from `original` exported back into a copy of it, every team into the
// division slot that holds it.
struct ExportedBack {
    RomImage image;
    ExportResult result;
};
ExportedBack exportBack(const RomImage& original, const std::vector<TeamRecord>& imported,
                        int edition);

// The texts that fill one of the rooms an export lays out: the player names, or the team cities.
enum class Grown { LastNames, Cities };

// A document assigning every team of `imported` (the image's own league, in its order) back to
// its slot, with the texts of one kind `extra` bytes longer in all: a letter at a time, in turn,
// for every team the export writes (and every player of them it stores).
League grownLeague(const std::vector<TeamRecord>& imported, int edition, Grown what,
                   std::size_t extra);

// The bytes that the cities, nicknames and player names of `teams` take.
std::size_t textBytes(const std::vector<TeamRecord>& teams);

// Offsets at which two images differ, outside the given [begin, end) ranges.
std::vector<std::size_t>
changesOutside(const RomImage& before, const RomImage& after,
               const std::vector<std::pair<std::size_t, std::size_t>>& ranges);

// Runs `attempt` on thousands of truncated and byte-mutated copies of `image`; it may throw
// kvx::Error but nothing else (and, under the sanitizers, must not touch memory it does not own).
// Returns how many copies were tried.
int sweepDamagedImages(const RomImage& image, std::uint32_t seed, int copies,
                       const std::vector<std::size_t>& hotSpots,
                       const std::function<void(const RomImage&)>& attempt);

// That sweep with the edition's own code, driven the way the export frame drives it: every copy
// is imported, and every second one is then exported with team 0 replaced by `replacement`, into a
// working copy that keeps its buffer (fresh whole-image copies are what makes a sweep slow under
// the sanitizers).
int sweepImportsAndExports(const RomImage& image, int edition, const TeamRecord& replacement,
                           std::uint32_t seed, int copies,
                           const std::vector<std::size_t>& hotSpots);

} // namespace kvx::test
