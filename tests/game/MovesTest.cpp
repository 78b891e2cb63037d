#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/Board.h"
#include "game/Drag.h"
#include "game/GameLayouts.h"
#include "game/Moves.h"
#include "support/BoardText.h"

namespace {

using namespace game;
using testsupport::KindNames;
using testsupport::Rows;

template <typename... K>
constexpr MoveFlags Kinds(K... kinds) {
    return static_cast<MoveFlags>((0 | ... | KindBit(kinds)));
}

struct PieceMoves {
    CellPlace anchor;
    MoveFlags flags;
};

struct TableCase {
    const char* name;
    const char* rows;
    std::vector<PieceMoves> movable;  // every other piece, and every empty cell, has none
};

const TableCase kTableCases[] = {
    {"classic start",
     "30 10 11 30 / 31 12 13 31 / 0 20 21 0 / 30 40 40 30 / 31 40 40 31",
     {{{1, 1}, Kinds(MoveDown)},
      {{4, 1}, Kinds(MoveDown)},
      {{1, 4}, Kinds(MoveUp)},
      {{4, 4}, Kinds(MoveUp)},
      {{2, 3}, Kinds(MoveLeft, MoveRight)}}},
    {"game 8 start",
     "40 20 21 40 / 30 20 21 40 / 31 30 0 0 / 40 31 10 11 / 20 21 12 13",
     {{{4, 2}, Kinds(MoveDown, MoveThenLeft)}, {{3, 4}, Kinds(MoveUp)}}},
    {"game 5 start",
     "40 40 40 40 / 30 20 21 30 / 31 0 0 31 / 20 21 10 11 / 20 21 12 13",
     {{{2, 2}, Kinds(MoveDown)}}},
    {"lying piece with both empties on its left, big piece with both below",
     "40 40 40 40 / 10 11 30 30 / 12 13 31 31 / 0 0 20 21 / 20 21 20 21",
     {{{3, 4}, Kinds(MoveLeft, MoveThenLeft)}, {{1, 2}, Kinds(MoveDown)}, {{1, 5}, Kinds(MoveUp)}}},
    {"lying piece with one empty on each side",
     "40 40 40 40 / 10 11 30 30 / 12 13 31 31 / 0 20 21 0 / 20 21 20 21",
     {{{2, 4}, Kinds(MoveLeft, MoveRight)}, {{4, 2}, Kinds(MoveDown)}}},
    {"small piece with the cell above and the one left of it empty",
     "0 0 20 21 / 40 40 40 40 / 10 11 30 30 / 12 13 31 31 / 20 21 20 21",
     {{{2, 2}, Kinds(MoveUp, MoveThenLeft)},
      {{1, 2}, Kinds(MoveUp, MoveThenRight)},
      {{3, 1}, Kinds(MoveLeft, MoveThenLeft)}}},
    {"small piece with the cell left and the one above that empty",
     "0 40 20 21 / 0 40 40 40 / 10 11 30 30 / 12 13 31 31 / 20 21 20 21",
     {{{2, 2}, Kinds(MoveLeft, MoveThenUp)}, {{2, 1}, Kinds(MoveLeft, MoveThenDown)}}},
    {"small pieces against the edges",
     "40 0 40 40 / 0 40 20 21 / 10 11 30 30 / 12 13 31 31 / 20 21 20 21",
     {{{1, 1}, Kinds(MoveDown, MoveRight)},
      {{3, 1}, Kinds(MoveLeft)},
      {{2, 2}, Kinds(MoveUp, MoveLeft)}}},
    {"lone small piece in the top-left corner",
     "40 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0",
     {{{1, 1}, Kinds(MoveDown, MoveRight, MoveThenDown, MoveThenRight)}}},
    {"lone small piece in the bottom-right corner",
     "0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 40",
     {{{4, 5}, Kinds(MoveUp, MoveLeft, MoveThenUp, MoveThenLeft)}}},
    {"lone big piece in the bottom-right corner",
     "0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 10 11 / 0 0 12 13",
     {{{3, 4}, Kinds(MoveUp, MoveLeft)}}},
    {"two-cell pieces in opposite corners",
     "20 21 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 30 / 0 0 0 31",
     {{{1, 1}, Kinds(MoveDown, MoveRight, MoveThenRight)},
      {{4, 4}, Kinds(MoveUp, MoveLeft, MoveThenUp)}}},
};

TEST(MovesTest, TableGivesEachPieceItsMovesOnEveryCell) {
    for (const TableCase& c : kTableCases) {
        SCOPED_TRACE(c.name);
        const Board board = Rows(c.rows);
        const MoveTable table = BuildMoveTable(board);
        for (int x = 1; x <= kColumns; ++x) {
            for (int y = 1; y <= kRows; ++y) {
                MoveFlags expected = 0;
                if (board(x, y) != CellEmpty) {
                    for (const PieceMoves& piece : c.movable) {
                        if (piece.anchor == AnchorOf(board, x, y)) {
                            expected = piece.flags;
                        }
                    }
                }
                EXPECT_EQ(KindNames(table.Flags(x, y)), KindNames(expected))
                    << "cell (" << x << ", " << y << ")";
            }
        }
    }
}

// A board whose pieces are not whole is never played, but its table must stay on the board:
// a piece that does not fit where its anchor lies has no moves, and no other cell gets any.
TEST(MovesTest, PieceThatDoesNotFitTheBoardHasNoMoves) {
    const struct {
        const char* name;
        const char* rows;
    } cases[] = {
        {"big piece in the last column", "0 0 0 10 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0"},
        {"big piece in the last row", "0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 10 0 0"},
        {"big piece in the corner", "0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 10"},
        {"lying piece in the last column", "0 0 0 0 / 0 0 0 20 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0"},
        {"standing piece in the last row", "0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 0 30 0"},
        {"partner cells without their anchor",
         "11 0 0 0 / 0 21 0 0 / 0 0 31 0 / 0 0 0 13 / 0 0 12 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BuildMoveTable(Rows(c.rows)), MoveTable{});
    }
}

TEST(MovesTest, ClassicGameIsSolvedByTheBigPieceAloneAtTheBottomCentre) {
    const Board& goal = GetGameLayout(ClassicGame).goal;
    EXPECT_TRUE(
        IsSolved(Rows("30 40 40 30 / 31 40 40 31 / 20 21 0 0 / 30 10 11 30 / 31 12 13 31"), goal));
    EXPECT_TRUE(IsSolved(Rows("0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 0 10 11 0 / 0 12 13 0"), goal));
    EXPECT_FALSE(IsSolved(GetGameLayout(ClassicGame).start, goal));
    EXPECT_FALSE(IsSolved(Rows("0 0 0 0 / 0 0 0 0 / 0 0 0 0 / 10 11 0 0 / 12 13 0 0"), goal));
    EXPECT_FALSE(IsSolved(Rows("0 0 0 0 / 0 0 0 0 / 0 10 11 0 / 0 12 13 0 / 0 0 0 0"), goal));
}

TEST(MovesTest, ReversedGameIsSolvedOnlyByItsStartLayoutCellForCell) {
    const Board& target = GetGameLayout(3).start;
    EXPECT_TRUE(IsSolved(target, target));

    // Every board one move away.
    const MoveTable table = BuildMoveTable(target);
    int neighbours = 0;
    for (int x = 1; x <= kColumns; ++x) {
        for (int y = 1; y <= kRows; ++y) {
            for (int kind = MoveUp; kind <= MoveRight; ++kind) {
                if (target(x, y) == CellEmpty || AnchorOf(target, x, y) != CellPlace{x, y} ||
                    !table.CanMove(x, y, kind)) {
                    continue;
                }
                Board moved = target;
                const int dx = kind == MoveLeft ? -1 : kind == MoveRight ? 1 : 0;
                const int dy = kind == MoveUp ? -1 : kind == MoveDown ? 1 : 0;
                MovePiece(moved, {x, y}, {x + dx, y + dy});
                EXPECT_FALSE(IsSolved(moved, target)) << BoardToRows(moved);
                ++neighbours;
            }
        }
    }
    EXPECT_GT(neighbours, 0);

    // An empty goal cell is matched only by an empty cell, and a piece code only by itself.
    Board filled = target;
    filled(4, 3) = CellSmall;
    EXPECT_FALSE(IsSolved(filled, target));
    Board relabelled = target;
    relabelled(1, 5) = CellHorRight;
    EXPECT_FALSE(IsSolved(relabelled, target));
}

}  // namespace
