#pragma once

#include "document/league.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kvx {

// ---- The settings file ------------------------------------------------------------------------

// The settings file lives beside the executable under this name.
inline constexpr std::string_view SettingsFileName = "kvxm2000.ini";

// A value is read through a 255-character buffer ending in a NUL: at most 254 characters of it
// come back.
inline constexpr std::size_t IniValueLimit = 254;

// The value of `key` in `section` of a private-profile file ("[section]" lines followed by
// "key=value" lines). Section and key names match without regard to the case of ASCII letters;
// the value is the text after the first "=", spaces and tabs around it removed, cut at a NUL and
// after IniValueLimit characters. A missing or unreadable file, section or key gives "".
std::string Read_Ini_String(const std::string& path, const std::string& section,
                            const std::string& key);

// Sets `key` in `section` to `value`: the key's line is replaced where it stands, or the key is
// added after the last line of its section, or the section is added at the end of the file.
// Every other line stays as it was; lines are written with CR LF. A value ends at its first line
// break or NUL, which could not be read back. The file is replaced in one step; throws FileError,
// and leaves the file as it was, when it cannot be read or written.
void Write_Ini_String(const std::string& path, const std::string& section, const std::string& key,
                      const std::string& value);

// The two above on the text of a settings file instead of the file.
std::string iniValue(std::string_view text, const std::string& section, const std::string& key);
std::string iniWithValue(std::string_view text, const std::string& section, const std::string& key,
                         const std::string& value);

// The paths the file dialogs remember between runs: section "files", keys "html", "rom", "trs"
// and "kvx".
struct RememberedPaths {
    std::string HtmlPath;
    std::string RomPath;
    std::string RatingScalePath;
    std::string CurrentFile;

    bool operator==(const RememberedPaths&) const = default;
};

RememberedPaths readRememberedPaths(const std::string& settingsPath);
// Throws FileError when the settings file cannot be written; it then stays as it was.
void writeRememberedPaths(const std::string& settingsPath, const RememberedPaths& paths);

// What the export remembers between runs beside the paths: section "export", key "fixchecksum"
// ("1" to correct the header checksum), keys "image" and "edition" (the image last exported into
// and its edition code, which Play in Emulator starts a copy of), and section "emulator", key
// "command" (the emulator's command line, "%f" standing for the image).
struct ExportSettings {
    bool fixChecksum = false;
    std::string lastImage;
    int lastEdition = 0; // 0 while no image was exported into
    std::string emulatorCommand;

    bool operator==(const ExportSettings&) const = default;
};

ExportSettings readExportSettings(const std::string& settingsPath);
// Throws FileError when the settings file cannot be written; it then stays as it was.
void writeExportSettings(const std::string& settingsPath, const ExportSettings& settings);

// The emulator command as a program and its arguments. Words are separated by blanks; a pair of
// double quotes keeps blanks inside one word; "%f" in any word stands for the image's path. A
// command without "%f" gets the path as its last word. Empty when the command names no program.
std::vector<std::string> emulatorCommandLine(std::string_view command,
                                             const std::string& imagePath);
// The command that starts `program` with the image: the program's path in quotes, then "%f".
std::string emulatorCommandFor(const std::string& program);

// ---- The recent-file list ---------------------------------------------------------------------

inline constexpr int RecentFileCount = 4;

// Where the four recent entries are kept: entry 0 (most recent) to 3, each a full path or "".
// The desktop program keeps them in the per-user settings store of the application (named after
// the executable without extension), section "recent", keys "0" to "3"; a missing key reads as
// "". Every call goes to the store, so all running copies share the list.
class RecentStore {
public:
    static constexpr std::string_view Section = "recent";
    static std::string key(int entry) { return std::to_string(entry); }

    virtual ~RecentStore() = default;
    virtual std::string get(int entry) const = 0;
    virtual void set(int entry, const std::string& path) = 0;
};

// A recent list held in memory, for tests and tools.
class MemoryRecentStore : public RecentStore {
public:
    std::string get(int entry) const override;
    void set(int entry, const std::string& path) override;

private:
    std::array<std::string, RecentFileCount> entries_;
};

// Puts `path` at the top: a path not in the list pushes every entry down and the oldest drops
// off; a path already listed moves up from its place (the lowest place when listed twice).
void Add_Recent_File(RecentStore& store, const std::string& path);

// Deletes entry 0..3 and moves the later ones up; entry 3 becomes empty.
void Remove_Recent_File(RecentStore& store, int entry);

// The menu caption of a recent entry: "&", the entry number + 1, a space and the path with every
// "&" doubled, so that the number is the access key ("&1 C:\Rosters\A&&B.kvx").
std::string recentCaption(int entry, const std::string& path);

// What Update_Recent_Menu shows: the caption of each non-empty entry (an empty caption means the
// entry is hidden), and the separator below them when at least one entry is shown.
struct RecentMenu {
    std::array<std::string, RecentFileCount> Captions;
    bool SeparatorVisible = false;
};
RecentMenu recentMenu(const RecentStore& store);

enum class RecentOpenResult {
    Opened,   // the document now holds the file, which is at the top of the list
    Vanished, // no file at that path: "The file has either been moved or deleted."
    Refused,  // not a data file: "The file cannot be opened."
};

// The recent-file command for entry 0..3, without its messages. A vanished or refused file is
// removed from the list and leaves the document as it was; an opened one becomes CurrentFile.
RecentOpenResult openRecentFile(League& league, RecentStore& store, int entry);

} // namespace kvx
