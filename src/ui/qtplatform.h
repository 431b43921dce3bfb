#pragma once

#include "ui/platform.h"
#include "ui/qtext.h"

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
    std::string userConfigDirectory() override;
};

// The program's "text|patterns|text|patterns|" filter as Qt's name filters, one per pair, each
// "text (patterns)" with the patterns separated by spaces.
QStringList qtNameFilters(const std::string& filter);
// The 1-based pair of the program's filter that a file dialog reports as selected; 1 when it
// matches none.
int chosenFilterIndex(const std::string& filter, const QString& selected);

} // namespace kvx
