#include "document/datafile.h"

#include "base/bytes.h"
#include "base/error.h"
#include "base/fileio.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace kvx {

namespace {

// Smallest possible team block: four empty texts, 70 players of two empty names, RomSlot.
constexpr std::size_t MinimumTeamBlock = 4 * 2 + PlayerSlots * 32 + EditionCount * 2;

void writeCountedText(ByteWriter& out, const std::string& text, const char* what) {
    if (text.size() > 0xFFFF)
        throw DataFileError(std::string("The ") + what + " \"" + text.substr(0, 40) +
                            "...\" is too long to be saved.");
    out.u16(static_cast<std::uint16_t>(text.size()));
    out.text(text);
}

std::optional<std::string> readCountedText(ByteReader& in) {
    const auto length = in.u16();
    if (!length)
        return std::nullopt;
    return in.text(*length);
}

bool readPlayer(ByteReader& in, PlayerRecord& player) {
    auto first = readCountedText(in);
    auto last = readCountedText(in);
    const auto number = in.i16();
    const auto face = in.i16();
    if (!first || !last || !number || !face)
        return false;
    player.FirstName = std::move(*first);
    player.LastName = std::move(*last);
    player.Number = *number;
    player.Face = *face;
    for (auto& attribute : player.Attributes) {
        const auto value = in.i16();
        if (!value)
            return false;
        attribute = *value;
    }
    const auto extra = in.i16();
    if (!extra)
        return false;
    player.ExtraNibble = *extra;
    return true;
}

bool readTeam(ByteReader& in, TeamRecord& team) {
    for (std::string* field : {&team.City, &team.Name, &team.Abbreviation, &team.ScheduleName}) {
        auto text = readCountedText(in);
        if (!text)
            return false;
        *field = std::move(*text);
    }
    for (auto& player : team.Players)
        if (!readPlayer(in, player))
            return false;
    for (int edition = 1; edition <= EditionCount; ++edition) {
        const auto slot = in.i16();
        if (!slot)
            return false;
        team.RomSlot[edition] = *slot;
    }
    return true;
}

} // namespace

std::vector<std::uint8_t> serializeDataFile(const League& league) {
    const int count = league.teamCount();
    // The exact size, so that the buffer is allocated once: the fixed part of every team, then
    // the texts.
    std::size_t size = DataFileMagic.size() + 2 +
                       static_cast<std::size_t>(count) * MinimumTeamBlock + 4 + 2 + 2 + 2 +
                       league.GeneralInfo.Credits.size();
    for (const TeamRecord& team : league.teams()) {
        size += team.City.size() + team.Name.size() + team.Abbreviation.size() +
                team.ScheduleName.size();
        for (const PlayerRecord& player : team.Players)
            size += player.FirstName.size() + player.LastName.size();
    }
    ByteWriter out;
    out.reserve(size);
    out.text(std::string(DataFileMagic));
    out.i16(static_cast<std::int16_t>(count));
    for (const TeamRecord& team : league.teams()) {
        writeCountedText(out, team.City, "city");
        writeCountedText(out, team.Name, "team name");
        writeCountedText(out, team.Abbreviation, "abbreviation");
        writeCountedText(out, team.ScheduleName, "schedule name");
        for (const PlayerRecord& player : team.Players) {
            writeCountedText(out, player.FirstName, "first name");
            writeCountedText(out, player.LastName, "last name");
            out.i16(player.Number);
            out.i16(player.Face);
            for (const auto attribute : player.Attributes)
                out.i16(attribute);
            out.i16(player.ExtraNibble);
        }
        for (int edition = 1; edition <= EditionCount; ++edition)
            out.i16(team.RomSlot[edition]);
    }
    out.text(fittedYear(league.GeneralInfo.Year));
    out.i16(league.GeneralInfo.Month);
    out.i16(league.GeneralInfo.Day);
    writeCountedText(out, league.GeneralInfo.Credits, "credits line");
    return std::move(out).release();
}

std::optional<League> parseDataFile(std::span<const std::uint8_t> bytes) {
    ByteReader in(bytes);
    const auto magic = in.text(DataFileMagic.size());
    if (!magic || *magic != DataFileMagic)
        return std::nullopt;
    const auto count = in.i16();
    // A count the rest of the file cannot hold is damage; checking it first also keeps a
    // damaged count from allocating thousands of teams.
    if (!count || *count < 0 ||
        static_cast<std::size_t>(*count) > in.remaining() / MinimumTeamBlock)
        return std::nullopt;

    League content;
    content.TeamCount = *count;
    content.Teams.resize(static_cast<std::size_t>(std::max<int>(*count, 1)));
    for (TeamRecord& team : content.teams())
        if (!readTeam(in, team))
            return std::nullopt;

    auto year = in.text(4);
    const auto month = in.i16();
    const auto day = in.i16();
    auto credits = readCountedText(in);
    if (!year || !month || !day || !credits)
        return std::nullopt;
    content.GeneralInfo.Year = std::move(*year);
    content.GeneralInfo.Month = *month;
    content.GeneralInfo.Day = *day;
    content.GeneralInfo.Credits = std::move(*credits);
    return content;
}

void Save_Data_File(const League& league, const std::string& path,
                    const std::optional<FileIdentity>& unchanged) {
    const std::vector<std::uint8_t> bytes = serializeDataFile(league);
    if (bytes.size() > MaxDataFileSize)
        throw DataFileError("The league is too large to be saved in a data file.");
    writeFileAtomically(
        path, [&bytes](const ByteSink& sink) { sink(bytes); }, unchanged);
}

bool Load_Data_File(League& league, const std::string& path) {
    FileBytes bytes;
    try {
        bytes = readFile(path, MaxDataFileSize);
    } catch (const FileError&) {
        return false;
    }
    auto content = parseDataFile(bytes);
    if (!content)
        return false;
    content->CurrentFile = std::move(league.CurrentFile);
    league = std::move(*content);
    return true;
}

bool hasDataFileMagic(const std::string& path) {
    // Opening anything but a regular file (a FIFO above all) could wait for ever.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    std::ifstream file(path, std::ios::binary);
    char start[DataFileMagic.size()] = {};
    return file.read(start, sizeof start) && std::string_view(start, sizeof start) == DataFileMagic;
}

} // namespace kvx
