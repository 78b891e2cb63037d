#pragma once

#include "game/Board.h"
#include "game/Measures.h"
#include "game/Moves.h"

namespace game {

// The geometry of dragging a piece, free of any window. Offsets are in twips (kCellTwips to a
// cell) from the top-left corner of the pressed cell, single precision.

// The band of one offset: 8 (t < -750), 9 (-750 <= t < 0), 10 (0 <= t < 750),
// 11 (750 <= t < 1500) or 12 (t >= 1500).
int Zone(float t);

// 0, 1 or 2: the twelve tests in their order over the bands and the pressed cell's flags.
int DragSteps(int zoneX, int zoneY, MoveFlags flags);

struct CellPlace {
    int x = 0;
    int y = 0;
    friend constexpr bool operator==(const CellPlace&, const CellPlace&) = default;
};

// Everything one mouse move works out.
struct DragPlace {
    int zoneX = 10;
    int zoneY = 10;
    int steps = 0;
    CellPlace drop;  // the anchor of the place to show
};

// The place shown for the pointer at (X, Y) from the pressed cell, for the piece whose anchor
// stood at piece when it was pressed: the corner tie-breaks, the first step and the second
// step, applied to piece.
DragPlace WorkOutDrop(CellPlace piece, float X, float Y, MoveFlags flags);

// The anchor of the piece that covers (x, y) on the board; (x, y) itself for an anchor code
// or an empty cell.
CellPlace AnchorOf(const Board& board, int x, int y);

// The release: clears the piece anchored at from, then writes it with its anchor at to.
// Nothing changes when from holds no anchor code.
void MovePiece(Board& board, CellPlace from, CellPlace to);

}  // namespace game
