#pragma once

#include <QString>

namespace platform {

// The per-user settings store: text values by application, section and key, kept in the
// user's configuration folder (an INI file per application).

// The stored text, or Default when the key, its section or its application does not exist.
QString GetSetting(const QString& AppName, const QString& Section, const QString& Key,
                   const QString& Default = QString());
// Creates or overwrites the key.
void SaveSetting(const QString& AppName, const QString& Section, const QString& Key,
                 const QString& Setting);

}  // namespace platform
