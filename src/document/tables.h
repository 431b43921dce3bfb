#pragma once

#include "document/editions.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kvx {

// Labels of the ten position groups, in group order.
inline constexpr std::array<std::string_view, 10> GroupLabels = {"QB", "RB", "WR", "TE", "OL",
                                                                 "DL", "LB", "DB", "K",  "P"};

// A player slot's label: its group's label and its depth counted from 1 ("QB1", "RB2", "P7");
// empty for a slot outside 0..69.
std::string Slot_Label(int slot);

// Names of the six attributes every position has (indices 0..5).
inline constexpr std::array<std::string_view, 6> CommonAttributeAbbreviations = {"RS", "RP", "MS",
                                                                                 "HP", "BB", "AG"};
inline constexpr std::array<std::string_view, 6> CommonAttributeNames = {
    "Running Speed", "Rushing Power", "Maximum Speed", "Hitting Power", "Body Balance", "Agility"};

// Shown value of each attribute level 0..15 (the top level shows as 99, not 100).
inline constexpr std::array<std::int16_t, 16> AttributeScale = {6,  13, 19, 25, 31, 38, 44, 50,
                                                                56, 63, 69, 75, 81, 88, 94, 99};

// Weight of each position group in a team's overall rating; they add up to 25.
inline constexpr std::array<std::int16_t, 10> PositionWeights = {4, 3, 3, 2, 2, 3, 3, 3, 1, 1};

// Division names, five slots each, slot = division * 5 + row.
inline constexpr std::array<std::string_view, 6> DivisionNames = {
    "AFC EAST", "AFC CENTRAL", "AFC WEST", "NFC EAST", "NFC CENTRAL", "NFC WEST"};

enum AttributeNameKind { Abbreviation = 0, FullName = 1 };

// The position-specific attribute of `group` in specific slot 0..4 (attribute index 6 + slot);
// empty where the group has none.
std::string_view AttributeNames(int group, int slot, AttributeNameKind kind);

// The image's internal team number sitting in division slot 0..29 of an edition, or -1.
std::int16_t SlotTeamIndex(Edition edition, int slot);

// The team name the image itself has in a division slot, as the export wizard shows it.
std::string_view DefaultTeamNames(Edition edition, int slot);

} // namespace kvx
