#pragma once

// Texts of the desktop program's windows and commands, word for word. The messages the core
// shares with the command-line program are in base/messages.h.
namespace kvx::text {

inline constexpr const char* MainCaption = "Kickvane Manager 2000 [Version 0.70]";
// The title of notices that have no title of their own.
inline constexpr const char* ProgramName = "KVXm 2000";

inline constexpr const char* DataFileFilter = "KVXm 2000 Data File (*.kvx)|*.kvx|All Files (*.*)|*";
inline constexpr const char* RatingScaleFilter =
    "KVXm 2000 Rating Scales (*.trs)|*.trs|All Files (*.*)|*";

inline constexpr const char* CsvFilter = "CSV File (*.csv)|*.csv|All Files (*.*)|*";

inline constexpr const char* OpenTitle = "Open";
inline constexpr const char* ImportCsvTitle = "Import from CSV";
inline constexpr const char* ExportCsvTitle = "Export as CSV";
inline constexpr const char* SaveAsTitle = "Save As";
inline constexpr const char* ImportTitle = "Import Data";
inline constexpr const char* ExportTitle = "Export Data";
inline constexpr const char* ImportPatchedTitle = "Import a Patched Image";
inline constexpr const char* ChoosePatchTitle = "Choose the Patch";
inline constexpr const char* SavePatchTitle = "Save as a Patch";
inline constexpr const char* AllPatchesFilter = "Patches (*.ips, *.bps)|*.ips;*.bps|";
inline constexpr const char* ChooseEmulatorTitle = "Choose the Emulator";
inline constexpr const char* EmulatorFilter = "Programs (*)|*|";
inline constexpr const char* PlayNeedsExport =
    "Play in Emulator starts a copy of the game image last exported into, with the league "
    "exported into the copy. Export the league into a game image first (File > Export Data...).";
inline constexpr const char* NoTemporaryCopy = "No temporary copy of the game image could be made.";
inline constexpr const char* EmulatorNotStarted =
    "The emulator was not started; the game image was left as it was.";
inline constexpr const char* NoEmulatorProgram =
    "The emulator command in the settings file names no program. You will be asked for the "
    "emulator the next time.";
inline constexpr const char* EmulatorAskedAgain =
    "You will be asked for the emulator the next time.";
inline constexpr const char* PatchOverImage =
    "The patch cannot take the place of the game image it is made for. Choose another name.";
inline constexpr const char* LoadRatingScaleTitle = "Load Rating Scale";
inline constexpr const char* SaveRatingScaleTitle = "Save Rating Scale As";

inline constexpr const char* RosterPrompt =
    "This ROM contains multiple rosters.\rWhich one do you want to import? (1-3)";
inline constexpr const char* RosterTitle = "Choose a Roster";
inline constexpr const char* RosterDefault = "3";
inline constexpr const char* RosterNotANumber = "Please answer with a roster number from 1 to 3.";

inline constexpr const char* AboutTitle = "About KVXm 2000";
inline constexpr const char* AboutText = "Written by the KVXm 2000 developers\n"
                                         "\n"
                                         "Kickvane Manager 2000\n"
                                         "Version 0.70, a roster manager for the Kickvane games\n"
                                         "\n"
                                         "Built with C++20 and Qt 6";

inline constexpr const char* DefensiveBacksSwapped =
    "The Defensive Backs have been swapped.\rSwapping them again will return the roster to the "
    "original order.";

inline constexpr const char* NoDefaultRatingScale =
    "No rating scale was found (default.trs beside the program or in its data folder), so every "
    "rating is 00.\rLoad one with File > Load Rating Scale...";

inline constexpr const char* NotSaved = "The roster was not saved.";
inline constexpr const char* ReplaceChangedFile =
    "Replace it with this roster? Choose No to keep the other program's file.";
inline constexpr const char* NothingExported = "Nothing was exported; the game image was left "
                                               "as it was.";
inline constexpr const char* ExportNeedsImage =
    "Export writes into an existing game image and never creates one.";
inline constexpr const char* ExportCuts =
    "The league was exported. These values do not fit the game and were written shortened:";

} // namespace kvx::text
