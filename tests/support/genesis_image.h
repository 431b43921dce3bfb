#pragma once

#include "support/image_builder.h"

#include <array>

namespace kvx::test {

inline constexpr std::size_t GenesisIImageSize = 0x80000;
inline constexpr std::size_t GenesisLaterImageSize = 0x160000;

// Where the second edition's third name block must begin.
inline constexpr std::size_t GenesisIIThirdNameBlock = 0x2F00E;

// Teams in the form a Genesis image stores them (see imageStyleTeams), each with its nickname as
// schedule name.
std::vector<TeamRecord> genesisStyleTeams(int count, std::uint32_t seed);

// Adds `extra` letters to every last name of the team: an image built from it leaves room for
// edits, since the Genesis layouts have none to spare.
void lengthenLastNames(TeamRecord& team, std::size_t extra);

// A first-edition image holding `teams` (28, in the image's order, texts exactly as given but
// for the game's "_" in place of "." in abbreviations) and the credits line and year of `info`,
// on random filler with the signature at 0x10. The name records and the attribute area follow
// the name pointer table directly.
RomImage buildGenesisIImage(const std::vector<TeamRecord>& teams, const GeneralInfoRecord& info,
                            std::uint32_t seed);

// A second-edition image with three different rosters: the team texts and schedule names of
// rosters[0] (copied into the other two), the players of each roster in its own name and
// attribute block. The first two name blocks must lead to `thirdBlock` (0x2F00E in the game's
// images), so the builder lengthens last names at the end of the second roster until they do;
// `rosters` is left as the image holds them. Throws std::length_error when the first two
// rosters' names are too long for that.
RomImage buildGenesisIIImage(std::array<std::vector<TeamRecord>, 3>& rosters,
                             const GeneralInfoRecord& info, std::uint32_t seed,
                             std::size_t thirdBlock = GenesisIIThirdNameBlock);

// A third-edition image: the texts and schedule names of teams 0..29 (with "\" for "."), and the
// players of all 32 teams, free agents and old timers included.
RomImage buildGenesisIIIImage(const std::vector<TeamRecord>& teams, const GeneralInfoRecord& info,
                              std::uint32_t seed);

// The damaged-image sweep of rom_checks for a Genesis edition: every roster of each damaged copy
// is imported and the league read is exported back into it with the edition's own code (the frame
// around the two reads nothing more of the image), which must leave the image as it was when it
// fails. The export goes into one scratch image that keeps its buffer, which keeps thousands of
// copies quick under the sanitizers.
int sweepDamagedGenesisImages(const RomImage& image, Edition edition, std::uint32_t seed,
                              int copies, const std::vector<std::size_t>& hotSpots);

// What an import of the second or third edition makes of teams stored in image form: the levels
// the edition does not keep cleared or derived, the fixed teams of the third edition, names
// title-cased.
std::vector<TeamRecord> expectedLongRosterImport(std::vector<TeamRecord> teams, Edition edition);

} // namespace kvx::test
