#pragma once

#include <QSizeF>

namespace platform {

// Positions and sizes are kept in twips; pixels appear only at the Qt boundary.
inline constexpr int kTwipsPerPixel = 15;

constexpr int TwipsToPixels(double twips) {
    // Nearest pixel, halves away from zero.
    const double pixels = twips / kTwipsPerPixel;
    return static_cast<int>(pixels < 0 ? pixels - 0.5 : pixels + 0.5);
}
constexpr int PixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

// The primary screen's size in twips.
QSizeF ScreenSizeTwips();

}  // namespace platform
