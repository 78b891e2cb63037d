#include <gtest/gtest.h>

#include <vector>

#include "util/mdlFilesFoldersFunctions.h"

namespace {

using namespace mdlFilesFoldersFunctions;

struct Split {
    const char* path;  // UTF-8
    const char* fileName;
    const char* fileTitle;
    const char* folderPath;
    const char* fileExtension;
    const char* withoutExtension;
};

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QString WithSeparator(const char* utf8, QChar separator) {
    QString s = U(utf8);
    s.replace(u'\\', separator);
    return s;
}

// Checks all five routines on one path, and that the pieces give the path back: the folder,
// the separator and the file name, and the path without its extension, the dot and the
// extension. Backslashes in the row stand for `separator`.
void ExpectSplit(const Split& row, QChar separator) {
    const QString path = WithSeparator(row.path, separator);
    SCOPED_TRACE(("path \"" + path + "\", separator '" + QString(separator) + "'").toStdString());

    const QString fileName = GetFileName(path, separator);
    const QString folderPath = GetFolderPath(path, separator);
    const QString extension = GetFileExtension(path, separator);
    const QString withoutExtension = RemoveFileExtension(path, separator);
    EXPECT_EQ(fileName, WithSeparator(row.fileName, separator));
    EXPECT_EQ(GetFileTitle(path, separator), WithSeparator(row.fileTitle, separator));
    EXPECT_EQ(folderPath, WithSeparator(row.folderPath, separator));
    EXPECT_EQ(extension, WithSeparator(row.fileExtension, separator));
    EXPECT_EQ(withoutExtension, WithSeparator(row.withoutExtension, separator));

    if (path.size() >= 2) {
        if (fileName == path) {
            EXPECT_EQ(folderPath, QString());
        } else {
            EXPECT_EQ(folderPath + separator + fileName, path);
        }
    }
    if (extension.size() == path.size()) {
        EXPECT_EQ(withoutExtension, QString());
    } else if (path.contains(u'.')) {
        EXPECT_EQ(withoutExtension + u'.' + extension, path);
    } else {
        EXPECT_EQ(withoutExtension, path);
    }
}

// clang-format off
const std::vector<Split> kWorkedExamples = {
    {R"(D:\Games\Παιχνίδι 3.tvx)", "Παιχνίδι 3.tvx", "Παιχνίδι 3", R"(D:\Games)", "tvx", R"(D:\Games\Παιχνίδι 3)"},
    {R"(D:\file.tvx)",           "file.tvx",    "file",    "D:",          "tvx",        R"(D:\file)"},
    {"file.tvx",                 "file.tvx",    "file",    "",            "tvx",        "file"},
    {R"(D:\a.b\one.two.tvx)",    "one.two.tvx", "one.two", R"(D:\a.b)",   "tvx",        R"(D:\a.b\one.two)"},
    {R"(D:\my.dir\file)",        "file",        "file",    R"(D:\my.dir)", R"(dir\file)", R"(D:\my)"},
    {R"(D:\dir\)",               R"(dir\)",     R"(dir\)", "D:",          "",           R"(D:\dir\)"},
    {R"(x\)",                    R"(x\)",       R"(x\)",   "",            "",           R"(x\)"},
    {R"(\x)",                    "x",           "x",       "",            "",           R"(\x)"},
    {"abc.",                     "abc.",        "",        "",            "abc.",       ""},
    {".tvx",                     ".tvx",        "",        "",            "tvx",        ""},
    {"D:",                       "D:",          "D:",      "",            "",           "D:"},
    {"a",                        "",            "",        "",            "",           "a"},
    {"",                         "",            "",        "",            "",           ""},
};
// clang-format on

TEST(FileNameSplitting, WorkedExamplesWithBackslashSeparator) {
    for (const Split& row : kWorkedExamples) {
        ExpectSplit(row, u'\\');
    }
}

TEST(FileNameSplitting, WorkedExamplesWithSlashSeparator) {
    for (const Split& row : kWorkedExamples) {
        ExpectSplit(row, u'/');
    }
}

TEST(FileNameSplitting, OneCharacterPathsHaveNoNameFolderOrExtension) {
    // clang-format off
    const std::vector<Split> rows = {
        {R"(\)", "", "", "", "", R"(\)"},
        {".",    "", "", "", "", ""},
        {"x",    "", "", "", "", "x"},
    };
    // clang-format on
    for (const Split& row : rows) {
        ExpectSplit(row, u'\\');
        ExpectSplit(row, u'/');
    }
}

TEST(FileNameSplitting, FinalCharacterIsNeverASplitPoint) {
    // clang-format off
    const std::vector<Split> rows = {
        {R"(\x\)",  R"(x\)",  R"(x\)",  "",       "",      R"(\x\)"},
        {R"(\\)",   R"(\)",   R"(\)",   "",       "",      R"(\\)"},
        {"a.b.",    "a.b.",   "a",      "",       "b.",    "a"},
        {R"(d\f.)", "f.",     "",       "d",      R"(d\f.)", ""},
        {"..",      "..",     "",       "",       ".",     ""},
    };
    // clang-format on
    for (const Split& row : rows) {
        ExpectSplit(row, u'\\');
    }
}

TEST(FileNameSplitting, OnlyTheGivenSeparatorSplitsFolders) {
    const QString slashes = QStringLiteral("D:/Games/file.tvx");
    EXPECT_EQ(GetFileName(slashes, u'\\'), slashes);
    EXPECT_EQ(GetFileTitle(slashes, u'\\'), QStringLiteral("D:/Games/file"));
    EXPECT_EQ(GetFolderPath(slashes, u'\\'), QString());
    EXPECT_EQ(GetFileExtension(slashes, u'\\'), QStringLiteral("tvx"));
    EXPECT_EQ(RemoveFileExtension(slashes, u'\\'), QStringLiteral("D:/Games/file"));

    const QString mixed = QStringLiteral("a/b\\c/d\\e.f");
    EXPECT_EQ(GetFileName(mixed, u'\\'), QStringLiteral("e.f"));
    EXPECT_EQ(GetFolderPath(mixed, u'\\'), QStringLiteral("a/b\\c/d"));
    EXPECT_EQ(GetFileName(mixed, u'/'), QStringLiteral("d\\e.f"));
    EXPECT_EQ(GetFolderPath(mixed, u'/'), QStringLiteral("a/b\\c"));
    EXPECT_EQ(GetFileTitle(mixed, u'/'), QStringLiteral("d\\e"));
}

TEST(FileNameSplitting, DefaultSeparatorIsThePlatformOne) {
#ifdef Q_OS_WIN
    EXPECT_EQ(kFolderSeparator, QChar(u'\\'));
#else
    EXPECT_EQ(kFolderSeparator, QChar(u'/'));
#endif
    const QString path = QStringLiteral("dir") + kFolderSeparator + QStringLiteral("name.ext");
    EXPECT_EQ(GetFileName(path), QStringLiteral("name.ext"));
    EXPECT_EQ(GetFileTitle(path), QStringLiteral("name"));
    EXPECT_EQ(GetFolderPath(path), QStringLiteral("dir"));
}

// Longer than any 16-bit position, signed or unsigned, so truncated lengths or positions show.
TEST(FileNameSplitting, PathsOfAnyLengthAreSplit) {
    const QString folder = QStringLiteral("C:\\") + QString(70000, u'a');
    const QString path = folder + QStringLiteral("\\Παιχνίδι.tvx");
    EXPECT_EQ(GetFileName(path, u'\\'), QStringLiteral("Παιχνίδι.tvx"));
    EXPECT_EQ(GetFileTitle(path, u'\\'), QStringLiteral("Παιχνίδι"));
    EXPECT_EQ(GetFolderPath(path, u'\\'), folder);
    EXPECT_EQ(GetFileExtension(path, u'\\'), QStringLiteral("tvx"));
    EXPECT_EQ(RemoveFileExtension(path, u'\\'), folder + QStringLiteral("\\Παιχνίδι"));

    const QString plain(40000, u'b');
    EXPECT_EQ(GetFileName(plain, u'\\'), plain);
    EXPECT_EQ(GetFolderPath(plain, u'\\'), QString());
    EXPECT_EQ(GetFileExtension(plain, u'\\'), QString());
    EXPECT_EQ(RemoveFileExtension(plain, u'\\'), plain);
}

}  // namespace
