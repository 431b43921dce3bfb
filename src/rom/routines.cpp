#include "rom/routines.h"

#include "document/tables.h"

#include <algorithm>

namespace kvx {

std::string Bytes_To_Hex(std::string_view bytes) {
    static constexpr char Digits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto value = static_cast<std::uint8_t>(c);
        hex += Digits[value >> 4];
        hex += Digits[value & 0x0F];
    }
    return hex;
}

std::string Text_After_Last(const std::string& text, std::string_view separator) {
    const auto at = separator.empty() ? std::string::npos : text.rfind(separator);
    return at == std::string::npos ? text : text.substr(at + separator.size());
}

std::string Text_Before_Last(const std::string& text, std::string_view separator) {
    const auto at = separator.empty() ? std::string::npos : text.rfind(separator);
    return at == std::string::npos ? text : text.substr(0, at);
}

std::int32_t Pointer_To_Offset(std::uint8_t b0, std::uint8_t b1, std::int32_t base) {
    std::int32_t offset = b0 + 256 * b1 - base;
    if (offset < 0)
        offset += 65536;
    return offset;
}

PlayerRecord& rosterPlayer(std::vector<TeamRecord>& teams, int edition, int i) {
    return teams[static_cast<std::size_t>(i / rosterSize(edition))]
        .Players[static_cast<std::size_t>(Roster_Slot(edition, i))];
}

const PlayerRecord& rosterPlayer(const std::vector<TeamRecord>& teams, int edition, int i) {
    return teams[static_cast<std::size_t>(i / rosterSize(edition))]
        .Players[static_cast<std::size_t>(Roster_Slot(edition, i))];
}

int Find_Assigned_Team(const std::vector<TeamRecord>& teams, int teamCount, int edition, int k) {
    const int count = std::min<int>(teamCount, static_cast<int>(teams.size()));
    for (int t = 0; t < count; ++t) {
        const int slot = teams[static_cast<std::size_t>(t)].RomSlot[edition];
        if (slot >= 0 && slot < 30 && SlotTeamIndex(edition, slot) == k)
            return t;
    }
    return -1;
}

namespace {

// Lower case, but upper case for the first letter and every letter after a "." or a " ". In
// place: an import capitalises thousands of names.
void capitalize(std::string& text) {
    bool raise = true;
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        if (raise && c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        raise = c == '.' || c == ' ';
    }
}

void capitalizePair(std::string& first, std::string& second) {
    if (first.empty() || second.empty())
        return;
    capitalize(first);
    capitalize(second);
}

} // namespace

void Capitalize_Names(std::vector<TeamRecord>& teams) {
    for (TeamRecord& team : teams) {
        capitalizePair(team.City, team.Name);
        for (PlayerRecord& player : team.Players)
            capitalizePair(player.FirstName, player.LastName);
    }
}

int decodeJerseyNumber(std::uint8_t value) {
    // The byte written in hex, read as a decimal number up to its first non-digit.
    const int high = value >> 4;
    const int low = value & 0x0F;
    if (high == 0)
        return low <= 9 ? low : 0;
    if (high > 9)
        return 0;
    return low <= 9 ? high * 10 + low : high;
}

std::uint8_t encodeJerseyNumber(int number) {
    return static_cast<std::uint8_t>(((number / 10) << 4) | (number % 10));
}

void readPackedName(std::string_view entry, PlayerRecord& player) {
    if (entry.empty())
        return;
    player.Number =
        static_cast<std::int16_t>(decodeJerseyNumber(static_cast<std::uint8_t>(entry[0])));
    const std::string_view text = entry.substr(1);
    const auto split =
        std::find_if(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
    player.FirstName.assign(text.begin(), split);
    player.LastName.assign(split, text.end());
}

std::string packedName(const PlayerRecord& player) {
    std::string entry;
    appendPackedName(entry, player);
    return entry;
}

void appendPackedName(std::string& out, const PlayerRecord& player) {
    out += static_cast<char>(encodeJerseyNumber(player.Number));
    const std::size_t first = out.size();
    out += player.FirstName;
    const std::size_t last = out.size();
    out += player.LastName;
    for (std::size_t i = first; i < last; ++i)
        if (out[i] >= 'A' && out[i] <= 'Z')
            out[i] = static_cast<char>(out[i] - 'A' + 'a');
    for (std::size_t i = last; i < out.size(); ++i)
        if (out[i] >= 'a' && out[i] <= 'z')
            out[i] = static_cast<char>(out[i] - 'a' + 'A');
}

std::string centredText(const std::string& text, int width, int centre) {
    const std::string upper = toUpperAscii(text);
    const int length = static_cast<int>(upper.size());
    if (length >= width)
        return upper.substr(0, static_cast<std::size_t>(width));
    std::string line(static_cast<std::size_t>(width), ' ');
    const int column = std::clamp(centre - length / 2, 1, width - length + 1); // 1-based
    line.replace(static_cast<std::size_t>(column - 1), upper.size(), upper);
    return line;
}

std::string fixedWidth(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

void nameExtraTeams(std::vector<TeamRecord>& teams, std::size_t first) {
    struct ExtraTeam {
        std::string_view abbreviation;
        std::string_view city;
        std::string_view name;
    };
    static constexpr std::array<ExtraTeam, 2> ExtraTeams = {
        {{"F.A", "[Free", "Agents]"}, {"OLD", "[Old", "Timers]"}}};
    for (std::size_t e = 0; e < ExtraTeams.size(); ++e) {
        TeamRecord& team = teams.at(first + e);
        team.Abbreviation = ExtraTeams[e].abbreviation;
        team.City = ExtraTeams[e].city;
        team.Name = ExtraTeams[e].name;
    }
}

} // namespace kvx
