#pragma once

#include "document/league.h"
#include "document/typedvalues.h" // the answer to the import's roster question
#include "rom/edition.h"
#include "rom/romimage.h"
#include "rom/romio.h"

#include <optional>
#include <string>
#include <string_view>

namespace kvx {

// The file-type list of the import and export dialogs: nine entries, one per edition code,
// each "display text|pattern|".
std::string_view editionFilterEntry(int edition);
std::string editionFilterString();

// Short names for the command line: auto, nes, genesis1, ..., psx.
std::string_view editionName(int edition);
// Accepts a short name or a code 1..9.
std::optional<int> editionFromName(std::string_view name);

// The edition whose signature matches the 16 bytes at 0x10, tried in the documented order;
// 0 when none matches (or the image is too short to hold them).
int detectEdition(const RomImage& image);

// True when images of this edition can be imported and exported.
bool editionSupported(int edition);

// Import as the commands run it: `into` starts as a new document (dated, credited "ANONYMOUS")
// and receives the image's teams, TeamCount and general information. Raises RomError for a
// damaged image; an unsupported edition yields 0 teams and leaves `into` as it was.
ImportResult importLeague(const RomImage& image, int edition, int rosterChoice, League& into);

// What an export is asked to do beyond writing the league.
struct ExportChoices {
    bool fixChecksum = false; // correct the Genesis or SNES header checksum afterwards
};

// Export_ROM into the in-memory image, then what the choices ask for: the one export both front
// ends run. A checksum the image has no header for is said in the result's notes.
ExportResult exportLeague(int edition, const League& league, RomImage& image,
                          const ExportChoices& choices = {});

// Export as the commands run it: reads the image file, writes the league into it for `edition`
// and replaces the file in one step. When anything is refused (ExportRefused, RomError,
// FileError) the file is left exactly as it was.
ExportResult exportImageFile(const std::string& path, int edition, const League& league);

} // namespace kvx
