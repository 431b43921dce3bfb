#include "uitest.h"

#include "ui/application.h"

#include <QStandardPaths>
#include <QTest>

#include <cstring>
#include <vector>

// Runs every registered window test, or only the class named by the first argument
// ("kvx_ui_tests PlatformTest -v2"); the exit code counts the failed classes.
int main(int argc, char* argv[]) {
    // The program's own application object, so that its last line of defence is tested too.
    kvx::Application app(argc, argv);
    // Nothing a test does may reach the user's own settings.
    QStandardPaths::setTestModeEnabled(true);
    const char* only = nullptr;
    std::vector<char*> args(argv, argv + argc);
    if (argc > 1)
        for (const auto& [name, make] : kvx::test::uiTests())
            if (std::strcmp(name, argv[1]) == 0) {
                only = argv[1];
                args.erase(args.begin() + 1);
            }
    int failed = 0;
    for (const auto& [name, make] : kvx::test::uiTests()) {
        if (only && std::strcmp(name, only) != 0)
            continue;
        const std::unique_ptr<QObject> test = make();
        if (QTest::qExec(test.get(), static_cast<int>(args.size()), args.data()) != 0)
            ++failed;
    }
    return failed;
}
