#include "ui/romcommands.h"

#include "base/error.h"
#include "base/fileio.h"
#include "base/messages.h"
#include "rom/commands.h"
#include "rom/patch.h"
#include "rom/routines.h"
#include "ui/failure.h"
#include "ui/texts.h"

#include <filesystem>

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

std::string importedStatus(int teams, const std::string& source, Edition edition) {
    return "Imported " + teamsText(teams) + " from " + source + " (" +
           std::string(editionInfo(edition).title) + ")";
}

// A patch holds the changed bytes and some framing: a patch of an image of the largest size
// with every byte changed stays well below this.
constexpr std::size_t MaxPatchSize = 4 * MaxImageSize;

// The image as the patch makes it.
RomImage patchedImage(const std::string& imagePath, const std::string& patchPath) {
    const RomImage image = RomImage::load(imagePath);
    const FileBytes patch = readFile(patchPath, MaxPatchSize);
    FileBytes patched = applyPatch(image.bytes(), patch);
    if (patched.size() > MaxImageSize)
        throw UnsupportedImage();
    return RomImage(std::move(patched));
}

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

} // namespace

std::string exportFailureText(const std::exception& error, const std::string& consequence) {
    if (dynamic_cast<const UnsupportedImage*>(&error))
        return msg::RomNotSupported;
    return describeFailure(error) + "\r" + consequence;
}

void showExportOutcome(Platform& platform, const ExportResult& result) {
    for (const ExportWarning& warning : result.warnings)
        platform.messageBox(msg::ExportWarningTitle, "Warning!\r" + warning.text,
                            MessageIcon::Critical);
    for (const std::string& note : result.notes)
        platform.messageBox(msg::ReadMeTitle, note, MessageIcon::Information);
    if (!result.cuts.empty()) {
        std::string list = text::ExportCuts;
        for (const std::string& cut : result.cuts)
            list += "\r" + cut;
        platform.messageBox(msg::ReadMeTitle, list, MessageIcon::Information);
    }
}

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

std::optional<FileChoice> RomCommands::chooseImageToImport(const char* title) {
    if (!files_.confirmDiscard())
        return std::nullopt;
    filterIndex_ = code(AutoDetect);
    auto choice = platform_.openFile(dialogRequest(title));
    if (choice)
        filterIndex_ = choice->filterIndex;
    return choice;
}

bool RomCommands::importData() {
    const auto choice = chooseImageToImport(text::ImportTitle);
    return choice && importFile(choice->path, choice->filterIndex);
}

bool RomCommands::importPath(const std::string& path) {
    return files_.confirmDiscard() && importFile(path, code(AutoDetect));
}

bool RomCommands::importPatched() {
    const auto image = chooseImageToImport(text::ImportPatchedTitle);
    if (!image)
        return false;
    FileDialogRequest request;
    request.title = text::ChoosePatchTitle;
    request.filter = std::string(text::AllPatchesFilter) + PatchFilter + "All Files (*.*)|*|";
    request.initialFolder = Text_Before_Last(image->path, "/");
    const auto patch = platform_.openFile(request);
    if (!patch)
        return false;
    return importFile(image->path, image->filterIndex, patch->path);
}

std::optional<Edition> RomCommands::chosenEdition(int filterIndex) {
    const auto edition = editionFromCode(filterIndex);
    if (edition && (*edition == AutoDetect || editionSupported(*edition)))
        return edition;
    tell(msg::RomNotSupported);
    return std::nullopt;
}

bool RomCommands::importFile(const std::string& path, int filterIndex,
                             const std::optional<std::string>& patch) {
    session_.RomPath = path;
    const auto edition = chosenEdition(filterIndex);
    if (!edition)
        return false;
    for (const std::string* file : {&path, patch ? &*patch : nullptr})
        if (file && !fileExists(*file)) {
            tell(missingFile(*file));
            return false;
        }
    try {
        const RomImage image = patch ? patchedImage(path, *patch) : RomImage::load(path);
        // Read into a document of its own, so that a damaged image leaves the user's as it was.
        League fresh;
        newDocument(fresh, platform_.today());
        const auto result = importImage(
            image, *edition, [this] { return askRoster(); }, fresh);
        if (!result)
            return false;
        for (const std::string& warning : result->warnings)
            platform_.messageBox(text::ProgramName, warning, MessageIcon::Information);
        session_.document.replace(std::move(fresh));
        std::string source = Text_After_Last(path, "/");
        if (patch)
            source += " patched with " + Text_After_Last(*patch, "/");
        report(importedStatus(result->teamCount, source, result->edition));
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

    const auto chosen = chosenEdition(choice->filterIndex);
    if (!chosen)
        return false;
    if (!fileExists(path)) {
        tell(missingFile(path) + "\r" + text::ExportNeedsImage);
        return false;
    }
    try {
        const RomImage image = RomImage::load(path);
        const Edition edition = resolveEdition(*chosen, image);
        const ExportWizardInput input{edition,
                                      imageSlotTeams(edition, teamsInImage(edition, image)),
                                      session_.exportSettings.fixChecksum};
        const auto plan = wizard_(session_.document.league(), input);
        if (!plan)
            return false;
        session_.document.setRomSlots(code(edition), plan->romSlots);
        session_.exportSettings.fixChecksum = plan->fixChecksum;
        const ExportChoices choices{plan->fixChecksum};
        return plan->asPatch ? writePatch(path, edition, choices)
                             : writeImage(path, edition, choices);
    } catch (const std::exception& error) {
        tell(exportFailureText(error, text::NothingExported));
        return false;
    }
}

bool RomCommands::writeImage(const std::string& path, Edition edition,
                             const ExportChoices& choices) {
    // Read again: the image may have been replaced while the wizard was open.
    const ExportResult result = exportImageFile(path, edition, session_.document.league(), choices);
    rememberExport(path, edition);
    showExportOutcome(platform_, result);
    report(exportedStatus(result.teamsReplaced, path));
    return true;
}

// The export runs on a copy of the image, with every check it makes when it writes the image;
// only then is the patch file asked for. The image itself is only read.
bool RomCommands::writePatch(const std::string& path, Edition edition,
                             const ExportChoices& choices) {
    const ExportedCopy copy = exportCopy(path, edition, session_.document.league(), choices);
    const ExportResult& result = copy.result;

    FileDialogRequest request;
    request.title = text::SavePatchTitle;
    request.filter = PatchFilter;
    request.filterIndex = patchFilterIndex_;
    request.initialFolder = Text_Before_Last(path, "/");
    request.proposedName = std::filesystem::path(path).stem().string();
    request.confirmOverwrite = true;
    const auto choice = platform_.saveFile(request);
    if (!choice)
        return false;
    patchFilterIndex_ = choice->filterIndex;
    std::string patchPath = choice->path;
    auto format = patchFormatFromPath(patchPath);
    if (!format) {
        format = choice->filterIndex == 2 ? PatchFormat::Bps : PatchFormat::Ips;
        patchPath += format == PatchFormat::Bps ? ".bps" : ".ips";
    }
    if (sameFile(patchPath, path)) {
        tell(text::PatchOverImage);
        return false;
    }
    writeFileAtomically(patchPath,
                        makePatch(*format, copy.original.bytes(), copy.exported.bytes()));
    rememberExport(path, edition);
    showExportOutcome(platform_, result);
    report("Saved " + teamsText(result.teamsReplaced) + " for " + Text_After_Last(path, "/") +
           " as the patch " + Text_After_Last(patchPath, "/"));
    return true;
}

void RomCommands::rememberExport(const std::string& path, Edition edition) {
    session_.exportSettings.lastImage = path;
    session_.exportSettings.lastEdition = code(edition);
}

} // namespace kvx
