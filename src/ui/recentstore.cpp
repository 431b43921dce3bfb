#include "ui/recentstore.h"

#include "ui/qtext.h"

#include <QCoreApplication>

namespace kvx {

namespace {

// Without an organisation Qt files the store under "Unknown Organization"; the program's own
// name keeps it in a folder named after the program.
std::unique_ptr<QSettings> userStore() {
    const QString application = QCoreApplication::applicationName();
    return std::make_unique<QSettings>(QSettings::UserScope, application, application);
}

} // namespace

SettingsRecentStore::SettingsRecentStore() : settings_(userStore()) {}

SettingsRecentStore::SettingsRecentStore(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

QString SettingsRecentStore::keyOf(int entry) {
    return toQString(Section) + QLatin1Char('/') + QString::number(entry);
}

std::string SettingsRecentStore::get(int entry) const {
    // Another running copy may have changed the list since it was last read.
    settings_->sync();
    return fromQPath(settings_->value(keyOf(entry)).toString());
}

void SettingsRecentStore::set(int entry, const std::string& path) {
    if (entry < 0 || entry >= RecentFileCount)
        return;
    settings_->setValue(keyOf(entry), toQPath(path));
    settings_->sync();
}

} // namespace kvx
