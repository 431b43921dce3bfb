#include "scriptedplatform.h"

#include "ui/qtplatform.h"

namespace kvx::test {

namespace {

template <class T>
T next(std::deque<T>& queue, int& unexpected, T whenEmpty) {
    if (queue.empty()) {
        ++unexpected;
        return whenEmpty;
    }
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}

} // namespace

void ScriptedPlatform::messageBox(const std::string& title, const std::string& text,
                                  MessageIcon icon) {
    messages.push_back({title, text, icon});
}

Answer ScriptedPlatform::question(const std::string& title, const std::string& text) {
    questions.push_back({title, text, MessageIcon::Exclamation});
    return next(questionAnswers, unexpected, Answer::Cancel);
}

std::optional<FileChoice> ScriptedPlatform::openFile(const FileDialogRequest& request) {
    openRequests.push_back(request);
    if (realFileDialogs)
        return QtPlatform().openFile(request);
    return next<std::optional<FileChoice>>(openAnswers, unexpected, std::nullopt);
}

std::optional<FileChoice> ScriptedPlatform::saveFile(const FileDialogRequest& request) {
    saveRequests.push_back(request);
    if (realFileDialogs)
        return QtPlatform().saveFile(request);
    return next<std::optional<FileChoice>>(saveAnswers, unexpected, std::nullopt);
}

std::optional<std::string> ScriptedPlatform::inputBox(const std::string& prompt,
                                                      const std::string& title,
                                                      const std::string& defaultText) {
    inputs.push_back({prompt, title, defaultText});
    return next<std::optional<std::string>>(inputAnswers, unexpected, std::nullopt);
}

void ScriptedPlatform::chooseOpen(const std::string& path, int filterIndex) {
    openAnswers.push_back(FileChoice{path, filterIndex});
}

void ScriptedPlatform::chooseSave(const std::string& path, int filterIndex) {
    saveAnswers.push_back(FileChoice{path, filterIndex});
}

std::vector<std::string> ScriptedPlatform::texts() const {
    std::vector<std::string> result;
    for (const RecordedMessage& message : messages)
        result.push_back(message.text);
    return result;
}

void ScriptedPlatform::clearRecords() {
    messages.clear();
    questions.clear();
    openRequests.clear();
    saveRequests.clear();
    inputs.clear();
}

} // namespace kvx::test
