#pragma once

#include "document/settings.h"
#include "ui/platform.h"
#include "ui/session.h"

#include <string>

namespace kvx {

// The commands of the File menu that deal with data files, rating-scale files and the settings:
// New, Open, Save, Save As, the recent files, the two rating-scale commands, start-up and
// shut-down. A command that returns true has replaced the document.
class FileCommands {
public:
    FileCommands(Session& session, Platform& platform, RecentStore& recent);

    // Start-up: the remembered paths from the settings file, "default.trs", then New.
    void startUp();
    // Shut-down: writes the remembered paths back into the settings file.
    void shutDown();
    std::string settingsPath();

    // Asks whether unsaved changes are to be saved first; false when the user cancels (or the
    // save fails), so that the caller keeps everything as it was.
    bool confirmDiscard();

    bool newDocument();
    bool open();
    bool save();
    bool saveAs();
    bool openRecent(int entry);

    void loadRatingScale();
    void saveRatingScaleAs();

private:
    bool saveTo(const std::string& path);
    void tell(const std::string& text);

    Session& session_;
    Platform& platform_;
    RecentStore& recent_;
};

} // namespace kvx
