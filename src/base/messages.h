#pragma once

// The program's fixed messages, word for word.
namespace kvx::msg {

inline constexpr const char* ReadMeTitle = "Read Me";
inline constexpr const char* CannotOpenFile = "The file cannot be opened.";
inline constexpr const char* FileMovedOrDeleted = "The file has either been moved or deleted.";
inline constexpr const char* RomNotSupported = "Sorry, support for that ROM isn't available yet.";
inline constexpr const char* ExportWarningTitle = "Uh Oh!";
// Define Teams' refusals.
inline constexpr const char* FillAllFields = "You must fill in all the fields.";
inline constexpr const char* CityBeginsWithLetter = "The city must begin with a letter.";
inline constexpr const char* TeamExists = "That team already exists!";
inline constexpr const char* TeamExistsTitle = "Whoops!";

} // namespace kvx::msg
