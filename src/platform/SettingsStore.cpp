#include "platform/SettingsStore.h"

#include <QSettings>

namespace platform {
namespace {

QSettings Store(const QString& appName) {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tarvex"), appName);
}

}  // namespace

QString GetSetting(const QString& AppName, const QString& Section, const QString& Key,
                   const QString& Default) {
    return Store(AppName).value(Section + QLatin1Char('/') + Key, Default).toString();
}

void SaveSetting(const QString& AppName, const QString& Section, const QString& Key,
                 const QString& Setting) {
    QSettings store = Store(AppName);
    store.setValue(Section + QLatin1Char('/') + Key, Setting);
    store.sync();
}

}  // namespace platform
