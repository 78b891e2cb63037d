#include "platform/Twips.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

namespace platform {

QSizeF ScreenSizeTwips() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {};
    }
    const QSize size = screen->size();
    return QSizeF(PixelsToTwips(size.width()), PixelsToTwips(size.height()));
}

QString ProgramFolder() {
    return QCoreApplication::applicationDirPath();
}

int ProgramMajorVersion() {
    return TARVEX_VERSION_MAJOR;
}
int ProgramMinorVersion() {
    return TARVEX_VERSION_MINOR;
}

}  // namespace platform
