#include "platform/Twips.h"

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

}  // namespace platform
