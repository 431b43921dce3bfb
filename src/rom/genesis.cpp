#include "rom/genesis.h"

#include "base/error.h"
#include "rom/pointerchecks.h"
#include "rom/routines.h"
#include "rom/textchecks.h"

#include <algorithm>

namespace kvx::genesis {

namespace {

constexpr std::string_view LeagueNames = "NFLAFCNFC";
constexpr std::array<std::string_view, 4> FixedStrings = {"efg", "hif", "bcd", "jkl"};

std::string leagueTextField(const std::string& text, char dot) {
    return replaced(toUpperAscii(trimSpaces(text)), '.', dot);
}

} // namespace

std::size_t leagueTextPointer(const RomImage& image, const LeagueTextLayout& layout, int index) {
    // The first edition reads its cities (and where the last one ends) through the lower halves
    // of their entries; every other entry, and every entry of the later editions, is read whole.
    const std::size_t at = layout.entry(index);
    const std::size_t offset =
        layout.maxOffset <= 0xFFFF && index <= layout.teams ? image.u16be(at + 2) : image.u32be(at);
    if (offset > image.size())
        throw RomError("The image is damaged: its league-text table points to " +
                       hexOffset(offset) + ", beyond its end at " + hexOffset(image.size()) + ".");
    return offset;
}

void readLeagueTexts(const RomImage& image, const LeagueTextLayout& layout,
                     std::vector<TeamRecord>& teams) {
    auto text = [&](int entry) {
        return replaced(std::string(image.range(leagueTextPointer(image, layout, entry),
                                                leagueTextPointer(image, layout, entry + 1))),
                        layout.textDot, '.');
    };
    const int nicknames = layout.teams + static_cast<int>(FixedStrings.size());
    for (int t = 0; t < layout.teams; ++t) {
        TeamRecord& team = teams[static_cast<std::size_t>(t)];
        team.Abbreviation = replaced(image.text(layout.block + 4 * static_cast<std::size_t>(t), 4),
                                     layout.abbreviationDot, '.');
        team.City = text(t);
        team.Name = text(nicknames + t);
    }
}

namespace {

// The strings the import reads (cities, the fixed four, nicknames, the season labels' start) run
// in order after the abbreviations and "NFLAFCNFC", and end before what follows the block.
void requireSoundLeagueTable(const RomImage& image, const LeagueTextLayout& layout) {
    const int labels = layout.seasonLabelsEntry();
    Targets targets(static_cast<std::size_t>(labels) + 1);
    for (int e = 0; e <= labels; ++e)
        targets[static_cast<std::size_t>(e)] = leagueTextPointer(image, layout, e);
    const Area strings{layout.block + 4 * static_cast<std::size_t>(layout.teams) +
                           LeagueNames.size(),
                       layout.limit, "the league texts"};
    requireInside(targets, 0, labels, strings, "league-text pointer");
    requireInOrder(targets, 0, labels, "league-text pointer");
    // The entries after the season labels' point into them; the export rewrites them.
    const int entries = labels + static_cast<int>(layout.subPointers.size());
    for (int e = labels + 1; e <= entries; ++e)
        requireInside(image.u32be(layout.entry(e)), 0, strings,
                      "league-text pointer " + std::to_string(e));
}

// The game shows its dot character as "." wherever it reads it back.
void requireTextsReadBack(const LeagueTextLayout& layout, const std::vector<TeamRecord>& teams) {
    constexpr std::string_view Dot = "the game shows that character as a point";
    for (int t = 0; t < layout.teams; ++t) {
        const TeamRecord& team = teams[static_cast<std::size_t>(t)];
        refuseCharacter(team, "abbreviation", team.Abbreviation, layout.abbreviationDot, Dot);
        if (layout.textDot != '.') {
            refuseCharacter(team, "city", team.City, layout.textDot, Dot);
            refuseCharacter(team, "nickname", team.Name, layout.textDot, Dot);
        }
    }
}

} // namespace

LeagueText prepareLeagueText(const RomImage& image, const LeagueTextLayout& layout,
                             const std::vector<TeamRecord>& teams) {
    requireSoundLeagueTable(image, layout);
    requireTextsReadBack(layout, teams);
    const std::size_t labels = leagueTextPointer(image, layout, layout.seasonLabelsEntry());
    const std::size_t room =
        std::min(layout.limit, ownAreaEnd(image, layout.block, labels, layout.seasonLabels.size(),
                                          "season labels"));

    LeagueText text{TextBlock(layout.block), {}};
    const auto count = static_cast<std::size_t>(layout.teams);
    for (std::size_t t = 0; t < count; ++t)
        text.block.append(abbreviationField(teams[t].Abbreviation, layout.abbreviationDot));
    text.block.append(LeagueNames);
    for (std::size_t t = 0; t < count; ++t)
        text.block.addEntry(leagueTextField(teams[t].City, layout.textDot));
    for (const std::string_view fixed : FixedStrings)
        text.block.addEntry(fixed);
    for (std::size_t t = 0; t < count; ++t)
        text.block.addEntry(leagueTextField(teams[t].Name, layout.textDot));
    text.block.addEntry(layout.seasonLabels);
    text.block.requireEndsBy(room, "team cities and nicknames");

    text.pointers = text.block.entries();
    const std::size_t labelsStart = text.pointers.back();
    for (const std::uint16_t sub : layout.subPointers)
        text.pointers.push_back(labelsStart + sub);
    if (text.pointers.back() > layout.maxOffset)
        throw ExportRefused("The team cities and nicknames would end at " +
                            hexOffset(text.pointers.back()) +
                            ", beyond what the game's league-text table can point to.");
    return text;
}

void writeLeagueText(ImageWrites& writes, const LeagueTextLayout& layout, const LeagueText& text) {
    text.block.writeTo(writes, "team abbreviations, cities and nicknames");
    writePointerTable(writes, layout.pointerTable, text.pointers,
                      {PointerFormat::BigEndian32, 0, layout.maxOffset}, "league-text table");
}

std::size_t ownAreaEnd(const RomImage& image, std::size_t blockStart, std::size_t areaStart,
                       std::size_t size, std::string_view what) {
    if (areaStart < blockStart)
        throw RomError("The image is damaged: its " + std::string(what) + " seem to begin at " +
                       hexOffset(areaStart) + ", before " + hexOffset(blockStart) + ".");
    image.require(areaStart, size);
    return areaStart + size;
}

void readNameRecord(const RomImage& image, std::size_t start, std::size_t end,
                    PlayerRecord& player) {
    readPackedName(image.range(start, std::max(end, start + 1)), player);
}

void padToEven(TextBlock& block) {
    if (block.position() & 1)
        block.append(std::string_view(&AttributeFiller, 1));
}

std::string replaced(std::string text, char from, char to) {
    std::replace(text.begin(), text.end(), from, to);
    return text;
}

std::string creditsLine(const std::string& credits) {
    return centredText(credits, static_cast<int>(LineWidth), 12);
}

std::string abbreviationField(const std::string& abbreviation, char dot) {
    return fixedWidth(replaced(abbreviation, '.', dot), 4);
}

std::string scheduleNameField(const std::string& name, char dot) {
    const std::string text = replaced(toUpperAscii(name), '.', dot).substr(0, ScheduleWidth);
    // The game centres from floor(8 - length / 2) in real arithmetic, i.e. 8 - ceil(length / 2).
    const std::size_t column = 8 - (text.size() + 1) / 2;
    std::string field(ScheduleWidth, ' ');
    field.replace(column - 1, text.size(), text);
    return field;
}

std::string cutScheduleName(const TeamRecord& team, Warnings& warnings) {
    const std::string& name = team.ScheduleName;
    if (name.size() <= ScheduleWidth)
        return name;
    const std::string cut = name.substr(0, ScheduleWidth);
    if (name.find_first_not_of(' ', ScheduleWidth) != std::string::npos)
        warnings.push_back("The schedule name \"" + name + "\" of the " + team.displayName() +
                           " is longer than 13 characters: the game shows \"" + cut + "\".");
    return cut;
}

std::string readScheduleName(const RomImage& image, std::size_t at, char dot) {
    return replaced(trimSpaces(image.text(at, ScheduleWidth)), dot, '.');
}

} // namespace kvx::genesis
