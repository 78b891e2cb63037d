#include <gtest/gtest.h>

#include <memory>

#include "game/Board.h"
#include "game/History.h"

namespace {

using namespace game;

// A board told apart by its number; History never looks at what the cells mean.
Board Numbered(int n) {
    Board board;
    board.cells[0] = static_cast<Cell>(n & 0xFF);
    board.cells[19] = static_cast<Cell>(n >> 8);
    return board;
}

class HistoryTest : public ::testing::Test {
  protected:
    void SetUp() override { history.Reset(Numbered(0)); }

    // Records boards first..last in turn, each a change.
    void RecordMoves(int first, int last) {
        for (int n = first; n <= last; ++n) {
            ASSERT_TRUE(history.Record(Numbered(n))) << n;
        }
    }

    std::unique_ptr<History> owned = std::make_unique<History>();
    History& history = *owned;
};

TEST_F(HistoryTest, ResetLeavesTheStartAlone) {
    RecordMoves(1, 5);
    history.Reset(Numbered(7));
    EXPECT_EQ(history.Index(), 0);
    EXPECT_EQ(history.Last(), 0);
    EXPECT_EQ(history.Current(), Numbered(7));
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
}

TEST_F(HistoryTest, OnlyABoardThatDiffersFromTheEntryOnShowIsRecorded) {
    EXPECT_FALSE(history.Record(Numbered(0)));
    EXPECT_EQ(history.Index(), 0);
    EXPECT_FALSE(history.CanUndo());

    EXPECT_TRUE(history.Record(Numbered(1)));
    EXPECT_EQ(history.Index(), 1);
    EXPECT_EQ(history.Last(), 1);
    EXPECT_TRUE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.Entry(1), Numbered(1));

    // A difference in the last cell counts as much as one in the first.
    EXPECT_FALSE(history.Record(Numbered(1)));
    EXPECT_TRUE(history.Record(Numbered(1 + 256)));
    EXPECT_EQ(history.Index(), 2);
}

TEST_F(HistoryTest, UndoAndRedoStepBetweenTheFirstAndTheLastEntry) {
    RecordMoves(1, 2);
    EXPECT_EQ(history.Undo(), Numbered(1));
    EXPECT_TRUE(history.CanRedo());
    EXPECT_EQ(history.Undo(), Numbered(0));
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(history.Undo(), Numbered(0));  // nothing before the first entry
    EXPECT_EQ(history.Index(), 0);

    EXPECT_EQ(history.Redo(), Numbered(1));
    EXPECT_EQ(history.Redo(), Numbered(2));
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.Redo(), Numbered(2));  // nothing after the last
    EXPECT_EQ(history.Index(), 2);
    EXPECT_EQ(history.Last(), 2);
}

TEST_F(HistoryTest, AMoveAfterTwoUndosCutsTheRedoBranch) {
    RecordMoves(1, 3);
    history.Undo();
    history.Undo();
    ASSERT_EQ(history.Current(), Numbered(1));

    // Dropping a piece where it stood changes nothing, the redo branch included.
    EXPECT_FALSE(history.Record(Numbered(1)));
    EXPECT_EQ(history.Last(), 3);

    EXPECT_TRUE(history.Record(Numbered(9)));
    EXPECT_EQ(history.Index(), 2);
    EXPECT_EQ(history.Last(), 2);
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.Entry(2), Numbered(9));
    EXPECT_EQ(history.Undo(), Numbered(1));
    EXPECT_EQ(history.Redo(), Numbered(9));
    EXPECT_FALSE(history.CanRedo());
}

TEST_F(HistoryTest, TheThousandthMoveDropsTheOldestEntry) {
    RecordMoves(1, 999);
    ASSERT_EQ(history.Index(), 999);
    ASSERT_EQ(history.Entry(0), Numbered(0));

    EXPECT_TRUE(history.Record(Numbered(1000)));
    EXPECT_EQ(history.Index(), 999);
    EXPECT_EQ(history.Last(), 999);
    EXPECT_EQ(history.Entry(0), Numbered(1));
    EXPECT_EQ(history.Entry(998), Numbered(999));
    EXPECT_EQ(history.Current(), Numbered(1000));

    for (int k = 1; k <= 999; ++k) {
        ASSERT_TRUE(history.CanUndo()) << k;
        ASSERT_EQ(history.Undo(), Numbered(1000 - k)) << k;
    }
    EXPECT_FALSE(history.CanUndo());
    EXPECT_EQ(history.Index(), 0);
    EXPECT_EQ(history.Last(), 999);

    // Back to the top; every further move drops the oldest again.
    for (int k = 1; k <= 999; ++k) {
        history.Redo();
    }
    EXPECT_TRUE(history.Record(Numbered(1001)));
    EXPECT_EQ(history.Index(), 999);
    EXPECT_EQ(history.Entry(0), Numbered(2));
    EXPECT_EQ(history.Current(), Numbered(1001));
}

TEST_F(HistoryTest, AMoveAfterUndoingAFullHistoryDoesNotRollOver) {
    RecordMoves(1, 1000);
    history.Undo();
    EXPECT_TRUE(history.Record(Numbered(5000)));
    EXPECT_EQ(history.Index(), 999);
    EXPECT_EQ(history.Last(), 999);
    EXPECT_EQ(history.Entry(0), Numbered(1));
    EXPECT_EQ(history.Entry(998), Numbered(999));
}

}  // namespace
