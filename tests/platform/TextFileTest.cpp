#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <vector>

#include "platform/RuntimeError.h"
#include "platform/TextFile.h"

namespace {

using platform::FileSystemObject;
using platform::RuntimeError;

class TextFileTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

    QString At(const QString& name) const { return dir_.filePath(name); }

    static void WriteBytes(const QString& path, const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    static QByteArray ReadBytes(const QString& path) {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        return file.readAll();
    }

    // Every line of the file at `path` through OpenTextFile, up to the past-the-end error,
    // which must come again on a further read.
    static std::vector<QByteArray> ReadAllLines(const QString& path) {
        std::vector<QByteArray> lines;
        auto stream = FileSystemObject::OpenTextFile(path);
        for (;;) {
            try {
                lines.push_back(stream->ReadLine());
            } catch (const RuntimeError& e) {
                EXPECT_EQ(e.Number(), platform::ErrInputPastEndOfFile);
                break;
            }
        }
        EXPECT_THROW(stream->ReadLine(), RuntimeError);
        stream->Close();
        return lines;
    }

    static void WriteLines(const QString& path, const std::vector<QByteArray>& lines) {
        auto stream = FileSystemObject::CreateTextFile(path);
        for (const QByteArray& line : lines) {
            stream->WriteLine(line);
        }
        stream->Close();
    }

    // The files left in the folder, so that a discarded save shows no leftovers.
    QStringList Entries() const {
        return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    // True when a file without write permission can still be written, as for root.
    bool PermissionsDoNotStopWrites() const {
        const QString probe = At(QStringLiteral("probe"));
        WriteBytes(probe, "x");
        QFile::setPermissions(probe, QFile::ReadOwner);
        QFile file(probe);
        const bool writable = file.open(QIODevice::WriteOnly | QIODevice::Append);
        file.close();
        QFile::setPermissions(probe, QFile::ReadOwner | QFile::WriteOwner);
        QFile::remove(probe);
        return writable;
    }

    QTemporaryDir dir_;
};

void ExpectError(int number, const char* description, const std::function<void()>& action) {
    try {
        action();
        ADD_FAILURE() << "no error, expected " << number;
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number(), number);
        EXPECT_EQ(e.Description(), QString::fromUtf8(description));
    }
}

constexpr char kNotFound[] = "Το αρχείο δεν βρέθηκε";
constexpr char kPathNotFound[] = "Η διαδρομή δεν βρέθηκε";
constexpr char kDenied[] = "Δεν επιτρέπεται η πρόσβαση";
constexpr char kAccess[] = "Σφάλμα πρόσβασης διαδρομής/αρχείου";

TEST_F(TextFileTest, WritesBytesWithCrLfAndReadsThemBack) {
    // Code page bytes pass untouched: no conversion, no byte-order mark.
    const std::vector<QByteArray> lines = {"Kivuno", "", QByteArray("\xD4\xE1\xF1\xE2\xDD\xEE\xE7"),
                                           QByteArray("\x01\x7F\x80\xFF", 4), " v1.0 "};
    const QString path = At(QStringLiteral("game.tvx"));
    WriteLines(path, lines);

    QByteArray expected;
    for (const QByteArray& line : lines) {
        expected += line + "\r\n";
    }
    EXPECT_EQ(ReadBytes(path), expected);
    EXPECT_EQ(ReadAllLines(path), lines);
}

TEST_F(TextFileTest, LargestGameFileRoundTrips) {
    std::vector<QByteArray> lines;
    for (int i = 0; i < 20028; ++i) {
        lines.push_back(QByteArray::number(i * 7919 % 100000));
    }
    const QString path = At(QStringLiteral("large.tvx"));
    WriteLines(path, lines);
    EXPECT_EQ(ReadAllLines(path), lines);
}

struct LineEnds {
    const char* name;
    QByteArray bytes;
    std::vector<QByteArray> lines;
};

TEST_F(TextFileTest, EveryLineEndIsRecognised) {
    // Lines long enough to put a line end across the reader's internal chunks.
    const QByteArray longLine(65535, 'a');
    const QByteArray longerLine(200000, 'b');
    const std::vector<LineEnds> cases = {
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"lone LF", "a\nb\n", {"a", "b"}},
        {"lone CR", "a\rb\r", {"a", "b"}},
        {"no final line end", "a\r\nb", {"a", "b"}},
        {"mixed", "a\n\rb\r\r\nc", {"a", "", "b", "", "c"}},
        {"empty lines", "\r\n\r\n", {"", ""}},
        {"empty file", "", {}},
        {"CR LF split across chunks", longLine + "\r\nc\r\n", {longLine, "c"}},
        {"lone CR at chunk end", longLine + "\rc", {longLine, "c"}},
        {"CR at chunk end, then end of file", longLine + "\r", {longLine}},
        {"line longer than a chunk", longerLine + "\r\n" + longerLine, {longerLine, longerLine}},
    };
    const QString path = At(QStringLiteral("ends.txt"));
    for (const LineEnds& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes(path, c.bytes);
        EXPECT_EQ(ReadAllLines(path), c.lines);
    }
}

TEST_F(TextFileTest, ReadingPastTheEndRaises62) {
    const QString path = At(QStringLiteral("one.txt"));
    WriteBytes(path, "only\r\n");
    auto stream = FileSystemObject::OpenTextFile(path);
    EXPECT_EQ(stream->ReadLine(), "only");
    ExpectError(platform::ErrInputPastEndOfFile, "Ανάγνωση πέρα από το τέλος του αρχείου",
                [&] { stream->ReadLine(); });
}

struct OpenFailure {
    const char* name;
    bool create;  // CreateTextFile, else OpenTextFile
    QString relative;
    int number;
    const char* description;
};

TEST_F(TextFileTest, OpenFailuresCarryTheClassicNumbers) {
    WriteBytes(At(QStringLiteral("plain.txt")), "x\r\n");
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("folder")));
    const std::vector<OpenFailure> cases = {
        {"missing file", false, "missing.tvx", platform::ErrFileNotFound, kNotFound},
        {"missing folder", false, "nowhere/game.tvx", platform::ErrPathNotFound, kPathNotFound},
        {"a file as folder", false, "plain.txt/game.tvx", platform::ErrPathNotFound, kPathNotFound},
        {"a folder to read", false, "folder", platform::ErrPathFileAccess, kAccess},
        {"create in missing folder", true, "nowhere/game.tvx", platform::ErrPathNotFound,
         kPathNotFound},
        {"create over a folder", true, "folder", platform::ErrPathFileAccess, kAccess},
    };
    for (const OpenFailure& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = At(c.relative);
        ExpectError(c.number, c.description, [&] {
            if (c.create) {
                FileSystemObject::CreateTextFile(path);
            } else {
                FileSystemObject::OpenTextFile(path);
            }
        });
    }
    EXPECT_TRUE(QFileInfo(At(QStringLiteral("folder"))).isDir());
    EXPECT_EQ(ReadBytes(At(QStringLiteral("plain.txt"))), "x\r\n");
}

TEST_F(TextFileTest, ReadOnlyFileOrFolderRaises70) {
    if (PermissionsDoNotStopWrites()) {
        GTEST_SKIP() << "file permissions do not stop writes for this user (root?)";
    }
    const QString file = At(QStringLiteral("readonly.tvx"));
    WriteBytes(file, "old\r\n");
    QFile::setPermissions(file, QFile::ReadOwner);
    ExpectError(platform::ErrPermissionDenied, kDenied,
                [&] { FileSystemObject::CreateTextFile(file); });
    EXPECT_EQ(ReadBytes(file), "old\r\n");

    const QString locked = At(QStringLiteral("locked"));
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("locked")));
    WriteBytes(locked + QStringLiteral("/game.tvx"), "old\r\n");
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
    ExpectError(platform::ErrPermissionDenied, kDenied,
                [&] { FileSystemObject::CreateTextFile(locked + QStringLiteral("/new.tvx")); });
    // The file itself is writable, but its replacement could not be put beside it.
    ExpectError(platform::ErrPermissionDenied, kDenied,
                [&] { FileSystemObject::CreateTextFile(locked + QStringLiteral("/game.tvx")); });
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const QString unreadable = At(QStringLiteral("unreadable.tvx"));
    WriteBytes(unreadable, "x\r\n");
    QFile::setPermissions(unreadable, QFile::WriteOwner);
    ExpectError(platform::ErrPermissionDenied, kDenied,
                [&] { FileSystemObject::OpenTextFile(unreadable); });
}

TEST_F(TextFileTest, ReplacedFileKeepsItsContentUntilClose) {
    const QString path = At(QStringLiteral("game.tvx"));
    WriteBytes(path, "old\r\n");
    const QStringList before = Entries();

    {
        auto stream = FileSystemObject::CreateTextFile(path);
        stream->WriteLine("new");
        EXPECT_EQ(ReadBytes(path), "old\r\n");
        // Released without Close, as after a failure part-way.
    }
    EXPECT_EQ(ReadBytes(path), "old\r\n");
    EXPECT_EQ(Entries(), before);

    auto stream = FileSystemObject::CreateTextFile(path);
    stream->WriteLine("new");
    EXPECT_EQ(ReadBytes(path), "old\r\n");
    stream->Close();
    EXPECT_EQ(ReadBytes(path), "new\r\n");
    EXPECT_EQ(Entries(), before);
}

TEST_F(TextFileTest, NewFileAppearsOnlyAtClose) {
    const QString path = At(QStringLiteral("fresh.tvx"));
    {
        auto stream = FileSystemObject::CreateTextFile(path);
        stream->WriteLine("line");
    }
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_TRUE(Entries().isEmpty());
}

}  // namespace
