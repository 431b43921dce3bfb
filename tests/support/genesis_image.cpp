#include "support/genesis_image.h"

#include "base/error.h"
#include "rom/edition.h"
#include "rom/romio.h"
#include "rom/routines.h"
#include "support/rom_checks.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace kvx::test {

namespace {

// The labels of the season screens, one after the other; every label has a pointer-table entry.
std::vector<std::string> seasonLabels(bool firstEdition) {
    std::vector<std::string> labels = {"AFC", "NFC", "", ""};
    const char* places[] = {" 1ST", " 2ND", " 3RD", " 4TH", " 5TH", " 6TH", " 7TH", " 8TH", " 9TH",
                            "10TH", "11TH", "12TH", "13TH", "14TH", "15TH", "16TH", "17TH", "18TH"};
    labels.insert(labels.end(), std::begin(places), std::end(places));
    for (const char* word : {"OFFENSE", "DEFENSE", "WEEK", "PRESEASON", "REGULAR SEASON",
                             "FIRST ROUND", "DIVISIONAL", firstEdition ? "PLAYOFF" : "PLAYOFFS",
                             "CHAMPIONSHIP", "SUPER BOWL", "PRO BOWL", "EAST", "CENTRAL", "WEST"})
        labels.emplace_back(word);
    labels.emplace_back(firstEdition ? "\xFF" : "    ");
    return labels;
}

std::string withDot(std::string text, char dot) {
    std::replace(text.begin(), text.end(), '.', dot);
    return text;
}

std::string padded(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

// The league-text block: abbreviations, "NFLAFCNFC", cities, four fixed strings, nicknames and the
// season labels, with a 4-byte big-endian pointer to every string from `table` on.
void putLeagueTexts(ImageBuilder& image, std::size_t table, std::size_t block,
                    const std::vector<TeamRecord>& teams, std::size_t count, char abbreviationDot,
                    char textDot, bool firstEdition) {
    std::size_t at = block;
    for (std::size_t t = 0; t < count; ++t) {
        image.put(at, padded(withDot(teams[t].Abbreviation, abbreviationDot), 4));
        at += 4;
    }
    image.put(at, "NFLAFCNFC");
    at += 9;
    std::vector<std::string> strings;
    for (std::size_t t = 0; t < count; ++t)
        strings.push_back(withDot(teams[t].City, textDot));
    strings.insert(strings.end(), {"efg", "hif", "bcd", "jkl"});
    for (std::size_t t = 0; t < count; ++t)
        strings.push_back(withDot(teams[t].Name, textDot));
    for (const std::string& label : seasonLabels(firstEdition))
        strings.push_back(label);
    for (const std::string& text : strings) {
        image.putU32be(table, static_cast<std::uint32_t>(at));
        table += 4;
        image.put(at, text);
        at += text.size();
    }
    if (table != block)
        throw std::logic_error("builder: the league-text table does not end at the block");
}

void putScheduleNames(ImageBuilder& image, std::size_t at, const std::vector<TeamRecord>& teams,
                      std::size_t count) {
    for (std::size_t t = 0; t < count; ++t, at += 13) {
        const std::string name = withDot(teams[t].ScheduleName, '\\');
        if (name.size() > 13)
            throw std::length_error("builder: schedule names have 13 characters at most");
        const auto column = static_cast<std::size_t>(std::floor(8.0 - name.size() / 2.0));
        std::string field(13, ' ');
        field.replace(column - 1, name.size(), name);
        image.put(at, field);
    }
}

const PlayerRecord& playerAt(const std::vector<TeamRecord>& teams, int edition, int i) {
    const int roster = rosterSize(edition);
    return teams[static_cast<std::size_t>(i / roster)]
        .Players[static_cast<std::size_t>(Roster_Slot(edition, i))];
}

// A name block: `count` records from `records` on and their big-endian offsets (and the end) from
// `table` on, `width` bytes each. Returns where the records end.
std::size_t putNameBlock(ImageBuilder& image, std::size_t table, std::size_t records,
                         std::size_t width, const std::vector<TeamRecord>& teams, int edition) {
    const int count = static_cast<int>(teams.size()) * rosterSize(edition);
    std::size_t at = records;
    for (int i = 0; i <= count; ++i) {
        if (width == 2)
            image.putU16be(table, static_cast<std::uint32_t>(at));
        else
            image.putU32be(table, static_cast<std::uint32_t>(at));
        table += width;
        if (i < count) {
            const std::string record = nameEntry(playerAt(teams, edition, i));
            image.put(at, record);
            at += record.size();
        }
    }
    return at;
}

std::size_t nameBlockLength(const std::vector<TeamRecord>& teams, int edition) {
    std::size_t length = 0;
    const int count = static_cast<int>(teams.size()) * rosterSize(edition);
    for (int i = 0; i < count; ++i)
        length += nameEntry(playerAt(teams, edition, i)).size();
    return length;
}

bool quarterback(int k) {
    return k <= 1;
}
bool lineman(int k) {
    return k >= 12 && k <= 16;
}

// First edition: 1|0, 2|3, face, and 6|7 plus 8|9 (quarterbacks) or 6|7 plus a zero byte
// (everyone but the linemen, who get two zero bytes).
std::string genesisIEntry(const PlayerRecord& p, int k) {
    const auto& a = p.Attributes;
    std::string entry;
    entry += static_cast<char>(nibbles(a[1], a[0]));
    entry += static_cast<char>(nibbles(a[2], a[3]));
    entry += static_cast<char>(p.Face);
    entry += static_cast<char>(lineman(k) ? 0 : nibbles(a[6], a[7]));
    entry += static_cast<char>(quarterback(k) ? nibbles(a[8], a[9]) : 0);
    return entry;
}

// Second edition: 1|0, 2|3, face, then QB 6|7 8|9 0|10 4|0, OL 4|0, K 0|6 7|8 4|0, else 6|7 4|0.
std::string genesisIIEntry(const PlayerRecord& p, int k) {
    const auto& a = p.Attributes;
    std::string entry;
    auto add = [&](int high, int low) { entry += static_cast<char>(nibbles(high, low)); };
    add(a[1], a[0]);
    add(a[2], a[3]);
    entry += static_cast<char>(p.Face);
    if (quarterback(k)) {
        add(a[6], a[7]);
        add(a[8], a[9]);
        add(0, a[10]);
    } else if (k == 35) {
        add(0, a[6]);
        add(a[7], a[8]);
    } else if (!lineman(k)) {
        add(a[6], a[7]);
    }
    add(a[4], 0);
    return entry;
}

// Third edition: 1|0, 2|3, 4|5, face, then QB 6|7 8|9 10|0, OL nothing, K 6|7 8|9, else 6|7.
std::string genesisIIIEntry(const PlayerRecord& p, int k) {
    const auto& a = p.Attributes;
    std::string entry;
    auto add = [&](int high, int low) { entry += static_cast<char>(nibbles(high, low)); };
    add(a[1], a[0]);
    add(a[2], a[3]);
    add(a[4], a[5]);
    entry += static_cast<char>(p.Face);
    if (lineman(k))
        return entry;
    add(a[6], a[7]);
    if (quarterback(k) || k == 35)
        add(a[8], a[9]);
    if (quarterback(k))
        add(a[10], 0);
    return entry;
}

std::size_t putAttributes(ImageBuilder& image, std::size_t at, const std::vector<TeamRecord>& teams,
                          int edition, std::string (*entry)(const PlayerRecord&, int)) {
    const int roster = rosterSize(edition);
    const int count = static_cast<int>(teams.size()) * roster;
    for (int i = 0; i < count; ++i) {
        const std::string bytes = entry(playerAt(teams, edition, i), i % roster);
        image.put(at, bytes);
        at += bytes.size();
    }
    return at;
}

void putGeneralInfo(ImageBuilder& image, const GeneralInfoRecord& info, std::size_t credits,
                    std::size_t year) {
    image.put(credits, padded(info.Credits, 23));
    image.put(year, padded(info.Year, 4));
}

} // namespace

std::vector<TeamRecord> genesisStyleTeams(int count, std::uint32_t seed) {
    auto teams = imageStyleTeams(count, seed);
    for (auto& team : teams)
        team.ScheduleName = team.Name;
    return teams;
}

void lengthenLastNames(TeamRecord& team, std::size_t extra) {
    for (auto& player : team.Players)
        player.LastName += std::string(extra, 'X');
}

RomImage buildGenesisIImage(const std::vector<TeamRecord>& teams, const GeneralInfoRecord& info,
                            std::uint32_t seed) {
    ImageBuilder image(GenesisIImageSize, seed);
    image.signature("00000578000005820000058C00000596");
    putGeneralInfo(image, info, 0x1CCFC, 0x1CD77);

    // The first edition's entries hold offsets below 0x10000 as 0, 0, high, low: the game reads
    // its cities through the lower halves and everything else through the whole entries.
    putLeagueTexts(image, 0x4644, 0x47C8, teams, 28, '_', '.', true);
    for (std::size_t entry = 0x4644; entry < 0x47C8; entry += 4)
        if (image.byte(entry) != 0 || image.byte(entry + 1) != 0)
            throw std::length_error("builder: league texts beyond 16-bit offsets");

    const std::size_t end = putNameBlock(image, 0x5862, 0x5F64, 2, teams, GenesisI);
    if (end > 0xFFFF)
        throw std::length_error("builder: player names beyond 16-bit offsets");
    image.putU16be(0x4066, static_cast<std::uint32_t>(end));
    putAttributes(image, end, teams, GenesisI, genesisIEntry);
    return image.image();
}

RomImage buildGenesisIIImage(std::array<std::vector<TeamRecord>, 3>& rosters,
                             const GeneralInfoRecord& info, std::uint32_t seed,
                             std::size_t thirdBlock) {
    for (auto& roster : rosters) {
        for (std::size_t t = 0; t < 28; ++t) {
            roster[t].City = rosters[0][t].City;
            roster[t].Name = rosters[0][t].Name;
            roster[t].Abbreviation = rosters[0][t].Abbreviation;
            roster[t].ScheduleName = rosters[0][t].ScheduleName;
        }
    }

    // The second name block ends one byte before the third: a filler byte, then the third.
    constexpr std::size_t FirstTable = 0x271AE;
    constexpr std::size_t TableSize = 1037 * 4;
    const std::size_t firstEnd = FirstTable + TableSize + nameBlockLength(rosters[0], GenesisII);
    const std::size_t secondTable = firstEnd + (firstEnd & 1);
    const std::size_t secondEnd = secondTable + TableSize + nameBlockLength(rosters[1], GenesisII);
    const std::size_t target = thirdBlock - 1;
    if (secondEnd > target)
        throw std::length_error("builder: the first two rosters' names are too long");
    std::size_t missing = target - secondEnd;
    for (int i = 1035; i >= 0 && missing > 0; --i) {
        auto& player = rosters[1][static_cast<std::size_t>(i / 37)]
                           .Players[static_cast<std::size_t>(Roster_Slot(GenesisII, i))];
        const std::size_t more = std::min<std::size_t>(missing, 8);
        player.LastName += std::string(more, 'Z');
        missing -= more;
    }
    if (missing > 0)
        throw std::length_error("builder: the first two rosters' names are too short");

    ImageBuilder image(GenesisLaterImageSize, seed);
    image.signature("000005B0000005BA000005C4000005CE");
    putGeneralInfo(image, info, 0x125E88, 0x5E0E9);
    putLeagueTexts(image, 0x2567C, 0x25800, rosters[0], 28, '\\', '.', false);
    putScheduleNames(image, 0x5A1D8, rosters[0], 28);

    std::size_t table = FirstTable;
    for (const auto& roster : rosters) {
        const std::size_t end = putNameBlock(image, table, table + TableSize, 4, roster, GenesisII);
        if (end & 1)
            image.putByte(end, 0xFF); // the game's filler
        table = end + (end & 1);
    }
    for (const std::size_t pointer : {0x2506C, 0x25070, 0x25074})
        image.putU32be(pointer, static_cast<std::uint32_t>(table));
    std::size_t at = table;
    for (const auto& roster : rosters)
        at = putAttributes(image, at, roster, GenesisII, genesisIIEntry);
    return image.image();
}

RomImage buildGenesisIIIImage(const std::vector<TeamRecord>& teams, const GeneralInfoRecord& info,
                              std::uint32_t seed) {
    ImageBuilder image(GenesisLaterImageSize, seed);
    image.signature("000005BC000005C6000005D0000005DA");
    putGeneralInfo(image, info, 0x1587C6, 0x12C1D3);
    putLeagueTexts(image, 0x226D0, 0x22864, teams, 30, '\\', '\\', false);
    putScheduleNames(image, 0x12806E, teams, 30);
    const std::size_t end = putNameBlock(image, 0x25210, 0x26494, 4, teams, GenesisIII);
    if (end & 1)
        image.putByte(end, 0xFF);
    image.putU32be(0x22064, static_cast<std::uint32_t>(end + (end & 1)));
    putAttributes(image, end + (end & 1), teams, GenesisIII, genesisIIIEntry);
    return image.image();
}

int sweepDamagedGenesisImages(const RomImage& image, int edition, std::uint32_t seed, int copies,
                              const std::vector<std::size_t>& hotSpots) {
    const EditionCodec* codec = findEdition(edition);
    if (!codec)
        throw std::logic_error("not a Genesis edition");
    const int rosters = edition == GenesisII ? 3 : 1;
    RomImage scratch = image;
    return sweepDamagedImages(image, seed, copies, hotSpots, [&](const RomImage& damaged) {
        std::vector<TeamRecord> teams;
        for (int roster = 1; roster <= rosters; ++roster) {
            GeneralInfoRecord info;
            Import_ROM(edition, damaged, teams, &info, roster);
        }
        scratch = damaged;
        Warnings warnings;
        try {
            codec->exportLeague(scratch, teams, GeneralInfoRecord{"1999", 1, 1, "SWEEP"}, warnings);
        } catch (const Error&) {
            if (scratch.bytes() != damaged.bytes())
                throw std::logic_error("an export changed the image before it was refused");
            throw;
        }
    });
}

std::vector<TeamRecord> expectedLongRosterImport(std::vector<TeamRecord> teams, int edition) {
    std::vector<bool> reached(70, false);
    for (int k = 0; k < 37; ++k)
        reached[static_cast<std::size_t>(Roster_Slot(edition, k))] = true;
    for (auto& team : teams) {
        for (int slot = 0; slot < 70; ++slot) {
            PlayerRecord& player = team.player(slot);
            if (!reached[static_cast<std::size_t>(slot)]) {
                player = PlayerRecord{};
                continue;
            }
            player.ExtraNibble = 0;
            auto& a = player.Attributes;
            const int group = slot / 7;
            if (edition == GenesisII)
                a[5] = a[4]; // the second edition keeps one level for both
            // Position levels the edition keeps: quarterbacks all five, kickers three (second
            // edition) or four (third), linemen none, everyone else two.
            int kept = 2;
            if (group == QB)
                kept = 5;
            else if (group == K)
                kept = edition == GenesisII ? 3 : 4;
            else if (group == OL)
                kept = 0;
            for (int n = kept; n < 5; ++n)
                a[static_cast<std::size_t>(6 + n)] = 0;
        }
    }
    if (edition == GenesisIII) {
        teams.resize(32);
        teams[30].Abbreviation = "F.A";
        teams[30].City = "[Free";
        teams[30].Name = "Agents]";
        teams[31].Abbreviation = "OLD";
        teams[31].City = "[Old";
        teams[31].Name = "Timers]";
        teams[30].ScheduleName = teams[31].ScheduleName = "";
    }
    Capitalize_Names(teams);
    setImportedSlots(teams, edition);
    return teams;
}

} // namespace kvx::test
