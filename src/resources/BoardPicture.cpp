#include "resources/BoardPicture.h"

#include <utility>

#include "game/Pieces.h"

namespace resources {

QPixmap PictureOfCell(const PiecePictures& pieces, game::Cell code) {
    const std::pair<game::Cell, const QPixmap*> byAnchor[] = {{game::CellBig, &pieces.Big},
                                                              {game::CellHor, &pieces.Hor},
                                                              {game::CellVer, &pieces.Ver},
                                                              {game::CellSmall, &pieces.Small}};
    for (const auto& [anchor, picture] : byAnchor) {
        if (anchor == code) {
            return *picture;
        }
    }
    return QPixmap();
}

QSize PieceSize(game::Cell anchor, int cell) {
    const game::Piece* piece = game::PieceOf(anchor);
    return piece == nullptr ? QSize() : QSize(piece->width * cell, piece->height * cell);
}

QPoint CellTopLeft(int x, int y, const CellGrid& grid) {
    return grid.origin + QPoint((x - 1) * grid.cell, (y - 1) * grid.cell);
}

void PaintPieces(QPainter& painter, const game::Board& board, const PiecePictures& pieces,
                 const CellGrid& grid) {
    for (int x = 1; x <= game::kColumns; ++x) {
        for (int y = 1; y <= game::kRows; ++y) {
            const QPixmap picture = PictureOfCell(pieces, board(x, y));
            if (!picture.isNull()) {
                painter.drawPixmap(CellTopLeft(x, y, grid), picture);
            }
        }
    }
}

}  // namespace resources
