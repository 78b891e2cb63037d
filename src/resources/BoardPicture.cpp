#include "resources/BoardPicture.h"

#include <utility>

#include "game/Measures.h"

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

QPoint CellTopLeft(int x, int y) {
    return QPoint(game::CellStartPixels(x), game::CellStartPixels(y));
}

void PaintPieces(QPainter& painter, const game::Board& board, const PiecePictures& pieces) {
    for (int x = 1; x <= game::kColumns; ++x) {
        for (int y = 1; y <= game::kRows; ++y) {
            const QPixmap picture = PictureOfCell(pieces, board(x, y));
            if (!picture.isNull()) {
                painter.drawPixmap(CellTopLeft(x, y), picture);
            }
        }
    }
}

}  // namespace resources
