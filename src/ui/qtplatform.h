#pragma once

#include "ui/platform.h"

#include <QString>
#include <QStringList>

namespace kvx {

// The platform of the desktop program: Qt's message boxes, file dialogs and input box, opened
// over whichever window is active at the time.
class QtPlatform : public Platform {
public:
    void messageBox(const std::string& title, const std::string& text, MessageIcon icon) override;
    Answer question(const std::string& title, const std::string& text) override;
    std::optional<FileChoice> openFile(const FileDialogRequest& request) override;
    std::optional<FileChoice> saveFile(const FileDialogRequest& request) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) override;
    void beep() override;
    Date today() override;
    std::string programDirectory() override;
};

// The program's "text|patterns|text|patterns|" filter as Qt's name filters, one per pair, each
// "text (patterns)" with the patterns separated by spaces.
QStringList qtNameFilters(const std::string& filter);

// Paths and messages travel as UTF-8, the file system's encoding here; a text that is not valid
// UTF-8 holds single-byte characters from a game image and is read as Latin-1.
QString toQString(const std::string& text);
std::string fromQString(const QString& text);
// As toQString, with the carriage returns the program's messages use as line breaks turned into
// Qt's line feeds.
QString toDisplayText(const std::string& text);

} // namespace kvx
