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

bool validSlot(int slot) {
    return slot >= 0 && slot < DivisionSlots;
}

} // namespace

// The NES names.
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

// Genesis I and II and SNES I: the NES list with the two NFC divisions in another order.
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

// Genesis III and SNES III.
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

std::int16_t SlotTeamIndex(Edition edition, int slot) {
    if (!validSlot(slot))
        return -1;
    switch (editionInfo(edition).slotMap) {
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

std::string_view DefaultTeamNames(Edition edition, int slot) {
    if (!validSlot(slot))
        return {};
    return (*editionInfo(edition).teamNames)[static_cast<std::size_t>(slot)];
}

} // namespace kvx
