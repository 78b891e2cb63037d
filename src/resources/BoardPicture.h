#pragma once

#include <QPainter>
#include <QPixmap>
#include <QPoint>
#include <QSize>

#include "game/Board.h"
#include "game/Measures.h"

namespace resources {

// The four piece pictures of one size, each as large as its piece's cells.
struct PiecePictures {
    QPixmap Big;
    QPixmap Hor;
    QPixmap Ver;
    QPixmap Small;
};

// The picture a cell shows: its piece's picture on an anchor code, none on any other code.
QPixmap PictureOfCell(const PiecePictures& pieces, game::Cell code);

// The size of the picture of the piece whose anchor code is anchor, at cell pixels to a cell;
// empty for any other code.
QSize PieceSize(game::Cell anchor, int cell);

// Where the cells lie on a picture of a board: the top-left corner of cell (1, 1), and the side
// of a cell, in pixels.
struct CellGrid {
    QPoint origin;
    int cell = 0;
};

// The main window's tray.
inline constexpr CellGrid kTrayGrid{{game::kFramePixels, game::kFramePixels}, game::kCellPixels};

// The top-left pixel of cell (x, y) on a picture laid out by grid, where a picture on it is
// placed.
QPoint CellTopLeft(int x, int y, const CellGrid& grid = kTrayGrid);

// Paints the pieces of board on painter, whose origin is the top-left corner of a picture laid
// out by grid: each piece's picture, drawn for grid's cells, on its anchor cell.
void PaintPieces(QPainter& painter, const game::Board& board, const PiecePictures& pieces,
                 const CellGrid& grid = kTrayGrid);

}  // namespace resources
