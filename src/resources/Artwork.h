#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <array>

#include "game/GameLayouts.h"

namespace resources {

// Every picture of the main window, drawn by code once at start-up.
struct Artwork {
    QPixmap Table;           // 230 x 280: the wooden tray, a 15 px frame round 4 x 5 cells of 50 px
    QPixmap PawnBig;         // 100 x 100, black knob
    QPixmap PawnHor;         // 100 x 50, yellow knob
    QPixmap PawnVer;         // 50 x 100, yellow knob
    QPixmap PawnSmall;       // 50 x 50, red knob
    QPixmap ExtraArrow;      // 230 x 86: the strip, an arrow pointing right
    QPixmap ExtraArrowBack;  // 230 x 86: an arrow pointing left
    QPixmap ExtraTick;       // 230 x 86: a tick
    std::array<QPixmap, game::kGameCount> Start;   // 46 x 56: game i's start position in miniature
    std::array<QPixmap, game::kGameCount> Finish;  // 46 x 56: game i's goal in miniature
    QCursor HandPoint;                             // 32 x 32, hot spot (12, 1)
    QCursor HandMove;                              // 32 x 32, hot spot (16, 14)
    QIcon ProgramIcon;                             // 64, 48, 32 and 16 px
};

// Draws the whole set. Needs a QGuiApplication.
Artwork DrawArtwork();

}  // namespace resources
