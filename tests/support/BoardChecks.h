#pragma once

#include <optional>
#include <string>

#include "game/Board.h"
#include "game/Moves.h"

namespace testsupport {

struct PieceCount {
    int big = 0, lying = 0, standing = 0, small = 0, empty = 0;
    friend bool operator==(const PieceCount&, const PieceCount&) = default;
};

// The pieces of a board that holds whole pieces and nothing else: every anchor's piece fits on
// the board with its own codes, no two overlap and no code stands outside a piece. Empty
// otherwise.
std::optional<PieceCount> WholePieces(const game::Board& board);

// Empty when every anchor's piece lies whole on the board, every cell belongs to exactly one
// piece or is empty, and the board holds one big, five two-cell and four small pieces and two
// empty cells; else what is wrong.
std::string WholePiecesProblem(const game::Board& board);

// Whether after equals before, or before with one piece moved as the move table of before
// allows (a slide, or a two-cell path whose first step is a slide the table offers).
bool AtMostOneLegalMove(const game::Board& before, const game::Board& after);

}  // namespace testsupport
