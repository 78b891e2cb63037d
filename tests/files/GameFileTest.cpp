#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <initializer_list>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "files/GameFile.h"
#include "game/Board.h"
#include "game/GameLayouts.h"
#include "game/History.h"
#include "platform/RuntimeError.h"
#include "platform/TextFile.h"
#include "support/BoardText.h"
#include "support/ChildProcess.h"

namespace {

using namespace files;
using game::Board;

using testsupport::Rows;

QByteArray Bytes(std::initializer_list<int> codes) {
    QByteArray bytes;
    for (const int code : codes) {
        bytes.append(static_cast<char>(code));
    }
    return bytes;
}

std::vector<int> Codes(const QByteArray& bytes) {
    std::vector<int> codes;
    for (const char ch : bytes) {
        codes.push_back(static_cast<unsigned char>(ch));
    }
    return codes;
}

// Draws from a fixed sequence, which must not run out; counts what was taken.
struct ScriptedDraws {
    std::vector<float> values;
    std::size_t taken = 0;
    RandomFn Fn() {
        return [this] { return values.at(taken++); };
    }
};

RandomFn SeededDraws(unsigned seed) {
    auto generator = std::make_shared<std::mt19937>(seed);
    return [generator] { return std::uniform_real_distribution<float>(0.0f, 1.0f)(*generator); };
}

const Board kClassicStart =
    Rows("30 10 11 30 / 31 12 13 31 / 0 20 21 0 / 30 40 40 30 / 31 40 40 31");

// ---- Encoding ----

// The draw that makes the first code of digit c equal to a.
float DrawFor(int c, int a) {
    return (static_cast<float>(a - 1) + 0.5f) / static_cast<float>(c - 1);
}

TEST(EncodeText, ControlCodesInAPairAreReplacedByFourteenAndTheRest) {
    struct Case {
        char digit;
        int drawnA;
        int a;
        int b;
    };
    const Case cases[] = {
        {'5', 1, 1, 52},    // the lowest draw
        {'5', 52, 52, 1},   // the highest
        {'5', 20, 20, 33},  // ordinary
        {'9', 20, 20, 37},  // ordinary
        {'5', 8, 14, 39},   // a = 8
        {'5', 45, 14, 39},  // b = 8
        {'5', 9, 14, 39},   // a = 9
        {'5', 44, 14, 39},  // b = 9
        {'0', 10, 14, 34},  // a = 10
        {'0', 38, 14, 34},  // b = 10
        {'0', 13, 14, 34},  // a = 13
        {'0', 35, 14, 34},  // b = 13
        {'0', 14, 14, 34},  // a = 14 itself
        {'0', 34, 34, 14},  // b = 14 itself
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(std::string(1, test.digit) + " drawn " + std::to_string(test.drawnA));
        ScriptedDraws draws{{DrawFor(test.digit, test.drawnA)}};
        EXPECT_EQ(Codes(EncodeText(QByteArray(1, test.digit), draws.Fn())),
                  (std::vector<int>{test.a, test.b}));
    }
}

TEST(EncodeText, OneDrawPerCharacterInOrder) {
    ScriptedDraws draws{{0.0f, 0.5f}};
    EXPECT_EQ(Codes(EncodeText("12", draws.Fn())), (std::vector<int>{1, 48, 25, 25}));
    EXPECT_EQ(draws.taken, 2u);

    ScriptedDraws none;
    EXPECT_TRUE(EncodeText("", none.Fn()).isEmpty());
    EXPECT_EQ(none.taken, 0u);
}

// Every first code a digit can draw, and the program's own generator: each pair adds up to
// the digit, and no code is 8, 9, 10, 13 or outside 1..56.
TEST(EncodeText, DigitPairsAlwaysAddUpAndAvoidControlCodes) {
    auto checkPair = [](int c, int a, int b) {
        EXPECT_EQ(a + b, c);
        for (const int code : {a, b}) {
            EXPECT_GE(code, 1);
            EXPECT_LE(code, 56);
            EXPECT_TRUE(code != 8 && code != 9 && code != 10 && code != 13) << code;
        }
    };
    for (int c = '0'; c <= '9'; ++c) {
        for (int drawnA = 1; drawnA <= c - 1; ++drawnA) {
            SCOPED_TRACE(std::to_string(c) + " drawn " + std::to_string(drawnA));
            ScriptedDraws draws{{DrawFor(c, drawnA)}};
            const auto codes = Codes(EncodeText(QByteArray(1, static_cast<char>(c)), draws.Fn()));
            ASSERT_EQ(codes.size(), 2u);
            checkPair(c, codes[0], codes[1]);
        }
    }
    const QByteArray digits = "0123456789";
    for (int round = 0; round < 2000; ++round) {
        const auto codes = Codes(EncodeText(digits));
        ASSERT_EQ(codes.size(), 20u);
        for (int i = 0; i < 10; ++i) {
            checkPair(digits[i], codes[2 * i], codes[2 * i + 1]);
        }
    }
}

TEST(EncodeText, TenGivesPairSums49And48AndDecodesBackWhateverTheDraws) {
    for (int round = 0; round < 1000; ++round) {
        const QByteArray encoded = EncodeText("10");
        const auto codes = Codes(encoded);
        ASSERT_EQ(codes.size(), 4u);
        EXPECT_EQ(codes[0] + codes[1], 49);
        EXPECT_EQ(codes[2] + codes[3], 48);
        bool failed = false;
        EXPECT_EQ(DecodeText(encoded, failed), "10");
        EXPECT_FALSE(failed);
    }
}

// ---- Decoding ----

TEST(DecodeText, PairsByLength) {
    struct Case {
        const char* name;
        QByteArray line;
        QByteArray plain;
        bool failed;
    };
    const Case cases[] = {
        {"empty", {}, {}, false},
        {"one character", Bytes({53}), {}, false},
        {"one pair", Bytes({20, 33}), "5", false},
        {"three: the second pair lacks its second", Bytes({20, 33, 7}), "5", true},
        {"five: the fifth is ignored", Bytes({20, 33, 1, 48, 99}), "51", false},
        {"seven: the fourth pair lacks its second", Bytes({20, 33, 1, 48, 14, 34, 200}), "510",
         true},
        {"sum 255", Bytes({200, 55}), Bytes({255}), false},
        {"sum 256", Bytes({200, 56}), {}, true},
        {"sum 256 stops the decoding", Bytes({20, 33, 200, 56, 1, 48}), "5", true},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        bool failed = false;
        EXPECT_EQ(DecodeText(test.line, failed), test.plain);
        EXPECT_EQ(failed, test.failed);
    }
}

TEST(DecodeText, NeverClearsTheFlag) {
    bool failed = true;
    EXPECT_EQ(DecodeText(Bytes({20, 33}), failed), "5");
    EXPECT_TRUE(failed);
}

// The pair counter overflows after pair 32,767: from 65,534 characters on, a line fails and
// gives its first 32,767 pairs, or fewer when a pair over 255 comes first.
TEST(DecodeText, LinesOf65534CharactersOrMoreFailAfterTheirFirst32767Pairs) {
    struct Case {
        qsizetype length;
        qsizetype overfullPair;  // from 0; -1 for none
        qsizetype plain;
        bool failed;
    };
    const Case cases[] = {
        {65533, -1, 32766, false},   {65534, -1, 32767, true},    {65535, -1, 32767, true},
        {65536, -1, 32767, true},    {70001, -1, 32767, true},    {65534, 100, 100, true},
        {65534, 32766, 32766, true}, {70000, 32767, 32767, true},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(std::to_string(test.length) + " " + std::to_string(test.overfullPair));
        QByteArray line(test.length, '\x01');
        if (test.overfullPair >= 0) {
            line[2 * test.overfullPair] = '\xFF';
        }
        bool failed = false;
        EXPECT_EQ(DecodeText(line, failed), QByteArray(test.plain, '\x02'));
        EXPECT_EQ(failed, test.failed);
    }
}

TEST(DecodeText, IntoABufferReplacesWhatItHeld) {
    QByteArray plain(40000, 'x');
    bool failed = false;
    DecodeText(Bytes({20, 33, 1, 48}), failed, plain);
    EXPECT_EQ(plain, "51");
    DecodeText(Bytes({20, 33, 200, 56}), failed, plain);
    EXPECT_EQ(plain, "5");
    EXPECT_TRUE(failed);
    DecodeText({}, failed, plain);
    EXPECT_TRUE(plain.isEmpty());
}

// ---- Numbers ----

TEST(ReadNumber, LeadingNumberRoundedHalfToEven) {
    struct Case {
        const char* text;
        int value;
    };
    const Case cases[] = {
        {"", 0},      {"abc", 0},     {"-", 0},       {"7", 7},          {"  7", 7},
        {"\t7", 7},   {"+7", 7},      {"7x9", 7},     {"7 9", 7},        {"007", 7},
        {"0.5", 0},   {"1.5", 2},     {"2.5", 2},     {"2.51", 3},       {"2.49", 2},
        {".5", 0},    {"3.", 3},      {"-0.5", 0},    {"-0.4", 0},       {"12.5abc", 12},
        {"255", 255}, {"255.4", 255}, {"254.5", 254}, {"13.500000", 14}, {"12.500001", 13},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.text);
        EXPECT_EQ(ReadCellCode(test.text), test.value);
        EXPECT_EQ(ReadInteger(test.text), test.value);
    }
    EXPECT_EQ(ReadInteger("-1"), -1);
    EXPECT_EQ(ReadInteger("-32768"), -32768);
    EXPECT_EQ(ReadInteger("-32768.5"), -32768);
    EXPECT_EQ(ReadInteger("32767.4"), 32767);
}

TEST(ReadNumber, ANumberThatDoesNotFitIsAnOverflow) {
    auto expectOverflow = [](auto read, const char* text) {
        SCOPED_TRACE(text);
        try {
            read(QByteArray(text));
            ADD_FAILURE() << "no overflow";
        } catch (const platform::RuntimeError& error) {
            EXPECT_EQ(error.Number(), platform::ErrOverflow);
            EXPECT_EQ(error.Description(), platform::ErrorDescription(platform::ErrOverflow));
        }
    };
    for (const char* text : {"256", "255.5", "-1", "-0.6", "1000000000000000000000"}) {
        expectOverflow(ReadCellCode, text);
    }
    for (const char* text : {"32768", "32767.5", "-32769", "-32768.6", "99999999999999999999"}) {
        expectOverflow(ReadInteger, text);
    }
}

// ---- The board check ----

TEST(BoardCheck, EveryBuiltInPositionPasses) {
    for (int number = 0; number < game::kGameCount; ++number) {
        SCOPED_TRACE(number);
        EXPECT_TRUE(PassesBoardCheck(game::GetGameLayout(number).start, false));
        if (number != game::ClassicGame) {
            EXPECT_TRUE(PassesBoardCheck(game::GetGameLayout(number).goal, false));
        }
    }
}

TEST(BoardCheck, RefusesBrokenOrMiscountedBoards) {
    struct Case {
        const char* name;
        const char* rows;
        bool passes;
    };
    const Case cases[] = {
        // The partners of an anchor on the edge would lie in the next column's top cells;
        // the edge test refuses it before any partner is looked for.
        {"big anchor in row 5", "40 12 13 40 / 40 30 30 40 / 0 31 31 30 / 0 20 21 31 / 10 11 20 21",
         false},
        {"standing anchor in row 5",
         "40 31 10 11 / 40 40 12 13 / 40 20 21 0 / 0 20 21 30 / 30 20 21 31", false},
        {"big anchor in column 4", "30 30 40 10 / 31 31 40 0 / 20 21 40 0 / 20 21 40 0 / 20 21 0 0",
         false},
        {"lying anchor in column 4",
         "10 11 40 20 / 12 13 40 0 / 30 30 40 0 / 31 31 40 0 / 20 21 20 21", false},
        {"two big pieces", "10 11 10 11 / 12 13 12 13 / 40 40 40 40 / 20 21 20 21 / 20 21 0 0",
         false},
        {"three small pieces", "30 10 11 30 / 31 12 13 31 / 0 20 21 0 / 30 40 40 30 / 31 40 0 31",
         false},
        {"five small pieces", "30 10 11 30 / 31 12 13 31 / 40 20 21 0 / 30 40 40 30 / 31 40 40 31",
         false},
        {"six two-cell pieces",
         "30 10 11 30 / 31 12 13 31 / 20 21 20 21 / 30 40 40 30 / 31 40 40 31", false},
        {"four two-cell pieces", "30 10 11 30 / 31 12 13 31 / 0 0 0 0 / 30 40 40 30 / 31 40 40 31",
         false},
        {"code 50", "30 10 11 30 / 31 12 13 31 / 50 20 21 0 / 30 40 40 30 / 31 40 40 31", false},
        {"code 255", "30 10 11 30 / 31 12 13 31 / 0 20 21 255 / 30 40 40 30 / 31 40 40 31", false},
        {"big piece without its top right",
         "30 10 21 30 / 31 12 13 31 / 0 20 21 0 / 30 40 40 30 / 31 40 40 31", false},
        {"big piece without its bottom right",
         "30 10 11 30 / 31 12 12 31 / 0 20 21 0 / 30 40 40 30 / 31 40 40 31", false},
        {"lying piece without its right",
         "30 10 11 30 / 31 12 13 31 / 0 20 31 0 / 30 40 40 30 / 31 40 40 31", false},
        {"standing piece without its bottom",
         "30 10 11 30 / 0 12 13 31 / 0 20 21 0 / 30 40 40 30 / 31 40 40 31", false},
        {"lone 21 in a spare cell",
         "30 10 11 30 / 31 12 13 31 / 21 20 21 0 / 30 40 40 30 / 31 40 40 31", true},
        {"lone 13 and 31 in the spare cells",
         "30 10 11 30 / 31 12 13 31 / 13 20 21 31 / 30 40 40 30 / 31 40 40 31", true},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        EXPECT_EQ(PassesBoardCheck(Rows(test.rows), false), test.passes);
    }
}

TEST(BoardCheck, RefusesAGoodBoardOnceDecodingFailed) {
    EXPECT_FALSE(PassesBoardCheck(kClassicStart, true));
}

// ---- Writing and reading a file ----

class GameFileTest : public ::testing::Test {
  protected:
    // A game of number 3, reversed, strip wanted, just set up.
    static GameFileData FreshGame() {
        GameFileData data;
        data.GameNumber = 3;
        data.StripWanted = true;
        data.Reversed = true;
        data.Board = game::GetGameLayout(3).goal;
        data.Entries = {data.Board};
        return data;
    }

    void Write(const GameFileData& data) { lines = GameFileLines(data, "1.0", SeededDraws(7)); }

    // Replaces line number (from 1) by the encoding of plain.
    void SetEncoded(int number, const QByteArray& plain) {
        lines.at(number - 1) = EncodeText(plain, SeededDraws(number));
    }

    GameFileReading Read() {
        linesRead = 0;
        return ReadGameFile([this] {
            if (linesRead == static_cast<int>(lines.size())) {
                throw platform::RuntimeError(platform::ErrInputPastEndOfFile);
            }
            return lines[linesRead++];
        });
    }

    void ExpectRefused(GameFileRefusal refusal, int lastLineRead) {
        const GameFileReading reading = Read();
        EXPECT_FALSE(reading.Data.has_value());
        EXPECT_EQ(reading.Refusal, refusal);
        EXPECT_EQ(linesRead, lastLineRead) << "the reader goes on after the rule that failed";
    }

    void ExpectRuntimeError(int number) {
        try {
            Read();
            ADD_FAILURE() << "no run-time error";
        } catch (const platform::RuntimeError& error) {
            EXPECT_EQ(error.Number(), number);
        }
    }

    std::vector<QByteArray> lines;
    int linesRead = 0;
};

// Line of cell (x, y) of the board (entry -1) or of a history entry.
int LineOf(int x, int y, int entry = -1) {
    return (entry < 0 ? 7 : 29 + 20 * entry) + game::CellIndex(x, y);
}

QByteArray Decoded(const QByteArray& line) {
    bool failed = false;
    const QByteArray plain = DecodeText(line, failed);
    EXPECT_FALSE(failed);
    return plain;
}

TEST_F(GameFileTest, FreshGameIs48LinesInTheFileOrderAndReadsBack) {
    const GameFileData data = FreshGame();
    Write(data);
    ASSERT_EQ(lines.size(), 48u);
    EXPECT_EQ(lines[0], "Kivuno");
    EXPECT_EQ(lines[1], "Tarvex");
    EXPECT_EQ(lines[2], "v1.0");
    EXPECT_EQ(Decoded(lines[3]), "3");
    EXPECT_EQ(Decoded(lines[4]), "1");
    EXPECT_EQ(Decoded(lines[5]), "1");
    for (int x = 1; x <= game::kColumns; ++x) {
        for (int y = 1; y <= game::kRows; ++y) {
            const QByteArray cell = QByteArray::number(data.Board(x, y));
            EXPECT_EQ(Decoded(lines[LineOf(x, y) - 1]), cell) << x << "," << y;
            EXPECT_EQ(Decoded(lines[LineOf(x, y, 0) - 1]), cell) << x << "," << y;
        }
    }
    EXPECT_EQ(Decoded(lines[26]), "0");
    EXPECT_EQ(Decoded(lines[27]), "0");
    for (std::size_t i = 3; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].size(), 2 * Decoded(lines[i]).size()) << "line " << i + 1;
    }

    const GameFileReading reading = Read();
    ASSERT_TRUE(reading.Data.has_value());
    EXPECT_EQ(*reading.Data, data);
    EXPECT_EQ(linesRead, 48);
}

TEST_F(GameFileTest, GameWithHistoryRoundTripsThroughTheHistory) {
    auto history = std::make_unique<game::History>();
    history->Reset(game::GetGameLayout(0).start);
    for (int number = 1; number < game::kGameCount; ++number) {
        history->Record(game::GetGameLayout(number).start);
        history->Record(game::GetGameLayout(number).goal);
    }
    history->Undo();
    history->Undo();
    const GameFileData data = GameFileDataOf(5, false, false, history->Current(), *history);
    ASSERT_EQ(data.HistoryIndex, 14);
    ASSERT_EQ(data.HistoryLast, 16);
    Write(data);
    EXPECT_EQ(lines.size(), 28u + 20u * 17u);

    const GameFileReading reading = Read();
    ASSERT_TRUE(reading.Data.has_value());
    EXPECT_EQ(*reading.Data, data);

    auto loaded = std::make_unique<game::History>();
    loaded->Reset(kClassicStart);
    ASSERT_TRUE(
        loaded->Load(reading.Data->HistoryIndex, reading.Data->HistoryLast, reading.Data->Entries));
    EXPECT_EQ(loaded->Index(), 14);
    EXPECT_EQ(loaded->Last(), 16);
    for (int k = 0; k <= 16; ++k) {
        EXPECT_EQ(loaded->Entry(k), history->Entry(k)) << k;
    }
    EXPECT_TRUE(loaded->CanUndo());
    EXPECT_TRUE(loaded->CanRedo());
}

TEST(HistoryLoad, RefusesAnIndexOrLastOutOfRangeAndChangesNothing) {
    auto history = std::make_unique<game::History>();
    history->Reset(kClassicStart);
    const std::vector<Board> entries(1000, game::GetGameLayout(1).start);
    EXPECT_FALSE(history->Load(0, 1000, entries));
    EXPECT_FALSE(history->Load(-1, 3, entries));
    EXPECT_FALSE(history->Load(4, 3, entries));
    EXPECT_FALSE(history->Load(0, 3, std::span(entries).first(3)));
    EXPECT_EQ(history->Last(), 0);
    EXPECT_EQ(history->Current(), kClassicStart);
}

TEST_F(GameFileTest, FullHistoryOf1000EntriesIsAccepted) {
    GameFileData data = FreshGame();
    data.HistoryIndex = 999;
    data.HistoryLast = 999;
    data.Entries.clear();
    for (int k = 0; k <= 999; ++k) {
        data.Entries.push_back(game::GetGameLayout(k % game::kGameCount).start);
    }
    Write(data);
    ASSERT_EQ(lines.size(), 20028u);

    const GameFileReading reading = Read();
    ASSERT_TRUE(reading.Data.has_value());
    EXPECT_EQ(*reading.Data, data);
    EXPECT_EQ(linesRead, 20028);

    lines.pop_back();
    ExpectRuntimeError(platform::ErrInputPastEndOfFile);
}

TEST_F(GameFileTest, AFileThatEndsEarlyIsARuntimeErrorNotARefusal) {
    Write(FreshGame());
    const std::vector<QByteArray> whole = lines;
    for (const int kept : {0, 1, 2, 3, 6, 26, 27, 28, 47}) {
        SCOPED_TRACE(kept);
        lines.assign(whole.begin(), whole.begin() + kept);
        ExpectRuntimeError(platform::ErrInputPastEndOfFile);
    }
}

TEST_F(GameFileTest, LinesAfterTheLastEntryAreNeverRead) {
    Write(FreshGame());
    lines.push_back("Kivuno");
    lines.push_back(Bytes({200, 56}));
    lines.push_back("");
    const GameFileReading reading = Read();
    EXPECT_TRUE(reading.Data.has_value());
    EXPECT_EQ(linesRead, 48);
}

TEST_F(GameFileTest, HeaderLines) {
    struct Case {
        int line;
        QByteArray text;
        GameFileRefusal refusal;
    };
    const Case cases[] = {
        {1, "kivuno", GameFileRefusal::FileMark}, {1, "Kivuno ", GameFileRefusal::FileMark},
        {1, "", GameFileRefusal::FileMark},       {2, "TARVEX", GameFileRefusal::ProgramMark},
        {3, "V1.0", GameFileRefusal::Version},    {3, "", GameFileRefusal::Version},
        {3, " v1.0", GameFileRefusal::Version},   {3, "v", GameFileRefusal::None},
        {3, "v9.9 beta", GameFileRefusal::None},  {3, "vV", GameFileRefusal::None},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.text.toStdString());
        Write(FreshGame());
        lines[test.line - 1] = test.text;
        if (test.refusal == GameFileRefusal::None) {
            EXPECT_TRUE(Read().Data.has_value());
        } else {
            // Nothing after the refused line is needed: a file that ends there is refused too.
            lines.resize(test.line);
            ExpectRefused(test.refusal, test.line);
        }
    }
}

TEST_F(GameFileTest, GameNumberStripAndReversedLines) {
    struct Case {
        int line;
        QByteArray plain;
        GameFileRefusal refusal;
    };
    const Case cases[] = {
        {4, "9", GameFileRefusal::GameNumber},  {4, "08", GameFileRefusal::GameNumber},
        {4, "", GameFileRefusal::GameNumber},   {4, " 5", GameFileRefusal::GameNumber},
        {4, "-1", GameFileRefusal::GameNumber}, {5, "2", GameFileRefusal::StripWanted},
        {5, "", GameFileRefusal::StripWanted},  {5, "01", GameFileRefusal::StripWanted},
        {6, "2", GameFileRefusal::Reversed},    {6, "", GameFileRefusal::Reversed},
        {4, "0", GameFileRefusal::None},        {4, "8", GameFileRefusal::None},
        {5, "0", GameFileRefusal::None},        {6, "0", GameFileRefusal::None},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(std::to_string(test.line) + ": " + test.plain.toStdString());
        Write(FreshGame());
        SetEncoded(test.line, test.plain);
        if (test.refusal == GameFileRefusal::None) {
            const GameFileReading reading = Read();
            ASSERT_TRUE(reading.Data.has_value());
            const int value = test.plain.toInt();
            EXPECT_EQ(reading.Data->GameNumber, test.line == 4 ? value : 3);
            EXPECT_EQ(reading.Data->StripWanted, test.line == 5 ? value == 1 : true);
            EXPECT_EQ(reading.Data->Reversed, test.line == 6 ? value == 1 : true);
        } else {
            lines.resize(test.line);
            ExpectRefused(test.refusal, test.line);
        }
    }
}

TEST_F(GameFileTest, HistoryIndexAndLastBounds) {
    struct Case {
        QByteArray index;
        QByteArray last;
        GameFileRefusal refusal;
        int lastLineRead;
    };
    const Case cases[] = {
        {"1000", "1000", GameFileRefusal::HistoryIndex, 27},
        {"-1", "0", GameFileRefusal::HistoryIndex, 27},
        {"-32768", "0", GameFileRefusal::HistoryIndex, 27},
        {"32767", "0", GameFileRefusal::HistoryIndex, 27},
        {"5", "4", GameFileRefusal::HistoryLast, 28},
        {"0", "1000", GameFileRefusal::HistoryLast, 28},
        {"999", "998", GameFileRefusal::HistoryLast, 28},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.index.toStdString() + " " + test.last.toStdString());
        Write(FreshGame());
        SetEncoded(27, test.index);
        SetEncoded(28, test.last);
        lines.resize(28);
        ExpectRefused(test.refusal, test.lastLineRead);
    }
}

TEST_F(GameFileTest, ANumberTooLargeForItsFieldIsARuntimeError) {
    struct Case {
        int line;
        QByteArray plain;
    };
    const Case cases[] = {
        {LineOf(1, 1), "256"}, {LineOf(4, 5), "-1"},     {27, "32768"},
        {28, "40000"},         {LineOf(2, 3, 0), "300"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.line);
        Write(FreshGame());
        SetEncoded(test.line, test.plain);
        ExpectRuntimeError(platform::ErrOverflow);
    }
}

// A failed decoding goes on to its line's own rule and refuses the file at the next board
// check at the latest.
TEST_F(GameFileTest, OddLinesAndOverfullPairs) {
    const QByteArray empty = EncodeText("0");  // the game 3 goal has (1,3) and (1,4) empty
    const QByteArray one = EncodeText("1");
    struct Case {
        const char* name;
        int line;
        QByteArray raw;
        GameFileRefusal refusal;
        int refusedEntry;
    };
    const Case cases[] = {
        {"board cell of three characters", LineOf(1, 3), empty + Bytes({1}), GameFileRefusal::Board,
         -1},
        {"line 5 of three characters", 5, one + Bytes({1}), GameFileRefusal::Board, -1},
        {"line 4 of sum 256", 4, Bytes({200, 56}), GameFileRefusal::GameNumber, -1},
        {"board cell of sum 256", LineOf(1, 3), Bytes({200, 56}), GameFileRefusal::Board, -1},
        {"line 27 of seven characters", 27, empty + empty + empty + Bytes({1}),
         GameFileRefusal::HistoryEntry, 0},
        {"entry cell of sum 256", LineOf(1, 4, 0), Bytes({200, 56}), GameFileRefusal::HistoryEntry,
         0},
        {"empty board cell of one character", LineOf(1, 3), Bytes({48}), GameFileRefusal::None, -1},
        {"empty entry cell of five characters", LineOf(1, 4, 0), empty + empty + Bytes({99}),
         GameFileRefusal::None, -1},
        {"board cell of one character where a piece stands", LineOf(1, 1), Bytes({48}),
         GameFileRefusal::Board, -1},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const GameFileData data = FreshGame();
        ASSERT_EQ(data.Board(1, 3), 0);
        ASSERT_EQ(data.Board(1, 4), 0);
        Write(data);
        lines.at(test.line - 1) = test.raw;
        const GameFileReading reading = Read();
        EXPECT_EQ(reading.Refusal, test.refusal);
        EXPECT_EQ(reading.RefusedEntry, test.refusedEntry);
        if (test.refusal == GameFileRefusal::None) {
            ASSERT_TRUE(reading.Data.has_value());
            EXPECT_EQ(*reading.Data, data);
        } else {
            EXPECT_FALSE(reading.Data.has_value());
        }
    }
}

TEST_F(GameFileTest, TheBoardCheckRefusesTheBoardAndEachEntry) {
    const Board threeSmall =
        Rows("30 10 11 30 / 31 12 13 31 / 0 20 21 0 / 30 40 40 30 / 31 40 0 31");
    const Board rowFiveAnchor =
        Rows("40 12 13 40 / 40 30 30 40 / 0 31 31 30 / 0 20 21 31 / 10 11 20 21");

    GameFileData data = FreshGame();
    data.Board = rowFiveAnchor;
    Write(data);
    ExpectRefused(GameFileRefusal::Board, 26);

    data = FreshGame();
    data.HistoryIndex = 0;
    data.HistoryLast = 2;
    data.Entries = {kClassicStart, threeSmall, kClassicStart};
    Write(data);
    ExpectRefused(GameFileRefusal::HistoryEntry, 28 + 40);
    EXPECT_EQ(Read().RefusedEntry, 1);
}

TEST(GameFileLines, RefusesAHistoryThatTheFileCannotHold) {
    GameFileData data;
    data.Board = kClassicStart;
    data.Entries = {kClassicStart, kClassicStart};
    for (const auto& [index, last] : {std::pair{0, 0}, std::pair{2, 1}, std::pair{-1, 1}}) {
        data.HistoryIndex = index;
        data.HistoryLast = last;
        EXPECT_THROW(GameFileLines(data, "1.0"), std::invalid_argument) << index << "," << last;
    }
    data.Entries.assign(1001, kClassicStart);
    data.HistoryIndex = 0;
    data.HistoryLast = 1000;
    EXPECT_THROW(GameFileLines(data, "1.0"), std::invalid_argument);
}

// ---- Reading a file on disk ----

class GameFileOnDiskTest : public GameFileTest {
  protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }

    void Save(const QByteArray& lineEnd = "\r\n") {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        for (const QByteArray& line : lines) {
            ASSERT_EQ(file.write(line + lineEnd), line.size() + lineEnd.size());
        }
    }

    GameFileReading ReadFromDisk() const {
        const auto file = platform::FileSystemObject::OpenTextFile(path);
        const GameFileReading reading = ReadGameFile(*file);
        file->Close();
        return reading;
    }

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("game.tvx"));
};

TEST_F(GameFileOnDiskTest, ASavedGameReadsBackWithEveryLineEnd) {
    GameFileData data = FreshGame();
    data.HistoryLast = 2;
    data.HistoryIndex = 1;
    data.Entries = {kClassicStart, data.Board, game::GetGameLayout(5).start};
    Write(data);
    for (const QByteArray lineEnd : {"\r\n", "\n", "\r"}) {
        SCOPED_TRACE(lineEnd.toHex().toStdString());
        Save(lineEnd);
        const GameFileReading reading = ReadFromDisk();
        ASSERT_TRUE(reading.Data.has_value());
        EXPECT_EQ(*reading.Data, data);
    }
}

TEST_F(GameFileOnDiskTest, ATenMegabyteLine4IsRefusedNotARuntimeError) {
    Write(FreshGame());
    lines[3] = Bytes({20, 33}).repeated(5 * 1024 * 1024);
    Save();
    GameFileReading reading;
    ASSERT_NO_THROW(reading = ReadFromDisk());
    EXPECT_FALSE(reading.Data.has_value());
    EXPECT_EQ(reading.Refusal, GameFileRefusal::GameNumber);
}

// One line of a gigabyte of zeros (a sparse file): refused at line 1 without reading it all.
TEST_F(GameFileOnDiskTest, AGigabyteFirstLineIsRefusedAtOnce) {
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        if (!file.resize(qint64{1} << 30)) {
            GTEST_SKIP() << "no room for a sparse file of a gigabyte";
        }
    }
    const auto refusal = testsupport::RunInChild(
        [this] { return static_cast<int>(ReadFromDisk().Refusal); }, std::chrono::seconds(3));
    EXPECT_EQ(refusal, static_cast<int>(GameFileRefusal::FileMark));
}

}  // namespace
