#pragma once

#include "game/Board.h"

namespace game {

inline constexpr int kGameCount = 9;
inline constexpr int ClassicGame = 0;

// The start position and the goal of one built-in game.
struct GameLayout {
    Board start;
    Board goal;
};

// Game 0 is the classic game; 1 to kGameCount - 1 the others. number must be below kGameCount.
const GameLayout& GetGameLayout(int number);

// Reversed mode: the game starts from its goal and must reach its start.
void SwapStartAndGoal(Board& board, Board& target);

}  // namespace game
