#include "document/tables.h"

#include "document/league.h"

namespace kvx {

namespace {

struct AttributeName {
    std::string_view abbreviation;
    std::string_view name;
};
using GroupAttributes = std::array<AttributeName, 5>;

constexpr GroupAttributes NoAttributes{};
constexpr GroupAttributes QuarterbackAttributes = {{{"PS", "Passing Speed"},
                                                    {"PC", "Passing Control"},
                                                    {"PA", "Passing Accuracy"},
                                                    {"AR", "Avoid Rush & Block"},
                                                    {"CO", "Coolness"}}};
constexpr GroupAttributes BallCarrierAttributes = {{{"BC", "Ball Control"}, {"RE", "Receptions"}}};
constexpr GroupAttributes DefenderAttributes = {{{"IN", "Interceptions"}, {"QU", "Quickness"}}};
constexpr GroupAttributes KickerAttributes = {
    {{"KP", "Kicking Power (Ability)"}, {"KA", "Kicking Accuracy"}, {"AB", "Avoid Block"}}};
constexpr GroupAttributes PunterAttributes = {
    {{"KP", "Kicking Power (Ability)"}, {"AB", "Avoid Block"}}};

// Indexed by group: QB, RB, WR, TE, OL, DL, LB, DB, K, P.
constexpr std::array<const GroupAttributes*, 10> GroupAttributeTable = {
    &QuarterbackAttributes, &BallCarrierAttributes, &BallCarrierAttributes, &BallCarrierAttributes,
    &NoAttributes,          &DefenderAttributes,    &DefenderAttributes,    &DefenderAttributes,
    &KickerAttributes,      &PunterAttributes};

using TeamNameList = std::array<std::string_view, 30>;

// Edition 2.
constexpr TeamNameList TeamNamesA = {"Buffalo Bills",       "Indianapolis Colts",
                                     "Miami Dolphins",      "N.E. Patriots",
                                     "N.Y. Jets",           "Cincinatti Bengals",
                                     "Cleveland Browns",    "Houston Oilers",
                                     "Pittsburgh Steelers", "",
                                     "Denver Broncos",      "K.C. Chiefs",
                                     "L.A. Raiders",        "S.D. Chargers",
                                     "Seattle Seahawks",    "Washington Redskins",
                                     "N.Y. Giants",         "Philadelphia Eagles",
                                     "Pheonix Cardinals",   "Dallas Cowboys",
                                     "Chicago Bears",       "Detroit Lions",
                                     "G.B. Packers",        "Minnesota Vikings",
                                     "T.B. Buccaneers",     "S.F. 49ers",
                                     "L.A. Rams",           "N.O. Saints",
                                     "Atlanta Falcons",     ""};

// Editions 3, 4 and 6: list A with the two NFC divisions in another order.
constexpr TeamNameList TeamNamesB = {"Buffalo Bills",       "Indianapolis Colts",
                                     "Miami Dolphins",      "N.E. Patriots",
                                     "N.Y. Jets",           "Cincinatti Bengals",
                                     "Cleveland Browns",    "Houston Oilers",
                                     "Pittsburgh Steelers", "",
                                     "Denver Broncos",      "K.C. Chiefs",
                                     "L.A. Raiders",        "S.D. Chargers",
                                     "Seattle Seahawks",    "Dallas Cowboys",
                                     "N.Y. Giants",         "Philadelphia Eagles",
                                     "Pheonix Cardinals",   "Washington Redskins",
                                     "Chicago Bears",       "Detroit Lions",
                                     "G.B. Packers",        "Minnesota Vikings",
                                     "T.B. Buccaneers",     "Atlanta Falcons",
                                     "L.A. Rams",           "N.O. Saints",
                                     "S.F. 49ers",          ""};

// Editions 5 and 8.
constexpr TeamNameList TeamNamesC = {
    "Buffalo Bills",        "Indianapolis Colts",  "Miami Dolphins",      "New England Patriots",
    "New York Jets",        "Cincinnati Bengals",  "Cleveland Browns",    "Houston Oilers",
    "Jacksonville Jaguars", "Pittsburgh Steelers", "Denver Broncos",      "Kansas City Chiefs",
    "Oakland Raiders",      "San Diego Chargers",  "Seattle Seahawks",    "Arizona Cardinals",
    "Dallas Cowboys",       "New York Giants",     "Philadelphia Eagles", "Washington Redskins",
    "Chicago Bears",        "Detroit Lions",       "Green Bay Packers",   "Minnesota Vikings",
    "Tampa Bay Buccaneers", "Atlanta Falcons",     "Carolina Panthers",   "New Orleans Saints",
    "St.Louis Rams",        "San Francisco 49ers"};

constexpr TeamNameList NoTeamNames{};

// How an edition's division slots hold its teams, and what the game calls them, by edition code
// 1..9. The 28-team editions leave the fifth slot of AFC CENTRAL and of NFC WEST empty.
enum class SlotMap { None, ThirtyTeams, TwentyEightTeams };
struct EditionSlots {
    SlotMap map;
    const TeamNameList* names;
};
constexpr std::array<EditionSlots, EditionCount> SlotsByEdition = {{
    {SlotMap::None, &NoTeamNames},             // 1 automatic detection
    {SlotMap::TwentyEightTeams, &TeamNamesA},  // 2 NES
    {SlotMap::TwentyEightTeams, &TeamNamesB},  // 3 Genesis I
    {SlotMap::TwentyEightTeams, &TeamNamesB},  // 4 Genesis II
    {SlotMap::ThirtyTeams, &TeamNamesC},       // 5 Genesis III
    {SlotMap::TwentyEightTeams, &TeamNamesB},  // 6 SNES I
    {SlotMap::TwentyEightTeams, &NoTeamNames}, // 7 SNES II
    {SlotMap::ThirtyTeams, &TeamNamesC},       // 8 SNES III
    {SlotMap::None, &NoTeamNames},             // 9 PlayStation
}};

bool validSlot(int slot) {
    return slot >= 0 && slot < DivisionSlots;
}

const EditionSlots* editionSlots(int edition) {
    if (edition < 1 || edition > EditionCount)
        return nullptr;
    return &SlotsByEdition[static_cast<std::size_t>(edition - 1)];
}

} // namespace

std::string Slot_Label(int slot) {
    if (slot < 0 || slot >= PlayerSlots)
        return {};
    return std::string(GroupLabels[static_cast<std::size_t>(slot / DepthPlaces)]) +
           std::to_string(slot % DepthPlaces + 1);
}

std::string_view AttributeNames(int group, int slot, AttributeNameKind kind) {
    if (group < 0 || group >= 10 || slot < 0 || slot >= 5)
        return {};
    const AttributeName& entry =
        (*GroupAttributeTable[static_cast<std::size_t>(group)])[static_cast<std::size_t>(slot)];
    return kind == Abbreviation ? entry.abbreviation : entry.name;
}

std::int16_t SlotTeamIndex(int edition, int slot) {
    if (!validSlot(slot))
        return -1;
    const EditionSlots* slots = editionSlots(edition);
    switch (slots ? slots->map : SlotMap::None) {
    case SlotMap::ThirtyTeams:
        return static_cast<std::int16_t>(slot);
    case SlotMap::TwentyEightTeams:
        if (slot == 9 || slot == 29)
            return -1;
        return static_cast<std::int16_t>(slot < 9 ? slot : slot - 1);
    case SlotMap::None:
        break;
    }
    return 0;
}

std::string_view DefaultTeamNames(int edition, int slot) {
    const EditionSlots* slots = editionSlots(edition);
    if (!validSlot(slot) || !slots)
        return {};
    return (*slots->names)[static_cast<std::size_t>(slot)];
}

} // namespace kvx
