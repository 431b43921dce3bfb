#pragma once

#include "document/league.h"
#include "rom/romimage.h"

#include <cstddef>
#include <string_view>
#include <vector>

// The six editions as the image harnesses see them: a valid image built by the test builders,
// the places worth damaging first, and what an export is documented to change in a league.
namespace kvx::fuzz {

struct FuzzedEdition {
    Edition edition; // the harness is fuzz_<short name>, its corpus corpus/<short name>
    RomImage (*validImage)();
    // Where the edition's tables and blocks begin in the valid image: the seeds patch and cut
    // there, so that short runs start out in the interesting bytes.
    std::vector<std::size_t> places;
};

const std::vector<FuzzedEdition>& fuzzedEditions();
const FuzzedEdition& fuzzedEdition(Edition edition);

// The first difference, in words, between the league an export was given (a first import, every
// team exported back into its own place) and what importing the exported image gave, allowing for
// what an export is documented to change: team texts are written trimmed and in the case the
// edition stores them, then title-cased by the import; the credits line is written in upper case
// (but for SNES I); a player with one name keeps it in the case the edition stores (the import
// title-cases pairs only); a player without either name becomes "John" / "Doe n" with every level
// 0 and the levels the edition derives from that. Empty when there is none.
std::string differenceAfterExport(Edition edition, const std::vector<TeamRecord>& exported,
                                  const GeneralInfoRecord& exportedInfo,
                                  const std::vector<TeamRecord>& imported,
                                  const GeneralInfoRecord& importedInfo);

} // namespace kvx::fuzz
