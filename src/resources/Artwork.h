#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <array>

#include "game/GameLayouts.h"

namespace resources {

// Every picture of the main window, drawn by code once at start-up. The tray, the pieces, the
// strips and the thumbnails have the sizes of game/Measures.h.
struct Artwork {
    QPixmap Table;      // the wooden tray, a frame round the cells
    QPixmap PawnBig;    // each piece as large as its cells; black knob
    QPixmap PawnHor;    // yellow knob
    QPixmap PawnVer;    // yellow knob
    QPixmap PawnSmall;  // red knob
    // The strip below the tray, with an arrow pointing right or left, or with a tick.
    QPixmap ExtraArrow;
    QPixmap ExtraArrowBack;
    QPixmap ExtraTick;
    std::array<QPixmap, game::kGameCount> Start;   // game i's start position in miniature
    std::array<QPixmap, game::kGameCount> Finish;  // game i's goal in miniature
    QCursor HandPoint;                             // 32 x 32, hot spot (12, 1)
    QCursor HandMove;                              // 32 x 32, hot spot (16, 14)
    QIcon ProgramIcon;                             // 64, 48, 32 and 16 px
};

// Draws the whole set. Needs a QGuiApplication.
Artwork DrawArtwork();

}  // namespace resources
