#pragma once

#include "document/league.h"
#include "document/typedvalues.h" // the answer to the import's roster question
#include "rom/edition.h"
#include "rom/romimage.h"
#include "rom/romio.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace kvx {

// The file-type list of the import and export dialogs: one "display text|pattern|" entry per
// edition code.
std::string editionFilterString();

// Short names for the command line: auto, nes, genesis1, ..., psx.
std::string_view editionName(Edition edition);
// Accepts a short name or a code 1..9.
std::optional<Edition> editionFromName(std::string_view name);

// The edition whose signature matches the 16 bytes at 0x10, tried in code order; nothing when
// none matches (or the image is too short to hold them).
std::optional<Edition> detectEdition(const RomImage& image);

// True when images of this edition can be imported and exported.
bool editionSupported(Edition edition);

// The image's edition: the detected one for automatic detection, else the named one. Raises
// UnsupportedImage for an edition this program cannot read or write.
Edition resolveEdition(Edition named, const RomImage& image);

// Import as the commands run it: `into` starts as a new document (dated, credited "ANONYMOUS")
// and receives the image's teams, TeamCount and general information. Raises RomError for a
// damaged image; an unsupported edition yields 0 teams and leaves `into` as it was.
ImportResult importLeague(const RomImage& image, Edition edition, int rosterChoice, League& into);

// Which roster of an image holding several to import (asked of the user, or given as an
// option); nothing cancels the import.
using RosterQuestion = std::function<std::optional<int>()>;

// The import both front ends run: resolves the edition (resolveEdition), asks for the roster
// only when the image holds several, and reads the league into `into`, which the caller makes
// a new document. Raises UnsupportedImage when nothing can be read, RomError for a damaged
// image; nothing when the roster question was cancelled. `into` changes only on success.
std::optional<ImportResult> importImage(const RomImage& image, Edition named,
                                        const RosterQuestion& askRoster, League& into);

// What an export is asked to do beyond writing the league.
struct ExportChoices {
    bool fixChecksum = false; // correct the Genesis or SNES header checksum afterwards
};

// Export_ROM into the in-memory image, then what the choices ask for. A checksum the image has
// no header for is said in the result's notes.
ExportResult exportLeague(Edition edition, const League& league, RomImage& image,
                          const ExportChoices& choices = {});

// The export both front ends run into an image file: under the image's lock (which other
// exports take too) it reads the image, writes the league into it for `edition` (resolved as
// resolveEdition does, UnsupportedImage when it cannot be written) and replaces
// the file in one step, only while it is still the file that was read (FileChanged otherwise).
// When anything is refused (ExportRefused, RomError, FileError) the file is left as it was.
// `checked` hears the result once every check has passed, before the file is written.
using ExportChecked = std::function<void(const ExportResult&)>;
ExportResult exportImageFile(const std::string& path, Edition edition, const League& league,
                             const ExportChoices& choices = {}, const ExportChecked& checked = {});

// An export into a copy of the image file, which is only read: for a patch, or a copy to play.
struct ExportedCopy {
    RomImage original;
    RomImage exported;
    ExportResult result;
};
ExportedCopy exportCopy(const std::string& path, Edition edition, const League& league,
                        const ExportChoices& choices = {});

} // namespace kvx
