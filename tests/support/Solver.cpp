#include "support/Solver.h"

#include <deque>
#include <stdexcept>
#include <string>
#include <unordered_map>

#include "game/Moves.h"
#include "support/BoardSearch.h"

namespace testsupport {
namespace {

using game::Board;
using game::CellPlace;

// The piece anchored at piece fits at to: on the board, every cell empty or its own.
bool LandsOnFreeCells(const Board& board, CellPlace piece, CellPlace to) {
    const game::PieceCells cells = game::CellsOfPiece(board, piece.x, piece.y);
    for (int i = 0; i < cells.count; ++i) {
        const int x = cells.x[i] - piece.x + to.x;
        const int y = cells.y[i] - piece.y + to.y;
        if (x < 1 || x > game::kColumns || y < 1 || y > game::kRows) {
            return false;
        }
        if (board(x, y) != game::CellEmpty && game::AnchorOf(board, x, y) != piece) {
            return false;
        }
    }
    return true;
}

[[noreturn]] void Fail(const Board& board, CellPlace piece, const std::string& what) {
    throw std::logic_error("solver: " + what + " for the piece at (" + std::to_string(piece.x) +
                           ", " + std::to_string(piece.y) + ") on " + game::BoardToRows(board));
}

// The moves the table offers on board, each checked to be the place a drag from the anchor's
// centre to the drop's centre shows.
template <typename Visit>
void ForEachOfferedMove(const Board& board, Visit visit) {
    const game::MoveTable table = game::BuildMoveTable(board);
    for (int x = 1; x <= game::kColumns; ++x) {
        for (int y = 1; y <= game::kRows; ++y) {
            const game::Cell code = board(x, y);
            if (code != game::CellBig && code != game::CellHor && code != game::CellVer &&
                code != game::CellSmall) {
                continue;
            }
            const CellPlace piece{x, y};
            const game::MoveFlags flags = table.Flags(x, y);
            for (int kind = game::MoveUp; kind <= game::MoveThenRight; ++kind) {
                if (!game::HasKind(flags, kind)) {
                    continue;
                }
                const CellPlace second = StepOf(kind);
                CellPlace drop{x + second.x, y + second.y};
                if (kind > game::MoveRight) {
                    int paths = 0;
                    for (int first = game::MoveUp; first <= game::MoveRight; ++first) {
                        const CellPlace step = StepOf(first);
                        const CellPlace end{x + step.x + second.x, y + step.y + second.y};
                        if (game::HasKind(flags, first) && end != piece &&
                            LandsOnFreeCells(board, piece, end)) {
                            drop = end;
                            ++paths;
                        }
                    }
                    if (paths != 1) {
                        Fail(board, piece,
                             std::to_string(paths) + " paths for kind " + std::to_string(kind));
                    }
                }
                const float X = (drop.x - x) * game::kCellTwips + 375.0f;
                const float Y = (drop.y - y) * game::kCellTwips + 375.0f;
                if (game::WorkOutDrop(piece, X, Y, flags).drop != drop) {
                    Fail(board, piece,
                         "no drag shows (" + std::to_string(drop.x) + ", " +
                             std::to_string(drop.y) + ")");
                }
                visit(PlannedMove{piece, drop});
            }
        }
    }
}

}  // namespace

std::optional<std::vector<PlannedMove>> FindSolution(const game::Board& start,
                                                     const game::Board& goal) {
    struct Node {
        Board board;
        int parent;
        PlannedMove move;
    };
    std::vector<Node> nodes{{start, -1, {}}};
    std::unordered_map<Board, int, BoardHash> seen{{start, 0}};
    std::deque<int> queue{0};
    while (!queue.empty()) {
        const int at = queue.front();
        queue.pop_front();
        if (game::IsSolved(nodes[at].board, goal)) {
            std::vector<PlannedMove> moves;
            for (int n = at; nodes[n].parent >= 0; n = nodes[n].parent) {
                moves.insert(moves.begin(), nodes[n].move);
            }
            return moves;
        }
        const Board board = nodes[at].board;
        ForEachOfferedMove(board, [&](const PlannedMove& move) {
            Board next = board;
            game::MovePiece(next, move.piece, move.drop);
            if (seen.emplace(next, static_cast<int>(nodes.size())).second) {
                nodes.push_back({next, at, move});
                queue.push_back(static_cast<int>(nodes.size()) - 1);
            }
        });
    }
    return std::nullopt;
}

}  // namespace testsupport
