#pragma once

#include "document/league.h"

#include <optional>
#include <string>

namespace kvx {

enum class MessageIcon { Information, Exclamation, Critical };

enum class Answer { Yes, No, Cancel };

// What a file dialog is opened with. The filter is in the program's own form, pairs of display
// text and patterns each ended by "|" ("KVXm 2000 Data File (*.kvx)|*.kvx|All Files (*.*)|*");
// the filter index counts its pairs from 1.
struct FileDialogRequest {
    std::string title;
    std::string filter;
    int filterIndex = 1;
    std::string initialFolder;
    std::string proposedName;
    // Save dialogs only: ask before an existing file is chosen.
    bool confirmOverwrite = false;
    // Save dialogs only: added (after a ".") to a typed name that has no extension, so that the
    // file shows in the open dialog's filter; empty for none.
    std::string defaultSuffix;
};

struct FileChoice {
    std::string path;
    int filterIndex = 1; // the pair that was selected when the dialog closed
};

// Everything that talks to the user outside the windows themselves, or asks the machine what it
// is: the desktop program passes the real one, tests a scripted one. Cancel is an empty optional.
class Platform {
public:
    virtual ~Platform() = default;

    virtual void messageBox(const std::string& title, const std::string& text,
                            MessageIcon icon) = 0;
    // A Yes / No / Cancel question; closing the box is Cancel.
    virtual Answer question(const std::string& title, const std::string& text) = 0;
    virtual std::optional<FileChoice> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<FileChoice> saveFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                                const std::string& defaultText) = 0;
    virtual void beep() = 0;
    virtual Date today() = 0;
    // The folder the executable lives in, without a trailing "/".
    virtual std::string programDirectory() = 0;
    // The user's own folder for the program's settings (~/.config/kvxm2000 on Linux); it need
    // not exist yet.
    virtual std::string userConfigDirectory() = 0;
};

// Where a dialog starts for a remembered path: the path's folder and file name, split at the
// last "/"; the program's folder and no name while nothing is remembered (or the remembered
// text names no folder).
void startAt(FileDialogRequest& request, const std::string& rememberedPath,
             const std::string& programDirectory);

} // namespace kvx
