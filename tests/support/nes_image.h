#pragma once

#include "support/image_builder.h"

namespace kvx::test {

// Where the NES builder places what the image finds through pointers.
inline constexpr std::size_t NesImageSize = 0x40010;
inline constexpr std::size_t NesAbbreviations = 0x1FB80;
inline constexpr std::size_t NesTeamTexts = 0x1FD00;

// What every NES export writes whatever the league: the credits line, the web address, the
// program's name tag and the four copies of the year, as [begin, end) ranges.
std::vector<std::pair<std::size_t, std::size_t>> nesStampedRanges();

// An NES image holding `teams` (28, in the image's order, texts exactly as given) and the
// credits line and year of `info`, on random filler with the NES signature at 0x10.
RomImage buildNesImage(const std::vector<TeamRecord>& teams, const GeneralInfoRecord& info,
                       std::uint32_t seed);

} // namespace kvx::test
