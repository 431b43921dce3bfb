#pragma once

#include "base/fileio.h"

#include "document/settings.h"
#include "ui/platform.h"
#include "ui/session.h"

#include <functional>
#include <optional>
#include <string>

namespace kvx {

// What the status bar says after a command went well ("Saved league.kvx").
using StatusReport = std::function<void(const std::string& text)>;

// The commands of the File menu that deal with data files, rating-scale files and the settings:
// New, Open, Save, Save As, the recent files, the two rating-scale commands, start-up and
// shut-down. A command that returns true has done what it was asked.
class FileCommands {
public:
    FileCommands(Session& session, Platform& platform, RecentStore& recent);

    void setStatusReport(StatusReport report) { status_ = std::move(report); }

    // Start-up: the remembered paths, window placement and export settings from the settings file,
    // "default.trs", then New.
    void startUp();
    // Shut-down: writes the remembered paths, the window placement and the export settings back
    // into the settings file.
    void shutDown();
    // The settings file: beside the executable for a portable copy, otherwise in the user's
    // configuration folder.
    std::string settingsPath();

    // Asks whether unsaved changes are to be saved first; false when the user cancels (or the
    // save fails), so that the caller keeps everything as it was.
    bool confirmDiscard();

    bool newDocument();
    bool open();
    // Opens the data file at `path` (given on the command line or dropped on the window), after
    // the unsaved-changes question.
    bool openPath(const std::string& path);
    bool save();
    bool saveAs();
    bool openRecent(int entry);

    // The league as CSV text for spreadsheets, and back: an imported CSV file replaces the
    // document (untitled, with a fresh history) only when the whole file was read.
    bool importCsv();
    bool exportCsv();

    void loadRatingScale();
    void saveRatingScaleAs();

private:
    bool load(const std::string& path);
    // The open dialog for a league (data or CSV file) that replaces the document, in the last
    // data file's folder; nothing when the user keeps the document or cancels.
    std::optional<FileChoice> chooseLeagueToRead(const std::string& title,
                                                 const std::string& filter);
    // The save dialog for the league in some file format, at the document's file (or the last
    // data file's folder for an untitled one).
    FileDialogRequest leagueSaveRequest(const std::string& title, const std::string& filter,
                                        const std::string& suffix);
    // With `unchanged`, only while the file is still the one it names.
    bool saveTo(const std::string& path, std::optional<FileIdentity> unchanged = std::nullopt);
    void tell(const std::string& text);
    void report(const std::string& text);

    Session& session_;
    Platform& platform_;
    RecentStore& recent_;
    StatusReport status_;
};

} // namespace kvx
