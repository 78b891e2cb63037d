#pragma once

#include <cstddef>
#include <cstdint>

#include "game/Board.h"
#include "game/Drag.h"
#include "game/Moves.h"

namespace testsupport {

// Boards as keys of the searches over positions.
struct BoardHash {
    std::size_t operator()(const game::Board& board) const {
        std::uint64_t h = 14695981039346656037ull;
        for (const game::Cell c : board.cells) {
            h = (h ^ c) * 1099511628211ull;
        }
        return static_cast<std::size_t>(h);
    }
};

// The step of a kind as an offset: kinds 1..4, and 5..8 by their second step.
constexpr game::CellPlace StepOf(int kind) {
    constexpr game::CellPlace kSteps[] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
    return kSteps[(kind - game::MoveUp) % 4];
}

}  // namespace testsupport
