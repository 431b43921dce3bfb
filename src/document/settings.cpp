#include "document/settings.h"

#include "base/error.h"
#include "base/fileio.h"
#include "document/datafile.h"

#include <charconv>
#include <optional>
#include <utility>
#include <vector>

namespace kvx {

namespace {

constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

std::string trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

bool sameName(std::string_view a, std::string_view b) {
    return toLowerAscii(std::string(a)) == toLowerAscii(std::string(b));
}

// A private-profile file as its lines, so that a change touches one line and keeps the rest.
// A UTF-8 mark that an editor put before the first line is kept aside and written back.
class IniText {
public:
    explicit IniText(std::string_view content) {
        if (content.starts_with(Utf8Mark)) {
            mark_ = true;
            content.remove_prefix(Utf8Mark.size());
        }
        while (!content.empty()) {
            const auto end = content.find('\n');
            std::string_view line = content.substr(0, end);
            if (line.ends_with('\r'))
                line.remove_suffix(1);
            lines_.emplace_back(line);
            content = end == std::string_view::npos ? std::string_view() : content.substr(end + 1);
        }
    }

    std::optional<std::string> get(const std::string& section, const std::string& key) const {
        bool inSection = false;
        for (const std::string& line : lines_) {
            if (const auto name = sectionName(line)) {
                inSection = sameName(*name, section);
                continue;
            }
            const auto name = keyName(line);
            if (inSection && name && sameName(*name, key))
                return trimBlanks(std::string_view(line).substr(line.find('=') + 1));
        }
        return std::nullopt;
    }

    void set(const std::string& section, const std::string& key, const std::string& value) {
        std::size_t header = 0;
        while (header < lines_.size() &&
               !(sectionName(lines_[header]) && sameName(*sectionName(lines_[header]), section)))
            ++header;
        if (header == lines_.size()) {
            if (!lines_.empty() && !trimBlanks(lines_.back()).empty())
                lines_.emplace_back();
            lines_.push_back("[" + section + "]");
            lines_.push_back(key + "=" + value);
            return;
        }
        // The key goes after the section's last non-blank line, so that a blank line between
        // sections stays where it is.
        std::size_t lastFilled = header;
        for (std::size_t i = header + 1; i < lines_.size() && !sectionName(lines_[i]); ++i) {
            const auto name = keyName(lines_[i]);
            if (name && sameName(*name, key)) {
                lines_[i] = *name + "=" + value;
                return;
            }
            if (!trimBlanks(lines_[i]).empty())
                lastFilled = i;
        }
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(lastFilled + 1),
                      key + "=" + value);
    }

    std::string text() const {
        std::string out = mark_ ? std::string(Utf8Mark) : std::string();
        for (const std::string& line : lines_)
            out += line + "\r\n";
        return out;
    }

private:
    // "[name]", blanks allowed around the brackets and the name.
    static std::optional<std::string> sectionName(std::string_view line) {
        const std::string trimmed = trimBlanks(line);
        const auto close = trimmed.rfind(']');
        if (!trimmed.starts_with('[') || close == std::string::npos)
            return std::nullopt;
        return trimBlanks(std::string_view(trimmed).substr(1, close - 1));
    }

    // The key of a "key=value" line; comment lines (";") have none.
    static std::optional<std::string> keyName(std::string_view line) {
        const std::string trimmed = trimBlanks(line);
        const auto equals = line.find('=');
        if (trimmed.empty() || trimmed.starts_with(';') || equals == std::string_view::npos)
            return std::nullopt;
        return trimBlanks(line.substr(0, equals));
    }

    std::vector<std::string> lines_;
    bool mark_ = false;
};

// The file holds four remembered paths and whatever else a user keeps in it; a file beyond this
// is no settings file. It is then neither read nor written over.
constexpr std::size_t MaxSettingsFileSize = 1024 * 1024;

std::string readText(const std::string& path) {
    const FileBytes bytes = readFile(path, MaxSettingsFileSize);
    return std::string(bytes.begin(), bytes.end());
}

// For reading: a file that cannot be read is read as an empty one, whose every key is empty.
std::string textForReading(const std::string& path) {
    try {
        return readText(path);
    } catch (const FileError&) {
        return {};
    }
}

// A missing file is an empty one; a file that exists but cannot be read is an error, since
// writing over it would lose its other lines.
std::string textForWriting(const std::string& path) {
    return fileExists(path) ? readText(path) : std::string();
}

// A line break in a value would end its line early and start another.
std::string singleLine(const std::string& value) {
    return value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3)));
}

std::string cutForReading(std::string value) {
    value = value.substr(0, value.find('\0'));
    if (value.size() > IniValueLimit)
        value.resize(IniValueLimit);
    return value;
}

constexpr std::string_view FilesSection = "files";

struct RememberedKey {
    std::string_view key;
    std::string RememberedPaths::*field;
};
constexpr std::array<RememberedKey, 4> RememberedKeys = {{
    {"html", &RememberedPaths::HtmlPath},
    {"rom", &RememberedPaths::RomPath},
    {"trs", &RememberedPaths::RatingScalePath},
    {"kvx", &RememberedPaths::CurrentFile},
}};

bool validEntry(int entry) {
    return entry >= 0 && entry < RecentFileCount;
}

} // namespace

std::string iniValue(std::string_view text, const std::string& section, const std::string& key) {
    return cutForReading(IniText(text).get(section, key).value_or(std::string()));
}

std::string iniWithValue(std::string_view text, const std::string& section, const std::string& key,
                         const std::string& value) {
    IniText ini(text);
    ini.set(section, key, singleLine(value));
    return ini.text();
}

std::string Read_Ini_String(const std::string& path, const std::string& section,
                            const std::string& key) {
    return iniValue(textForReading(path), section, key);
}

void Write_Ini_String(const std::string& path, const std::string& section, const std::string& key,
                      const std::string& value) {
    writeFileAtomically(path, iniWithValue(textForWriting(path), section, key, value));
}

RememberedPaths readRememberedPaths(const std::string& settingsPath) {
    const IniText ini(textForReading(settingsPath));
    RememberedPaths paths;
    for (const auto& [key, field] : RememberedKeys)
        paths.*field =
            cutForReading(ini.get(std::string(FilesSection), std::string(key)).value_or(""));
    return paths;
}

void writeRememberedPaths(const std::string& settingsPath, const RememberedPaths& paths) {
    IniText ini(textForWriting(settingsPath));
    for (const auto& [key, field] : RememberedKeys)
        ini.set(std::string(FilesSection), std::string(key), singleLine(paths.*field));
    writeFileAtomically(settingsPath, ini.text());
}

namespace {

constexpr std::string_view ExportSection = "export";
constexpr std::string_view EmulatorSection = "emulator";

int editionCode(const std::string& text) {
    int code = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), code);
    if (error != std::errc() || end != text.data() + text.size() || code < 1 || code > EditionCount)
        return 0;
    return code;
}

} // namespace

ExportSettings readExportSettings(const std::string& settingsPath) {
    const IniText ini(textForReading(settingsPath));
    const auto get = [&ini](std::string_view section, const char* key) {
        return cutForReading(ini.get(std::string(section), key).value_or(""));
    };
    ExportSettings settings;
    settings.fixChecksum = get(ExportSection, "fixchecksum") == "1";
    settings.lastImage = get(ExportSection, "image");
    settings.lastEdition = editionCode(get(ExportSection, "edition"));
    settings.emulatorCommand = get(EmulatorSection, "command");
    return settings;
}

void writeExportSettings(const std::string& settingsPath, const ExportSettings& settings) {
    IniText ini(textForWriting(settingsPath));
    const std::string exportSection(ExportSection);
    ini.set(exportSection, "fixchecksum", settings.fixChecksum ? "1" : "0");
    ini.set(exportSection, "image", singleLine(settings.lastImage));
    ini.set(exportSection, "edition",
            settings.lastEdition > 0 ? std::to_string(settings.lastEdition) : std::string());
    ini.set(std::string(EmulatorSection), "command", singleLine(settings.emulatorCommand));
    writeFileAtomically(settingsPath, ini.text());
}

std::vector<std::string> emulatorCommandLine(std::string_view command,
                                             const std::string& imagePath) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    bool named = false;
    for (const char c : command) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (inWord)
                words.push_back(std::exchange(word, std::string()));
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(word);
    for (std::string& each : words)
        for (auto at = each.find("%f"); at != std::string::npos; at = each.find("%f", at)) {
            each.replace(at, 2, imagePath);
            at += imagePath.size();
            named = true;
        }
    if (words.empty() || words.front().empty())
        return {};
    if (!named)
        words.push_back(imagePath);
    return words;
}

std::string emulatorCommandFor(const std::string& program) {
    return "\"" + program + "\" %f";
}

std::string MemoryRecentStore::get(int entry) const {
    return validEntry(entry) ? entries_[static_cast<std::size_t>(entry)] : std::string();
}

void MemoryRecentStore::set(int entry, const std::string& path) {
    if (validEntry(entry))
        entries_[static_cast<std::size_t>(entry)] = path;
}

void Add_Recent_File(RecentStore& store, const std::string& path) {
    int from = RecentFileCount - 1;
    for (int n = 0; n < RecentFileCount; ++n)
        if (store.get(n) == path)
            from = n;
    for (int m = from; m >= 1; --m)
        store.set(m, store.get(m - 1));
    store.set(0, path);
}

void Remove_Recent_File(RecentStore& store, int entry) {
    if (!validEntry(entry))
        return;
    for (int m = entry; m < RecentFileCount - 1; ++m)
        store.set(m, store.get(m + 1));
    store.set(RecentFileCount - 1, "");
}

std::string recentCaption(int entry, const std::string& path) {
    std::string caption = "&" + std::to_string(entry + 1) + " ";
    for (const char c : path) {
        if (c == '&')
            caption += '&';
        caption += c;
    }
    return caption;
}

RecentMenu recentMenu(const RecentStore& store) {
    RecentMenu menu;
    for (int n = 0; n < RecentFileCount; ++n) {
        const std::string path = store.get(n);
        if (path.empty())
            continue;
        menu.Captions[static_cast<std::size_t>(n)] = recentCaption(n, path);
        menu.SeparatorVisible = true;
    }
    return menu;
}

RecentOpenResult openRecentFile(League& league, RecentStore& store, int entry) {
    const std::string path = store.get(entry);
    if (!fileExists(path)) {
        Remove_Recent_File(store, entry);
        return RecentOpenResult::Vanished;
    }
    if (!Load_Data_File(league, path)) {
        Remove_Recent_File(store, entry);
        return RecentOpenResult::Refused;
    }
    Add_Recent_File(store, path);
    league.CurrentFile = path;
    return RecentOpenResult::Opened;
}

} // namespace kvx
