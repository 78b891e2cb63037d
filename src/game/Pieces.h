#pragma once

#include <array>

#include "game/Board.h"

namespace game {

// One cell of a piece: its offset from the anchor (the top-left cell) and its code.
struct PieceCell {
    int dx = 0;
    int dy = 0;
    Cell code = CellEmpty;
};

// A piece: its anchor code, its size in cells, and its cells, anchor first, in the order
// anchor, right, below, below-right as far as the piece has them.
struct Piece {
    Cell anchor = CellEmpty;
    int width = 0;
    int height = 0;
    int count = 0;
    std::array<PieceCell, 4> cells{};
};

// clang-format off
inline constexpr std::array<Piece, 4> kPieces{{
    {CellBig,   2, 2, 4, {{{0, 0, CellBig}, {1, 0, CellBigTopRight},
                           {0, 1, CellBigBottomLeft}, {1, 1, CellBigBottomRight}}}},
    {CellHor,   2, 1, 2, {{{0, 0, CellHor}, {1, 0, CellHorRight}}}},
    {CellVer,   1, 2, 2, {{{0, 0, CellVer}, {0, 1, CellVerBottom}}}},
    {CellSmall, 1, 1, 1, {{{0, 0, CellSmall}}}},
}};
// clang-format on

// The cell of a piece whose code is code, with its piece's index in kPieces; -1 for a code no
// piece has. Indices, not pointers: a sanitizing build cannot compare addresses at compile time.
struct PieceCellOf {
    int piece = -1;
    PieceCell cell;
};

namespace detail {
constexpr PieceCellOf SearchPieceCell(Cell code) {
    for (int p = 0; p < static_cast<int>(kPieces.size()); ++p) {
        const Piece& piece = kPieces[p];
        for (int i = 0; i < piece.count; ++i) {
            if (piece.cells[i].code == code) {
                return {p, piece.cells[i]};
            }
        }
    }
    return {};
}
constexpr std::array<PieceCellOf, 256> PieceCellsByCode() {
    std::array<PieceCellOf, 256> byCode{};
    for (int code = 0; code < 256; ++code) {
        byCode[code] = SearchPieceCell(static_cast<Cell>(code));
    }
    return byCode;
}
inline constexpr std::array<PieceCellOf, 256> kPieceCellsByCode = PieceCellsByCode();
}  // namespace detail

constexpr const PieceCellOf& FindPieceCell(Cell code) {
    return detail::kPieceCellsByCode[code];
}

// The index in kPieces of the piece whose anchor code is code; -1 for any other code.
constexpr int PieceIndexOf(Cell code) {
    const PieceCellOf& found = FindPieceCell(code);
    return found.piece >= 0 && kPieces[found.piece].anchor == code ? found.piece : -1;
}

// The piece whose anchor code is code; nullptr for any other code.
constexpr const Piece* PieceOf(Cell code) {
    const int index = PieceIndexOf(code);
    return index >= 0 ? &kPieces[index] : nullptr;
}

// The whole piece lies on the board with its anchor at (x, y).
constexpr bool PieceFits(const Piece& piece, int x, int y) {
    return x >= 1 && y >= 1 && x + piece.width - 1 <= kColumns && y + piece.height - 1 <= kRows;
}

// Writes the cells of piece on board with its anchor at (x, y); the piece must fit there.
constexpr void PutPiece(Board& board, const Piece& piece, int x, int y) {
    for (int i = 0; i < piece.count; ++i) {
        board(x + piece.cells[i].dx, y + piece.cells[i].dy) = piece.cells[i].code;
    }
}

// Each piece fills its rectangle, anchor first, and no code belongs to two cells: so every
// code leads to one cell of one piece.
constexpr bool PiecesAreSound() {
    for (int p = 0; p < static_cast<int>(kPieces.size()); ++p) {
        const Piece& piece = kPieces[p];
        if (piece.count != piece.width * piece.height || piece.cells[0].dx != 0 ||
            piece.cells[0].dy != 0 || piece.cells[0].code != piece.anchor) {
            return false;
        }
        for (int i = 0; i < piece.count; ++i) {
            const PieceCell& cell = piece.cells[i];
            if (cell.dx < 0 || cell.dx >= piece.width || cell.dy < 0 || cell.dy >= piece.height ||
                cell.code == CellEmpty || FindPieceCell(cell.code).piece != p ||
                FindPieceCell(cell.code).cell.dx != cell.dx ||
                FindPieceCell(cell.code).cell.dy != cell.dy) {
                return false;
            }
            for (int j = 0; j < i; ++j) {
                if (piece.cells[j].dx == cell.dx && piece.cells[j].dy == cell.dy) {
                    return false;
                }
            }
        }
    }
    return true;
}
static_assert(PiecesAreSound());

}  // namespace game
