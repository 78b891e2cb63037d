#include "game/Drag.h"

#include "game/Pieces.h"

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
    const PieceCellOf found = FindPieceCell(board(x, y));
    return {x - found.cell.dx, y - found.cell.dy};
}

void MovePiece(Board& board, CellPlace from, CellPlace to) {
    if (from.x < 1 || from.x > kColumns || from.y < 1 || from.y > kRows) {
        return;
    }
    const Piece* piece = PieceOf(board(from.x, from.y));
    // A place that would reach past the board's edge is refused rather than written.
    if (piece == nullptr || !PieceFits(*piece, from.x, from.y) || !PieceFits(*piece, to.x, to.y)) {
        return;
    }
    for (int i = 0; i < piece->count; ++i) {
        board(from.x + piece->cells[i].dx, from.y + piece->cells[i].dy) = CellEmpty;
    }
    PutPiece(board, *piece, to.x, to.y);
}

}  // namespace game
