#include "game/Board.h"

namespace game {

std::string BoardToRows(const Board& board) {
    std::string text;
    for (int y = 1; y <= kRows; ++y) {
        if (y > 1) {
            text += " / ";
        }
        for (int x = 1; x <= kColumns; ++x) {
            if (x > 1) {
                text += ' ';
            }
            text += std::to_string(board(x, y));
        }
    }
    return text;
}

}  // namespace game
