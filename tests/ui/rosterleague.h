#pragma once

#include "document/league.h"

namespace kvx::test {

// Team t's player in slot s: "First<t>.<s>" "Last<t>.<s>", number s, face s, level (s + j) % 16
// for attribute j, extra nibble t.
PlayerRecord samplePlayer(int team, int slot);

// `teams` teams "City<t> Team<t>" with every slot filled by samplePlayer.
League fullLeague(int teams);

// Three teams as the rosters editor meets them: the third is named like the first, and team 0's
// quarterbacks are rows 0..2 complete, row 3 a first name only (number 7, every level 5, face
// 77), rows 4..6 blank as a new team leaves them.
League rosterLeague();

} // namespace kvx::test
