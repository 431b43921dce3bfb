#pragma once

#include "ui/platform.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace kvx::test {

struct RecordedMessage {
    std::string title;
    std::string text;
    MessageIcon icon = MessageIcon::Information;
    bool operator==(const RecordedMessage&) const = default;
};

struct RecordedInput {
    std::string prompt;
    std::string title;
    std::string defaultText;
};

// A platform that answers from queues the test fills and records everything it was asked.
// A dialog or question with nothing queued is answered with Cancel and counted as unexpected.
// With realFileDialogs the file dialogs are Qt's own, for tests that drive them.
class ScriptedPlatform : public Platform {
public:
    void messageBox(const std::string& title, const std::string& text, MessageIcon icon) override;
    Answer question(const std::string& title, const std::string& text) override;
    std::optional<FileChoice> openFile(const FileDialogRequest& request) override;
    std::optional<FileChoice> saveFile(const FileDialogRequest& request) override;
    std::optional<std::string> inputBox(const std::string& prompt, const std::string& title,
                                        const std::string& defaultText) override;
    void beep() override { ++beeps; }
    Date today() override { return date; }
    std::string programDirectory() override { return directory; }
    std::string userConfigDirectory() override { return configDirectory; }

    // Queue the next answers.
    void chooseOpen(const std::string& path, int filterIndex = 1);
    void chooseSave(const std::string& path, int filterIndex = 1);
    void cancelOpen() { openAnswers.push_back(std::nullopt); }
    void cancelSave() { saveAnswers.push_back(std::nullopt); }
    void answer(Answer value) { questionAnswers.push_back(value); }
    void type(const std::string& text) { inputAnswers.push_back(text); }
    void cancelInput() { inputAnswers.push_back(std::nullopt); }

    // The texts of the recorded messages, in order.
    std::vector<std::string> texts() const;
    // Forgets what was recorded so far.
    void clearRecords();

    bool realFileDialogs = false;
    Date date{2001, 3, 7};
    std::string directory;
    std::string configDirectory;

    std::deque<std::optional<FileChoice>> openAnswers;
    std::deque<std::optional<FileChoice>> saveAnswers;
    std::deque<std::optional<std::string>> inputAnswers;
    std::deque<Answer> questionAnswers;

    std::vector<RecordedMessage> messages;
    std::vector<RecordedMessage> questions;
    std::vector<FileDialogRequest> openRequests;
    std::vector<FileDialogRequest> saveRequests;
    std::vector<RecordedInput> inputs;
    int beeps = 0;
    int unexpected = 0;
};

} // namespace kvx::test
