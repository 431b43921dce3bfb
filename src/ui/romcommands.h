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

    // True when the document was replaced by the image's league.
    bool importData();
    // What the status bar reports after a successful export; nothing otherwise.
    std::optional<std::string> exportData();

private:
    FileDialogRequest dialogRequest(const char* title);
    std::optional<int> askRoster();
    void tell(const std::string& text);

    Session& session_;
    Platform& platform_;
    FileCommands& files_;
    ExportWizard wizard_;
    int filterIndex_ = 1;
};

} // namespace kvx
