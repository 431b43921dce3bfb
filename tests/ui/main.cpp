#include "uitest.h"

#include <QApplication>
#include <QStandardPaths>
#include <QTest>

// Runs every registered window test; the exit code counts the failed classes.
int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Nothing a test does may reach the user's own settings.
    QStandardPaths::setTestModeEnabled(true);
    int failed = 0;
    for (const auto& [name, make] : kvx::test::uiTests()) {
        const std::unique_ptr<QObject> test = make();
        if (QTest::qExec(test.get(), argc, argv) != 0)
            ++failed;
    }
    return failed;
}
