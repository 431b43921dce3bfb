#pragma once

#include "document/league.h"
#include "rom/edition.h"
#include "rom/romimage.h"

#include <string>
#include <vector>

namespace kvx {

struct ImportResult {
    int teamCount = 0;
    Warnings warnings;
};

// Reads the league of an image of `edition` into `teams` (resized to the edition's team count)
// and title-cases the names. The credits line and date fields go into `generalInfo` unless it is
// null. A roster choice of 0 reads roster 1. An edition that cannot be read leaves `teams`
// unchanged and yields 0 teams. Raises RomError for a damaged or short image.
ImportResult Import_ROM(int edition, const RomImage& image, std::vector<TeamRecord>& teams,
                        GeneralInfoRecord* generalInfo, int rosterChoice);

struct ExportResult {
    Warnings warnings;
    int teamsReplaced = 0; // image teams that received a document team
};

// Writes the document's teams into the in-memory image at the slots the export wizard assigned
// for `edition`; every other team keeps the image's own data. Every check (numbers, levels, the
// room each block has) runs before the first byte is changed; what does not fit raises
// ExportRefused, a damaged image RomError. After an exception the in-memory image must be
// discarded, never written back: the caller writes the file only when this returns.
ExportResult Export_ROM(int edition, const League& league, RomImage& image);

// "Warning!", a carriage return, and the player and team that carried an undefined attribute.
std::string undefinedAttributeWarning(const PlayerRecord& player, const TeamRecord& team);

} // namespace kvx
