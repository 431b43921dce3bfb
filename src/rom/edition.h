#pragma once

#include "document/league.h"
#include "rom/romimage.h"

#include <string>
#include <vector>

namespace kvx {

// Edition codes: the 1-based entries of the file dialogs' type list.
enum Edition : int {
    AutoDetect = 1,
    Nes = 2,
    GenesisI = 3,
    GenesisII = 4,
    GenesisIII = 5,
    SnesI = 6,
    SnesII = 7,
    SnesIII = 8,
    PlayStation = 9
};

using Warnings = std::vector<std::string>;

// What one edition knows: where its league lives in the image and how to read and write it.
struct EditionCodec {
    int code;
    int teamCount;
    int textTeams;    // the teams whose texts the image keeps (the league, without extra teams)
    int creditsWidth; // the characters of the credits line an export writes
    // The roster an export rewrites, which its own reading of the image must take for the teams
    // it does not replace.
    int exportedRoster = 1;
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
const EditionCodec* findEdition(int code);

} // namespace kvx
