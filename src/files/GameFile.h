#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "game/Board.h"
#include "game/History.h"
#include "platform/Random.h"
#include "platform/TextFile.h"

namespace files {

// A game file ("tvx"): three plain header lines, then one number a line, each written as its
// decimal text in PairSumEncoding. Lines are one byte per character, without their line end.

// Draws the next number, 0 <= r < 1.
using RandomFn = std::function<float()>;

// The next line of the file; throws platform::RuntimeError(ErrInputPastEndOfFile) when none
// is left.
using LineSource = std::function<QByteArray()>;

// The highest HistoryLast: entry kLastEntry is only ever held during a Record.
inline constexpr int kMaxHistoryLast = game::History::kLastEntry - 1;

// What a game file holds.
struct GameFileData {
    std::uint8_t GameNumber = 0;  // below game::kGameCount
    bool StripWanted = false;     // the check mark of Menu13
    bool Reversed = false;        // ReversedMode
    game::Board Board;
    int HistoryIndex = 0;  // 0 <= HistoryIndex <= HistoryLast <= 999
    int HistoryLast = 0;
    std::vector<game::Board> Entries;  // entries 0..HistoryLast

    friend bool operator==(const GameFileData&, const GameFileData&) = default;
};

// The data of the game in play, with entries 0..history.Last().
GameFileData GameFileDataOf(std::uint8_t gameNumber, bool stripWanted, bool reversed,
                            const game::Board& board, const game::History& history);

// Each character c becomes two whose codes add up to c, the first drawn at random; for the
// digits no code is 8, 9, 10 or 13 (below code 14 a pair keeps its drawn codes). One draw
// per character.
QByteArray EncodeText(const QByteArray& plain, const RandomFn& draw = platform::Rnd);

// The sums of the pairs of line. On a pair over 255 or a pair without its second character it
// sets DecodeFailed and returns what it decoded before. The pair counter is a 16-bit signed
// integer that overflows after pair 32,767: a line of 65,534 characters or more sets
// DecodeFailed too and gives at most its first 32,767 pairs. It never clears DecodeFailed.
QByteArray DecodeText(QByteArrayView line, bool& DecodeFailed);
// The same into plain, whose content it replaces and whose storage it reuses.
void DecodeText(QByteArrayView line, bool& DecodeFailed, QByteArray& plain);

// The leading decimal number of text (blanks, sign, digits, fraction; the rest ignored; 0 when
// there is none), rounded half to even. Throws platform::RuntimeError(ErrOverflow) when it does
// not fit the result.
std::uint8_t ReadCellCode(QByteArrayView text);
std::int16_t ReadInteger(QByteArrayView text);

// One big piece, four small ones and five two-cell pieces, each anchor with its partners, no
// code outside the pieces' own, and DecodeFailed clear.
bool PassesBoardCheck(const game::Board& board, bool DecodeFailed);

// The lines of the file for data, line 1 first: 28 + 20 * (HistoryLast + 1) of them. Throws
// std::invalid_argument unless 0 <= HistoryIndex <= HistoryLast <= 999 and Entries holds
// HistoryLast + 1 boards.
std::vector<QByteArray> GameFileLines(const GameFileData& data, const QString& VersionText,
                                      const RandomFn& draw = platform::Rnd);

// The rule that refused a file.
enum class GameFileRefusal {
    None,
    FileMark,      // line 1
    ProgramMark,   // line 2
    Version,       // line 3
    GameNumber,    // line 4
    StripWanted,   // line 5
    Reversed,      // line 6
    Board,         // the check of lines 7..26
    HistoryIndex,  // line 27
    HistoryLast,   // line 28
    HistoryEntry,  // the check of an entry
    DecodeFailed,  // after the last line
};

struct GameFileReading {
    std::optional<GameFileData> Data;  // the accepted file
    GameFileRefusal Refusal = GameFileRefusal::None;
    int RefusedEntry = -1;  // the entry whose check refused the file
};

// Reads a game file line by line, checking each rule in file order; it stops at the first
// rule that fails and reads nothing after the last line it needs. A source that runs out
// first, and a number that does not fit its field, throw platform::RuntimeError.
GameFileReading ReadGameFile(const LineSource& nextLine);
// The same from a stream opened for reading, without a copy of its lines.
GameFileReading ReadGameFile(platform::TextStream& file);

}  // namespace files
