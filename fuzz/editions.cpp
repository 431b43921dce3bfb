#include "editions.h"

#include "check.h"
#include "rom/attributes.h"
#include "rom/edition.h"
#include "rom/routines.h"
#include "support/genesis_image.h"
#include "support/nes_image.h"
#include "support/snes_image.h"

#include <array>
#include <stdexcept>
#include <string>

namespace kvx::fuzz {

namespace {

const GeneralInfoRecord OldInfo{"1993", 8, 31, "  ORIGINAL CREDITS     "};
const GeneralInfoRecord SnesInfo{"1993", 8, 31, "ORIG CREDITS"};

RomImage nesImage() {
    return test::buildNesImage(test::imageStyleTeams(28, 1), OldInfo, 2);
}

RomImage genesisIImage() {
    return test::buildGenesisIImage(test::genesisStyleTeams(28, 1), OldInfo, 2);
}

RomImage genesisIIImage() {
    // The third roster's last names are longer, so that the other two fit its place on export.
    std::array<std::vector<TeamRecord>, 3> rosters = {test::genesisStyleTeams(28, 1),
                                                      test::genesisStyleTeams(28, 2),
                                                      test::genesisStyleTeams(28, 3)};
    for (TeamRecord& team : rosters[2])
        test::lengthenLastNames(team, 2);
    return test::buildGenesisIIImage(rosters, OldInfo, 4);
}

RomImage genesisIIIImage() {
    return test::buildGenesisIIIImage(test::genesisStyleTeams(32, 1), OldInfo, 2);
}

RomImage snesIImage() {
    return test::buildSnesIImage(test::snesStyleTeams(28, 1), SnesInfo, 2);
}

RomImage snesIIIImage() {
    return test::buildSnesIIIImage(test::snesStyleTeams(32, 1), SnesInfo, 2);
}

// Teams whose texts the image keeps; the 30-team editions name their two extra teams themselves.
int textTeams(int edition) {
    return edition == GenesisIII || edition == SnesIII ? 30 : 28;
}

// Title case as an import gives it, written here apart from the program's own: lower case, the
// first letter and every letter after "." or " " raised.
std::string titleCase(std::string text) {
    bool raise = true;
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
        if (raise && c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
        raise = c == '.' || c == ' ';
    }
    return text;
}

struct TeamTexts {
    std::string City, Name, Abbreviation, ScheduleName;
};

// The team texts as the export writes them and the next import reads them.
TeamTexts writtenTexts(int edition, const TeamRecord& team) {
    TeamTexts texts{team.City, team.Name, team.Abbreviation, team.ScheduleName};
    switch (edition) {
    case Nes:
    case GenesisI:
        // Upper case and trimmed; the schedule name is the nickname as stored.
        texts.City = toUpperAscii(trimSpaces(team.City));
        texts.Name = toUpperAscii(trimSpaces(team.Name));
        texts.ScheduleName = texts.Name;
        break;
    case GenesisII:
    case GenesisIII:
        texts.City = toUpperAscii(trimSpaces(team.City));
        texts.Name = toUpperAscii(trimSpaces(team.Name));
        texts.ScheduleName = toUpperAscii(team.ScheduleName);
        break;
    case SnesI:
        // One record "city NAME": the city in lower case, the nickname in upper case.
        texts.Abbreviation = fixedWidth(toUpperAscii(team.Abbreviation), 4);
        texts.City = toLowerAscii(team.City);
        texts.Name = toUpperAscii(team.Name);
        texts.ScheduleName = texts.Name;
        break;
    case SnesIII:
        texts.Abbreviation = fixedWidth(toUpperAscii(team.Abbreviation), 4);
        texts.City = toLowerAscii(trimSpaces(team.City));
        texts.Name = toUpperAscii(trimSpaces(team.Name));
        texts.ScheduleName = toUpperAscii(team.ScheduleName);
        break;
    default:
        throw std::logic_error("not an edition with a layout");
    }
    // Title case only when both texts of the pair are there.
    if (!texts.City.empty() && !texts.Name.empty()) {
        texts.City = titleCase(texts.City);
        texts.Name = titleCase(texts.Name);
    }
    return texts;
}

// A player as the export writes his names: the first in lower case, the last in upper case. The
// import title-cases them again when both are there; a single name keeps the stored case.
PlayerRecord writtenNames(const PlayerRecord& player) {
    if (!player.FirstName.empty() && !player.LastName.empty())
        return player;
    PlayerRecord written = player;
    written.FirstName = toLowerAscii(player.FirstName);
    written.LastName = toUpperAscii(player.LastName);
    return written;
}

// What the export writes for a slot of its roster that has no name.
PlayerRecord unnamedPlayer(int edition, const PlayerRecord& player, std::size_t b, int slot) {
    PlayerRecord written = player;
    written.FirstName = "John";
    written.LastName = "Doe " + std::to_string(b * PlayerSlots + static_cast<std::size_t>(slot));
    written.Attributes.fill(0);
    // The levels an import sets for a player whose stored levels are all 0.
    if (edition == Nes || edition == GenesisI || edition == SnesI)
        setGameLevels(written, slot / DepthPlaces);
    return written;
}

std::string field(const std::string& what, const std::string& expected, const std::string& actual) {
    return what + ": expected " + quoted(expected) + ", imported " + quoted(actual);
}

std::string field(const std::string& what, int expected, int actual) {
    return what + ": expected " + std::to_string(expected) + ", imported " + std::to_string(actual);
}

std::string playerDifference(const std::string& where, const PlayerRecord& e,
                             const PlayerRecord& a) {
    if (e.FirstName != a.FirstName)
        return field(where + " first name", e.FirstName, a.FirstName);
    if (e.LastName != a.LastName)
        return field(where + " last name", e.LastName, a.LastName);
    if (e.Number != a.Number)
        return field(where + " number", e.Number, a.Number);
    if (e.Face != a.Face)
        return field(where + " face", e.Face, a.Face);
    for (std::size_t i = 0; i < e.Attributes.size(); ++i)
        if (e.Attributes[i] != a.Attributes[i])
            return field(where + " attribute " + std::to_string(i), e.Attributes[i],
                         a.Attributes[i]);
    if (e.ExtraNibble != a.ExtraNibble)
        return field(where + " extra nibble", e.ExtraNibble, a.ExtraNibble);
    return {};
}

std::string textDifference(const std::string& where, const TeamTexts& e, const TeamRecord& a) {
    if (e.City != a.City)
        return field(where + " city", e.City, a.City);
    if (e.Name != a.Name)
        return field(where + " name", e.Name, a.Name);
    if (e.Abbreviation != a.Abbreviation)
        return field(where + " abbreviation", e.Abbreviation, a.Abbreviation);
    if (e.ScheduleName != a.ScheduleName)
        return field(where + " schedule name", e.ScheduleName, a.ScheduleName);
    return {};
}

} // namespace

const std::vector<FuzzedEdition>& fuzzedEditions() {
    static const std::vector<FuzzedEdition> editions = {
        {Nes, "nes", nesImage, {0x48, 0x6D0, 0x3010, 0xC4D1, 0x1FB80, 0x1FC10, 0x1FC50, 0x1FCD0}},
        {GenesisI,
         "genesis1",
         genesisIImage,
         {0x4066, 0x4644, 0x4734, 0x47C8, 0x5862, 0x5F40, 0x5F62, 0x1CCFC}},
        {GenesisII,
         "genesis2",
         genesisIIImage,
         {0x2506C, 0x2567C, 0x2576C, 0x25800, 0x271AE, 0x2F00E, 0x5A1D8, 0x125E88}},
        {GenesisIII,
         "genesis3",
         genesisIIIImage,
         {0x22064, 0x226D0, 0x227D0, 0x22864, 0x25210, 0x26480, 0x12806E, 0x1587C6}},
        {SnesI,
         "snes1",
         snesIImage,
         {0x7000, 0x7030, 0x703C, 0x123294, 0x172C83, 0x178038, 0x178700, 0x17E000}},
        {SnesIII,
         "snes3",
         snesIIIImage,
         {0x7000, 0x7040, 0x7048, 0xD1B2, 0xD1F0, 0x1E8040, 0x1E8980, 0x1EC800}},
    };
    return editions;
}

const FuzzedEdition& fuzzedEdition(int code) {
    for (const FuzzedEdition& edition : fuzzedEditions())
        if (edition.code == code)
            return edition;
    throw std::logic_error("not an edition with a layout");
}

std::string differenceAfterExport(int edition, const std::vector<TeamRecord>& exported,
                                  const GeneralInfoRecord& exportedInfo,
                                  const std::vector<TeamRecord>& imported,
                                  const GeneralInfoRecord& importedInfo) {
    if (exported.size() != imported.size())
        return field("team count", static_cast<int>(exported.size()),
                     static_cast<int>(imported.size()));
    std::array<bool, PlayerSlots> stored{};
    for (int k = 0; k < rosterSize(edition); ++k)
        stored[static_cast<std::size_t>(Roster_Slot(edition, k))] = true;

    for (std::size_t b = 0; b < exported.size(); ++b) {
        const TeamRecord& e = exported[b];
        const TeamRecord& a = imported[b];
        const std::string where = "team " + std::to_string(b);
        const TeamTexts texts = static_cast<int>(b) < textTeams(edition)
                                    ? writtenTexts(edition, e)
                                    : TeamTexts{e.City, e.Name, e.Abbreviation, e.ScheduleName};
        std::string difference = textDifference(where, texts, a);
        for (int slot = 0; difference.empty() && slot < PlayerSlots; ++slot) {
            const PlayerRecord& player = e.player(slot);
            const PlayerRecord& read = a.player(slot);
            const bool unnamed = player.FirstName.empty() && player.LastName.empty();
            if (!(stored[static_cast<std::size_t>(slot)] && unnamed)) {
                if (!(writtenNames(player) == read))
                    difference = playerDifference(where + " slot " + std::to_string(slot),
                                                  writtenNames(player), read);
                continue;
            }
            const PlayerRecord written = unnamedPlayer(edition, player, b, slot);
            if (!(written == read))
                difference =
                    playerDifference(where + " slot " + std::to_string(slot), written, read);
        }
        if (!difference.empty())
            return difference;
    }

    GeneralInfoRecord info = exportedInfo;
    if (edition != SnesI)
        info.Credits = toUpperAscii(info.Credits);
    if (info.Year != importedInfo.Year)
        return field("year", info.Year, importedInfo.Year);
    if (info.Month != importedInfo.Month)
        return field("month", info.Month, importedInfo.Month);
    if (info.Day != importedInfo.Day)
        return field("day", info.Day, importedInfo.Day);
    if (info.Credits != importedInfo.Credits)
        return field("credits", info.Credits, importedInfo.Credits);
    return {};
}

} // namespace kvx::fuzz
