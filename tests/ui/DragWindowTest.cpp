#include <random>

#include "WindowFixture.h"
#include "game/GameLayouts.h"
#include "support/BoardChecks.h"
#include "support/Solver.h"

namespace {

// Real mouse events on the cell images. Points are in pixels from the pressed cell's corner.
class DragTest : public WindowTest {
  protected:
    platform::ImageControl* Cell(int x, int y) { return window->CellImage(x, y); }

    void Press(int x, int y, QPoint at = {25, 25}, Qt::MouseButton button = Qt::LeftButton) {
        pressed_ = Cell(x, y);
        QTest::mousePress(pressed_, button, {}, at);
    }
    void MoveTo(QPoint at) { QTest::mouseMove(pressed_, at); }
    void Release(QPoint at = {25, 25}, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseRelease(pressed_, button, {}, at);
    }
    void Drag(int x, int y, int dx, int dy) {
        Press(x, y);
        const QPoint end(25 + 50 * dx, 25 + 50 * dy);
        MoveTo(QPoint(25, 25) + (end - QPoint(25, 25)) / 2);
        MoveTo(end);
        Release(end);
    }

    // Every anchor shows its piece's picture and every other cell none, unless a piece is held.
    bool PicturesMatchTheBoard() {
        if (window->Dragging()) {
            return true;
        }
        for (int x = 1; x <= 4; ++x) {
            for (int y = 1; y <= 5; ++y) {
                const QPixmap* expected = nullptr;
                switch (window->Board(x, y)) {
                    case game::CellBig:
                        expected = &window->PawnBig;
                        break;
                    case game::CellHor:
                        expected = &window->PawnHor;
                        break;
                    case game::CellVer:
                        expected = &window->PawnVer;
                        break;
                    case game::CellSmall:
                        expected = &window->PawnSmall;
                        break;
                    default:
                        break;
                }
                const bool ok =
                    expected != nullptr ? Cell(x, y)->Shows(*expected) : !Cell(x, y)->HasPicture();
                if (!ok) {
                    return false;
                }
            }
        }
        return true;
    }

    platform::ImageControl* pressed_ = nullptr;
};

const char* kClassicStart = "30 10 11 30 / 31 12 13 31 / 0 20 21 0 / 30 40 40 30 / 31 40 40 31";

TEST_F(DragTest, SlideShowsThePieceThenWritesItAtTheRelease) {
    Press(3, 3);  // the right cell of the lying piece
    EXPECT_EQ(Cell(3, 3)->cursor().pixmap().cacheKey(), window->HandMove.pixmap().cacheKey());
    MoveTo({-25, 25});  // one cell left of the pressed cell
    EXPECT_TRUE(Cell(1, 3)->Shows(window->PawnHor));
    EXPECT_FALSE(Cell(2, 3)->HasPicture());
    EXPECT_EQ(window->Board, Rows(kClassicStart));
    EXPECT_EQ(window->Text1->Text(), QStringLiteral("-375"));
    EXPECT_EQ(window->Text2->Text(), QStringLiteral("375"));

    Release({-25, 25});
    EXPECT_EQ(window->Board,
              Rows("30 10 11 30 / 31 12 13 31 / 20 21 0 0 / 30 40 40 30 / 31 40 40 31"));
    EXPECT_EQ(window->GrabX, 0);
    EXPECT_EQ(window->GrabY, 0);
    EXPECT_EQ(window->Text1->Text(), QStringLiteral("1"));
    // The pieces that can move now have the pointing hand.
    EXPECT_EQ(Cell(3, 4)->MousePointer(), platform::PointerCustom);
    EXPECT_EQ(Cell(3, 4)->cursor().pixmap().cacheKey(), window->HandPoint.pixmap().cacheKey());
}

TEST_F(DragTest, SmallPieceTurnsACorner) {
    ShowBoard(Rows("30 10 11 30 / 31 12 13 31 / 0 0 20 21 / 30 40 40 30 / 31 40 40 31"));
    Press(2, 4);
    MoveTo({25, -25});  // above, within its column: one cell up
    EXPECT_TRUE(Cell(2, 3)->Shows(window->PawnSmall));
    MoveTo({-25, 25});  // only left: no move that way
    EXPECT_TRUE(Cell(2, 4)->Shows(window->PawnSmall));
    EXPECT_FALSE(Cell(2, 3)->HasPicture());
    MoveTo({-25, -25});  // above and left: up, then left
    EXPECT_TRUE(Cell(1, 3)->Shows(window->PawnSmall));
    EXPECT_FALSE(Cell(2, 4)->HasPicture());
    Release({-25, -25});
    EXPECT_EQ(window->Board,
              Rows("30 10 11 30 / 31 12 13 31 / 40 0 20 21 / 30 0 40 30 / 31 40 40 31"));
}

TEST_F(DragTest, PieceDraggedBackToItsStartChangesNothing) {
    Press(1, 5);  // the lower cell of the standing piece at column 1, rows 4 and 5
    MoveTo({25, -25});
    EXPECT_TRUE(Cell(1, 3)->Shows(window->PawnVer));
    MoveTo({40, 40});
    EXPECT_TRUE(Cell(1, 4)->Shows(window->PawnVer));
    Release({40, 40});
    EXPECT_EQ(window->Board, Rows(kClassicStart));
    EXPECT_EQ(window->History.Index(), 0);
    EXPECT_FALSE(window->GameChanged);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ταρβέξη-Κλασικό"));
    EXPECT_EQ(Cell(1, 5)->cursor().pixmap().cacheKey(), window->HandPoint.pixmap().cacheKey());
}

TEST_F(DragTest, RightButtonHeldFreezesThePicture) {
    Press(2, 3);
    MoveTo({75, 25});  // one cell right
    ASSERT_TRUE(Cell(3, 3)->Shows(window->PawnHor));
    QTest::mousePress(pressed_, Qt::RightButton, {}, {75, 25});
    EXPECT_EQ(window->Text1->Text(), QStringLiteral("7"));
    MoveTo({-25, 25});  // both buttons held: nothing follows the pointer
    EXPECT_TRUE(Cell(3, 3)->Shows(window->PawnHor));
    QTest::mouseRelease(pressed_, Qt::RightButton, {}, {-25, 25});
    EXPECT_EQ(window->Board, Rows(kClassicStart));
    MoveTo({-25, 25});
    EXPECT_TRUE(Cell(1, 3)->Shows(window->PawnHor));
    Release({-25, 25});
    EXPECT_EQ(window->Board,
              Rows("30 10 11 30 / 31 12 13 31 / 20 21 0 0 / 30 40 40 30 / 31 40 40 31"));
}

TEST_F(DragTest, PressOnACellThatCannotMoveGrabsNothing) {
    Press(3, 2);  // the big piece, which cannot move at the start
    EXPECT_EQ(window->GrabX, 3);
    EXPECT_EQ(window->GrabY, 2);
    MoveTo({25, 75});
    Release({25, 75});
    EXPECT_EQ(window->Board, Rows(kClassicStart));
    EXPECT_TRUE(Cell(2, 1)->Shows(window->PawnBig));

    // The middle button grabs nothing either.
    window->GrabX = 0;
    Press(2, 3, {25, 25}, Qt::MiddleButton);
    EXPECT_EQ(window->GrabX, 0);
    EXPECT_EQ(window->Text1->Text(), QStringLiteral("7"));
    Release({25, 25}, Qt::MiddleButton);
}

TEST_F(DragTest, ReleaseOutsideTheWindowDropsAtThePlaceShown) {
    Press(2, 3);
    MoveTo({-25, 25});
    MoveTo({-400, 30});  // far beyond the window's left edge
    EXPECT_TRUE(Cell(1, 3)->Shows(window->PawnHor));
    Release({-400, 30});
    EXPECT_EQ(window->Board,
              Rows("30 10 11 30 / 31 12 13 31 / 20 21 0 0 / 30 40 40 30 / 31 40 40 31"));
}

TEST_F(DragTest, PressWithoutTheLastReleasePutsTheHeldPieceBack) {
    // A release can be lost, e.g. to another window; the next press starts afresh.
    const int lying = game::CellIndex(2, 3);
    window->Image1_MouseDown(lying, platform::ButtonLeft, 0, 375, 375);
    window->Image1_MouseMove(lying, platform::ButtonLeft, 0, -375, 375);
    ASSERT_TRUE(Cell(1, 3)->Shows(window->PawnHor));
    window->Image1_MouseDown(lying, platform::ButtonLeft, 0, 375, 375);
    EXPECT_TRUE(Cell(2, 3)->Shows(window->PawnHor));
    EXPECT_FALSE(Cell(1, 3)->HasPicture());
    window->Image1_MouseMove(lying, platform::ButtonLeft, 0, 1125, 375);
    window->Image1_MouseUp(lying, platform::ButtonLeft, 0, 1125, 375);
    EXPECT_EQ(window->Board,
              Rows("30 10 11 30 / 31 12 13 31 / 0 0 20 21 / 30 40 40 30 / 31 40 40 31"));
    EXPECT_TRUE(PicturesMatchTheBoard());
}

TEST_F(DragTest, SettingUpAGameLetsTheHeldPieceGo) {
    Press(2, 3);
    MoveTo({-25, 25});
    window->StartGame(mdlBasic::GameNumber);  // e.g. a shortcut while the button is held
    EXPECT_TRUE(Cell(2, 3)->Shows(window->PawnHor));
    EXPECT_FALSE(Cell(1, 3)->HasPicture());
    MoveTo({75, 25});
    Release({75, 25});
    EXPECT_EQ(window->Board, Rows(kClassicStart));
    EXPECT_EQ(window->History.Index(), 0);
    EXPECT_TRUE(Cell(2, 3)->Shows(window->PawnHor));
    EXPECT_FALSE(Cell(3, 3)->HasPicture());
}

TEST_F(DragTest, MoveThatKeepsTheDropPlacePaintsNothing) {
    Press(2, 3);
    MoveTo({-25, 25});
    QApplication::processEvents();
    PaintCounter counter(window->Client);
    for (int step = 0; step < 20; ++step) {
        MoveTo({-5 - step, 20 + step});
        QApplication::processEvents();
    }
    EXPECT_EQ(counter.paints, 0);
    MoveTo({25, 25});
    QApplication::processEvents();
    EXPECT_GT(counter.paints, 0);
    Release();
}

TEST_F(DragTest, RandomEventsNeverBreakTheBoard) {
    std::mt19937 random(20261210);
    auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const int buttons[] = {platform::ButtonLeft,
                           platform::ButtonLeft,
                           platform::ButtonLeft,
                           platform::ButtonRight,
                           platform::ButtonMiddle,
                           platform::ButtonLeft | platform::ButtonRight,
                           0};
    game::Board before = window->Board;
    int releases = 0;
    for (int event = 0; event < 30000; ++event) {
        const int kind = pick(0, 99);
        const int index = pick(0, 19);
        const float x = static_cast<float>(pick(-3000, 3750));
        const float y = static_cast<float>(pick(-3000, 4500));
        const int button = buttons[pick(0, 6)];
        if (kind < 15) {
            window->Image1_MouseDown(index, button, 0, x, y);
        } else if (kind < 85) {
            window->Image1_MouseMove(index, button, 0, x, y);
        } else if (kind < 99) {
            window->Image1_MouseUp(index, button, 0, x, y);
            ++releases;
            const std::string problem = testsupport::WholePiecesProblem(window->Board);
            ASSERT_TRUE(problem.empty()) << problem << " after event " << event;
            ASSERT_TRUE(testsupport::AtMostOneLegalMove(before, window->Board))
                << game::BoardToRows(before) << " -> " << game::BoardToRows(window->Board);
            ASSERT_TRUE(PicturesMatchTheBoard()) << "after event " << event;
            before = window->Board;
        } else {
            const auto number = static_cast<std::uint8_t>(pick(0, 8));
            StartGame(number, pick(0, 1) == 1);
            before = window->Board;
        }
        if (window->Solved) {
            StartGame(pick(0, 8), false);
            before = window->Board;
        }
    }
    EXPECT_GT(releases, 1000);
}

struct GameDirection {
    int number;
    bool reversed;
};

void PrintTo(const GameDirection& g, std::ostream* os) {
    *os << GameName(g.number, g.reversed);
}

class SolveByMouseTest : public DragTest, public testing::WithParamInterface<GameDirection> {};

TEST_P(SolveByMouseTest, PlayerCanSolveTheGame) {
    StartGame(GetParam().number, GetParam().reversed);
    const auto solution = testsupport::FindSolution(window->Board, window->TargetBoard);
    ASSERT_TRUE(solution.has_value());
    for (const testsupport::PlannedMove& move : *solution) {
        ASSERT_FALSE(window->Solved);
        const game::Board before = window->Board;
        Drag(move.piece.x, move.piece.y, move.drop.x - move.piece.x, move.drop.y - move.piece.y);
        ASSERT_NE(window->Board, before);
    }
    EXPECT_TRUE(window->Solved);
    EXPECT_TRUE(window->ExtraPlace->Shows(window->ExtraTick));
    EXPECT_FALSE(window->StartFinishHidden);
    EXPECT_EQ(window->Client->height(), 366);
    for (platform::ImageControl* image : window->Image1) {
        EXPECT_EQ(image->MousePointer(), platform::PointerDefault);
    }
}

INSTANTIATE_TEST_SUITE_P(
    EveryGameBothWays, SolveByMouseTest,
    testing::Values(GameDirection{0, false}, GameDirection{1, false}, GameDirection{1, true},
                    GameDirection{2, false}, GameDirection{2, true}, GameDirection{3, false},
                    GameDirection{3, true}, GameDirection{4, false}, GameDirection{4, true},
                    GameDirection{5, false}, GameDirection{5, true}, GameDirection{6, false},
                    GameDirection{6, true}, GameDirection{7, false}, GameDirection{7, true},
                    GameDirection{8, false}, GameDirection{8, true}),
    [](const testing::TestParamInfo<GameDirection>& info) {
        return GameName(info.param.number, info.param.reversed);
    });

// A modal window that opens mid-drag takes the mouse, so the release never comes: whatever
// the command then does, the board on screen is Board again, the held piece back at its start.
TEST_F(DragTest, DragCutShortByAModalWindowPutsThePieceBack) {
    desktop.blocksWindows = true;
    desktop.onModal = [](QDialog& dialog) { dialog.reject(); };
    Drag(2, 3, -1, 0);  // an unsaved move, so that commands ask first
    const game::Board board = window->Board;
    const std::vector<std::pair<const char*, std::function<void()>>> interruptions = {
        {"new game, prompt cancelled",
         [&] {
             desktop.answers = {platform::vbCancel};
             window->Menu11->Action()->trigger();
         }},
        {"open, prompt answered No, dialog cancelled",
         [&] {
             desktop.answers = {platform::vbNo};
             window->M0Open->Action()->trigger();
         }},
        {"save dialog cancelled", [&] { window->M0SaveAs->Action()->trigger(); }},
        {"chooser cancelled", [&] { window->Menu12->Action()->trigger(); }},
        // No modal window: the next move simply comes without the button.
        {"release lost", [&] { window->Image1_MouseMove(game::CellIndex(1, 3), 0, 0, 0, 0); }},
    };
    for (const auto& [name, interrupt] : interruptions) {
        SCOPED_TRACE(name);
        Press(1, 3);
        MoveTo({125, 25});  // two cells right
        ASSERT_TRUE(Cell(3, 3)->Shows(window->PawnHor));
        interrupt();
        EXPECT_FALSE(window->Dragging());
        EXPECT_EQ(window->Board, board);
        EXPECT_TRUE(PicturesMatchTheBoard());
        EXPECT_EQ(Cell(1, 3)->cursor().pixmap().cacheKey(), window->HandPoint.pixmap().cacheKey());
        // A release that still arrives changes nothing.
        Release({125, 25});
        EXPECT_EQ(window->Board, board);
        EXPECT_TRUE(PicturesMatchTheBoard());
    }
    // The piece is where it looks: it can be dragged from there.
    Drag(1, 3, 1, 0);
    EXPECT_EQ(window->Board,
              Rows("30 10 11 30 / 31 12 13 31 / 0 20 21 0 / 30 40 40 30 / 31 40 40 31"));
}

}  // namespace
