#pragma once

#include "document/league.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// An export writes only texts that the edition's reader makes the same again (up to the letter
// case the edition stores). Where a team text would come back differently, the export is refused
// before anything is written, naming the team, the text and what to change.
namespace kvx {

// Raises ExportRefused: "The <field> "<text>" of the <team> cannot be written: <reason>, so it
// would read back differently. <change> and export again."
[[noreturn]] void refuseTeamText(const TeamRecord& team, std::string_view field,
                                 const std::string& text, std::string_view reason,
                                 std::string_view change);

// Refuses the text when it holds `c`, which the game reads as something else (`reason`).
void refuseCharacter(const TeamRecord& team, std::string_view field, const std::string& text,
                     char c, std::string_view reason);

// `text` is written in `width` characters: a cut that loses more than spaces is said in `cuts`
// ("<subject> is longer than the 4 characters the game keeps: ... is written as ...").
void sayCut(const std::string& text, std::size_t width, const std::string& subject,
            std::vector<std::string>& cuts);

// How a character is named in a message: "\"_\"", or "the byte 0x00" for one that is not shown.
std::string characterName(char c);

} // namespace kvx
