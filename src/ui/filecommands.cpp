#include "ui/filecommands.h"

#include "base/error.h"
#include "base/fileio.h"
#include "base/messages.h"
#include "document/datafile.h"
#include "ratings/ratingscale.h"
#include "rom/routines.h"
#include "ui/texts.h"

namespace kvx {

FileCommands::FileCommands(Session& session, Platform& platform, RecentStore& recent)
    : session_(session), platform_(platform), recent_(recent) {}

void FileCommands::tell(const std::string& text) {
    platform_.messageBox(msg::ReadMeTitle, text, MessageIcon::Information);
}

std::string FileCommands::settingsPath() {
    return pathInFolder(platform_.programDirectory(), std::string(SettingsFileName));
}

void FileCommands::startUp() {
    const RememberedPaths paths = readRememberedPaths(settingsPath());
    session_.HtmlPath = paths.HtmlPath;
    session_.RomPath = paths.RomPath;
    session_.RatingScalePath = paths.RatingScalePath;
    session_.lastDataFile = paths.CurrentFile;

    const std::string scale =
        pathInFolder(platform_.programDirectory(), std::string(DefaultRatingScaleFile));
    if (fileExists(scale) && !Load_Rating_Scale(scale, session_.ratingScale))
        tell("The rating scale \"" + scale +
             "\" cannot be read. Ratings use an empty scale until you load one.");

    kvx::newDocument(session_.league, platform_.today());
    session_.documentChanged = false;
}

void FileCommands::shutDown() {
    RememberedPaths paths;
    paths.HtmlPath = session_.HtmlPath;
    paths.RomPath = session_.RomPath;
    paths.RatingScalePath = session_.RatingScalePath;
    paths.CurrentFile = session_.league.CurrentFile;
    try {
        writeRememberedPaths(settingsPath(), paths);
    } catch (const Error& error) {
        tell(std::string("The remembered file paths were not saved.\r") + error.what());
    }
}

bool FileCommands::confirmDiscard() {
    if (!session_.documentChanged)
        return true;
    const std::string& current = session_.league.CurrentFile;
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
    kvx::newDocument(session_.league, platform_.today());
    session_.documentChanged = false;
    return true;
}

bool FileCommands::open() {
    if (!confirmDiscard())
        return false;
    FileDialogRequest request;
    request.title = text::OpenTitle;
    request.filter = text::DataFileFilter;
    startAt(request, session_.lastDataFile, platform_.programDirectory());
    request.proposedName.clear();
    const auto choice = platform_.openFile(request);
    if (!choice)
        return false;

    // The document is replaced only by a file that was read completely.
    League fresh;
    kvx::newDocument(fresh, platform_.today());
    if (!Load_Data_File(fresh, choice->path)) {
        tell(msg::CannotOpenFile);
        return false;
    }
    Add_Recent_File(recent_, choice->path);
    fresh.CurrentFile = choice->path;
    session_.league = std::move(fresh);
    session_.lastDataFile = choice->path;
    session_.documentChanged = false;
    return true;
}

bool FileCommands::saveTo(const std::string& path) {
    try {
        Save_Data_File(session_.league, path);
    } catch (const Error& error) {
        tell(std::string(text::NotSaved) + "\r" + error.what());
        return false;
    }
    session_.league.CurrentFile = path;
    session_.lastDataFile = path;
    session_.documentChanged = false;
    return true;
}

bool FileCommands::save() {
    if (session_.league.CurrentFile.empty())
        return saveAs();
    return saveTo(session_.league.CurrentFile);
}

bool FileCommands::saveAs() {
    FileDialogRequest request;
    request.title = text::SaveAsTitle;
    request.filter = text::DataFileFilter;
    request.confirmOverwrite = true;
    const std::string& current = session_.league.CurrentFile;
    startAt(request, current.empty() ? session_.lastDataFile : current,
            platform_.programDirectory());
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
    switch (openRecentFile(session_.league, recent_, entry)) {
    case RecentOpenResult::Vanished:
        tell(msg::FileMovedOrDeleted);
        return false;
    case RecentOpenResult::Refused:
        tell(msg::CannotOpenFile);
        return false;
    case RecentOpenResult::Opened:
        break;
    }
    session_.lastDataFile = session_.league.CurrentFile;
    session_.documentChanged = false;
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
    if (!Load_Rating_Scale(choice->path, session_.ratingScale))
        tell(msg::CannotOpenFile);
}

void FileCommands::saveRatingScaleAs() {
    FileDialogRequest request;
    request.title = text::SaveRatingScaleTitle;
    request.filter = text::RatingScaleFilter;
    request.confirmOverwrite = true;
    startAt(request, session_.RatingScalePath, platform_.programDirectory());
    const auto choice = platform_.saveFile(request);
    if (!choice)
        return;
    session_.RatingScalePath = choice->path;
    try {
        Save_Rating_Scale(choice->path, session_.ratingScale);
    } catch (const Error& error) {
        tell(std::string("The rating scale was not saved.\r") + error.what());
    }
}

} // namespace kvx
