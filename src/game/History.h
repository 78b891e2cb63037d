#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "game/Board.h"

namespace game {

// The boards of a game, entries 0 to 1000: 0 is the oldest kept, Index() the one on show and
// Last() the last that redo reaches. Between calls 0 <= Index() <= Last() <= 999.
class History {
  public:
    static constexpr int kLastEntry = 1000;

    // A fresh game: one entry, the start position.
    void Reset(const Board& start);

    // Stores board as the next entry unless it equals the entry on show; the entries redo
    // could have reached are given up. At entry 1000 every entry moves down by one, dropping
    // the oldest, so that Index() and Last() become 999. Returns whether an entry was made.
    bool Record(const Board& board);

    // A history read from a game file: entries 0..last from entries, index on show; the
    // entries above last keep what they held. Changes nothing and returns false unless
    // 0 <= index <= last <= 999 and entries holds at least last + 1 boards.
    bool Load(int index, int last, std::span<const Board> entries);

    // Index() - 1 (requires CanUndo()) and Index() + 1 (requires CanRedo()); each returns the
    // entry now on show.
    const Board& Undo();
    const Board& Redo();

    bool CanUndo() const { return index_ > 0; }
    bool CanRedo() const { return index_ < last_; }
    int Index() const { return index_; }
    int Last() const { return last_; }
    const Board& Entry(int entry) const { return entries_[entry]; }
    const Board& Current() const { return entries_[index_]; }

  private:
    std::array<Board, kLastEntry + 1> entries_{};
    std::int16_t index_ = 0;
    std::int16_t last_ = 0;
};

}  // namespace game
