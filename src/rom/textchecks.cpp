#include "rom/textchecks.h"

#include "base/error.h"

#include <cstdio>

namespace kvx {

namespace {

// The text as a message can show it: a byte that is no character shows as "?".
std::string shown(std::string text) {
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    return text;
}

} // namespace

void refuseTeamText(const TeamRecord& team, std::string_view field, const std::string& text,
                    std::string_view reason, std::string_view change) {
    throw ExportRefused("The " + std::string(field) + " \"" + shown(text) + "\" of the " +
                        shown(team.displayName()) + " cannot be written: " + std::string(reason) +
                        ", so it would read back differently. " + std::string(change) +
                        " and export again.");
}

void refuseCharacter(const TeamRecord& team, std::string_view field, const std::string& text,
                     char c, std::string_view reason) {
    if (text.find(c) == std::string::npos)
        return;
    refuseTeamText(team, field, text, reason, "Remove " + characterName(c) + " from it");
}

void sayCut(const std::string& text, std::size_t width, const std::string& subject,
            std::vector<std::string>& cuts) {
    if (text.find_first_not_of(' ', width) == std::string::npos)
        return;
    cuts.push_back(subject + " is longer than the " + std::to_string(width) +
                   " characters the game keeps: \"" + text + "\" is written as \"" +
                   text.substr(0, width) + "\".");
}

std::string characterName(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte > 0x20 && byte < 0x7F)
        return std::string("\"") + c + "\"";
    if (byte == 0x20)
        return "the space";
    char text[16];
    std::snprintf(text, sizeof text, "the byte 0x%02X", byte);
    return text;
}

} // namespace kvx
