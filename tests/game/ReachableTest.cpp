// Properties over every position reachable in the nine games, both ways round.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <deque>
#include <map>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "game/Board.h"
#include "game/Drag.h"
#include "game/GameLayouts.h"
#include "game/Moves.h"
#include "support/BoardChecks.h"
#include "support/BoardSearch.h"
#include "support/BoardText.h"
#include "support/Solver.h"

namespace game {

// Failure read-outs: places as (x, y), tables as five rows of the flags in hex.
static void PrintTo(const CellPlace& place, std::ostream* os) {
    *os << "(" << place.x << ", " << place.y << ")";
}

static void PrintTo(const MoveTable& table, std::ostream* os) {
    for (int y = 1; y <= kRows; ++y) {
        *os << (y > 1 ? " / " : "");
        for (int x = 1; x <= kColumns; ++x) {
            static const char kHex[] = "0123456789abcdef";
            const MoveFlags f = table.Flags(x, y);
            *os << (x > 1 ? " " : "") << kHex[f >> 4] << kHex[f & 15];
        }
    }
}

}  // namespace game

namespace {

using namespace game;
using testsupport::BoardHash;
using testsupport::KindNames;
using testsupport::PieceCount;
using testsupport::StepOf;
using testsupport::WholePieces;

// An offset from a cell.
using Step = CellPlace;

// The pieces, written out independently of the game code.
struct Shape {
    Cell anchor;
    int count;
    Step cell[4];
    Cell code[4];
};
constexpr Shape kShapes[] = {
    {CellBig, 4, {{0, 0}, {1, 0}, {0, 1}, {1, 1}}, {10, 11, 12, 13}},
    {CellHor, 2, {{0, 0}, {1, 0}}, {20, 21}},
    {CellVer, 2, {{0, 0}, {0, 1}}, {30, 31}},
    {CellSmall, 1, {{0, 0}}, {40}},
};

const Shape* ShapeAt(const Board& board, int x, int y) {
    for (const Shape& shape : kShapes) {
        if (board(x, y) == shape.anchor) {
            return &shape;
        }
    }
    return nullptr;
}

bool OnBoard(int x, int y) {
    return x >= 1 && x <= kColumns && y >= 1 && y <= kRows;
}

bool OwnCell(const Shape& shape, CellPlace anchor, int x, int y) {
    for (int i = 0; i < shape.count; ++i) {
        if (anchor.x + shape.cell[i].x == x && anchor.y + shape.cell[i].y == y) {
            return true;
        }
    }
    return false;
}

// The piece fits with its anchor at anchor + d: every cell on the board, empty or its own.
bool FitsAt(const Board& board, const Shape& shape, CellPlace anchor, Step d) {
    for (int i = 0; i < shape.count; ++i) {
        const int x = anchor.x + d.x + shape.cell[i].x;
        const int y = anchor.y + d.y + shape.cell[i].y;
        if (!OnBoard(x, y) || (board(x, y) != CellEmpty && !OwnCell(shape, anchor, x, y))) {
            return false;
        }
    }
    return true;
}

std::string Describe(const Board& board) {
    return BoardToRows(board);
}

// The legal moves worked out from the geometry alone. A two-cell path is two slides, the second
// not undoing the first. With allPaths false, only the paths the game offers: none for the big
// piece, straight on along its length for a two-cell piece, any for a small piece.
MoveTable GeometricMoves(const Board& board, bool allPaths) {
    MoveTable table;
    for (int x = 1; x <= kColumns; ++x) {
        for (int y = 1; y <= kRows; ++y) {
            const Shape* shape = ShapeAt(board, x, y);
            if (shape == nullptr) {
                continue;
            }
            const CellPlace anchor{x, y};
            MoveFlags flags = 0;
            for (int first = MoveUp; first <= MoveRight; ++first) {
                const Step d1 = StepOf(first);
                if (!FitsAt(board, *shape, anchor, d1)) {
                    continue;
                }
                flags |= KindBit(first);
                for (int second = MoveUp; second <= MoveRight; ++second) {
                    const Step d2 = StepOf(second);
                    if (d2.x == -d1.x && d2.y == -d1.y) {
                        continue;
                    }
                    bool offered = allPaths || shape->anchor == CellSmall;
                    if (!offered && d1 == d2) {
                        offered = (shape->anchor == CellHor && d1.y == 0) ||
                                  (shape->anchor == CellVer && d1.x == 0);
                    }
                    if (offered && FitsAt(board, *shape, anchor, {d1.x + d2.x, d1.y + d2.y})) {
                        flags |= KindBit(second + 4);
                    }
                }
            }
            for (int i = 0; i < shape->count; ++i) {
                table.flags[CellIndex(x + shape->cell[i].x, y + shape->cell[i].y)] |= flags;
            }
        }
    }
    return table;
}

struct Move {
    CellPlace piece;
    CellPlace drop;
    int kind;
    int paths;  // first steps that lead a two-cell kind onto free cells; 1 for a slide
};

// The moves the table offers, the end of each two-cell kind found through its first step.
std::vector<Move> TableMoves(const Board& board, const MoveTable& table) {
    std::vector<Move> moves;
    for (int x = 1; x <= kColumns; ++x) {
        for (int y = 1; y <= kRows; ++y) {
            const Shape* shape = ShapeAt(board, x, y);
            if (shape == nullptr) {
                continue;
            }
            const CellPlace anchor{x, y};
            const MoveFlags flags = table.Flags(x, y);
            for (int kind = MoveUp; kind <= MoveThenRight; ++kind) {
                if (!HasKind(flags, kind)) {
                    continue;
                }
                const Step d2 = StepOf(kind);
                Move move{anchor, {x + d2.x, y + d2.y}, kind, 1};
                if (kind > MoveRight) {
                    move.paths = 0;
                    for (int first = MoveUp; first <= MoveRight; ++first) {
                        const Step d1 = StepOf(first);
                        const Step end{d1.x + d2.x, d1.y + d2.y};
                        if (HasKind(flags, first) && end != Step{0, 0} &&
                            FitsAt(board, *shape, anchor, end)) {
                            move.drop = {x + end.x, y + end.y};
                            ++move.paths;
                        }
                    }
                }
                moves.push_back(move);
            }
        }
    }
    return moves;
}

struct Game {
    int number;
    bool reversed;
};

void PrintTo(const Game& game, std::ostream* os) {
    *os << "game " << game.number << (game.reversed ? " reversed" : "");
}

// Every position reachable from the game's first board, breadth first.
struct Explored {
    Board start;
    Board target;
    std::vector<Board> boards;  // in order of distance from start
    int solvedDistance = -1;    // the fewest moves to a solved board; -1 when none is reached
};

const Explored& Explore(Game game) {
    static std::map<std::pair<int, bool>, Explored> cache;
    auto [it, fresh] = cache.try_emplace({game.number, game.reversed});
    Explored& explored = it->second;
    if (!fresh) {
        return explored;
    }
    const GameLayout& layout = GetGameLayout(game.number);
    explored.start = game.reversed ? layout.goal : layout.start;
    explored.target = game.reversed ? layout.start : layout.goal;

    std::unordered_map<Board, int, BoardHash> distance{{explored.start, 0}};
    std::deque<Board> queue{explored.start};
    while (!queue.empty()) {
        const Board board = queue.front();
        queue.pop_front();
        explored.boards.push_back(board);
        const int d = distance[board];
        if (explored.solvedDistance < 0 && IsSolved(board, explored.target)) {
            explored.solvedDistance = d;
        }
        for (const Move& move : TableMoves(board, BuildMoveTable(board))) {
            if (move.paths == 0) {
                continue;
            }
            Board next = board;
            MovePiece(next, move.piece, move.drop);
            if (distance.emplace(next, d + 1).second) {
                queue.push_back(next);
            }
        }
    }
    return explored;
}

std::vector<Game> AllGames() {
    std::vector<Game> games;
    for (int number = 0; number < kGameCount; ++number) {
        games.push_back({number, false});
        if (number != ClassicGame) {
            games.push_back({number, true});
        }
    }
    return games;
}

class ReachableTest : public ::testing::TestWithParam<Game> {};

TEST_P(ReachableTest, EveryMoveKeepsWholePiecesAndThePieceCounts) {
    const Explored& explored = Explore(GetParam());
    const std::optional<PieceCount> initial = WholePieces(explored.start);
    ASSERT_TRUE(initial.has_value());
    for (const Board& board : explored.boards) {
        for (const Move& move : TableMoves(board, BuildMoveTable(board))) {
            SCOPED_TRACE(Describe(board) + ", kind " + std::to_string(move.kind) +
                         " of the piece at (" + std::to_string(move.piece.x) + ", " +
                         std::to_string(move.piece.y) + ")");
            ASSERT_EQ(move.paths, 1) << "a two-cell kind needs exactly one first step";
            Board next = board;
            MovePiece(next, move.piece, move.drop);
            ASSERT_EQ(WholePieces(next), initial) << Describe(next);
        }
    }
    RecordProperty("positions", static_cast<int>(explored.boards.size()));
}

TEST_P(ReachableTest, TableKeepsItsInvariantsAndMatchesTheGeometry) {
    const Explored& explored = Explore(GetParam());
    for (const Board& board : explored.boards) {
        const MoveTable table = BuildMoveTable(board);
        ASSERT_EQ(table, GeometricMoves(board, true)) << Describe(board);
        for (int x = 1; x <= kColumns; ++x) {
            for (int y = 1; y <= kRows; ++y) {
                const MoveFlags flags = table.Flags(x, y);
                if (board(x, y) == CellEmpty) {
                    ASSERT_EQ(flags, 0) << Describe(board) << " at (" << x << ", " << y << ")";
                    continue;
                }
                const Shape* shape = ShapeAt(board, x, y);
                if (shape == nullptr) {
                    continue;
                }
                for (int i = 1; i < shape->count; ++i) {
                    ASSERT_EQ(table.Flags(x + shape->cell[i].x, y + shape->cell[i].y), flags)
                        << Describe(board) << ", piece at (" << x << ", " << y << ")";
                }
                const MoveFlags paths = flags & ~kSlideKinds;
                ASSERT_LE(std::popcount(static_cast<unsigned>(paths)), 1)
                    << Describe(board) << ": " << KindNames(flags);
                if (paths != 0) {
                    ASSERT_NE(flags & kSlideKinds, 0) << Describe(board);
                }
            }
        }
    }
}

// The pointer positions a drag is tried at, in twips from the pressed cell: a 50-twip grid
// that holds every band edge, and points on both sides of each corner's tie line.
std::vector<std::pair<float, float>> PointerSweep() {
    std::vector<std::pair<float, float>> sweep;
    for (float x = -2300; x <= 2300; x += 50) {
        for (float y = -2300; y <= 2300; y += 50) {
            sweep.emplace_back(x, y);
        }
    }
    const std::pair<float, float> kTies[] = {
        {-100, -200}, {-200, -100},  {-100, -101},  {-101, -100},   {800, -51}, {800, -50},
        {749, -1},    {-1, 751},     {-100, 849},   {-100, 850},    {801, 800}, {800, 801},
        {-0.5, -0.5}, {749.5, -0.5}, {-0.5, 749.5}, {749.5, 749.5},
    };
    sweep.insert(sweep.end(), std::begin(kTies), std::end(kTies));
    return sweep;
}

// A place a drag may show, relative to the anchor, with the steps it takes.
struct Offer {
    CellPlace drop;
    int steps;
    friend bool operator==(const Offer&, const Offer&) = default;
};

TEST_P(ReachableTest, EveryDragShowsTheStartOrAMoveTheTableOffers) {
    const Explored& explored = Explore(GetParam());
    const auto sweep = PointerSweep();
    const PieceCount initial = WholePieces(explored.start).value();

    // A drag depends on the board only through the pressed piece's flags and the places its
    // moves lead to; each such situation is swept once, on the first board that shows it.
    std::vector<std::pair<MoveFlags, std::vector<Offer>>> swept;

    for (const Board& board : explored.boards) {
        const MoveTable table = BuildMoveTable(board);
        const std::vector<Move> moves = TableMoves(board, table);
        for (int x = 1; x <= kColumns; ++x) {
            for (int y = 1; y <= kRows; ++y) {
                const MoveFlags flags = table.Flags(x, y);
                if (flags == 0 || ShapeAt(board, x, y) == nullptr) {
                    continue;
                }
                const CellPlace piece{x, y};
                std::vector<Offer> offers{{{0, 0}, 0}};
                for (const Move& move : moves) {
                    if (move.piece == piece) {
                        offers.push_back(
                            {{move.drop.x - x, move.drop.y - y}, move.kind > MoveRight ? 2 : 1});
                        // The centre of the target cell shows every move; the solver relies
                        // on it.
                        const float X = offers.back().drop.x * kCellTwips + 375.0f;
                        const float Y = offers.back().drop.y * kCellTwips + 375.0f;
                        ASSERT_EQ(WorkOutDrop(piece, X, Y, flags).drop, move.drop)
                            << Describe(board) << ", kind " << move.kind;
                    }
                }
                const std::pair<MoveFlags, std::vector<Offer>> key{flags, offers};
                if (std::find(swept.begin(), swept.end(), key) != swept.end()) {
                    continue;
                }
                swept.push_back(key);

                std::vector<CellPlace> checked;
                for (const auto& [X, Y] : sweep) {
                    const DragPlace place = WorkOutDrop(piece, X, Y, flags);
                    const Offer shown{{place.drop.x - x, place.drop.y - y}, place.steps};
                    ASSERT_NE(std::find(offers.begin(), offers.end(), shown), offers.end())
                        << Describe(board) << ": piece at (" << x << ", " << y << ") with "
                        << KindNames(flags) << ", pointer (" << X << ", " << Y << ") shows ("
                        << place.drop.x << ", " << place.drop.y << ") in " << place.steps
                        << " steps";
                    if (std::find(checked.begin(), checked.end(), place.drop) == checked.end()) {
                        checked.push_back(place.drop);
                        Board next = board;
                        MovePiece(next, piece, place.drop);
                        ASSERT_EQ(WholePieces(next), initial) << Describe(next);
                    }
                }
                // Every move on offer is shown somewhere.
                ASSERT_EQ(checked.size(), offers.size()) << Describe(board);
            }
        }
    }
    RecordProperty("situations", static_cast<int>(swept.size()));
}

TEST_P(ReachableTest, GameIsSolvableAndTheSolverFindsAShortestWayByDragging) {
    const Explored& explored = Explore(GetParam());
    ASSERT_GT(explored.solvedDistance, 0) << "goal not reachable";

    const auto solution = testsupport::FindSolution(explored.start, explored.target);
    ASSERT_TRUE(solution.has_value());
    EXPECT_EQ(static_cast<int>(solution->size()), explored.solvedDistance);
    Board board = explored.start;
    for (const testsupport::PlannedMove& move : *solution) {
        ASSERT_FALSE(IsSolved(board, explored.target));
        const MoveTable table = BuildMoveTable(board);
        const float X = (move.drop.x - move.piece.x) * kCellTwips + 375.0f;
        const float Y = (move.drop.y - move.piece.y) * kCellTwips + 375.0f;
        const DragPlace place =
            WorkOutDrop(move.piece, X, Y, table.Flags(move.piece.x, move.piece.y));
        ASSERT_NE(place.steps, 0) << Describe(board);
        ASSERT_EQ(place.drop, move.drop) << Describe(board);
        MovePiece(board, move.piece, move.drop);
    }
    EXPECT_TRUE(IsSolved(board, explored.target)) << Describe(board);
    RecordProperty("moves", explored.solvedDistance);
}

INSTANTIATE_TEST_SUITE_P(AllGames, ReachableTest, ::testing::ValuesIn(AllGames()),
                         [](const ::testing::TestParamInfo<Game>& info) {
                             return "Game" + std::to_string(info.param.number) +
                                    (info.param.reversed ? "Reversed" : "");
                         });

TEST(SolverTest, ASolvedStartNeedsNoMoveAndAnUnreachableGoalHasNoSolution) {
    const GameLayout& classic = GetGameLayout(ClassicGame);
    const auto none = testsupport::FindSolution(classic.start, classic.start);
    ASSERT_TRUE(none.has_value());
    EXPECT_TRUE(none->empty());
    // Game 4's goal has three lying pieces; the classic set has one.
    EXPECT_FALSE(testsupport::FindSolution(classic.start, GetGameLayout(4).goal).has_value());
}

// Boards with any number of empty cells: the table offers exactly what fits, never reads off
// the board (the sanitizer build checks the reads), and keeps its structure.
TEST(MoveTablePropertyTest, TableMatchesTheGeometryOnBoardsWithAnyNumberOfEmpties) {
    std::vector<Board> boards;
    // Every piece alone at every place it fits.
    for (const Shape& shape : kShapes) {
        for (int x = 1; x <= kColumns; ++x) {
            for (int y = 1; y <= kRows; ++y) {
                Board board;
                board(x, y) = shape.anchor;
                if (!FitsAt(board, shape, {x, y}, {0, 0})) {
                    continue;
                }
                for (int i = 0; i < shape.count; ++i) {
                    board(x + shape.cell[i].x, y + shape.cell[i].y) = shape.code[i];
                }
                boards.push_back(board);
            }
        }
    }
    // Random fillings, from nearly empty to full.
    std::mt19937 random(20240611);
    for (int n = 0; n < 5000; ++n) {
        Board board;
        const int tries = 1 + static_cast<int>(random() % 40);
        for (int t = 0; t < tries; ++t) {
            const Shape& shape = kShapes[random() % 4];
            const CellPlace at{1 + static_cast<int>(random() % kColumns),
                               1 + static_cast<int>(random() % kRows)};
            bool free = true;
            for (int i = 0; i < shape.count; ++i) {
                const int x = at.x + shape.cell[i].x;
                const int y = at.y + shape.cell[i].y;
                free = free && OnBoard(x, y) && board(x, y) == CellEmpty;
            }
            if (free) {
                for (int i = 0; i < shape.count; ++i) {
                    board(at.x + shape.cell[i].x, at.y + shape.cell[i].y) = shape.code[i];
                }
            }
        }
        boards.push_back(board);
    }
    for (const Board& board : boards) {
        ASSERT_TRUE(WholePieces(board).has_value());
        ASSERT_EQ(BuildMoveTable(board), GeometricMoves(board, false)) << Describe(board);
    }
}

}  // namespace
