#pragma once

#include "rom/commands.h"
#include "ui/exportplan.h"
#include "ui/filecommands.h"
#include "ui/platform.h"
#include "ui/session.h"

#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kvx {

// Shows the export wizard over the league. After Finish it returns what every team's RomSlot for
// the edition becomes and how to write the export; nothing when the wizard was closed otherwise.
using ExportWizard =
    std::function<std::optional<ExportPlan>(const League& league, const ExportWizardInput& input)>;

// Patch files, by the format their extension names.
inline constexpr const char* PatchFilter = "IPS Patch (*.ips)|*.ips|BPS Patch (*.bps)|*.bps|";

// What an export has to say once it is written, as every export says it: one box per undefined
// level, the notes (a checksum that could not be corrected), then one list of what was cut.
void showExportOutcome(Platform& platform, const ExportResult& result);

// What an export that failed says: an image the program cannot write in the fixed words alone,
// any other failure described and followed by `consequence` (what became of the export).
std::string exportFailureText(const std::exception& error, const std::string& consequence);

// "Import Data..." and "Export Data...". Both share one file dialog whose file type, the
// edition code, carries over from one use to the next.
class RomCommands {
public:
    RomCommands(Session& session, Platform& platform, FileCommands& files, ExportWizard wizard);

    void setStatusReport(StatusReport report) { status_ = std::move(report); }

    // True when the document was replaced by the image's league.
    bool importData();
    // Imports the image at `path` (given on the command line or dropped on the window) with
    // automatic detection, after the unsaved-changes question.
    bool importPath(const std::string& path);
    // "Import a Patched Image...": asks for the image and then the patch, and imports the image
    // as the patch makes it, in memory; neither file is written.
    bool importPatched();
    // True when the image (or, as the wizard chose, a patch for it) was written.
    bool exportData();

private:
    bool importFile(const std::string& path, int filterIndex,
                    const std::optional<std::string>& patch = std::nullopt);
    bool writeImage(const std::string& path, Edition edition, const ExportChoices& choices);
    bool writePatch(const std::string& path, Edition edition, const ExportChoices& choices);
    // The image Play in Emulator starts a copy of.
    void rememberExport(const std::string& path, Edition edition);
    // The edition of a file-type entry, when it is automatic detection or one this program can
    // read and write; says that it cannot otherwise.
    std::optional<Edition> chosenEdition(int filterIndex);
    FileDialogRequest dialogRequest(const char* title);
    // The open dialog for an image whose league replaces the document; it starts on automatic
    // detection and remembers the type chosen.
    std::optional<FileChoice> chooseImageToImport(const char* title);
    std::optional<int> askRoster();
    void tell(const std::string& text);
    void report(const std::string& text);

    Session& session_;
    Platform& platform_;
    FileCommands& files_;
    ExportWizard wizard_;
    StatusReport status_;
    int filterIndex_ = 1;
    int patchFilterIndex_ = 1;
};

} // namespace kvx
