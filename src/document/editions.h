#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace kvx {

// Edition codes: the 1-based entries of the file dialogs' type list. Data files, CSV and the
// command line keep them as numbers.
enum class Edition : int {
    AutoDetect = 1,
    Nes = 2,
    GenesisI = 3,
    GenesisII = 4,
    GenesisIII = 5,
    SnesI = 6,
    SnesII = 7,
    SnesIII = 8,
    PlayStation = 9
};
using enum Edition;

inline constexpr int EditionCount = 9; // edition codes 1..9

constexpr int code(Edition edition) {
    return static_cast<int>(edition);
}

// How an edition's division slots hold its teams. The 28-team editions leave the fifth slot of
// AFC CENTRAL and of NFC WEST empty.
enum class SlotMap { None, ThirtyTeams, TwentyEightTeams };

using TeamNameList = std::array<std::string_view, 30>;

// What the game calls the team in each division slot, one list per family of editions.
extern const TeamNameList TeamNamesA;
extern const TeamNameList TeamNamesB;
extern const TeamNameList TeamNamesC;
extern const TeamNameList NoTeamNames;

// Everything the program knows of an edition but its layout, which the edition's codec keeps.
struct EditionInfo {
    Edition edition;
    std::string_view filter;    // the file dialogs' entry: "display text|pattern|"
    std::string_view shortName; // the command line's name
    std::string_view title;     // how the status bar names it
    // The 16 bytes at 0x10 that identify an image, in hex; empty when nothing detects it.
    std::string_view signature;
    int teamCount;    // the teams an import reads, extra teams included
    int rosterSize;   // players per team in the roster order
    int rosters;      // the rosters an image holds; an import asks for one when several
    int exportRoster; // the roster an export rewrites
    SlotMap slotMap;
    const TeamNameList* teamNames;
    bool storesDate; // the image keeps a month and a day beside the year
};

// In code order; detection tries the signatures in this order.
inline constexpr std::array<EditionInfo, EditionCount> Editions = {{
    {AutoDetect, "Kickvane (Auto Detect)|*.nes;*.bin;*.smc|", "auto", "", "", 0, 0, 1, 1,
     SlotMap::None, &NoTeamNames, false},
    {Nes, "[NES] Kickvane|*.nes|", "nes", "NES", "38807480B080EC8028816481A081DC81", 28, 30, 1, 1,
     SlotMap::TwentyEightTeams, &TeamNamesA, false},
    {GenesisI, "[SEGA] Kickvane|*.bin|", "genesis1", "Genesis I",
     "00000578000005820000058C00000596", 28, 32, 1, 1, SlotMap::TwentyEightTeams, &TeamNamesB,
     false},
    {GenesisII, "[SEGA] Kickvane II|*.bin|", "genesis2", "Genesis II",
     "000005B0000005BA000005C4000005CE", 28, 37, 3, 3, SlotMap::TwentyEightTeams, &TeamNamesB,
     false},
    {GenesisIII, "[SEGA] Kickvane III|*.bin|", "genesis3", "Genesis III",
     "000005BC000005C6000005D0000005DA", 32, 37, 1, 1, SlotMap::ThirtyTeams, &TeamNamesC, false},
    {SnesI, "[SNES] Kickvane|*.smc|", "snes1", "SNES I", "A2FF1F9AA900005BE220A98048AB2200", 28, 32,
     1, 1, SlotMap::TwentyEightTeams, &TeamNamesB, true},
    {SnesII, "[SNES] Kickvane II|*.smc|", "snes2", "SNES II", "", 28, 37, 1, 1,
     SlotMap::TwentyEightTeams, &NoTeamNames, false},
    {SnesIII, "[SNES] Kickvane III|*.smc|", "snes3", "SNES III", "A2FF079AA900005BE220A98048AB2200",
     32, 37, 1, 1, SlotMap::ThirtyTeams, &TeamNamesC, false},
    {PlayStation, "[PSX] Kickvane|*.dat|", "psx", "PlayStation", "", 0, 0, 1, 1, SlotMap::None,
     &NoTeamNames, false},
}};

constexpr const EditionInfo& editionInfo(Edition edition) {
    return Editions.at(static_cast<std::size_t>(code(edition) - 1));
}

// The edition of a code 1..9; nothing for any other number.
constexpr std::optional<Edition> editionFromCode(int number) {
    if (number < 1 || number > EditionCount)
        return std::nullopt;
    return Editions[static_cast<std::size_t>(number - 1)].edition;
}

} // namespace kvx
