#pragma once

#include <array>
#include <cstdint>

#include "game/Board.h"

namespace game {

// The move kinds: 1..4 one-cell slides, 5..8 two-cell paths named by their second step.
enum MoveKind : int {
    MoveUp = 1,
    MoveDown = 2,
    MoveLeft = 3,
    MoveRight = 4,
    MoveThenUp = 5,
    MoveThenDown = 6,
    MoveThenLeft = 7,
    MoveThenRight = 8,
};

// The flags of one cell: bit (kind - 1) is set when the piece on the cell can make that kind.
using MoveFlags = std::uint8_t;

constexpr MoveFlags KindBit(int kind) {
    return static_cast<MoveFlags>(1u << (kind - 1));
}
constexpr bool HasKind(MoveFlags flags, int kind) {
    return (flags & KindBit(kind)) != 0;
}
// Kinds 1..4: a piece with any of them shows the pointing hand.
inline constexpr MoveFlags kSlideKinds = 0x0F;

// The legal-move table of a board: 4 x 5 x 8 flags.
struct MoveTable {
    std::array<MoveFlags, kCellCount> flags{};

    constexpr MoveFlags Flags(int x, int y) const { return flags[CellIndex(x, y)]; }
    constexpr bool CanMove(int x, int y, int kind) const { return HasKind(Flags(x, y), kind); }
    // The piece on (x, y) has a one-cell slide: its cells get the pointing hand.
    constexpr bool HasSlide(int x, int y) const { return (Flags(x, y) & kSlideKinds) != 0; }
    friend constexpr bool operator==(const MoveTable&, const MoveTable&) = default;
};

// Builds the table from scratch. The board must hold whole pieces (every anchor where its
// piece fits); no cell off the board is ever read, whatever the number of empty cells.
MoveTable BuildMoveTable(const Board& board);

// Every cell equals the goal's cell, or the goal's cell is CellAny. All 20 cells are visited.
bool IsSolved(const Board& board, const Board& target);

// The cells of the piece whose anchor (top-left cell) is (x, y), anchor first, in the order
// anchor, right, below, below-right as far as the piece has them. count is 0 when (x, y)
// holds no anchor code.
struct PieceCells {
    int count = 0;
    std::array<int, 4> x{};
    std::array<int, 4> y{};
};
PieceCells CellsOfPiece(const Board& board, int x, int y);

}  // namespace game
