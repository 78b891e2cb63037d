#pragma once

#include <QString>
#include <utility>
#include <vector>

namespace platform {

// The per-user settings store: text values by application, section and key, kept in the
// user's configuration folder (an INI file per application).

// The stored text, or Default when the key, its section or its application does not exist.
QString GetSetting(const QString& AppName, const QString& Section, const QString& Key,
                   const QString& Default = QString());
// Creates or overwrites the key.
void SaveSetting(const QString& AppName, const QString& Section, const QString& Key,
                 const QString& Setting);
// Creates or overwrites several keys of one section in a single replacement of the store, so
// that the store never holds some of them old and some new.
void SaveSettings(const QString& AppName, const QString& Section,
                  const std::vector<std::pair<QString, QString>>& KeysAndSettings);

}  // namespace platform
