#include "game/History.h"

#include <algorithm>

namespace game {

void History::Reset(const Board& start) {
    entries_[0] = start;
    index_ = 0;
    last_ = 0;
}

bool History::Record(const Board& board) {
    if (board == entries_[index_]) {
        return false;
    }
    ++index_;
    last_ = index_;
    entries_[index_] = board;
    if (index_ == kLastEntry) {
        std::copy(entries_.begin() + 1, entries_.end(), entries_.begin());
        index_ = kLastEntry - 1;
        last_ = index_;
    }
    return true;
}

bool History::Load(int index, int last, std::span<const Board> entries) {
    if (index < 0 || index > last || last > kLastEntry - 1 ||
        entries.size() < static_cast<std::size_t>(last) + 1) {
        return false;
    }
    std::copy(entries.begin(), entries.begin() + last + 1, entries_.begin());
    index_ = static_cast<std::int16_t>(index);
    last_ = static_cast<std::int16_t>(last);
    return true;
}

// Out of range, both leave the entry on show where it is.
const Board& History::Undo() {
    if (CanUndo()) {
        --index_;
    }
    return entries_[index_];
}

const Board& History::Redo() {
    if (CanRedo()) {
        ++index_;
    }
    return entries_[index_];
}

}  // namespace game
