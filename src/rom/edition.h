#pragma once

#include "document/editions.h"
#include "document/league.h"
#include "rom/romimage.h"

#include <string>
#include <vector>

namespace kvx {

using Warnings = std::vector<std::string>;

// What one edition knows: where its league lives in the image and how to read and write it.
// Its team count, roster size and slots are the edition's facts (editionInfo).
struct EditionCodec {
    Edition edition;
    int textTeams;    // the teams whose texts the image keeps (the league, without extra teams)
    int creditsWidth; // the characters of the credits line an export writes
    // Fills `teams` (already sized to teamCount, every record blank). Reads the credits line and
    // date fields into `generalInfo` unless it is null. `roster` is 1..3 (Genesis II only).
    void (*importLeague)(const RomImage& image, std::vector<TeamRecord>& teams,
                         GeneralInfoRecord* generalInfo, int roster, Warnings& warnings);
    // Writes the prepared league (teamCount teams in the image's order, every player checked)
    // into the image. Raises ExportRefused before writing when something does not fit or would
    // read back differently, RomError when the image's tables lead outside the league's areas.
    // Every value it shortens to fit is said in `cuts`.
    void (*exportLeague)(RomImage& image, const std::vector<TeamRecord>& teams,
                         const GeneralInfoRecord& generalInfo, Warnings& cuts);
};

extern const EditionCodec NesEdition;
extern const EditionCodec GenesisIEdition;
extern const EditionCodec GenesisIIEdition;
extern const EditionCodec GenesisIIIEdition;
extern const EditionCodec SnesIEdition;
extern const EditionCodec SnesIIIEdition;

// The codec of a supported edition; null for automatic detection, SNES II, PlayStation and any
// edition whose layout is not available.
const EditionCodec* findEdition(Edition edition);

} // namespace kvx
