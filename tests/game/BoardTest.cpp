#include <gtest/gtest.h>

#include <string>

#include "game/Board.h"
#include "game/GameLayouts.h"
#include "game/Moves.h"
#include "support/BoardChecks.h"
#include "support/BoardText.h"

namespace {

using namespace game;
using testsupport::Rows;

TEST(BoardTest, RowsNotationReadsRowsFromTheTopAndWritesThemBack) {
    const char* text = "30 10 11 30 / 31 12 13 31 / 0 20 21 0 / 30 40 40 30 / 31 40 40 31";
    const Board board = Rows(text);
    EXPECT_EQ(board(2, 1), CellBig);
    EXPECT_EQ(board(3, 2), CellBigBottomRight);
    EXPECT_EQ(board(1, 3), CellEmpty);
    EXPECT_EQ(board(4, 5), CellVerBottom);
    EXPECT_EQ(BoardToRows(board), text);

    // Spacing is free; the written form is not.
    EXPECT_EQ(Rows("255 1 2 3/4 5 6 7/  8 9 10 11 /12 13 14 15/16 17 18 19 "),
              Rows("255 1 2 3 / 4 5 6 7 / 8 9 10 11 / 12 13 14 15 / 16 17 18 19"));
}

TEST(BoardTest, MalformedRowsAreRefused) {
    const char* const kMalformed[] = {
        "",
        "0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0",                      // four rows
        "0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0",  // six rows
        "0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0 0",            // 20 codes, rows of 3 and 5
        "0 0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0",
        "0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0",      // 19 codes
        "0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0 /",  // trailing slash
        "0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 256",  // above a byte
        "0 0 0 0 / 0 0 0 0 / 0 0 -1 0 / 0 0 0 0 / 0 0 0 0",
        "0 0 0 0 / 0 0 0 0 / 0 0 x 0 / 0 0 0 0 / 0 0 0 0",
        "0,0,0,0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0",
        "0 0 0 0 // 0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0",
    };
    for (const char* text : kMalformed) {
        EXPECT_FALSE(BoardFromRows(text).has_value()) << '"' << text << '"';
    }
}

struct GameMix {
    int lying;
    int standing;
};
constexpr GameMix kMix[kGameCount] = {{1, 4}, {2, 3}, {1, 4}, {2, 3}, {3, 2},
                                      {3, 2}, {3, 2}, {1, 4}, {3, 2}};

TEST(BoardTest, EveryLayoutHoldsTheWholePieceSet) {
    for (int number = 0; number < kGameCount; ++number) {
        const GameLayout& layout = GetGameLayout(number);
        for (const Board* board : {&layout.start, &layout.goal}) {
            if (number == ClassicGame && board == &layout.goal) {
                continue;
            }
            SCOPED_TRACE("game " + std::to_string(number) + ": " + BoardToRows(*board));
            const std::optional<testsupport::PieceCount> count = testsupport::WholePieces(*board);
            ASSERT_TRUE(count.has_value()) << "not whole pieces";
            EXPECT_EQ(count->big, 1);
            EXPECT_EQ(count->lying, kMix[number].lying);
            EXPECT_EQ(count->standing, kMix[number].standing);
            EXPECT_EQ(count->small, 4);
            EXPECT_EQ(count->empty, 2);
        }
    }
}

TEST(BoardTest, NoGameStartsSolvedInEitherDirection) {
    for (int number = 0; number < kGameCount; ++number) {
        const GameLayout& layout = GetGameLayout(number);
        EXPECT_FALSE(IsSolved(layout.start, layout.goal)) << "game " << number;
        if (number != ClassicGame) {
            EXPECT_FALSE(IsSolved(layout.goal, layout.start)) << "game " << number << " reversed";
        }
    }
}

TEST(BoardTest, ClassicGoalConstrainsOnlyTheBigPieceAtTheBottomCentre) {
    Board expected;
    expected.cells.fill(CellAny);
    expected(2, 4) = CellBig;
    expected(3, 4) = CellBigTopRight;
    expected(2, 5) = CellBigBottomLeft;
    expected(3, 5) = CellBigBottomRight;
    EXPECT_EQ(GetGameLayout(ClassicGame).goal, expected);
}

TEST(BoardTest, ReversedGameStartsFromItsGoal) {
    const GameLayout& layout = GetGameLayout(3);
    Board board = layout.start;
    Board target = layout.goal;
    SwapStartAndGoal(board, target);
    EXPECT_EQ(board, layout.goal);
    EXPECT_EQ(target, layout.start);
}

}  // namespace
