#include "ui/application.h"
#include "ui/frmMain.h"
#include "ui/qtplatform.h"
#include "ui/recentstore.h"
#include "ui/session.h"

#include <cstdio>
#include <cstdlib>

namespace {

// Qt ends the process with a terse message when it finds no display; say what to do instead.
bool displayAvailable() {
#if defined(__linux__)
    const auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
#else
    return true;
#endif
}

} // namespace

int main(int argc, char* argv[]) {
    if (!displayAvailable()) {
        std::fputs("KVXm 2000 needs a display to show its windows, and there is none.\n"
                   "Use the command-line program instead: kvxm2000-cli --help\n",
                   stderr);
        return 1;
    }
    kvx::QtPlatform platform;
    kvx::Application app(argc, argv);
    app.setPlatform(&platform);
    kvx::SettingsRecentStore recent;
    kvx::Session session;
    kvx::frmMain window(session, platform, recent);
    window.show();
    return app.exec();
}
