#include "platform/SettingsStore.h"

#include <QSettings>
#include <map>
#include <memory>

namespace platform {
namespace {

// One store per application name, opened at its first use and kept for the run.
QSettings& Store(const QString& appName) {
    static std::map<QString, std::unique_ptr<QSettings>> stores;
    std::unique_ptr<QSettings>& store = stores[appName];
    if (!store) {
        store = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                            QStringLiteral("Tarvex"), appName);
    }
    return *store;
}

}  // namespace

QString GetSetting(const QString& AppName, const QString& Section, const QString& Key,
                   const QString& Default) {
    return Store(AppName).value(Section + QLatin1Char('/') + Key, Default).toString();
}

void SaveSetting(const QString& AppName, const QString& Section, const QString& Key,
                 const QString& Setting) {
    SaveSettings(AppName, Section, {{Key, Setting}});
}

void SaveSettings(const QString& AppName, const QString& Section,
                  const std::vector<std::pair<QString, QString>>& KeysAndSettings) {
    QSettings& store = Store(AppName);
    for (const auto& [key, setting] : KeysAndSettings) {
        store.setValue(Section + QLatin1Char('/') + key, setting);
    }
    store.sync();
}

}  // namespace platform
