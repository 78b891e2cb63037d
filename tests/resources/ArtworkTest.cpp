#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "game/Board.h"
#include "game/GameLayouts.h"
#include "resources/Artwork.h"

namespace {

using resources::Artwork;

// Drawn once for the whole run, as the program does; lives inside the application's lifetime.
const Artwork* gArt = nullptr;

const Artwork& Art() {
    return *gArt;
}

int ColourDistance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

QImage Argb(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

TEST(ArtworkTest, EveryPictureHasItsSize) {
    const Artwork& art = Art();
    struct Case {
        std::string name;
        const QPixmap* picture;
        QSize size;
    };
    std::vector<Case> cases = {
        {"Table", &art.Table, {230, 280}},
        {"PawnBig", &art.PawnBig, {100, 100}},
        {"PawnHor", &art.PawnHor, {100, 50}},
        {"PawnVer", &art.PawnVer, {50, 100}},
        {"PawnSmall", &art.PawnSmall, {50, 50}},
        {"ExtraArrow", &art.ExtraArrow, {230, 86}},
        {"ExtraArrowBack", &art.ExtraArrowBack, {230, 86}},
        {"ExtraTick", &art.ExtraTick, {230, 86}},
    };
    for (int i = 0; i < game::kGameCount; ++i) {
        cases.push_back({"Start(" + std::to_string(i) + ")", &art.Start[i], {46, 56}});
        cases.push_back({"Finish(" + std::to_string(i) + ")", &art.Finish[i], {46, 56}});
    }
    for (const Case& c : cases) {
        EXPECT_EQ(c.picture->size(), c.size) << c.name;
    }
}

// The board, the strips and the thumbnails lie under or beside nothing: a transparent pixel
// would show whatever the window has behind it.
TEST(ArtworkTest, BackgroundPicturesAreOpaque) {
    const Artwork& art = Art();
    std::vector<const QPixmap*> pictures = {&art.Table, &art.ExtraArrow, &art.ExtraArrowBack,
                                            &art.ExtraTick};
    for (int i = 0; i < game::kGameCount; ++i) {
        pictures.push_back(&art.Start[i]);
        pictures.push_back(&art.Finish[i]);
    }
    for (const QPixmap* picture : pictures) {
        const QImage image = Argb(*picture);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                ASSERT_EQ(qAlpha(image.pixel(x, y)), 255) << "at " << x << ", " << y;
            }
        }
    }
}

// Two pieces side by side must stay apart: every piece covers its cells up to the edge and has
// a rim darker than the wood just inside it.
TEST(ArtworkTest, PiecesCoverTheirCellsAndHaveADarkRim) {
    const Artwork& art = Art();
    for (const QPixmap* piece : {&art.PawnBig, &art.PawnHor, &art.PawnVer, &art.PawnSmall}) {
        const QImage image = Argb(*piece);
        const int w = image.width();
        const int h = image.height();
        const QPoint edges[][2] = {{{w / 2, 0}, {w / 2, 6}},
                                   {{w / 2, h - 1}, {w / 2, h - 7}},
                                   {{0, h / 2}, {6, h / 2}},
                                   {{w - 1, h / 2}, {w - 7, h / 2}}};
        for (const auto& [rim, inside] : edges) {
            const QRgb r = image.pixel(rim);
            const QRgb i = image.pixel(inside);
            EXPECT_EQ(qAlpha(r), 255) << w << "x" << h << " at " << rim.x() << ", " << rim.y();
            EXPECT_LT(qGray(r) + 60, qGray(i))
                << w << "x" << h << " at " << rim.x() << ", " << rim.y();
        }
    }
}

TEST(ArtworkTest, CursorsAreHandsWithTheirHotSpots) {
    const Artwork& art = Art();
    struct Case {
        const char* name;
        const QCursor* cursor;
        QPoint hotSpot;
    };
    for (const Case& c :
         {Case{"HandPoint", &art.HandPoint, {12, 1}}, Case{"HandMove", &art.HandMove, {16, 14}}}) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.cursor->shape(), Qt::BitmapCursor);
        EXPECT_EQ(c.cursor->hotSpot(), c.hotSpot);
        const QImage image = Argb(c.cursor->pixmap());
        ASSERT_EQ(image.size(), QSize(32, 32));
        EXPECT_TRUE(c.cursor->pixmap().hasAlphaChannel());
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(image.pixel(31, 0)), 0);
        EXPECT_GT(qAlpha(image.pixel(c.hotSpot)), 200);
    }
    // The fingertip is the hot spot itself: nothing of the hand above it.
    const QImage point = Argb(art.HandPoint.pixmap());
    for (int x = 0; x < 32; ++x) {
        EXPECT_EQ(qAlpha(point.pixel(x, 0)), 0) << "at " << x << ", 0";
    }
}

TEST(ArtworkTest, ProgramIconHasTheFourSizes) {
    const QIcon& icon = Art().ProgramIcon;
    const QList<QSize> sizes = icon.availableSizes();
    for (int size : {64, 48, 32, 16}) {
        EXPECT_TRUE(sizes.contains(QSize(size, size))) << size;
        const QImage image = Argb(icon.pixmap(QSize(size, size)));
        ASSERT_EQ(image.size(), QSize(size, size));
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255) << size;
    }
}

// The thumbnails are drawn from the layouts: at the centre of every cell an empty cell, a cell
// that does not matter and a piece are told apart, the same way in all eighteen pictures.
TEST(ArtworkTest, ThumbnailsShowTheirLayouts) {
    const Artwork& art = Art();
    auto centre = [](const QImage& image, int x, int y) {
        return image.pixel(3 + 10 * (x - 1) + 5, 3 + 10 * (y - 1) + 5);
    };
    auto firstCell = [&](game::Cell code, bool goal) {
        for (int i = 0; i < game::kGameCount; ++i) {
            const game::GameLayout& layout = game::GetGameLayout(i);
            const game::Board& board = goal ? layout.goal : layout.start;
            for (int x = 1; x <= game::kColumns; ++x) {
                for (int y = 1; y <= game::kRows; ++y) {
                    if (board(x, y) == code) {
                        return centre(Argb(goal ? art.Finish[i] : art.Start[i]), x, y);
                    }
                }
            }
        }
        ADD_FAILURE() << "no cell " << int(code);
        return QRgb{};
    };
    const QRgb empty = firstCell(game::CellEmpty, false);
    const QRgb any = firstCell(game::CellAny, true);
    ASSERT_GT(ColourDistance(empty, any), 30);

    for (int i = 0; i < game::kGameCount; ++i) {
        for (bool goal : {false, true}) {
            const game::GameLayout& layout = game::GetGameLayout(i);
            const game::Board& board = goal ? layout.goal : layout.start;
            const QImage image = Argb(goal ? art.Finish[i] : art.Start[i]);
            for (int x = 1; x <= game::kColumns; ++x) {
                for (int y = 1; y <= game::kRows; ++y) {
                    SCOPED_TRACE(std::string(goal ? "Finish(" : "Start(") + std::to_string(i) +
                                 ") cell " + std::to_string(x) + ", " + std::to_string(y));
                    const QRgb pixel = centre(image, x, y);
                    switch (board(x, y)) {
                        case game::CellEmpty:
                            EXPECT_LE(ColourDistance(pixel, empty), 8);
                            break;
                        case game::CellAny:
                            EXPECT_LE(ColourDistance(pixel, any), 8);
                            break;
                        default:
                            EXPECT_GT(ColourDistance(pixel, empty), 30);
                            EXPECT_GT(ColourDistance(pixel, any), 30);
                            break;
                    }
                }
            }
        }
    }
}

// Brass and green hold far less blue than green, unlike walnut.
bool IsSign(QRgb pixel) {
    return qGreen(pixel) - qBlue(pixel) > 60;
}

TEST(ArtworkTest, StripsDifferOnlyBetweenTheSlots) {
    const Artwork& art = Art();
    const QImage arrow = Argb(art.ExtraArrow);
    const QImage back = Argb(art.ExtraArrowBack);
    const QImage tick = Argb(art.ExtraTick);
    int arrowBack = 0;
    int arrowTick = 0;
    int backTick = 0;
    for (int y = 0; y < 86; ++y) {
        for (int x = 0; x < 230; ++x) {
            const bool between = x >= 61 && x < 169;
            if (!between) {
                ASSERT_EQ(arrow.pixel(x, y), back.pixel(x, y)) << "at " << x << ", " << y;
                ASSERT_EQ(arrow.pixel(x, y), tick.pixel(x, y)) << "at " << x << ", " << y;
                continue;
            }
            arrowBack += arrow.pixel(x, y) != back.pixel(x, y);
            arrowTick += arrow.pixel(x, y) != tick.pixel(x, y);
            backTick += back.pixel(x, y) != tick.pixel(x, y);
        }
    }
    EXPECT_GT(arrowBack, 300);
    EXPECT_GT(arrowTick, 300);
    EXPECT_GT(backTick, 300);
}

// An arrow's head is its tall end: the sign pixels well above or below the middle line lie on
// the side it points to.
TEST(ArtworkTest, ArrowsPointFromStartToGoalAndBack) {
    auto headSide = [](const QPixmap& strip) {
        const QImage image = Argb(strip);
        long sum = 0;
        int count = 0;
        for (int y = 0; y < 86; ++y) {
            for (int x = 61; x < 169; ++x) {
                if (IsSign(image.pixel(x, y)) && std::abs(y - 43) > 7) {
                    sum += x;
                    ++count;
                }
            }
        }
        EXPECT_GT(count, 50);
        return count == 0 ? 0.0 : static_cast<double>(sum) / count - 115;
    };
    EXPECT_GT(headSide(Art().ExtraArrow), 10);
    EXPECT_LT(headSide(Art().ExtraArrowBack), -10);
}

TEST(ArtworkTest, DrawingAgainGivesTheSamePictures) {
    const Artwork again = resources::DrawArtwork();
    const Artwork& art = Art();
    EXPECT_EQ(Argb(again.Table), Argb(art.Table));
    EXPECT_EQ(Argb(again.PawnBig), Argb(art.PawnBig));
    EXPECT_EQ(Argb(again.PawnVer), Argb(art.PawnVer));
    EXPECT_EQ(Argb(again.ExtraTick), Argb(art.ExtraTick));
    EXPECT_EQ(Argb(again.Finish[5]), Argb(art.Finish[5]));
    EXPECT_EQ(Argb(again.HandMove.pixmap()), Argb(art.HandMove.pixmap()));
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    testing::InitGoogleTest(&argc, argv);
    QGuiApplication app(argc, argv);
    const auto art = std::make_unique<const Artwork>(resources::DrawArtwork());
    gArt = art.get();
    return RUN_ALL_TESTS();
}
