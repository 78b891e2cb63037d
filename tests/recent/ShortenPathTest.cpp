#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "recent/mdlRecentFiles.h"

void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace {

using mdlRecentFiles::ShortenPath;

QString WithSeparator(const char* utf8, QChar separator) {
    QString s = QString::fromUtf8(utf8);
    s.replace(u'\\', separator);
    return s;
}

struct Shortening {
    const char* path;  // UTF-8; backslashes stand for the separator under test
    int minCut;
    int minHead;
    int minTail;
    const char* expected;  // nullptr: the path is returned whole
};

void ExpectShortenings(const std::vector<Shortening>& rows, QChar separator) {
    for (const Shortening& row : rows) {
        const QString path = WithSeparator(row.path, separator);
        SCOPED_TRACE(("path \"" + path + "\", separator '" + QString(separator) + "', " +
                      QString::number(row.minCut) + ", " + QString::number(row.minHead) + ", " +
                      QString::number(row.minTail))
                         .toStdString());
        const QString expected = row.expected ? WithSeparator(row.expected, separator) : path;
        EXPECT_EQ(ShortenPath(path, row.minCut, row.minHead, row.minTail, separator), expected);
    }
}

// 77 characters, backslashes at 3, 17, 30, 42, 57, 67.
const char* const kLong =
    R"(D:\Program Files\Puzzle Games\Saved Games\Sliding Blocks\Hard Ones\Game 3.tvx)";
const char* const kLongShortened =
    R"(D:\Program Files\Puzzle Games\...\Sliding Blocks\Hard Ones\Game 3.tvx)";
// 73 characters, backslashes at 3, 6, 10, 16, 38, 54, 63.
const char* const kDeep =
    R"(D:\My\Own\Games\Sliding Block Puzzles\Saved Positions\Level 12\Game 3.tvx)";

// The submenu's values: MinCut 10, MinHead 10, MinTail 30.
// clang-format off
const std::vector<Shortening> kWorkedExamples = {
    {kLong, 10, 10, 30, kLongShortened},
    {kDeep, 10, 10, 30, R"(D:\My\Own\Games\...\Saved Positions\Level 12\Game 3.tvx)"},
    {R"(D:\Program Files\Puzzle Games\Saved\Sliding Blocks\Hard Ones\Game 3.tvx)", 10, 10, 30,
     nullptr},
    {R"(D:\Temp\Game 3.tvx)", 10, 10, 30, nullptr},
    {R"(D:\Παιχνίδια\Παζλ\Αποθηκευμένα\Δεύτερη συλλογή\Δύσκολα\Παιχνίδι 5.tvx)", 10, 10, 30,
     R"(D:\Παιχνίδια\Παζλ\...\Δεύτερη συλλογή\Δύσκολα\Παιχνίδι 5.tvx)"},
};
// clang-format on

TEST(ShortenPath, WorkedExamplesWithBackslashSeparator) {
    ExpectShortenings(kWorkedExamples, u'\\');
}

TEST(ShortenPath, WorkedExamplesWithSlashSeparator) {
    ExpectShortenings(kWorkedExamples, u'/');
}

TEST(ShortenPath, ShortenedLengthIsCountedInCharacters) {
    EXPECT_EQ(ShortenPath(QString::fromUtf8(kLong), 10, 10, 30, u'\\').size(), 69);
    const QString greek = QString::fromUtf8(
        R"(D:\Παιχνίδια\Παζλ\Αποθηκευμένα\Δεύτερη συλλογή\Δύσκολα\Παιχνίδι 5.tvx)");
    ASSERT_EQ(greek.size(), 69);
    EXPECT_EQ(ShortenPath(greek, 10, 10, 30, u'\\').size(), 60);
}

// Both limits are strict, and the head never ends at one of the first two separators.
TEST(ShortenPath, HeadEndsAtTheFirstSeparatorFromTheThirdOnBeyondMinHead) {
    const char* headAt10 = R"(D:\My\Own\...\Saved Positions\Level 12\Game 3.tvx)";
    // clang-format off
    ExpectShortenings({
        {kDeep, 10, 9,  30, headAt10},  // the third separator, at 10, lies beyond 9
        {kDeep, 10, 0,  30, headAt10},  // the first two lie beyond 0 too, but never end the head
        {kDeep, 10, 15, 30, R"(D:\My\Own\Games\...\Saved Positions\Level 12\Game 3.tvx)"},
        {kDeep, 10, 16, 0, R"(D:\My\Own\Games\Sliding Block Puzzles\...\Level 12\Game 3.tvx)"},
        {kDeep, 0,  38, 30, nullptr},   // the head ends at 54, beyond the tail's start at 38
        {kDeep, 0,  63, 30, nullptr},   // no separator lies beyond 63
        // All separators from the third on lie up to MinHead; even with no cut asked for, the
        // path is returned whole.
        {R"(D:\a\b\c\A file name that runs on and on.tvx)", 0, 10, 30, nullptr},
    }, u'\\');
    // clang-format on
}

// The tail never starts at the last separator, and a tail of exactly MinTail is too short.
TEST(ShortenPath, TailStartsAtTheSeparatorNearestTheEndThatLeavesMoreThanMinTail) {
    // clang-format off
    ExpectShortenings({
        {kDeep, 10, 10, 0,  R"(D:\My\Own\Games\...\Level 12\Game 3.tvx)"},
        {kDeep, 5,  9,  35, R"(D:\My\Own\...\Saved Positions\Level 12\Game 3.tvx)"},
        {kDeep, 5,  9,  36,
         R"(D:\My\Own\...\Sliding Block Puzzles\Saved Positions\Level 12\Game 3.tvx)"},
    }, u'\\');
    // clang-format on
}

TEST(ShortenPath, PathIsReturnedWholeWhenTheCutIsTooSmallOrNegative) {
    // clang-format off
    ExpectShortenings({
        // A cut of exactly MinCut shortens; one character less does not.
        {R"(D:\Program Files\Puzzle Games\SavedGames\Sliding Blocks\Hard Ones\Game 3.tvx)",
         10, 10, 30, kLongShortened},
        {R"(D:\Program Files\Puzzle Games\SaveGames\Sliding Blocks\Hard Ones\Game 3.tvx)",
         10, 10, 30, nullptr},
        // Head and tail share the separator at 30: a cut of -1.
        {kLong, 0, 10, 36, nullptr},
        // The tail search runs out: even the ending from the first separator is too short.
        {kLong, 0, 10, 75, nullptr},
    }, u'\\');
    // clang-format on
}

TEST(ShortenPath, EmptyPathOrFewerThanThreeSeparatorsIsReturnedWhole) {
    for (QChar separator : {QChar(u'\\'), QChar(u'/')}) {
        // clang-format off
        ExpectShortenings({
            {"", 0, 0, 0, nullptr},
            {"", 10, 10, 30, nullptr},
            {R"(D:\Temp\Game 3.tvx)", 0, 0, 0, nullptr},
            {R"(D:\A rather long folder name indeed\Game 3.tvx)", 0, 0, 0, nullptr},
            {"Game 3.tvx", 0, 0, 0, nullptr},
        }, separator);
        // clang-format on
    }
}

// Each of the two backslashes that open a network path counts as a separator.
TEST(ShortenPath, NetworkPathCountsBothLeadingSeparators) {
    // clang-format off
    ExpectShortenings({
        {R"(\\Server\Share\Games\Puzzles\Saved Positions\Sliding\Game 3.tvx)", 10, 10, 30,
         R"(\\Server\Share\...\Saved Positions\Sliding\Game 3.tvx)"},
    }, u'\\');
    // clang-format on
}

TEST(ShortenPath, OnlyTheGivenSeparatorSeparatesFolders) {
    const QString slashes = WithSeparator(kLong, u'/');
    EXPECT_EQ(ShortenPath(slashes, 10, 10, 30, u'\\'), slashes);
    const QString backslashes = QString::fromUtf8(kLong);
    EXPECT_EQ(ShortenPath(backslashes, 10, 10, 30, u'/'), backslashes);

    // With the last two separators written as slashes, the tail must start at 30, where the
    // head ends.
    const QString mixed = QString::fromUtf8(
        R"(D:\Program Files\Puzzle Games\Saved Games\Sliding Blocks/Hard Ones/Game 3.tvx)");
    EXPECT_EQ(ShortenPath(mixed, 10, 10, 30, u'\\'), mixed);
}

TEST(ShortenPath, DefaultSeparatorIsThePlatformOne) {
    const QString path = WithSeparator(kLong, mdlFilesFoldersFunctions::kFolderSeparator);
    EXPECT_EQ(ShortenPath(path, 10, 10, 30),
              WithSeparator(kLongShortened, mdlFilesFoldersFunctions::kFolderSeparator));
}

// Longer than any 16-bit position, signed or unsigned, so truncated positions or lengths show.
TEST(ShortenPath, PathsOfAnyLengthAreShortened) {
    const QString cut = QStringLiteral("Cut folder");
    const QString head = QStringLiteral("D:\\Games\\Saved\\");
    const QString longHead =
        QStringLiteral("D:\\") + QString(40000, u'h') + QStringLiteral("\\g\\");
    const QString tail = QStringLiteral("\\Sliding Block Puzzles\\Game 3.tvx");
    const QString longTail = QStringLiteral("\\") + QString(40000, u't') + QStringLiteral("\\f");
    struct Case {
        QString head, cut, tail;
    };
    for (const Case& c : {Case{head, QString(70000, u'c'), tail}, Case{longHead, cut, tail},
                          Case{head, cut, longTail}}) {
        EXPECT_EQ(ShortenPath(c.head + c.cut + c.tail, 10, 10, 30, u'\\'),
                  c.head + QStringLiteral("...") + c.tail);
    }
}

}  // namespace
