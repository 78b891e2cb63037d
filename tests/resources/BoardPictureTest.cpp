#include <gtest/gtest.h>

#include <QImage>
#include <string>

#include "game/Board.h"
#include "game/Measures.h"
#include "resources/BoardPicture.h"

namespace {

QPixmap Solid(int widthCells, int heightCells, int cell, QColor colour) {
    QPixmap picture(widthCells * cell, heightCells * cell);
    picture.fill(colour);
    return picture;
}

struct GridCase {
    const char* name;
    resources::CellGrid grid;
    QPoint firstCell;  // the top-left pixel of cell (1, 1)
    QPoint lastCell;   // of cell (4, 5)
};

// The tray, the thumbnails and the smallest icon, whose grid lies off its frame.
const GridCase kGrids[] = {
    {"tray", resources::kTrayGrid, {15, 15}, {165, 215}},
    {"thumbnail", {{3, 3}, 10}, {3, 3}, {33, 43}},
    {"small icon", {{3, 3}, 5}, {3, 3}, {18, 23}},
};

// A lone partner code and a goal's any-cell show nothing; every piece lies on its anchor cell,
// to the pixel, at every size.
TEST(BoardPictureTest, PaintPiecesPutsEachPictureOnItsAnchorCell) {
    const auto board =
        game::BoardFromRows("30 10 11 30 / 31 12 13 31 / 50 20 21 13 / 30 40 40 30 / 31 40 40 31");
    ASSERT_TRUE(board.has_value());
    // What each cell shows, rows from the top: B big, H lying, V standing, S single, . none.
    const char* const shown[] = {"VBBV", "VBBV", ".HH.", "VSSV", "VSSV"};
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

    for (const GridCase& c : kGrids) {
        SCOPED_TRACE(c.name);
        const int cell = c.grid.cell;
        EXPECT_EQ(resources::CellTopLeft(1, 1, c.grid), c.firstCell);
        EXPECT_EQ(resources::CellTopLeft(4, 5, c.grid), c.lastCell);

        const resources::PiecePictures pieces{
            Solid(2, 2, cell, Qt::red), Solid(2, 1, cell, Qt::green), Solid(1, 2, cell, Qt::blue),
            Solid(1, 1, cell, Qt::yellow)};
        const QSize area = QSize(game::kColumns, game::kRows) * cell;
        QImage picture(c.firstCell.x() + area.width() + 1, c.firstCell.y() + area.height() + 1,
                       QImage::Format_ARGB32);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        resources::PaintPieces(painter, *board, pieces, c.grid);
        painter.end();

        for (int y = 1; y <= game::kRows; ++y) {
            for (int x = 1; x <= game::kColumns; ++x) {
                const QPoint place = c.firstCell + QPoint(x - 1, y - 1) * cell;
                const QRgb expected = colourOf(shown[y - 1][x - 1]);
                const std::string at =
                    "cell (" + std::to_string(x) + ", " + std::to_string(y) + ")";
                EXPECT_EQ(picture.pixel(place), expected) << at;
                EXPECT_EQ(picture.pixel(place + QPoint(cell - 1, cell - 1)), expected) << at;
            }
        }
        // The frame stays bare.
        EXPECT_EQ(qAlpha(picture.pixel(c.firstCell - QPoint(1, 1))), 0);
        EXPECT_EQ(qAlpha(picture.pixel(c.firstCell + QPoint(area.width(), area.height()))), 0);
    }
    // The default grid is the tray's.
    EXPECT_EQ(resources::CellTopLeft(4, 5), QPoint(165, 215));
}

// Sizes come from the piece table: a lying piece is wide, a standing one tall; a code that
// anchors no piece has no size.
TEST(BoardPictureTest, PieceSizeIsThePiecesCellsAtTheCellSize) {
    struct Case {
        game::Cell code;
        int cell;
        QSize size;
    };
    const Case cases[] = {
        {game::CellBig, game::kCellPixels, {100, 100}},
        {game::CellHor, game::kCellPixels, {100, 50}},
        {game::CellVer, game::kCellPixels, {50, 100}},
        {game::CellSmall, game::kCellPixels, {50, 50}},
        {game::CellHor, 10, {20, 10}},
        {game::CellVer, 6, {6, 12}},
        {game::CellBigTopRight, 10, {}},
        {game::CellVerBottom, 10, {}},
        {game::CellAny, 10, {}},
        {game::CellEmpty, 10, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(resources::PieceSize(c.code, c.cell), c.size)
            << "code " << int(c.code) << " at " << c.cell;
    }
}

}  // namespace
