#include "game/Moves.h"

#include "game/Pieces.h"

namespace game {
namespace {

struct Offset {
    int dx = 0;
    int dy = 0;
};

// A bound on the anchor's coordinate: 'x' or 'y', then '>' or '<', then the value.
struct Bound {
    char axis = 'x';
    char op = '>';
    int value = 0;

    constexpr bool Holds(int x, int y) const {
        const int t = axis == 'x' ? x : y;
        return op == '>' ? t > value : t < value;
    }
};

// One row of the move table: for the piece anchored by `anchor`, `kind` is legal when the
// row named by afterKind (a one-cell row of the same piece; 0 for none) succeeded, the bound
// holds, and then every listed cell is empty. The bound is tested before any cell is read.
struct MoveRow {
    Cell anchor = CellEmpty;
    int kind = 0;
    int afterKind = 0;
    Bound bound;
    int cellCount = 0;
    Offset cells[2];
};

// clang-format off
constexpr MoveRow kMoveRows[] = {
    {CellBig,   MoveUp,        0,         {'y', '>', 1}, 2, {{0, -1}, {1, -1}}},
    {CellBig,   MoveDown,      0,         {'y', '<', 4}, 2, {{0, 2}, {1, 2}}},
    {CellBig,   MoveLeft,      0,         {'x', '>', 1}, 2, {{-1, 0}, {-1, 1}}},
    {CellBig,   MoveRight,     0,         {'x', '<', 3}, 2, {{2, 0}, {2, 1}}},

    {CellHor,   MoveUp,        0,         {'y', '>', 1}, 2, {{0, -1}, {1, -1}}},
    {CellHor,   MoveDown,      0,         {'y', '<', 5}, 2, {{0, 1}, {1, 1}}},
    {CellHor,   MoveLeft,      0,         {'x', '>', 1}, 1, {{-1, 0}}},
    {CellHor,   MoveThenLeft,  MoveLeft,  {'x', '>', 2}, 1, {{-2, 0}}},
    {CellHor,   MoveRight,     0,         {'x', '<', 3}, 1, {{2, 0}}},
    {CellHor,   MoveThenRight, MoveRight, {'x', '<', 2}, 1, {{3, 0}}},

    {CellVer,   MoveUp,        0,         {'y', '>', 1}, 1, {{0, -1}}},
    {CellVer,   MoveThenUp,    MoveUp,    {'y', '>', 2}, 1, {{0, -2}}},
    {CellVer,   MoveDown,      0,         {'y', '<', 4}, 1, {{0, 2}}},
    {CellVer,   MoveThenDown,  MoveDown,  {'y', '<', 3}, 1, {{0, 3}}},
    {CellVer,   MoveLeft,      0,         {'x', '>', 1}, 2, {{-1, 0}, {-1, 1}}},
    {CellVer,   MoveRight,     0,         {'x', '<', 4}, 2, {{1, 0}, {1, 1}}},

    {CellSmall, MoveUp,        0,         {'y', '>', 1}, 1, {{0, -1}}},
    {CellSmall, MoveThenUp,    MoveUp,    {'y', '>', 2}, 1, {{0, -2}}},
    {CellSmall, MoveThenLeft,  MoveUp,    {'x', '>', 1}, 1, {{-1, -1}}},
    {CellSmall, MoveThenRight, MoveUp,    {'x', '<', 4}, 1, {{1, -1}}},
    {CellSmall, MoveDown,      0,         {'y', '<', 5}, 1, {{0, 1}}},
    {CellSmall, MoveThenDown,  MoveDown,  {'y', '<', 4}, 1, {{0, 2}}},
    {CellSmall, MoveThenLeft,  MoveDown,  {'x', '>', 1}, 1, {{-1, 1}}},
    {CellSmall, MoveThenRight, MoveDown,  {'x', '<', 4}, 1, {{1, 1}}},
    {CellSmall, MoveLeft,      0,         {'x', '>', 1}, 1, {{-1, 0}}},
    {CellSmall, MoveThenUp,    MoveLeft,  {'y', '>', 1}, 1, {{-1, -1}}},
    {CellSmall, MoveThenDown,  MoveLeft,  {'y', '<', 5}, 1, {{-1, 1}}},
    {CellSmall, MoveThenLeft,  MoveLeft,  {'x', '>', 2}, 1, {{-2, 0}}},
    {CellSmall, MoveRight,     0,         {'x', '<', 4}, 1, {{1, 0}}},
    {CellSmall, MoveThenUp,    MoveRight, {'y', '>', 1}, 1, {{1, -1}}},
    {CellSmall, MoveThenDown,  MoveRight, {'y', '<', 5}, 1, {{1, 1}}},
    {CellSmall, MoveThenRight, MoveRight, {'x', '<', 3}, 1, {{2, 0}}},
};
// clang-format on

constexpr int kRowCount = sizeof(kMoveRows) / sizeof(kMoveRows[0]);
static_assert(kRowCount == 32);

// The rows of one piece lie together: [begin, end).
struct Block {
    int begin = 0;
    int end = 0;
};

constexpr Block BlockOf(Cell anchor) {
    Block block{kRowCount, kRowCount};
    for (int i = 0; i < kRowCount; ++i) {
        if (kMoveRows[i].anchor == anchor) {
            if (block.begin == kRowCount) {
                block.begin = i;
            }
            block.end = i + 1;
        }
    }
    return block;
}

// The rows of each piece of kPieces, in the same order.
constexpr std::array<Block, kPieces.size()> BlocksOfPieces() {
    std::array<Block, kPieces.size()> blocks{};
    for (std::size_t i = 0; i < kPieces.size(); ++i) {
        blocks[i] = BlockOf(kPieces[i].anchor);
    }
    return blocks;
}
constexpr std::array<Block, kPieces.size()> kPieceRows = BlocksOfPieces();

constexpr bool OnBoard(int x, int y) {
    return x >= 1 && x <= kColumns && y >= 1 && y <= kRows;
}

// The piece anchored by code fits on the board with its anchor at (x, y).
constexpr bool AnchorFits(Cell code, int x, int y) {
    const int piece = PieceIndexOf(code);
    return piece >= 0 && PieceFits(kPieces[piece], x, y);
}

constexpr const MoveRow* OneCellRow(Cell anchor, int kind) {
    for (const MoveRow& row : kMoveRows) {
        if (row.anchor == anchor && row.kind == kind && row.afterKind == 0) {
            return &row;
        }
    }
    return nullptr;
}

// The rows' own structure: each piece's rows lie together, each afterKind names a one-cell
// row of the same piece, and for every anchor where its whole piece fits, a row whose bound
// (and whose after row's bound) holds lists only cells on the board. So the table never reads
// off the board, whatever the cells hold.
constexpr bool TableIsSound() {
    for (const Piece& piece : kPieces) {
        const Cell anchor = piece.anchor;
        const Block block = BlockOf(anchor);
        for (int i = block.begin; i < block.end; ++i) {
            if (kMoveRows[i].anchor != anchor) {
                return false;
            }
        }
    }
    for (const MoveRow& row : kMoveRows) {
        const MoveRow* after = nullptr;
        if (row.afterKind != 0) {
            after = OneCellRow(row.anchor, row.afterKind);
            if (after == nullptr || row.kind <= MoveRight || row.afterKind > MoveRight) {
                return false;
            }
        } else if (row.kind > MoveRight) {
            return false;
        }
        for (int x = 1; x <= kColumns; ++x) {
            for (int y = 1; y <= kRows; ++y) {
                if (!AnchorFits(row.anchor, x, y) || !row.bound.Holds(x, y) ||
                    (after != nullptr && !after->bound.Holds(x, y))) {
                    continue;
                }
                for (int c = 0; c < row.cellCount; ++c) {
                    if (!OnBoard(x + row.cells[c].dx, y + row.cells[c].dy)) {
                        return false;
                    }
                }
            }
        }
    }
    return true;
}
static_assert(TableIsSound());

void AddPieceMoves(const Board& board, int x, int y, const Piece& piece, Block block,
                   MoveTable& table) {
    MoveFlags got = 0;
    for (int i = block.begin; i < block.end; ++i) {
        const MoveRow& row = kMoveRows[i];
        if (row.afterKind != 0 && !HasKind(got, row.afterKind)) {
            continue;
        }
        if (!row.bound.Holds(x, y)) {
            continue;
        }
        bool empty = true;
        for (int c = 0; c < row.cellCount && empty; ++c) {
            empty = board(x + row.cells[c].dx, y + row.cells[c].dy) == CellEmpty;
        }
        if (empty) {
            got |= KindBit(row.kind);
        }
    }
    if (got == 0) {
        return;
    }
    for (int i = 0; i < piece.count; ++i) {
        table.flags[CellIndex(x + piece.cells[i].dx, y + piece.cells[i].dy)] |= got;
    }
}

}  // namespace

MoveTable BuildMoveTable(const Board& board) {
    MoveTable table;
    for (int x = 1; x <= kColumns; ++x) {
        for (int y = 1; y <= kRows; ++y) {
            // A piece that does not fit where its anchor lies would be looked for off the board.
            const int piece = PieceIndexOf(board(x, y));
            if (piece >= 0 && PieceFits(kPieces[piece], x, y)) {
                AddPieceMoves(board, x, y, kPieces[piece], kPieceRows[piece], table);
            }
        }
    }
    return table;
}

bool IsSolved(const Board& board, const Board& target) {
    bool solved = true;
    for (int i = 0; i < kCellCount; ++i) {
        if (board.cells[i] != target.cells[i] && target.cells[i] != CellAny) {
            solved = false;
        }
    }
    return solved;
}

PieceCells CellsOfPiece(const Board& board, int x, int y) {
    PieceCells piece;
    const Piece* shape = PieceOf(board(x, y));
    if (shape == nullptr || !PieceFits(*shape, x, y)) {
        return piece;
    }
    piece.count = shape->count;
    for (int i = 0; i < shape->count; ++i) {
        piece.x[i] = x + shape->cells[i].dx;
        piece.y[i] = y + shape->cells[i].dy;
    }
    return piece;
}

}  // namespace game
