#include "game/Drag.h"

namespace game {
namespace {

bool Up(int zoneY) {
    return zoneY < 10;
}
bool Down(int zoneY) {
    return zoneY > 10;
}
bool Left(int zoneX) {
    return zoneX < 10;
}
bool Right(int zoneX) {
    return zoneX > 10;
}

// Width and height of the piece an anchor code starts; 0 for any other code.
struct Size {
    int width = 0;
    int height = 0;
};

Size SizeOf(Cell anchor) {
    switch (anchor) {
        case CellBig:
            return {2, 2};
        case CellHor:
            return {2, 1};
        case CellVer:
            return {1, 2};
        case CellSmall:
            return {1, 1};
        default:
            return {};
    }
}

bool Fits(Size size, CellPlace anchor) {
    return anchor.x >= 1 && anchor.y >= 1 && anchor.x + size.width - 1 <= kColumns &&
           anchor.y + size.height - 1 <= kRows;
}

}  // namespace

int Zone(float t) {
    if (t < -kCellTwips) {
        return 8;
    }
    if (t < 0.0f) {
        return 9;
    }
    if (t < kCellTwips) {
        return 10;
    }
    if (t < 2.0f * kCellTwips) {
        return 11;
    }
    return 12;
}

int DragSteps(int zoneX, int zoneY, MoveFlags flags) {
    const bool a1 = HasKind(flags, MoveUp);
    const bool a2 = HasKind(flags, MoveDown);
    const bool a3 = HasKind(flags, MoveLeft);
    const bool a4 = HasKind(flags, MoveRight);
    const bool a5 = HasKind(flags, MoveThenUp);
    const bool a6 = HasKind(flags, MoveThenDown);
    const bool a7 = HasKind(flags, MoveThenLeft);
    const bool a8 = HasKind(flags, MoveThenRight);
    const bool up = Up(zoneY);
    const bool down = Down(zoneY);
    const bool left = Left(zoneX);
    const bool right = Right(zoneX);

    int steps = 0;
    if (up && a1) {
        steps = 1;
    }
    if (down && a2) {
        steps = 1;
    }
    if (left && a3) {
        steps = 1;
    }
    if (right && a4) {
        steps = 1;
    }
    if (zoneY == 8 && a5 && a1) {
        steps = 2;
    }
    if (zoneY == 12 && a6 && a2) {
        steps = 2;
    }
    if (zoneX == 8 && a7 && a3) {
        steps = 2;
    }
    if (zoneX == 12 && a8 && a4) {
        steps = 2;
    }
    if (left && up && ((a5 && a3) || (a7 && a1))) {
        steps = 2;
    }
    if (right && up && ((a5 && a4) || (a8 && a1))) {
        steps = 2;
    }
    if (left && down && ((a6 && a3) || (a7 && a2))) {
        steps = 2;
    }
    if (right && down && ((a6 && a4) || (a8 && a2))) {
        steps = 2;
    }
    return steps;
}

DragPlace WorkOutDrop(CellPlace piece, float X, float Y, MoveFlags flags) {
    DragPlace place;
    place.zoneX = Zone(X);
    place.zoneY = Zone(Y);
    place.steps = DragSteps(place.zoneX, place.zoneY, flags);
    place.drop = piece;

    const bool a1 = HasKind(flags, MoveUp);
    const bool a2 = HasKind(flags, MoveDown);
    const bool a3 = HasKind(flags, MoveLeft);
    const bool a4 = HasKind(flags, MoveRight);
    const bool up = Up(place.zoneY);
    const bool down = Down(place.zoneY);
    const bool left = Left(place.zoneX);
    const bool right = Right(place.zoneX);
    CellPlace& drop = place.drop;

    // In a corner where both slides toward it are allowed, cancel in advance the slide along
    // the axis on which the pointer lies less far beyond the pressed cell.
    const float sum = X + Y;
    if (a3 && a1 && left && up) {
        if (Y < X) {
            drop.x += 1;
        } else {
            drop.y += 1;
        }
    } else if (a4 && a1 && right && up) {
        if (sum < kCellTwips) {
            drop.x -= 1;
        } else {
            drop.y += 1;
        }
    } else if (a3 && a2 && left && down) {
        if (sum < kCellTwips) {
            drop.y -= 1;
        } else {
            drop.x += 1;
        }
    } else if (a4 && a2 && right && down) {
        if (Y < X) {
            drop.y -= 1;
        } else {
            drop.x -= 1;
        }
    }

    if (place.steps == 1 || place.steps == 2) {
        if (a1 && up) {
            drop.y -= 1;
        }
        if (a2 && down) {
            drop.y += 1;
        }
        if (a3 && left) {
            drop.x -= 1;
        }
        if (a4 && right) {
            drop.x += 1;
        }
    }
    if (place.steps == 2) {
        if (HasKind(flags, MoveThenUp)) {
            drop.y -= 1;
        }
        if (HasKind(flags, MoveThenDown)) {
            drop.y += 1;
        }
        if (HasKind(flags, MoveThenLeft)) {
            drop.x -= 1;
        }
        if (HasKind(flags, MoveThenRight)) {
            drop.x += 1;
        }
    }
    return place;
}

CellPlace AnchorOf(const Board& board, int x, int y) {
    switch (board(x, y)) {
        case CellBigTopRight:
        case CellHorRight:
            return {x - 1, y};
        case CellBigBottomLeft:
        case CellVerBottom:
            return {x, y - 1};
        case CellBigBottomRight:
            return {x - 1, y - 1};
        default:
            return {x, y};
    }
}

void MovePiece(Board& board, CellPlace from, CellPlace to) {
    if (from.x < 1 || from.x > kColumns || from.y < 1 || from.y > kRows) {
        return;
    }
    const Cell anchor = board(from.x, from.y);
    const Size size = SizeOf(anchor);
    // A place that would reach past the board's edge is refused rather than written.
    if (size.width == 0 || !Fits(size, from) || !Fits(size, to)) {
        return;
    }
    for (int dx = 0; dx < size.width; ++dx) {
        for (int dy = 0; dy < size.height; ++dy) {
            board(from.x + dx, from.y + dy) = CellEmpty;
        }
    }
    switch (anchor) {
        case CellBig:
            board(to.x, to.y) = CellBig;
            board(to.x + 1, to.y) = CellBigTopRight;
            board(to.x, to.y + 1) = CellBigBottomLeft;
            board(to.x + 1, to.y + 1) = CellBigBottomRight;
            break;
        case CellHor:
            board(to.x, to.y) = CellHor;
            board(to.x + 1, to.y) = CellHorRight;
            break;
        case CellVer:
            board(to.x, to.y) = CellVer;
            board(to.x, to.y + 1) = CellVerBottom;
            break;
        default:
            board(to.x, to.y) = CellSmall;
            break;
    }
}

}  // namespace game
