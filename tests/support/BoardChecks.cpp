#include "support/BoardChecks.h"

#include <array>

#include "game/Drag.h"

namespace testsupport {
namespace {

struct Shape {
    game::Cell anchor;
    int width;
    int height;
    std::array<game::Cell, 4> codes;  // anchor, right, below, below-right as present
};

constexpr std::array<Shape, 4> kShapes = {{
    {game::CellBig, 2, 2, {10, 11, 12, 13}},
    {game::CellHor, 2, 1, {20, 21, 0, 0}},
    {game::CellVer, 1, 2, {30, 31, 0, 0}},
    {game::CellSmall, 1, 1, {40, 0, 0, 0}},
}};

const Shape* ShapeOf(game::Cell code) {
    for (const Shape& shape : kShapes) {
        if (shape.anchor == code) {
            return &shape;
        }
    }
    return nullptr;
}

constexpr int kDx[5] = {0, 0, 0, -1, 1};  // by one-cell kind 1..4
constexpr int kDy[5] = {0, -1, 1, 0, 0};

}  // namespace

std::optional<PieceCount> WholePieces(const game::Board& board) {
    PieceCount count;
    game::Board rebuilt;
    for (int x = 1; x <= game::kColumns; ++x) {
        for (int y = 1; y <= game::kRows; ++y) {
            const game::Cell code = board(x, y);
            count.empty += code == game::CellEmpty;
            const Shape* shape = ShapeOf(code);
            if (shape == nullptr) {
                continue;
            }
            count.big += code == game::CellBig;
            count.lying += code == game::CellHor;
            count.standing += code == game::CellVer;
            count.small += code == game::CellSmall;
            for (int dy = 0; dy < shape->height; ++dy) {
                for (int dx = 0; dx < shape->width; ++dx) {
                    const int cx = x + dx;
                    const int cy = y + dy;
                    if (cx > game::kColumns || cy > game::kRows ||
                        rebuilt(cx, cy) != game::CellEmpty) {
                        return std::nullopt;
                    }
                    rebuilt(cx, cy) = shape->codes[dy * shape->width + dx];
                }
            }
        }
    }
    if (rebuilt != board) {
        return std::nullopt;
    }
    return count;
}

std::string WholePiecesProblem(const game::Board& board) {
    const std::optional<PieceCount> count = WholePieces(board);
    if (!count) {
        return "not whole pieces";
    }
    if (count->big != 1 || count->lying + count->standing != 5 || count->small != 4 ||
        count->empty != 2) {
        return "wrong piece counts";
    }
    return {};
}

bool AtMostOneLegalMove(const game::Board& before, const game::Board& after) {
    if (before == after) {
        return true;
    }
    const game::MoveTable table = game::BuildMoveTable(before);
    for (int x = 1; x <= game::kColumns; ++x) {
        for (int y = 1; y <= game::kRows; ++y) {
            if (ShapeOf(before(x, y)) == nullptr) {
                continue;
            }
            const game::MoveFlags flags = table.Flags(x, y);
            for (int first = game::MoveUp; first <= game::MoveRight; ++first) {
                if (!game::HasKind(flags, first)) {
                    continue;
                }
                game::Board one = before;
                game::MovePiece(one, {x, y}, {x + kDx[first], y + kDy[first]});
                if (one == after) {
                    return true;
                }
                for (int second = game::MoveUp; second <= game::MoveRight; ++second) {
                    if (!game::HasKind(flags, second + 4)) {
                        continue;
                    }
                    const int tx = x + kDx[first] + kDx[second];
                    const int ty = y + kDy[first] + kDy[second];
                    if (tx == x && ty == y) {
                        continue;
                    }
                    game::Board two = before;
                    game::MovePiece(two, {x, y}, {tx, ty});
                    if (two == after && WholePiecesProblem(two).empty()) {
                        return true;
                    }
                }
            }
        }
    }
    return false;
}

}  // namespace testsupport
