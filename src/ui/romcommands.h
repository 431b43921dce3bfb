#pragma once

#include "ui/filecommands.h"
#include "ui/platform.h"
#include "ui/session.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kvx {

// Shows the export wizard for `edition` over the league. After Finish it returns what every
// team's RomSlot for that edition becomes; nothing when the wizard was closed otherwise.
using ExportWizard =
    std::function<std::optional<std::vector<std::int16_t>>(const League& league, int edition)>;

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
    // True when the image was written.
    bool exportData();

private:
    bool importFile(const std::string& path, int edition);
    FileDialogRequest dialogRequest(const char* title);
    std::optional<int> askRoster();
    void tell(const std::string& text);
    void report(const std::string& text);

    Session& session_;
    Platform& platform_;
    FileCommands& files_;
    ExportWizard wizard_;
    StatusReport status_;
    int filterIndex_ = 1;
};

} // namespace kvx
