#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "util/mdlStringFunctions.h"

namespace {

using namespace mdlStringFunctions;

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// 29 characters, backslashes at 3, 9 and 15.
const char* const kPath = R"(D:\Games\Saved\Παιχνίδι 3.tvx)";

struct Count {
    const char* text;  // UTF-8
    const char* find;
    int expected;
};

struct Nth {
    int startPos;
    const char* text;  // UTF-8
    const char* find;
    int n;
    int expected;
};

void ExpectCounts(const std::vector<Count>& rows) {
    for (const Count& row : rows) {
        SCOPED_TRACE(std::string("text \"") + row.text + "\", find \"" + row.find + "\"");
        EXPECT_EQ(CountOccurrences(U(row.text), U(row.find)), row.expected);
    }
}

void ExpectNth(int (*search)(int, const QString&, const QString&, int),
               const std::vector<Nth>& rows) {
    for (const Nth& row : rows) {
        SCOPED_TRACE(std::string("start ") + std::to_string(row.startPos) + ", text \"" + row.text +
                     "\", find \"" + row.find + "\", n " + std::to_string(row.n));
        EXPECT_EQ(search(row.startPos, U(row.text), U(row.find), row.n), row.expected);
    }
}

TEST(SubstringSearch, WorkedExamplesOfCountOccurrences) {
    ExpectCounts({{kPath, "\\", 3}, {"aaa", "aa", 2}, {"aaaa", "aa", 3}});
}

TEST(SubstringSearch, WorkedExamplesOfInStrNth) {
    // clang-format off
    ExpectNth(InStrNth, {
        {1,  kPath, "\\", 1, 3}, {1, kPath, "\\", 2, 9}, {1, kPath, "\\", 3, 15},
        {1,  kPath, "\\", 4, 0},
        {4,  kPath, "\\", 1, 9},
        {10, kPath, "\\", 1, 15}, {10, kPath, "\\", 2, 0},
        {29, kPath, "\\", 1, 0},
        {30, kPath, "\\", 1, 0},
        {1,  "aaaa", "aa", 2, 2}, {1, "aaaa", "aa", 3, 3},
        {2,  "aaaa", "aa", 3, 0},
    });
    // clang-format on
}

TEST(SubstringSearch, WorkedExamplesOfInStrRevNth) {
    // clang-format off
    ExpectNth(InStrRevNth, {
        {1,  kPath, "\\", 1, 15}, {1, kPath, "\\", 2, 9}, {1, kPath, "\\", 3, 3},
        {1,  kPath, "\\", 4, 0},
        {15, kPath, "\\", 1, 15},
        {16, kPath, "\\", 1, 9},
        {28, kPath, "\\", 1, 0},
        {1,  "aaaa", "aa", 1, 3}, {1, "aaaa", "aa", 3, 1},
        {2,  "aaaa", "aa", 1, 2},
    });
    // clang-format on
}

TEST(SubstringSearch, EmptyTextHoldsNothing) {
    ExpectCounts({{"", "\\", 0}, {"", "ab", 0}});
    ExpectNth(InStrNth, {{1, "", "\\", 1, 0}});
    ExpectNth(InStrRevNth, {{1, "", "\\", 1, 0}});
}

// StartPos = L leaves the last character for InStrNth and the first for InStrRevNth.
TEST(SubstringSearch, StartAtTheLastPositionSearchesOneCharacter) {
    ExpectNth(InStrNth, {{4, "\\ab\\", "\\", 1, 4}, {4, "a\\\\a", "\\", 1, 0}});
    ExpectNth(InStrRevNth, {{4, "\\ab\\", "\\", 1, 1}, {4, "a\\\\a", "\\", 1, 0}});
}

// An occurrence counts only when it lies wholly within the part searched.
TEST(SubstringSearch, FindLongerThanOrStraddlingThePartSearchedIsNotFound) {
    ExpectCounts({{"ab", "abc", 0}, {"abc", "abc", 1}});
    // clang-format off
    ExpectNth(InStrNth, {
        {2, "abcd", "bcd", 1, 2}, {3, "abcd", "bcd", 1, 0},
        {2, "abab", "ab", 1, 3},  {2, "abab", "ab", 2, 0},
    });
    ExpectNth(InStrRevNth, {
        {1, "abcd", "bcd", 1, 2}, {2, "abcd", "bcd", 1, 0},
        {2, "xab", "ab", 1, 0},   {1, "xab", "ab", 1, 2},
    });
    // clang-format on
}

TEST(SubstringSearch, MoreOccurrencesAskedThanThereAreGivesZero) {
    ExpectNth(InStrNth,
              {{1, "aaaa", "aa", 4, 0}, {1, "abcabc", "bc", 2, 5}, {1, "abcabc", "bc", 3, 0}});
    ExpectNth(InStrRevNth,
              {{1, "aaaa", "aa", 4, 0}, {1, "abcabc", "bc", 2, 2}, {1, "abcabc", "bc", 3, 0}});
    EXPECT_EQ(InStrNth(1, U("aaaa"), U("a"), INT_MAX), 0);
    EXPECT_EQ(InStrRevNth(1, U("aaaa"), U("a"), INT_MAX), 0);
}

// No case folding, and an accented letter is another letter.
TEST(SubstringSearch, ComparisonIsExact) {
    ExpectCounts({{"Παιχνίδι", "ι", 2}, {"Παιχνίδι", "ί", 1}, {"ΑαΑ", "α", 1}, {"AaA", "A", 2}});
    ExpectNth(InStrNth, {{1, "Παιχνίδι", "ι", 2, 8}, {1, "ΑαΑ", "Α", 2, 3}});
    ExpectNth(InStrRevNth, {{1, "Παιχνίδι", "ι", 2, 3}, {1, "Παιχνίδι", "ί", 1, 6}});
}

TEST(SubstringSearch, EmptyFindOrOutOfRangeArgumentsFindNothing) {
    EXPECT_EQ(CountOccurrences(U("abc"), QString()), 0);
    EXPECT_EQ(CountOccurrences(QString(), QString()), 0);
    for (auto search : {InStrNth, InStrRevNth}) {
        // clang-format off
        ExpectNth(search, {
            {1, "abc", "", 1, 0}, {1, "", "", 1, 0},
            {1, "abc", "a", 0, 0}, {1, "abc", "a", -1, 0},
            {0, "abc", "a", 1, 0}, {-1, "abc", "c", 1, 0},
            {INT_MIN, "abc", "a", 1, 0}, {1, "abc", "a", INT_MIN, 0},
            {INT_MAX, "abc", "a", 1, 0},
        });
        // clang-format on
    }
}

// Longer than any 16-bit position, signed or unsigned, so truncated positions or counts show.
TEST(SubstringSearch, TextsOfAnyLengthAreSearched) {
    QString text(70000, u'a');
    text[39999] = u'\\';
    text[69999] = u'\\';
    const QString backslash(u'\\');
    EXPECT_EQ(CountOccurrences(text, backslash), 2);
    EXPECT_EQ(InStrNth(1, text, backslash, 1), 40000);
    EXPECT_EQ(InStrNth(40001, text, backslash, 1), 70000);
    EXPECT_EQ(InStrRevNth(1, text, backslash, 1), 70000);
    EXPECT_EQ(InStrRevNth(2, text, backslash, 1), 40000);
    EXPECT_EQ(InStrRevNth(40000, text, backslash, 1), 0);

    const QString run(70000, u'a');
    const QString aa = QStringLiteral("aa");
    EXPECT_EQ(CountOccurrences(run, aa), 69999);
    EXPECT_EQ(InStrNth(1, run, aa, 69999), 69999);
    EXPECT_EQ(InStrNth(1, run, aa, 70000), 0);
    EXPECT_EQ(InStrRevNth(1, run, aa, 1), 69999);
    EXPECT_EQ(InStrRevNth(1, run, aa, 69999), 1);
}

}  // namespace
