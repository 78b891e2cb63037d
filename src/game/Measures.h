#pragma once

#include "game/Board.h"

namespace game {

// The board on screen: a frame round kColumns x kRows square cells. The pictures are drawn
// in pixels; places and the drag geometry are kept in twips, kTwipsPerPixel to a pixel.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kFramePixels = 15;
inline constexpr int kCellPixels = 50;
inline constexpr int kTrayWidthPixels = 2 * kFramePixels + kColumns * kCellPixels;  // 230
inline constexpr int kTrayHeightPixels = 2 * kFramePixels + kRows * kCellPixels;    // 280
inline constexpr int kFrameTwips = kFramePixels * kTwipsPerPixel;                   // 225
inline constexpr int kCellTwips = kCellPixels * kTwipsPerPixel;                     // 750

// Where column x (or row y), counted from 1, begins on the tray.
constexpr int CellStartPixels(int x) {
    return kFramePixels + kCellPixels * (x - 1);
}
constexpr int CellStartTwips(int x) {
    return CellStartPixels(x) * kTwipsPerPixel;
}

}  // namespace game
