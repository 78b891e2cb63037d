#include <gtest/gtest.h>

#include <QImage>
#include <string>

#include "game/Board.h"
#include "game/Measures.h"
#include "resources/BoardPicture.h"

namespace {

QPixmap Solid(int widthCells, int heightCells, QColor colour) {
    QPixmap picture(widthCells * game::kCellPixels, heightCells * game::kCellPixels);
    picture.fill(colour);
    return picture;
}

// A lone partner code and a goal's any-cell show nothing; every piece lies on its anchor cell,
// to the pixel.
TEST(BoardPictureTest, PaintPiecesPutsEachPictureOnItsAnchorCell) {
    const resources::PiecePictures pieces{Solid(2, 2, Qt::red), Solid(2, 1, Qt::green),
                                          Solid(1, 2, Qt::blue), Solid(1, 1, Qt::yellow)};
    const auto board =
        game::BoardFromRows("30 10 11 30 / 31 12 13 31 / 50 20 21 13 / 30 40 40 30 / 31 40 40 31");
    ASSERT_TRUE(board.has_value());
    // What each cell shows, rows from the top: B big, H lying, V standing, S single, . none.
    const char* const shown[] = {"VBBV", "VBBV", ".HH.", "VSSV", "VSSV"};

    QImage tray(game::kTrayWidthPixels, game::kTrayHeightPixels, QImage::Format_ARGB32);
    tray.fill(Qt::transparent);
    QPainter painter(&tray);
    resources::PaintPieces(painter, *board, pieces);
    painter.end();

    auto colourOf = [](char letter) -> QRgb {
        switch (letter) {
            case 'B':
                return QColor(Qt::red).rgba();
            case 'H':
                return QColor(Qt::green).rgba();
            case 'V':
                return QColor(Qt::blue).rgba();
            case 'S':
                return QColor(Qt::yellow).rgba();
            default:
                return qRgba(0, 0, 0, 0);
        }
    };
    for (int y = 1; y <= game::kRows; ++y) {
        for (int x = 1; x <= game::kColumns; ++x) {
            const QPoint place = resources::CellTopLeft(x, y);
            const QRgb expected = colourOf(shown[y - 1][x - 1]);
            const std::string cell = "cell (" + std::to_string(x) + ", " + std::to_string(y) + ")";
            EXPECT_EQ(tray.pixel(place), expected) << cell;
            EXPECT_EQ(tray.pixel(place + QPoint(game::kCellPixels - 1, game::kCellPixels - 1)),
                      expected)
                << cell;
        }
    }
    EXPECT_EQ(resources::CellTopLeft(1, 1), QPoint(15, 15));
    EXPECT_EQ(resources::CellTopLeft(4, 5), QPoint(165, 215));
    // The frame stays bare.
    EXPECT_EQ(qAlpha(tray.pixel(14, 14)), 0);
    EXPECT_EQ(qAlpha(tray.pixel(game::kTrayWidthPixels - 15, game::kTrayHeightPixels - 15)), 0);
}

}  // namespace
