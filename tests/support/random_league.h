#pragma once

#include "document/league.h"

#include <cstdint>
#include <random>
#include <string>

namespace kvx::test {

using Random = std::mt19937;

// A text of `length` characters drawn from `alphabet`.
std::string randomText(Random& random, std::size_t length, std::string_view alphabet);

// Every field filled with random values: names, numbers 0..99, faces 0..255, levels 0..15,
// ExtraNibble 0..15, RomSlot -1..29.
PlayerRecord randomPlayer(Random& random);
TeamRecord randomTeam(Random& random);
League randomLeague(int teamCount, std::uint32_t seed);

} // namespace kvx::test
