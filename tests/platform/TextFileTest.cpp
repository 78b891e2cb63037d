#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/RuntimeError.h"
#include "platform/TextFile.h"
#include "support/ChildProcess.h"
#include "support/Unprivileged.h"

namespace {

using platform::FileSystemObject;
using platform::RuntimeError;

// Every line of a stream up to the past-the-end error, which must come again on a further
// read.
std::vector<QByteArray> LinesOf(platform::TextStream& stream) {
    std::vector<QByteArray> lines;
    for (;;) {
        try {
            lines.push_back(stream.ReadLine());
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.Number(), platform::ErrInputPastEndOfFile);
            break;
        }
    }
    EXPECT_THROW(stream.ReadLine(), RuntimeError);
    return lines;
}

// Blocks of a few bytes put every line end, and both halves of every CR LF, across a block
// edge; the largest block takes the input whole.
constexpr qsizetype kBlockSizes[] = {1, 2, 3, 5, 1 << 20};

struct LineEnds {
    const char* name;
    QByteArray bytes;
    std::vector<QByteArray> lines;
};

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

    // Every line of the file at `path` through OpenTextFile.
    static std::vector<QByteArray> ReadAllLines(const QString& path) {
        auto stream = FileSystemObject::OpenTextFile(path);
        const std::vector<QByteArray> lines = LinesOf(*stream);
        stream->Close();
        return lines;
    }

    // The lines of c.bytes must be the same from a file and from memory in blocks of every size.
    void ExpectLines(const LineEnds& c) {
        SCOPED_TRACE(c.name);
        const QString path = At(QStringLiteral("lines.txt"));
        WriteBytes(path, c.bytes);
        EXPECT_EQ(ReadAllLines(path), c.lines);
        for (const qsizetype block : kBlockSizes) {
            SCOPED_TRACE(block);
            EXPECT_EQ(LinesOf(*platform::OpenTextBytes(c.bytes, block)), c.lines);
        }
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

constexpr char kNotFound[] = "«Το αρχείο δεν βρέθηκε»";
constexpr char kPathNotFound[] = "«Η διαδρομή δεν βρέθηκε»";
constexpr char kDenied[] = "«Δεν επιτρέπεται η πρόσβαση»";
constexpr char kAccess[] = "«Η πρόσβαση στη διαδρομή ή στο αρχείο απέτυχε»";

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

TEST_F(TextFileTest, EveryLineEndIsRecognised) {
    const std::vector<LineEnds> cases = {
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"lone LF", "a\nb\n", {"a", "b"}},
        {"lone CR", "a\rb\r", {"a", "b"}},
        {"no final line end", "a\r\nb", {"a", "b"}},
        {"mixed", "a\n\rb\r\r\nc", {"a", "", "b", "", "c"}},
        {"LF CR is two line ends", "ab\n\rcd", {"ab", "", "cd"}},
        {"empty lines", "\r\n\r\n", {"", ""}},
        {"CR at the end of the file", "abc\r", {"abc"}},
        {"empty file", "", {}},
        {"lines of every length",
         "\r\na\r\nbb\rccc\nddddd\r\neeeeeeeeeee",
         {"", "a", "bb", "ccc", "ddddd", "eeeeeeeeeee"}},
    };
    for (const LineEnds& c : cases) {
        ExpectLines(c);
    }
}

// Letters in turn, so that a cut shows where it was made.
QByteArray Letters(qsizetype length) {
    QByteArray bytes(length, Qt::Uninitialized);
    for (qsizetype i = 0; i < length; ++i) {
        bytes[i] = static_cast<char>('a' + i % 26);
    }
    return bytes;
}

TEST_F(TextFileTest, ALongLineGivesItsFirst65534CharactersAndTheNextLineFollows) {
    const qsizetype longest = platform::kLongestLine;
    ASSERT_EQ(longest, 65534);
    const QByteArray kept = Letters(longest);
    const QByteArray huge = Letters(200000);
    const std::vector<LineEnds> cases = {
        {"one short of the longest", Letters(longest - 1) + "\r\nc", {Letters(longest - 1), "c"}},
        {"the longest", kept + "\r\nc", {kept, "c"}},
        {"the longest, then CR", kept + "\rc", {kept, "c"}},
        {"one over, lone LF", Letters(longest + 1) + "\nc", {kept, "c"}},
        {"one over, CR LF", Letters(longest + 1) + "\r\nc", {kept, "c"}},
        {"far over, CR LF", huge + "\r\nc\r\n", {kept, "c"}},
        {"far over, lone CR", huge + "\rc", {kept, "c"}},
        {"far over, then an empty line", huge + "\n\nc", {kept, "", "c"}},
        {"far over, at the end of the file", huge, {kept}},
        {"far over, CR at the end of the file", huge + "\r", {kept}},
        {"two in a row", huge + "\r\n" + huge + "\r\nc", {kept, kept, "c"}},
    };
    for (const LineEnds& c : cases) {
        ExpectLines(c);
    }
}

TEST_F(TextFileTest, ReadingPastTheEndRaises62) {
    const QString path = At(QStringLiteral("one.txt"));
    WriteBytes(path, "only\r\n");
    auto stream = FileSystemObject::OpenTextFile(path);
    EXPECT_EQ(stream->ReadLine(), "only");
    ExpectError(platform::ErrInputPastEndOfFile,
                "«Το αρχείο τελειώνει πριν από τα δεδομένα που χρειάζονται»",
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
    // Root ignores permissions: the checks run as a user they hold for.
    testsupport::RunUnprivileged({dir_.path()}, [&] {
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
        ExpectError(platform::ErrPermissionDenied, kDenied, [&] {
            FileSystemObject::CreateTextFile(locked + QStringLiteral("/game.tvx"));
        });
        QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        const QString unreadable = At(QStringLiteral("unreadable.tvx"));
        WriteBytes(unreadable, "x\r\n");
        QFile::setPermissions(unreadable, QFile::WriteOwner);
        ExpectError(platform::ErrPermissionDenied, kDenied,
                    [&] { FileSystemObject::OpenTextFile(unreadable); });
    });
}

// The entries of folder, a link with its target as written in it.
std::string Listing(const QString& folder) {
    QStringList entries;
    for (const QFileInfo& entry : QDir(folder).entryInfoList(
             QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name)) {
        QString text = entry.fileName();
        if (entry.isSymLink()) {
            char target[4096];
            const ssize_t size =
                readlink(QFile::encodeName(entry.filePath()).constData(), target, sizeof target);
            text += QStringLiteral(" -> ") + QString::fromLocal8Bit(target, size < 0 ? 0 : size);
        }
        entries << text;
    }
    return entries.join(QStringLiteral(", ")).toStdString();
}

struct LinkedSave {
    const char* name;
    const char* link;     // made in the test folder, to `target`
    const char* target;   // as written in the link
    int number;           // the save's run-time error, 0 when it is written
    const char* written;  // the file that then holds the new content
};

// A save through a symbolic link replaces the link's final target, so whether it may be written
// is the target's question and its folder's, not the link's folder's. Folder ro is read-only,
// rw writable.
TEST_F(TextFileTest, SaveThroughALinkIsDecidedWhereTheTargetIsReplaced) {
    const std::vector<LinkedSave> cases = {
        {"link in a read-only folder", "ro/game.tvx", "../rw/game.tvx", 0, "rw/game.tvx"},
        {"chain of links", "ro/chain.tvx", "game.tvx", 0, "rw/game.tvx"},
        {"dangling link", "ro/new.tvx", "../rw/new.tvx", 0, "rw/new.tvx"},
        {"read-only target", "ro/locked.tvx", "../rw/locked.tvx", platform::ErrPermissionDenied,
         nullptr},
        {"target in a read-only folder", "rw/kept.tvx", "../ro/kept.tvx",
         platform::ErrPermissionDenied, nullptr},
        {"dangling into a read-only folder", "rw/away.tvx", "../ro/away.tvx",
         platform::ErrPermissionDenied, nullptr},
        {"dangling into a missing folder", "rw/nowhere.tvx", "missing/game.tvx",
         platform::ErrPathNotFound, nullptr},
        // Qt replaces a loop of links itself, here in the read-only folder.
        {"loop of links", "ro/loop.tvx", "loop.tvx", platform::ErrPermissionDenied, nullptr},
    };
    testsupport::RunUnprivileged({dir_.path()}, [&] {
        const QString ro = At(QStringLiteral("ro"));
        const QString rw = At(QStringLiteral("rw"));
        ASSERT_TRUE(QDir().mkdir(ro) && QDir().mkdir(rw));
        WriteBytes(At(QStringLiteral("rw/game.tvx")), "old\r\n");
        WriteBytes(At(QStringLiteral("rw/locked.tvx")), "old\r\n");
        QFile::setPermissions(At(QStringLiteral("rw/locked.tvx")), QFile::ReadOwner);
        WriteBytes(At(QStringLiteral("ro/kept.tvx")), "old\r\n");
        for (const LinkedSave& c : cases) {
            ASSERT_EQ(
                symlink(c.target, QFile::encodeName(At(QString::fromUtf8(c.link))).constData()), 0)
                << c.link;
        }
        QFile::setPermissions(ro, QFile::ReadOwner | QFile::ExeOwner);
        const std::string roBefore = Listing(ro);

        for (const LinkedSave& c : cases) {
            SCOPED_TRACE(c.name);
            const QByteArray line = QByteArray("saved through ") + c.link;
            int number = 0;
            try {
                WriteLines(At(QString::fromUtf8(c.link)), {line});
            } catch (const RuntimeError& e) {
                number = e.Number();
            }
            EXPECT_EQ(number, c.number);
            if (c.written != nullptr) {
                EXPECT_EQ(ReadBytes(At(QString::fromUtf8(c.written))), line + "\r\n");
            }
        }

        // Every link stays a link; nothing is left beside the targets, no folder is made for the
        // dangling link.
        EXPECT_EQ(Listing(ro), roBefore);
        EXPECT_EQ(Listing(rw),
                  "away.tvx -> ../ro/away.tvx, game.tvx, kept.tvx -> ../ro/kept.tvx, locked.tvx, "
                  "new.tvx, nowhere.tvx -> missing/game.tvx");
        EXPECT_EQ(ReadBytes(At(QStringLiteral("ro/kept.tvx"))), "old\r\n");
        EXPECT_EQ(ReadBytes(At(QStringLiteral("rw/locked.tvx"))), "old\r\n");
        QFile::setPermissions(ro, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    });
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

// Opens path and reads it to its end; the number of the run-time error that ends it.
std::function<int()> OpenAndReadAll(const QString& path) {
    return [path] {
        try {
            const auto stream = FileSystemObject::OpenTextFile(path);
            for (;;) {
                stream->ReadLine();
            }
        } catch (const RuntimeError& e) {
            return e.Number();
        }
    };
}

// Each open runs in a child that is killed when it takes more than a few seconds, so an open
// or a read that waits fails the test instead of hanging it.
TEST_F(TextFileTest, AnythingButARegularFileFailsAtOnceWith75) {
    const QString fifo = At(QStringLiteral("pipe.tvx"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);

    // A writer that holds the pipe open after writing a line: reading it would wait for more.
    const QString heldFifo = At(QStringLiteral("held.tvx"));
    const QByteArray held = QFile::encodeName(heldFifo);
    ASSERT_EQ(mkfifo(held.constData(), 0600), 0);
    const int reader = open(held.constData(), O_RDONLY | O_NONBLOCK);
    const int writer = open(held.constData(), O_WRONLY | O_NONBLOCK);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(write(writer, "Kivuno\r\n", 8), 8);
    close(reader);

    const QString link = At(QStringLiteral("link.tvx"));
    ASSERT_TRUE(QFile::link(fifo, link));

    const QString socketPath = At(QStringLiteral("socket.tvx"));
    const int socketFd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray socketName = QFile::encodeName(socketPath);
    ASSERT_LT(socketName.size(), static_cast<qsizetype>(sizeof(address.sun_path)));
    std::memcpy(address.sun_path, socketName.constData(), socketName.size());
    ASSERT_EQ(bind(socketFd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);

    const std::pair<const char*, QString> cases[] = {
        {"FIFO", fifo},           {"FIFO with a writer holding it open", heldFifo},
        {"link to a FIFO", link}, {"/dev/zero", QStringLiteral("/dev/zero")},
        {"socket", socketPath},
    };
    for (const auto& [name, path] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(testsupport::RunInChild(OpenAndReadAll(path), std::chrono::seconds(5)),
                  platform::ErrPathFileAccess);
    }
    close(writer);
    close(socketFd);
}

// The most memory the process has held since the last reset, in KiB; 0 when unknown.
long PeakResidentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return 0;
}

bool ResetPeakResident() {
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    return clearRefs.open(QIODevice::WriteOnly) && clearRefs.write("5") == 1;
}

TEST_F(TextFileTest, ATenMegabyteLineIsReadInFlatMemory) {
    const QString path = At(QStringLiteral("huge.txt"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const QByteArray megabyte = Letters(1 << 20);
        for (int i = 0; i < 10; ++i) {
            ASSERT_EQ(file.write(megabyte), megabyte.size());
        }
        ASSERT_EQ(file.write("\r\nnext\r\n"), 8);
    }
    const QByteArray kept = Letters(platform::kLongestLine);
    if (!ResetPeakResident() || PeakResidentKiB() == 0) {
        GTEST_SKIP() << "the peak of resident memory cannot be reset or read here";
    }
    const long before = PeakResidentKiB();

    auto stream = FileSystemObject::OpenTextFile(path);
    EXPECT_EQ(stream->ReadLineView(), kept);
    EXPECT_EQ(stream->ReadLineView(), "next");
    EXPECT_THROW(stream->ReadLineView(), RuntimeError);
    stream->Close();

    EXPECT_LT(PeakResidentKiB() - before, 4 * 1024);
}

}  // namespace
