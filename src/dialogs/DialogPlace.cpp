#include "dialogs/DialogPlace.h"

#include "platform/OuterPlace.h"
#include "platform/Twips.h"

namespace dialogs {

void PlaceBeside(QWidget& dialog, const MainWindowLink& main, PlaceRule rule) {
    const QSizeF screen = platform::ScreenSizeTwips();
    const QRect mainWindow = main.OuterRect();
    const DialogPlace place =
        rule(static_cast<float>(platform::PixelsToTwips(mainWindow.x())),
             static_cast<float>(platform::PixelsToTwips(mainWindow.y())),
             static_cast<float>(screen.width()), static_cast<float>(screen.height()));
    platform::MoveOuter(
        dialog, QPoint(platform::TwipsToPixels(place.left), platform::TwipsToPixels(place.top)));
}

}  // namespace dialogs
