#include "ui/application.h"

#include "base/messages.h"
#include "ui/failure.h"
#include "ui/platform.h"

#include <cstdio>

namespace kvx {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        const std::string text = describeFailure(error);
        if (platform_)
            platform_->messageBox(msg::ReadMeTitle, text, MessageIcon::Information);
        else
            std::fprintf(stderr, "%s\n", text.c_str());
    }
    return false;
}

} // namespace kvx
