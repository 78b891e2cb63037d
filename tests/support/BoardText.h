#pragma once

#include <gtest/gtest.h>

#include <string>

#include "game/Board.h"
#include "game/Moves.h"

namespace testsupport {

// A board written as five rows from the top; a malformed text fails the test.
inline game::Board Rows(std::string_view text) {
    const auto board = game::BoardFromRows(text);
    EXPECT_TRUE(board.has_value()) << text;
    return board.value_or(game::Board{});
}

// The kinds of a cell's flags by name, "Up|ThenLeft", or "none".
inline std::string KindNames(game::MoveFlags flags) {
    static const char* const kNames[] = {"Up",     "Down",     "Left",     "Right",
                                         "ThenUp", "ThenDown", "ThenLeft", "ThenRight"};
    std::string text;
    for (int kind = game::MoveUp; kind <= game::MoveThenRight; ++kind) {
        if (game::HasKind(flags, kind)) {
            text += text.empty() ? "" : "|";
            text += kNames[kind - 1];
        }
    }
    return text.empty() ? "none" : text;
}

}  // namespace testsupport
