#pragma once

#include <QPainter>
#include <QPixmap>
#include <QPoint>

#include "game/Board.h"

namespace resources {

// The four piece pictures, each the size of its piece.
struct PiecePictures {
    QPixmap Big;    // 2 x 2 cells
    QPixmap Hor;    // 2 x 1
    QPixmap Ver;    // 1 x 2
    QPixmap Small;  // 1 x 1
};

// The picture a cell shows: its piece's picture on an anchor code, none on any other code.
QPixmap PictureOfCell(const PiecePictures& pieces, game::Cell code);

// The top-left pixel of cell (x, y) on the tray picture, where a picture on it is placed.
QPoint CellTopLeft(int x, int y);

// Paints the pieces of board on painter, whose origin is the tray picture's top-left corner.
void PaintPieces(QPainter& painter, const game::Board& board, const PiecePictures& pieces);

}  // namespace resources
