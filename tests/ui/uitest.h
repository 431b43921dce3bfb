#pragma once

#include "scriptedplatform.h"
#include "support/temp_dir.h"
#include "ui/frmMain.h"
#include "ui/recentstore.h"
#include "ui/session.h"

#include <QAbstractButton>
#include <QApplication>
#include <QObject>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;

// Failed comparisons of the program's byte strings print them.
namespace QTest {
template <>
inline char* toString(const std::string& value) {
    return qstrdup(value.c_str());
}
} // namespace QTest

namespace kvx::test {

// One QtTest class per window, all run by the one test program.
int registerUiTest(const char* name, std::function<std::unique_ptr<QObject>()> make);
std::vector<std::pair<const char*, std::function<std::unique_ptr<QObject>()>>>& uiTests();

#define KVX_UI_TEST(Class)                                                                         \
    static const int registered##Class =                                                           \
        ::kvx::test::registerUiTest(#Class, [] { return std::make_unique<Class>(); });

// The desktop program on a temporary program folder, with its recent list in a settings file of
// that folder and the scripted platform. `prepare` runs before start-up, to place files.
class App {
public:
    explicit App(const std::function<void(App&)>& prepare = {});
    ~App();

    std::string file(const std::string& name) const { return dir.file(name); }
    std::string settingsFile() const { return file("kvxm2000.ini"); }

    TempDir dir;
    ScriptedPlatform platform;
    std::unique_ptr<SettingsRecentStore> recent;
    Session session;
    std::unique_ptr<frmMain> window;
    // What start-up said (a missing or unreadable rating scale); platform.messages starts empty.
    std::vector<RecordedMessage> startUpMessages;
};

QAction* action(QWidget& window, const char* name);

// What the main window's status bar says.
std::string statusText(App& app);

// Opens the menu that holds the entry, as the user does, and triggers the entry when it is
// enabled; false (and nothing triggered) when it is not.
[[nodiscard]] bool trigger(frmMain& window, const char* name);
// Whether the entry shows enabled when its menu is opened.
bool enabledInMenu(frmMain& window, const char* name);

// Runs `act` on the modal dialog of type Dialog once it has been shown. When `act` leaves the
// dialog open (a failed check), the dialog is rejected so that the test does not hang.
template <class Dialog>
void whenModal(std::function<void(Dialog&)> act, int attempts = 200) {
    QTimer::singleShot(0, [act, attempts] {
        QPointer<Dialog> dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            if (attempts > 0)
                whenModal<Dialog>(act, attempts - 1);
            return;
        }
        act(*dialog);
        if (dialog && dialog->isVisible())
            dialog->reject();
    });
}

void click(QWidget& parent, const char* buttonName);

// Types `text` into the focused-or-not widget key by key, as a keyboard would; unlike
// QTest::keyClicks it takes characters beyond ASCII.
void typeKeys(QWidget* widget, const QString& text);

// The text of the label a screen reader announces with the control (its buddy label), or "".
QString spokenLabel(QWidget* control);

// An edit through the document's owner, so that the document has unsaved changes.
void makeChange(Session& session);
void setCity(Session& session, int team, const std::string& city);

// A game image of 28 image-style teams in `path`; returns the teams as stored.
std::vector<TeamRecord> writeNesImage(const std::string& path, std::uint32_t seed);

// A data file holding a league of `teams` teams whose first city is `city`.
void writeDataFile(const std::string& path, const std::string& city, int teams = 2);

} // namespace kvx::test
