#include "ui/romcommands.h"

#include "base/error.h"
#include "base/fileio.h"
#include "base/messages.h"
#include "rom/commands.h"
#include "rom/routines.h"
#include "ui/failure.h"
#include "ui/texts.h"

#include <array>

namespace kvx {

namespace {

std::string missingFile(const std::string& path) {
    return "The file \"" + path + "\" does not exist.";
}

std::string teamsText(int teams) {
    return std::to_string(teams) + (teams == 1 ? " team" : " teams");
}

std::string exportedStatus(int teams, const std::string& path) {
    return "Exported " + teamsText(teams) + " into " + Text_After_Last(path, "/");
}

// The editions as the status bar names them, by edition code.
constexpr std::array<const char*, 9> EditionTitles = {"",           "NES",         "Genesis I",
                                                      "Genesis II", "Genesis III", "SNES I",
                                                      "SNES II",    "SNES III",    "PlayStation"};

std::string importedStatus(int teams, const std::string& path, int edition) {
    return "Imported " + teamsText(teams) + " from " + Text_After_Last(path, "/") + " (" +
           EditionTitles.at(static_cast<std::size_t>(edition - 1)) + ")";
}

} // namespace

RomCommands::RomCommands(Session& session, Platform& platform, FileCommands& files,
                         ExportWizard wizard)
    : session_(session), platform_(platform), files_(files), wizard_(std::move(wizard)) {}

void RomCommands::report(const std::string& text) {
    if (status_)
        status_(text);
}

void RomCommands::tell(const std::string& text) {
    platform_.messageBox(msg::ReadMeTitle, text, MessageIcon::Information);
}

FileDialogRequest RomCommands::dialogRequest(const char* title) {
    FileDialogRequest request;
    request.title = title;
    request.filter = editionFilterString();
    request.filterIndex = filterIndex_;
    startAt(request, session_.RomPath, platform_.programDirectory());
    return request;
}

std::optional<int> RomCommands::askRoster() {
    for (;;) {
        const auto answer =
            platform_.inputBox(text::RosterPrompt, text::RosterTitle, text::RosterDefault);
        if (!answer)
            return std::nullopt;
        if (const auto choice = rosterChoiceFromAnswer(*answer))
            return choice;
        tell(text::RosterNotANumber);
    }
}

bool RomCommands::importData() {
    if (!files_.confirmDiscard())
        return false;
    filterIndex_ = AutoDetect;
    const auto choice = platform_.openFile(dialogRequest(text::ImportTitle));
    if (!choice)
        return false;
    filterIndex_ = choice->filterIndex;
    return importFile(choice->path, choice->filterIndex);
}

bool RomCommands::importPath(const std::string& path) {
    return files_.confirmDiscard() && importFile(path, AutoDetect);
}

bool RomCommands::importFile(const std::string& path, int edition) {
    session_.RomPath = path;
    if (edition != AutoDetect && !editionSupported(edition)) {
        tell(msg::RomNotSupported);
        return false;
    }
    if (!fileExists(path)) {
        tell(missingFile(path));
        return false;
    }
    try {
        const RomImage image = RomImage::load(path);
        if (edition == AutoDetect)
            edition = detectEdition(image);
        if (!editionSupported(edition)) {
            tell(msg::RomNotSupported);
            return false;
        }
        int roster = 0;
        if (edition == GenesisII) {
            const auto answer = askRoster();
            if (!answer)
                return false;
            roster = *answer;
        }
        // Read into a document of its own, so that a damaged image leaves the user's as it was.
        League fresh;
        newDocument(fresh, platform_.today());
        const ImportResult result = importLeague(image, edition, roster, fresh);
        if (result.teamCount == 0) {
            tell(msg::RomNotSupported);
            return false;
        }
        for (const std::string& warning : result.warnings)
            platform_.messageBox(text::ProgramName, warning, MessageIcon::Information);
        session_.document.replace(std::move(fresh));
        report(importedStatus(result.teamCount, path, edition));
        return true;
    } catch (const std::exception& error) {
        tell(describeFailure(error));
        return false;
    }
}

bool RomCommands::exportData() {
    FileDialogRequest request = dialogRequest(text::ExportTitle);
    const auto choice = platform_.saveFile(request);
    if (!choice)
        return false;
    filterIndex_ = choice->filterIndex;
    const std::string& path = choice->path;

    int edition = choice->filterIndex;
    if (edition != AutoDetect && !editionSupported(edition)) {
        tell(msg::RomNotSupported);
        return false;
    }
    if (!fileExists(path)) {
        tell(missingFile(path) + "\r" + text::ExportNeedsImage);
        return false;
    }
    try {
        RomImage image = RomImage::load(path);
        if (edition == AutoDetect)
            edition = detectEdition(image);
        if (!editionSupported(edition)) {
            tell(msg::RomNotSupported);
            return false;
        }

        session_.RomEdition = edition;
        const auto assigned = wizard_(session_.document.league(), edition);
        if (!assigned)
            return false;
        session_.document.setRomSlots(edition, *assigned);

        // Read again under the lock, which other exports take too: the image may have been
        // replaced while the wizard was open, and is replaced only while it is still the file
        // that was read.
        ExportResult result;
        {
            const FileLock lock(path);
            image = RomImage::load(path);
            result = Export_ROM(edition, session_.document.league(), image);
            writeFileAtomically(
                path, [&image](const ByteSink& sink) { sink(image.bytes()); }, lock.identity());
        }
        for (const std::string& warning : result.warnings)
            platform_.messageBox(msg::ExportWarningTitle, warning, MessageIcon::Critical);
        if (!result.cuts.empty()) {
            std::string list = text::ExportCuts;
            for (const std::string& cut : result.cuts)
                list += "\r" + cut;
            tell(list);
        }
        report(exportedStatus(result.teamsReplaced, path));
        return true;
    } catch (const UnsupportedImage&) {
        tell(msg::RomNotSupported);
        return false;
    } catch (const std::exception& error) {
        tell(describeFailure(error) + "\r" + text::NothingExported);
        return false;
    }
}

} // namespace kvx
