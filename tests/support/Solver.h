#pragma once

#include <optional>
#include <vector>

#include "game/Board.h"
#include "game/Drag.h"

namespace testsupport {

// One drag: the piece anchored at piece is dropped with its anchor at drop. A drag that
// presses the anchor cell at its centre (375, 375) and moves the pointer to
// ((drop.x - piece.x) * 750 + 375, (drop.y - piece.y) * 750 + 375) shows exactly drop.
struct PlannedMove {
    game::CellPlace piece;
    game::CellPlace drop;
};

// A shortest solution (breadth-first over the moves the move table offers) from start to a
// board that is solved against goal; empty optional when none exists.
std::optional<std::vector<PlannedMove>> FindSolution(const game::Board& start,
                                                     const game::Board& goal);

}  // namespace testsupport
