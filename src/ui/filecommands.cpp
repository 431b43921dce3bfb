#include "ui/filecommands.h"

#include "app/locations.h"
#include "base/error.h"
#include "base/fileio.h"
#include "base/messages.h"
#include "document/csv.h"
#include "document/datafile.h"
#include "ratings/ratingscale.h"
#include "rom/routines.h"
#include "ui/failure.h"
#include "ui/texts.h"

#include <filesystem>

namespace kvx {

FileCommands::FileCommands(Session& session, Platform& platform, RecentStore& recent)
    : session_(session), platform_(platform), recent_(recent) {}

namespace {

// The main window's placement, kept in the settings file beside the remembered paths.
constexpr const char* WindowSection = "window";
constexpr const char* GeometryKey = "geometry";

std::string fileName(const std::string& path) {
    return Text_After_Last(path, "/");
}

std::string changedByAnotherProgram(const std::string& path) {
    return "Another program has changed " + fileName(path) + " since it was opened or saved here.";
}

} // namespace

void FileCommands::tell(const std::string& text) {
    platform_.messageBox(msg::ReadMeTitle, text, MessageIcon::Information);
}

void FileCommands::report(const std::string& text) {
    if (status_)
        status_(text);
}

std::string FileCommands::settingsPath() {
    return settingsFileLocation(platform_.programDirectory(), platform_.userConfigDirectory());
}

void FileCommands::startUp() {
    const RememberedPaths paths = readRememberedPaths(settingsPath());
    session_.HtmlPath = paths.HtmlPath;
    session_.RomPath = paths.RomPath;
    session_.RatingScalePath = paths.RatingScalePath;
    session_.lastDataFile = paths.CurrentFile;
    session_.windowGeometry = Read_Ini_String(settingsPath(), WindowSection, GeometryKey);
    session_.exportSettings = readExportSettings(settingsPath());

    const std::string scale = defaultRatingScalePath(platform_.programDirectory());
    if (scale.empty())
        tell(text::NoDefaultRatingScale);
    else if (Load_Rating_Scale(scale, session_.ratingScale))
        session_.ratingScaleLoaded = true;
    else
        tell("The rating scale \"" + scale +
             "\" cannot be read. Ratings use an empty scale until you load one.");

    League fresh;
    kvx::newDocument(fresh, platform_.today());
    session_.document.replace(std::move(fresh));
}

void FileCommands::shutDown() {
    RememberedPaths paths;
    paths.HtmlPath = session_.HtmlPath;
    paths.RomPath = session_.RomPath;
    paths.RatingScalePath = session_.RatingScalePath;
    paths.CurrentFile = session_.document.league().CurrentFile;
    try {
        const std::string path = settingsPath();
        // The user's configuration folder may not exist before the first run ends.
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        writeRememberedPaths(path, paths);
        Write_Ini_String(path, WindowSection, GeometryKey, session_.windowGeometry);
        writeExportSettings(path, session_.exportSettings);
    } catch (const std::exception& error) {
        tell(std::string("The remembered file paths were not saved.\r") + describeFailure(error));
    }
}

bool FileCommands::confirmDiscard() {
    if (!session_.document.isModified())
        return true;
    const std::string& current = session_.document.league().CurrentFile;
    const std::string name =
        current.empty() ? std::string("the untitled roster") : Text_After_Last(current, "/");
    switch (
        platform_.question(text::ProgramName, "Do you want to save the changes to " + name + "?")) {
    case Answer::Yes:
        return current.empty() ? saveAs() : save();
    case Answer::No:
        return true;
    case Answer::Cancel:
        break;
    }
    return false;
}

bool FileCommands::newDocument() {
    if (!confirmDiscard())
        return false;
    League fresh;
    kvx::newDocument(fresh, platform_.today());
    session_.document.replace(std::move(fresh));
    return true;
}

std::optional<FileChoice> FileCommands::chooseLeagueToRead(const std::string& title,
                                                           const std::string& filter) {
    if (!confirmDiscard())
        return std::nullopt;
    FileDialogRequest request;
    request.title = title;
    request.filter = filter;
    startAt(request, session_.lastDataFile, platform_.programDirectory());
    request.proposedName.clear();
    return platform_.openFile(request);
}

bool FileCommands::open() {
    const auto choice = chooseLeagueToRead(text::OpenTitle, text::DataFileFilter);
    if (!choice)
        return false;
    return load(choice->path);
}

bool FileCommands::openPath(const std::string& path) {
    return confirmDiscard() && load(path);
}

bool FileCommands::load(const std::string& path) {
    // The document is replaced only by a file that was read completely.
    League fresh;
    kvx::newDocument(fresh, platform_.today());
    if (!Load_Data_File(fresh, path)) {
        tell(msg::CannotOpenFile);
        return false;
    }
    Add_Recent_File(recent_, path);
    fresh.CurrentFile = path;
    session_.document.replace(std::move(fresh));
    session_.lastDataFile = path;
    session_.dataFileIdentity = fileIdentity(path);
    report("Opened " + fileName(path));
    return true;
}

bool FileCommands::saveTo(const std::string& path, std::optional<FileIdentity> unchanged) {
    try {
        Save_Data_File(session_.document.league(), path, unchanged);
    } catch (const FileChanged&) {
        tell(std::string(text::NotSaved) + "\r" + changedByAnotherProgram(path));
        return false;
    } catch (const std::exception& error) {
        tell(std::string(text::NotSaved) + "\r" + describeFailure(error));
        return false;
    }
    session_.document.markSaved(path);
    session_.lastDataFile = path;
    session_.dataFileIdentity = fileIdentity(path);
    report("Saved " + fileName(path));
    return true;
}

bool FileCommands::save() {
    const std::string current = session_.document.league().CurrentFile;
    if (current.empty())
        return saveAs();
    // Another program may have written the file since it was read or saved here: replacing it
    // would lose that, so the user decides.
    const auto now = fileIdentity(current);
    if (now && session_.dataFileIdentity && *now != *session_.dataFileIdentity) {
        if (platform_.question(text::ProgramName, changedByAnotherProgram(current) + "\r" +
                                                      text::ReplaceChangedFile) != Answer::Yes)
            return false;
        return saveTo(current, now);
    }
    return saveTo(current, now ? session_.dataFileIdentity : std::nullopt);
}

FileDialogRequest FileCommands::leagueSaveRequest(const std::string& title,
                                                  const std::string& filter,
                                                  const std::string& suffix) {
    FileDialogRequest request;
    request.title = title;
    request.defaultSuffix = suffix;
    request.filter = filter;
    request.confirmOverwrite = true;
    const std::string& current = session_.document.league().CurrentFile;
    startAt(request, current.empty() ? session_.lastDataFile : current,
            platform_.programDirectory());
    return request;
}

bool FileCommands::saveAs() {
    const std::string current = session_.document.league().CurrentFile;
    FileDialogRequest request = leagueSaveRequest(text::SaveAsTitle, text::DataFileFilter, "kvx");
    if (current.empty())
        request.proposedName.clear();
    const auto choice = platform_.saveFile(request);
    if (!choice)
        return false;
    return saveTo(choice->path);
}

bool FileCommands::openRecent(int entry) {
    if (!confirmDiscard())
        return false;
    // Read into a document of its own: a refused file leaves the user's as it was.
    League fresh;
    kvx::newDocument(fresh, platform_.today());
    switch (openRecentFile(fresh, recent_, entry)) {
    case RecentOpenResult::Vanished:
        tell(msg::FileMovedOrDeleted);
        return false;
    case RecentOpenResult::Refused:
        tell(msg::CannotOpenFile);
        return false;
    case RecentOpenResult::Opened:
        break;
    }
    session_.lastDataFile = fresh.CurrentFile;
    session_.dataFileIdentity = fileIdentity(fresh.CurrentFile);
    report("Opened " + fileName(fresh.CurrentFile));
    session_.document.replace(std::move(fresh));
    return true;
}

bool FileCommands::importCsv() {
    const auto choice = chooseLeagueToRead(text::ImportCsvTitle, text::CsvFilter);
    if (!choice)
        return false;
    League fresh;
    try {
        fresh = leagueFromCsv(readFile(choice->path, MaxCsvFileSize));
    } catch (const std::exception& error) {
        tell(describeFailure(error));
        return false;
    }
    const int teams = fresh.TeamCount;
    session_.document.replace(std::move(fresh));
    report("Imported " + std::to_string(teams) + (teams == 1 ? " team" : " teams") + " from " +
           fileName(choice->path));
    return true;
}

bool FileCommands::exportCsv() {
    const std::string& current = session_.document.league().CurrentFile;
    FileDialogRequest request = leagueSaveRequest(text::ExportCsvTitle, text::CsvFilter, "csv");
    // league.kvx is offered as league.csv.
    request.proposedName.clear();
    if (!current.empty()) {
        std::string name = fileName(current);
        if (const auto dot = name.rfind('.'); dot != std::string::npos && dot > 0)
            name.resize(dot);
        request.proposedName = name + ".csv";
    }
    const auto choice = platform_.saveFile(request);
    if (!choice)
        return false;
    try {
        writeFileAtomically(choice->path, leagueToCsv(session_.document.league()));
    } catch (const std::exception& error) {
        tell(std::string("The CSV file was not written.\r") + describeFailure(error));
        return false;
    }
    report("Exported " + fileName(choice->path));
    return true;
}

void FileCommands::loadRatingScale() {
    FileDialogRequest request;
    request.title = text::LoadRatingScaleTitle;
    request.filter = text::RatingScaleFilter;
    startAt(request, session_.RatingScalePath, platform_.programDirectory());
    const auto choice = platform_.openFile(request);
    if (!choice)
        return;
    session_.RatingScalePath = choice->path;
    if (!Load_Rating_Scale(choice->path, session_.ratingScale)) {
        tell(msg::CannotOpenFile);
        return;
    }
    session_.ratingScaleLoaded = true;
    report("Loaded the rating scale " + fileName(choice->path));
}

void FileCommands::saveRatingScaleAs() {
    FileDialogRequest request;
    request.title = text::SaveRatingScaleTitle;
    request.defaultSuffix = "trs";
    request.filter = text::RatingScaleFilter;
    request.confirmOverwrite = true;
    startAt(request, session_.RatingScalePath, platform_.programDirectory());
    const auto choice = platform_.saveFile(request);
    if (!choice)
        return;
    session_.RatingScalePath = choice->path;
    try {
        Save_Rating_Scale(choice->path, session_.ratingScale);
    } catch (const std::exception& error) {
        tell(std::string("The rating scale was not saved.\r") + describeFailure(error));
        return;
    }
    report("Saved the rating scale " + fileName(choice->path));
}

} // namespace kvx
