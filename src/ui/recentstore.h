#pragma once

#include "document/settings.h"

#include <QSettings>
#include <QString>

#include <memory>

namespace kvx {

// The recent-file list in Qt's per-user settings store, section "recent", keys "0" to "3".
// The desktop program uses the store of the application named after its executable (on Linux
// ~/.config/kvxm2000/kvxm2000.conf); tests give a file of their own.
class SettingsRecentStore : public RecentStore {
public:
    SettingsRecentStore();
    explicit SettingsRecentStore(const QString& iniFile);

    std::string get(int entry) const override;
    void set(int entry, const std::string& path) override;

    QString fileName() const { return settings_->fileName(); }

private:
    static QString keyOf(int entry);

    std::unique_ptr<QSettings> settings_;
};

} // namespace kvx
