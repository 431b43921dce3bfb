#include "uitest.h"

#include "document/datafile.h"
#include "support/image_builder.h"
#include "support/nes_image.h"

#include <QAccessible>
#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QStatusBar>

namespace kvx::test {

std::vector<std::pair<const char*, std::function<std::unique_ptr<QObject>()>>>& uiTests() {
    static std::vector<std::pair<const char*, std::function<std::unique_ptr<QObject>()>>> tests;
    return tests;
}

int registerUiTest(const char* name, std::function<std::unique_ptr<QObject>()> make) {
    uiTests().emplace_back(name, std::move(make));
    return static_cast<int>(uiTests().size());
}

App::App(const std::function<void(App&)>& prepare) {
    platform.directory = dir.path().string();
    platform.configDirectory = dir.file("user-config");
    recent = std::make_unique<SettingsRecentStore>(
        QString::fromStdString(dir.file("user-settings.conf")));
    if (prepare)
        prepare(*this);
    window = std::make_unique<frmMain>(session, platform, *recent);
    startUpMessages = std::move(platform.messages);
    platform.messages.clear();
}

App::~App() {
    window.reset();
}

QAction* action(QWidget& window, const char* name) {
    return window.findChild<QAction*>(QString::fromLatin1(name));
}

std::string statusText(App& app) {
    return app.window->statusBar()->currentMessage().toStdString();
}

bool enabledInMenu(frmMain& window, const char* name) {
    QAction* entry = action(window, name);
    if (!entry)
        return false;
    if (auto* menu = qobject_cast<QMenu*>(entry->parent()))
        emit menu->aboutToShow();
    return entry->isEnabled() && entry->isVisible();
}

bool trigger(frmMain& window, const char* name) {
    if (!enabledInMenu(window, name))
        return false;
    action(window, name)->trigger();
    return true;
}

void click(QWidget& parent, const char* buttonName) {
    auto* button = parent.findChild<QAbstractButton*>(QString::fromLatin1(buttonName));
    if (button && button->isEnabled())
        button->click();
}

void typeKeys(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(widget, &press);
        QApplication::sendEvent(widget, &release);
    }
}

QString spokenLabel(QWidget* control) {
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(control);
    const auto labels = spoken->relations(QAccessible::Label);
    return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name);
}

void makeChange(Session& session) {
    GeneralInfoRecord info = session.document.league().GeneralInfo;
    info.Credits += " (changed)";
    session.document.setGeneralInfo(info);
}

void setCity(Session& session, int team, const std::string& city) {
    const TeamRecord& record = session.document.team(team);
    session.document.setTeamTexts(
        team, TeamTexts{city, record.Name, record.Abbreviation, record.ScheduleName});
}

std::vector<TeamRecord> writeNesImage(const std::string& path, std::uint32_t seed) {
    std::vector<TeamRecord> teams = imageStyleTeams(28, seed);
    GeneralInfoRecord info;
    info.Year = "1994";
    info.Credits = "BUILT FOR TESTS";
    writeBytes(path, buildNesImage(teams, info, seed).bytes());
    return teams;
}

void writeDataFile(const std::string& path, const std::string& city, int teams) {
    League league;
    newDocument(league, Date{1999, 9, 9});
    league.Teams.resize(static_cast<std::size_t>(teams));
    league.TeamCount = static_cast<std::int16_t>(teams);
    for (int t = 0; t < teams; ++t) {
        league.team(t).City = t == 0 ? city : "City";
        league.team(t).Name = "Team" + std::to_string(t);
    }
    Save_Data_File(league, path);
}

} // namespace kvx::test
