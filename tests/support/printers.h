#pragma once

#include "document/league.h"

#include <ostream>

// Readable failure messages for the document's records.
namespace kvx {

void PrintTo(const PlayerRecord& player, std::ostream* out);
void PrintTo(const TeamRecord& team, std::ostream* out);
void PrintTo(const GeneralInfoRecord& info, std::ostream* out);

} // namespace kvx
