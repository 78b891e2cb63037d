#include "WindowFixture.h"
#include "game/Drag.h"
#include "game/GameLayouts.h"

namespace {

const char* kClassicStart = "30 10 11 30 / 31 12 13 31 / 0 20 21 0 / 30 40 40 30 / 31 40 40 31";
const char* kLyingLeft = "30 10 11 30 / 31 12 13 31 / 20 21 0 0 / 30 40 40 30 / 31 40 40 31";
const char* kLyingRight = "30 10 11 30 / 31 12 13 31 / 0 0 20 21 / 30 40 40 30 / 31 40 40 31";

using HistoryTest = WindowTest;

TEST_F(HistoryTest, OnlyTheFirstRecordedMoveMarksTheCaption) {
    DragPiece(2, 3, -1, 0);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ταρβέξη-Κλασικό*"));
    EXPECT_TRUE(window->GameChanged);
    EXPECT_TRUE(window->MUndo->Enabled());
    EXPECT_FALSE(window->MRedo->Enabled());
    DragPiece(1, 3, 2, 0);
    EXPECT_EQ(window->Board, Rows(kLyingRight));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ταρβέξη-Κλασικό*"));
    EXPECT_EQ(window->History.Index(), 2);
}

TEST_F(HistoryTest, UndoToTheStartKeepsTheChangedMark) {
    DragPiece(2, 3, -1, 0);
    window->MUndo_Click();
    EXPECT_EQ(window->Board, Rows(kClassicStart));
    EXPECT_TRUE(window->CellImage(2, 3)->Shows(window->PawnHor));
    EXPECT_FALSE(window->MUndo->Enabled());
    EXPECT_TRUE(window->MRedo->Enabled());
    EXPECT_TRUE(window->GameChanged);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ταρβέξη-Κλασικό*"));
    window->MRedo_Click();
    EXPECT_EQ(window->Board, Rows(kLyingLeft));
    EXPECT_FALSE(window->MRedo->Enabled());
    EXPECT_TRUE(window->MUndo->Enabled());
}

TEST_F(HistoryTest, MoveAfterUndosCutsTheRedoBranch) {
    DragPiece(2, 3, -1, 0);
    DragPiece(1, 3, 1, 0);
    DragPiece(2, 3, 1, 0);
    window->MUndo_Click();
    window->MUndo_Click();
    ASSERT_EQ(window->Board, Rows(kLyingLeft));
    DragPiece(4, 1, 0, 1);  // the standing piece at column 4 slides down
    EXPECT_EQ(window->History.Index(), 2);
    EXPECT_EQ(window->History.Last(), 2);
    EXPECT_FALSE(window->MRedo->Enabled());
    window->MUndo_Click();
    EXPECT_EQ(window->Board, Rows(kLyingLeft));
}

TEST_F(HistoryTest, RollOverKeepsTheLast999Moves) {
    for (int move = 0; move < 1000; ++move) {
        if (move % 2 == 0) {
            DragPiece(2, 3, -1, 0);
        } else {
            DragPiece(1, 3, 1, 0);
        }
    }
    EXPECT_EQ(window->History.Index(), 999);
    EXPECT_EQ(window->History.Last(), 999);
    for (int undo = 0; undo < 999; ++undo) {
        ASSERT_TRUE(window->MUndo->Enabled());
        window->MUndo_Click();
    }
    EXPECT_FALSE(window->MUndo->Enabled());
    // The former entry 1: the board after the first move.
    EXPECT_EQ(window->Board, Rows(kLyingLeft));
}

TEST_F(HistoryTest, UndoOutOfASolvedGameReturnsToPlay) {
    StartGame(3, false);
    const game::Board beforeLast =
        Rows("30 40 40 30 / 31 40 40 31 / 10 11 0 30 / 12 13 0 31 / 20 21 20 21");
    ShowBoard(beforeLast);
    window->History.Reset(beforeLast);
    DragPiece(1, 3, 1, 0);  // the big piece into its place
    ASSERT_TRUE(window->Solved);
    ASSERT_FALSE(window->Menu13->Checked());

    window->MUndo_Click();
    EXPECT_FALSE(window->Solved);
    EXPECT_TRUE(window->StartFinishHidden);
    EXPECT_TRUE(window->Menu13->Enabled());
    EXPECT_TRUE(window->Menu14->Enabled());
    EXPECT_TRUE(window->ExtraPlace->Shows(window->ExtraArrow));
    EXPECT_EQ(window->CellImage(1, 3)->MousePointer(), platform::PointerCustom);

    // Redo onto the solving position solves it again.
    window->MRedo_Click();
    EXPECT_TRUE(window->Solved);
    EXPECT_TRUE(window->ExtraPlace->Shows(window->ExtraTick));
    EXPECT_FALSE(window->StartFinishHidden);
    EXPECT_FALSE(window->Menu13->Enabled());
    EXPECT_FALSE(window->Menu14->Enabled());
}

// A game file may hold moves after a solved board: redo out of it returns to play as undo does.
TEST_F(HistoryTest, RedoOutOfASolvedBoardReturnsToPlay) {
    StartGame(3, true);
    const game::Board solved = game::GetGameLayout(3).start;
    const game::Board next =
        Rows("30 40 40 30 / 31 40 40 31 / 30 0 10 11 / 31 0 12 13 / 20 21 20 21");
    const std::vector<game::Board> entries = {solved, next};
    window->History.Load(0, 1, entries);
    window->MRedo->SetEnabled(true);
    ShowBoard(solved);
    ASSERT_TRUE(window->Solved);

    window->MRedo_Click();
    EXPECT_FALSE(window->Solved);
    EXPECT_TRUE(window->StartFinishHidden);
    EXPECT_TRUE(window->Menu13->Enabled());
    EXPECT_TRUE(window->Menu14->Enabled());
    EXPECT_TRUE(window->ExtraPlace->Shows(window->ExtraArrowBack));
}

TEST_F(HistoryTest, UndoOutOfASolvedReversedGameShowsTheLeftArrowAndTheChosenStrip) {
    window->Menu13->SetChecked(true);
    StartGame(6, true);
    const game::Board start = game::GetGameLayout(6).start;
    // One slide away from the start layout: the lying piece at row 3 moved right.
    const game::Board beforeLast =
        Rows("10 11 40 40 / 12 13 40 40 / 0 20 21 0 / 30 30 20 21 / 31 31 20 21");
    ShowBoard(beforeLast);
    window->History.Reset(beforeLast);
    DragPiece(3, 3, 1, 0);
    ASSERT_EQ(window->Board, start);
    ASSERT_TRUE(window->Solved);

    window->MUndo_Click();
    EXPECT_TRUE(window->ExtraPlace->Shows(window->ExtraArrowBack));
    EXPECT_FALSE(window->StartFinishHidden);
    EXPECT_TRUE(window->Menu14->Enabled());
}

TEST_F(HistoryTest, UndoOutOfASolvedClassicGameKeepsReverseDisabled) {
    const game::Board beforeLast =
        Rows("30 20 21 30 / 31 40 40 31 / 30 10 11 30 / 31 12 13 31 / 40 0 0 40");
    ShowBoard(beforeLast);
    window->History.Reset(beforeLast);
    DragPiece(2, 3, 0, 1);
    ASSERT_TRUE(window->Solved);
    window->MUndo_Click();
    EXPECT_TRUE(window->Menu13->Enabled());
    EXPECT_FALSE(window->Menu14->Enabled());
    EXPECT_FALSE(window->Solved);
}

TEST_F(HistoryTest, ShortcutsReachUndoAndRedoOnlyWhileEnabled) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto key = [this](Qt::Key k) { QTest::keyClick(window.get(), k, Qt::ControlModifier); };

    DragPiece(2, 3, -1, 0);
    key(Qt::Key_F);  // nothing to redo
    EXPECT_EQ(window->Board, Rows(kLyingLeft));
    key(Qt::Key_R);
    EXPECT_EQ(window->Board, Rows(kClassicStart));
    key(Qt::Key_R);  // nothing more to undo
    EXPECT_EQ(window->History.Index(), 0);
    key(Qt::Key_F);
    EXPECT_EQ(window->Board, Rows(kLyingLeft));
    EXPECT_EQ(window->History.Index(), 1);
}

TEST_F(HistoryTest, UndoAndRedoKeepTheFileTheGameAndTheDirection) {
    StartGame(2, true);
    window->CurrentFilePath = QStringLiteral("/tmp/g.tvx");
    const game::Board start = window->Board;
    const auto cells = game::BuildMoveTable(start);
    // Any legal slide will do.
    bool moved = false;
    for (int x = 1; x <= 4 && !moved; ++x) {
        for (int y = 1; y <= 5 && !moved; ++y) {
            if (cells.CanMove(x, y, game::MoveDown) && start(x, y) != 0 &&
                game::AnchorOf(start, x, y) == game::CellPlace{x, y}) {
                DragPiece(x, y, 0, 1);
                moved = true;
            }
        }
    }
    ASSERT_TRUE(moved);
    window->MUndo_Click();
    window->MRedo_Click();
    EXPECT_EQ(window->CurrentFilePath, QStringLiteral("/tmp/g.tvx"));
    EXPECT_EQ(mdlBasic::GameNumber, 2);
    EXPECT_EQ(window->Menu14->Caption(), kReverseOn);
}

TEST_F(HistoryTest, UndoLetsTheHeldPieceGo) {
    DragPiece(2, 3, -1, 0);
    window->Image1_MouseDown(game::CellIndex(1, 3), platform::ButtonLeft, 0, 375, 375);
    window->Image1_MouseMove(game::CellIndex(1, 3), platform::ButtonLeft, 0, 1125, 375);
    window->MUndo_Click();
    window->Image1_MouseUp(game::CellIndex(1, 3), platform::ButtonLeft, 0, 1125, 375);
    EXPECT_EQ(window->Board, Rows(kClassicStart));
    EXPECT_EQ(window->History.Last(), 1);
    EXPECT_TRUE(window->CellImage(2, 3)->Shows(window->PawnHor));
}

}  // namespace
