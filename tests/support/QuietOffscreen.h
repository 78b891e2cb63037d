#pragma once

#include <QSettings>
#include <QString>
#include <QtGlobal>
#include <cstdio>

namespace testsupport {

// Runs Qt on the offscreen platform unless another one is asked for, and drops its warning
// about window hints it cannot pass on; every other message is printed.
inline void UseQuietOffscreenPlatform() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (message.contains(QLatin1String("propagateSizeHints"))) {
                return;
            }
            std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
        });
}

// Keeps the settings store of a test run in folder, away from the user's own.
inline void UseSettingsFolder(const QString& folder) {
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
}

}  // namespace testsupport
