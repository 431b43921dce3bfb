#include "ui/application.h"
#include "ui/frmMain.h"
#include "ui/qtext.h"
#include "ui/qtplatform.h"
#include "ui/recentstore.h"
#include "ui/session.h"

#include <QCommandLineParser>
#include <QDir>
#include <QTimer>

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

void describeCommandLine(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QStringLiteral("Kickvane Manager 2000, a roster manager for the Kickvane game images."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("file"),
        QStringLiteral("A league data file (.kvx) to open, or a game image to import."),
        QStringLiteral("[file]"));
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationVersion(QStringLiteral("0.70"));
    QCommandLineParser parser;
    describeCommandLine(parser);

    if (!displayAvailable()) {
        // --help and --version need no window.
        QCoreApplication core(argc, argv);
        parser.process(core);
        std::fputs("KVXm 2000 needs a display to show its windows, and there is none.\n"
                   "Use the command-line program instead: kvxm2000-cli --help\n",
                   stderr);
        return 1;
    }
    kvx::QtPlatform platform;
    kvx::Application app(argc, argv);
    parser.process(app);
    app.setPlatform(&platform);
    kvx::SettingsRecentStore recent;
    kvx::Session session;
    kvx::frmMain window(session, platform, recent);
    window.show();
    if (const QStringList files = parser.positionalArguments(); !files.isEmpty()) {
        const std::string path = kvx::fromQPath(QDir::current().absoluteFilePath(files.first()));
        QTimer::singleShot(0, &window, [&window, path] { window.openFile(path); });
    }
    return app.exec();
}
