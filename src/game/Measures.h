#pragma once

#include "game/Board.h"

namespace game {

// A picture of a board: a frame of frame pixels round kColumns x kRows square cells of cell
// pixels.
constexpr int BoardWidthPixels(int frame, int cell) {
    return 2 * frame + kColumns * cell;
}
constexpr int BoardHeightPixels(int frame, int cell) {
    return 2 * frame + kRows * cell;
}

// The board on screen. The pictures are drawn in pixels; places and the drag geometry are kept
// in twips, kTwipsPerPixel to a pixel.
inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kFramePixels = 15;
inline constexpr int kCellPixels = 50;
inline constexpr int kTrayWidthPixels = BoardWidthPixels(kFramePixels, kCellPixels);    // 230
inline constexpr int kTrayHeightPixels = BoardHeightPixels(kFramePixels, kCellPixels);  // 280
inline constexpr int kFrameTwips = kFramePixels * kTwipsPerPixel;                       // 225
inline constexpr int kCellTwips = kCellPixels * kTwipsPerPixel;                         // 750

// The thumbnails: the board in miniature.
inline constexpr int kThumbFramePixels = 3;
inline constexpr int kThumbCellPixels = 10;
inline constexpr int kThumbWidthPixels = BoardWidthPixels(kThumbFramePixels, kThumbCellPixels);
inline constexpr int kThumbHeightPixels = BoardHeightPixels(kThumbFramePixels, kThumbCellPixels);

// The strip below the tray, as wide as the tray: the start thumbnail in a slot on its left, the
// goal's on its right, each a frame's width in from the strip's edges.
inline constexpr int kStripHeightPixels = 2 * kFramePixels + kThumbHeightPixels;  // 86
inline constexpr int kSlotTopPixels = kFramePixels;
inline constexpr int kStartSlotLeftPixels = kFramePixels;
inline constexpr int kFinishSlotLeftPixels =
    kTrayWidthPixels - kFramePixels - kThumbWidthPixels;  // 169

// The same places on the window, whose client area shows the tray with the strip below it.
inline constexpr int kStripTopTwips = kTrayHeightPixels * kTwipsPerPixel;               // 4200
inline constexpr int kSlotTopTwips = kStripTopTwips + kSlotTopPixels * kTwipsPerPixel;  // 4425
inline constexpr int kStartSlotLeftTwips = kStartSlotLeftPixels * kTwipsPerPixel;       // 225
inline constexpr int kFinishSlotLeftTwips = kFinishSlotLeftPixels * kTwipsPerPixel;     // 2535

// Where column x (or row y), counted from 1, begins on the tray.
constexpr int CellStartPixels(int x) {
    return kFramePixels + kCellPixels * (x - 1);
}
constexpr int CellStartTwips(int x) {
    return CellStartPixels(x) * kTwipsPerPixel;
}

}  // namespace game
