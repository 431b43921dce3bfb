#pragma once

// The program's fixed messages, word for word.
namespace kvx::msg {

inline constexpr const char* ReadMeTitle = "Read Me";
inline constexpr const char* CannotOpenFile = "The file cannot be opened.";
inline constexpr const char* FileMovedOrDeleted = "The file has either been moved or deleted.";
inline constexpr const char* RomNotSupported = "Sorry, support for that ROM isn't available yet.";
inline constexpr const char* ExportWarningTitle = "Uh Oh!";

} // namespace kvx::msg
