#pragma once

#include "document/league.h"
#include "rom/romimage.h"

#include <cstddef>
#include <string>
#include <vector>

// The attribute record of the NES and SNES I editions, one per player in roster order,
// nibble-packed with the high nibble first. By roster index k:
//
//   byte 0   Attributes(1) high, (0) low          every player
//   byte 1   Attributes(2) high, (3) low          every player
//   byte 2   Face                                 every player
//   byte 3   Attributes(6) high, (7) low          all but the offensive line (k = 12..16)
//   byte 4   Attributes(8) high, (9) low          quarterbacks (k = 0, 1) only
//
// so a record takes 5, 3 or 4 bytes. The kicker is k = 28 in both editions.
namespace kvx {

// Reads the records of `players` players from `start` into their slots of `teams`, and gives the
// attributes these images do not keep the values the game itself uses.
void readShortRecords(const RomImage& image, std::size_t start, int edition, int players,
                      std::vector<TeamRecord>& teams);

// The records of `players` players, joined, as the export writes them.
std::string shortRecords(const std::vector<TeamRecord>& teams, int edition, int players);

} // namespace kvx
