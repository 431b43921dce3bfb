#pragma once

#include "document/league.h"
#include "rom/edition.h"
#include "rom/romimage.h"

#include <string>
#include <vector>

namespace kvx {

struct ImportResult {
    Edition edition = AutoDetect; // the edition read
    int teamCount = 0;
    Warnings warnings;
};

// Reads the league of an image of `edition` into `teams` (resized to the edition's team count)
// and title-cases the names. Each team remembers where it came from: its RomSlot for `edition` is
// the division slot that holds its place in the image, -1 for every other edition and for teams
// no slot holds, so that exporting the league back puts every team where it was. The credits line
// and date fields go into `generalInfo` unless it is null. A roster choice of 0 reads roster 1.
// An edition that cannot be read leaves `teams` unchanged and yields 0 teams. Raises RomError for
// a damaged or short image.
ImportResult Import_ROM(Edition edition, const RomImage& image, std::vector<TeamRecord>& teams,
                        GeneralInfoRecord* generalInfo, int rosterChoice);

// Something the export changed on its own that the user must hear of, for each front end to word.
// `text` says it in a sentence; `team` and `player` name whom it concerns.
struct ExportWarning {
    enum Kind { UndefinedAttribute };
    Kind kind;
    std::string team; // the team's abbreviation
    std::string player;
    std::string text;

    bool operator==(const ExportWarning&) const = default;
};

struct ExportResult {
    // One per undefined level (written as 0): undefinedAttributeWarning.
    std::vector<ExportWarning> warnings;
    // Every value the export shortened or clamped because the edition cannot hold more, as a
    // sentence naming the team (and the player) and what was written instead.
    Warnings cuts;
    // Anything else the user should know of the export (a checksum that could not be corrected).
    Warnings notes;
    int teamsReplaced = 0; // image teams that received a document team
};

// The teams an image of `edition` holds where an export writes, in the image's order: what the
// export keeps for every team the document does not replace (for Genesis II, the roster it
// rewrites). Raises RomError for a damaged or short image.
std::vector<TeamRecord> teamsInImage(Edition edition, const RomImage& image);

// Writes the document's teams into the in-memory image at the slots the export wizard assigned
// for `edition`; every other team keeps the image's own data (of the roster the export rewrites).
// A slot without either name is written as "John" "Doe n"; a player with one name keeps it.
// Every check (numbers, levels, the room each block has, texts that would read back differently,
// tables that lead outside the league's areas) runs before the first byte is changed; what cannot
// be written raises ExportRefused, a damaged image RomError. After an exception the in-memory
// image must be discarded, never written back: the caller writes the file only when this returns.
ExportResult Export_ROM(Edition edition, const League& league, RomImage& image);

// The player and team that carried an undefined attribute.
ExportWarning undefinedAttributeWarning(const PlayerRecord& player, const TeamRecord& team);

} // namespace kvx
