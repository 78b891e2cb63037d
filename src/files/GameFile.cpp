#include "files/GameFile.h"

#include <algorithm>
#include <array>
#include <stdexcept>

#include "game/GameLayouts.h"
#include "game/Pieces.h"
#include "platform/RuntimeError.h"

namespace files {

namespace {

constexpr QByteArrayView kFileMark = "Kivuno";
constexpr QByteArrayView kProgramMark = "Tarvex";

// Codes an encoded digit must never hold: backspace, tab, line feed, carriage return.
bool IsControlCode(int code) {
    return code == 8 || code == 9 || code == 10 || code == 13;
}

bool IsDigit(char ch) {
    return ch >= '0' && ch <= '9';
}

// Beyond every field's range, so that it overflows whatever reads it.
constexpr long long kTooLarge = 1'000'000;

// The leading number of text rounded half to even; kTooLarge in size when it has more digits
// than any field holds.
long long LeadingWholeNumber(QByteArrayView text) {
    const qsizetype length = text.size();
    qsizetype i = 0;
    while (i < length && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < length && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long whole = 0;
    while (i < length && IsDigit(text[i])) {
        whole = std::min(whole * 10 + (text[i] - '0'), kTooLarge);
        ++i;
    }
    // The fraction decides the rounding exactly: above a half up, a half alone to even.
    if (i < length && text[i] == '.') {
        ++i;
        if (i < length && IsDigit(text[i])) {
            const char first = text[i++];
            bool beyondHalf = false;
            while (i < length && IsDigit(text[i])) {
                beyondHalf = beyondHalf || text[i] != '0';
                ++i;
            }
            if (first > '5' || (first == '5' && (beyondHalf || whole % 2 == 1))) {
                whole = std::min(whole + 1, kTooLarge);
            }
        }
    }
    return negative ? -whole : whole;
}

[[noreturn]] void ThrowOverflow() {
    throw platform::RuntimeError(platform::ErrOverflow);
}

void AppendEncoded(std::vector<QByteArray>& lines, long long value, const RandomFn& draw) {
    lines.push_back(EncodeText(QByteArray::number(value), draw));
}

void AppendBoard(std::vector<QByteArray>& lines, const game::Board& board, const RandomFn& draw) {
    for (int x = 1; x <= game::kColumns; ++x) {
        for (int y = 1; y <= game::kRows; ++y) {
            AppendEncoded(lines, board(x, y), draw);
        }
    }
}

GameFileReading Refused(GameFileRefusal refusal, int entry = -1) {
    GameFileReading reading;
    reading.Refusal = refusal;
    reading.RefusedEntry = entry;
    return reading;
}

}  // namespace

GameFileData GameFileDataOf(std::uint8_t gameNumber, bool stripWanted, bool reversed,
                            const game::Board& board, const game::History& history) {
    GameFileData data;
    data.GameNumber = gameNumber;
    data.StripWanted = stripWanted;
    data.Reversed = reversed;
    data.Board = board;
    data.HistoryIndex = history.Index();
    data.HistoryLast = history.Last();
    for (int k = 0; k <= history.Last(); ++k) {
        data.Entries.push_back(history.Entry(k));
    }
    return data;
}

QByteArray EncodeText(const QByteArray& plain, const RandomFn& draw) {
    QByteArray encoded;
    encoded.reserve(plain.size() * 2);
    for (const char ch : plain) {
        const int c = static_cast<unsigned char>(ch);
        const float r = draw();
        int a = c;  // 0 and 1 become (0, 0) and (1, 0)
        if (c >= 2) {
            const double share = r >= 0.0f ? std::min(static_cast<double>(r), 1.0) : 0.0;
            a = std::min(1 + static_cast<int>(share * (c - 1)), c - 1);
        }
        int b = c - a;
        // Below 14 the replacement pair would need a negative code; such codes are never digits.
        if (c >= 14 && IsControlCode(a)) {
            a = 14;
            b = c - 14;
        }
        if (c >= 14 && IsControlCode(b)) {
            a = 14;
            b = c - 14;
        }
        encoded.append(static_cast<char>(a));
        encoded.append(static_cast<char>(b));
    }
    return encoded;
}

void DecodeText(QByteArrayView line, bool& DecodeFailed, QByteArray& plain) {
    // The pair counter overflows on stepping past this pair, which a line of 65,534 characters
    // or more reaches.
    constexpr qsizetype kLastPair = 32767;
    const qsizetype length = line.size();
    // Half the length, a half to the even neighbour: 4m + 1 gives 2m, 4m + 3 gives 2m + 2.
    const qsizetype pairs = length / 2 + (length % 4 == 3 ? 1 : 0);
    const qsizetype decoded = std::min(pairs, kLastPair);
    plain.resize(decoded);
    char* out = plain.data();
    for (qsizetype i = 0; i < decoded; ++i) {
        if (2 * i + 1 >= length) {
            DecodeFailed = true;
            plain.resize(i);
            return;
        }
        const int sum =
            static_cast<unsigned char>(line[2 * i]) + static_cast<unsigned char>(line[2 * i + 1]);
        if (sum > 255) {
            DecodeFailed = true;
            plain.resize(i);
            return;
        }
        out[i] = static_cast<char>(sum);
    }
    if (pairs >= kLastPair) {
        DecodeFailed = true;
    }
}

QByteArray DecodeText(QByteArrayView line, bool& DecodeFailed) {
    QByteArray plain;
    DecodeText(line, DecodeFailed, plain);
    return plain;
}

std::uint8_t ReadCellCode(QByteArrayView text) {
    const long long value = LeadingWholeNumber(text);
    if (value < 0 || value > 255) {
        ThrowOverflow();
    }
    return static_cast<std::uint8_t>(value);
}

std::int16_t ReadInteger(QByteArrayView text) {
    const long long value = LeadingWholeNumber(text);
    if (value < -32768 || value > 32767) {
        ThrowOverflow();
    }
    return static_cast<std::int16_t>(value);
}

bool PassesBoardCheck(const game::Board& board, bool DecodeFailed) {
    using namespace game;
    std::array<int, kPieces.size()> counts{};
    for (int x = 1; x <= kColumns; ++x) {
        for (int y = 1; y <= kRows; ++y) {
            const Cell code = board(x, y);
            if (const int index = PieceIndexOf(code); index >= 0) {
                const Piece& piece = kPieces[index];
                ++counts[index];
                // The edge test comes first, so that no partner is looked for off the board.
                if (!PieceFits(piece, x, y)) {
                    return false;
                }
                for (int i = 1; i < piece.count; ++i) {
                    const PieceCell& cell = piece.cells[i];
                    if (board(x + cell.dx, y + cell.dy) != cell.code) {
                        return false;
                    }
                }
            } else if (code != CellEmpty && FindPieceCell(code).piece < 0) {
                return false;
            }
        }
    }
    auto count = [&counts](Cell anchor) { return counts[PieceIndexOf(anchor)]; };
    return count(CellBig) == 1 && count(CellSmall) == 4 && count(CellHor) + count(CellVer) == 5 &&
           !DecodeFailed;
}

std::vector<QByteArray> GameFileLines(const GameFileData& data, const QString& VersionText,
                                      const RandomFn& draw) {
    if (data.HistoryIndex < 0 || data.HistoryIndex > data.HistoryLast ||
        data.HistoryLast > kMaxHistoryLast ||
        data.Entries.size() != static_cast<std::size_t>(data.HistoryLast) + 1) {
        throw std::invalid_argument("GameFileLines: history out of range");
    }
    std::vector<QByteArray> lines;
    lines.reserve(28 + 20 * data.Entries.size());
    lines.push_back(kFileMark.toByteArray());
    lines.push_back(kProgramMark.toByteArray());
    lines.push_back("v" + VersionText.toLatin1());
    AppendEncoded(lines, data.GameNumber, draw);
    AppendEncoded(lines, data.StripWanted ? 1 : 0, draw);
    AppendEncoded(lines, data.Reversed ? 1 : 0, draw);
    AppendBoard(lines, data.Board, draw);
    AppendEncoded(lines, data.HistoryIndex, draw);
    AppendEncoded(lines, data.HistoryLast, draw);
    for (const game::Board& entry : data.Entries) {
        AppendBoard(lines, entry, draw);
    }
    return lines;
}

namespace {

// nextLine() gives the next line as a view valid until its next call.
template <typename NextLine>
GameFileReading ReadLines(NextLine& nextLine) {
    if (nextLine() != kFileMark) {
        return Refused(GameFileRefusal::FileMark);
    }
    if (nextLine() != kProgramMark) {
        return Refused(GameFileRefusal::ProgramMark);
    }
    if (!nextLine().startsWith('v')) {
        return Refused(GameFileRefusal::Version);
    }

    bool decodeFailed = false;
    QByteArray plain;
    auto decodeNext = [&]() -> const QByteArray& {
        DecodeText(nextLine(), decodeFailed, plain);
        return plain;
    };
    auto readBoard = [&](game::Board& board) {
        for (int x = 1; x <= game::kColumns; ++x) {
            for (int y = 1; y <= game::kRows; ++y) {
                board(x, y) = ReadCellCode(decodeNext());
            }
        }
    };

    GameFileData data;
    const QByteArray& gameNumber = decodeNext();
    static_assert(game::kGameCount <= 10, "a game number is one digit");
    if (gameNumber.size() != 1 || gameNumber[0] < '0' || gameNumber[0] >= '0' + game::kGameCount) {
        return Refused(GameFileRefusal::GameNumber);
    }
    data.GameNumber = ReadCellCode(gameNumber);
    const QByteArray& stripWanted = decodeNext();
    if (stripWanted != "0" && stripWanted != "1") {
        return Refused(GameFileRefusal::StripWanted);
    }
    data.StripWanted = stripWanted == "1";
    const QByteArray& reversed = decodeNext();
    if (reversed != "0" && reversed != "1") {
        return Refused(GameFileRefusal::Reversed);
    }
    data.Reversed = reversed == "1";

    readBoard(data.Board);
    if (!PassesBoardCheck(data.Board, decodeFailed)) {
        return Refused(GameFileRefusal::Board);
    }

    data.HistoryIndex = ReadInteger(decodeNext());
    if (data.HistoryIndex > kMaxHistoryLast || data.HistoryIndex < 0) {
        return Refused(GameFileRefusal::HistoryIndex);
    }
    data.HistoryLast = ReadInteger(decodeNext());
    if (data.HistoryLast > kMaxHistoryLast || data.HistoryLast < data.HistoryIndex) {
        return Refused(GameFileRefusal::HistoryLast);
    }

    data.Entries.resize(data.HistoryLast + 1);
    for (int k = 0; k <= data.HistoryLast; ++k) {
        readBoard(data.Entries[k]);
        if (!PassesBoardCheck(data.Entries[k], decodeFailed)) {
            return Refused(GameFileRefusal::HistoryEntry, k);
        }
    }
    if (decodeFailed) {
        return Refused(GameFileRefusal::DecodeFailed);
    }

    GameFileReading reading;
    reading.Data = std::move(data);
    return reading;
}

}  // namespace

GameFileReading ReadGameFile(const LineSource& nextLine) {
    QByteArray line;
    auto next = [&]() -> QByteArrayView {
        line = nextLine();
        return line;
    };
    return ReadLines(next);
}

GameFileReading ReadGameFile(platform::TextStream& file) {
    auto next = [&file] { return file.ReadLineView(); };
    return ReadLines(next);
}

}  // namespace files
