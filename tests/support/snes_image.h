#pragma once

#include "support/image_builder.h"

namespace kvx::test {

inline constexpr std::size_t SnesIImageSize = 0x180000;
inline constexpr std::size_t SnesIIIImageSize = 0x200000;

// imageStyleTeams with the cities in lower case, as the SNES editions store them, and (for the
// third edition) a schedule name of up to 8 letters taken from the name.
std::vector<TeamRecord> snesStyleTeams(int count, std::uint32_t seed);

// A first-edition SNES image holding `teams` (28, in the image's order, texts exactly as given:
// each team text is City, then a space and Name unless Name is empty), the credits line, year and
// date line of `info`, on random filler with the signature at 0x10.
RomImage buildSnesIImage(const std::vector<TeamRecord>& teams, const GeneralInfoRecord& info,
                         std::uint32_t seed);

// A third-edition SNES image holding `teams` (32: the 30 teams, then the players of the free
// agents and the old timers, whose texts the image does not keep), texts exactly as given (as
// above), the
// credits line and year of `info`. The low nibble of a quarterback's byte 6 is his ExtraNibble.
RomImage buildSnesIIIImage(const std::vector<TeamRecord>& teams, const GeneralInfoRecord& info,
                           std::uint32_t seed);

} // namespace kvx::test
