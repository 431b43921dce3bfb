#include "support/printers.h"

namespace kvx {

void PrintTo(const PlayerRecord& player, std::ostream* out) {
    *out << "{\"" << player.FirstName << "\" \"" << player.LastName << "\" #" << player.Number
         << " face " << player.Face << " levels";
    for (auto level : player.Attributes)
        *out << ' ' << level;
    *out << " extra " << player.ExtraNibble << '}';
}

void PrintTo(const TeamRecord& team, std::ostream* out) {
    *out << "{\"" << team.City << "\" \"" << team.Name << "\" \"" << team.Abbreviation << "\" \""
         << team.ScheduleName << "\" slots";
    for (int edition = 1; edition <= EditionCount; ++edition)
        *out << ' ' << team.RomSlot[edition];
    for (const auto& player : team.Players) {
        *out << "\n  ";
        PrintTo(player, out);
    }
    *out << '}';
}

void PrintTo(const GeneralInfoRecord& info, std::ostream* out) {
    *out << "{\"" << info.Year << "\" " << info.Month << '/' << info.Day << " \"" << info.Credits
         << "\"}";
}

} // namespace kvx
