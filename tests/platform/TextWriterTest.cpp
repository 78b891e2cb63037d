#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/RuntimeError.h"
#include "platform/TextFile.h"
#include "support/ChildProcess.h"
#include "support/FileSizeLimit.h"
#include "support/WrittenFiles.h"

namespace {

using platform::FileSystemObject;
using platform::RuntimeError;

// What the child reports by its exit code.
constexpr int kRaisedPathFileAccess = 0;
constexpr int kNoError = 1;
constexpr int kOtherError = 2;

// Writes `lines` lines of 40 characters to path with the file size limited to `limit` bytes, as
// a full disk or a quota would stop it.
int WriteUnderSizeLimit(const QString& path, int lines, rlim_t limit) {
    const testsupport::FileSizeLimit sizeLimit(limit);
    if (!sizeLimit.Applied()) {
        return kOtherError;
    }
    try {
        testsupport::WriteLetterLines(path, lines);
    } catch (const RuntimeError& error) {
        return error.Number() == platform::ErrPathFileAccess && !error.Description().isEmpty()
                   ? kRaisedPathFileAccess
                   : kOtherError;
    }
    return kNoError;
}

struct LimitCase {
    const char* name;
    int lines;
    rlim_t limit;
    friend void PrintTo(const LimitCase& c, std::ostream* os) { *os << c.name; }
};

class WriteFailureTest : public testing::TestWithParam<LimitCase> {};

// A write that the system stops part-way is a failure wherever it comes: in a line, or in the
// last block written at Close. The file it was to replace stays byte for byte, and no
// temporary file is left beside it.
TEST_P(WriteFailureTest, FailedWriteRaisesAndKeepsThePreviousFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("game.tvx"));
    const QByteArray previous = testsupport::kPreviousFile;
    ASSERT_TRUE(testsupport::PutFile(path, previous));

    const auto code = testsupport::RunInChild(
        [&] { return WriteUnderSizeLimit(path, GetParam().lines, GetParam().limit); },
        std::chrono::seconds(20));
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(*code, kRaisedPathFileAccess);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), previous);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("game.tvx")});
}

INSTANTIATE_TEST_SUITE_P(
    Limits, WriteFailureTest,
    testing::Values(LimitCase{"ShortFileStoppedAtClose", 48, 100},
                    LimitCase{"LongFileStoppedInALine", 20028, 4096},
                    LimitCase{"LongFileStoppedNearItsEnd", 20028, 20028 * 42 - 1}),
    [](const testing::TestParamInfo<LimitCase>& info) { return info.param.name; });

// A real full disk: a file system of 16 KB, which only root can mount.
TEST(FullDiskTest, NoSpaceLeftIsDiskFull) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray mountPoint = QFile::encodeName(dir.path());
    if (geteuid() != 0 || mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=16k") != 0) {
        GTEST_SKIP() << "cannot mount a small file system here";
    }
    const QString path = dir.filePath(QStringLiteral("game.tvx"));
    const QByteArray previous = "Kivuno\r\n";
    ASSERT_TRUE(testsupport::PutFile(path, previous));
    int number = 0;
    try {
        auto stream = FileSystemObject::CreateTextFile(path);
        for (int i = 0; i < 20028; ++i) {
            stream->WriteLine("0123456789");
        }
        stream->Close();
    } catch (const RuntimeError& error) {
        number = error.Number();
    }
    QFile file(path);
    const bool opened = file.open(QIODevice::ReadOnly);
    const QByteArray after = file.readAll();
    file.close();
    const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    umount2(mountPoint.constData(), MNT_DETACH);

    EXPECT_EQ(number, platform::ErrDiskFull);
    EXPECT_TRUE(opened);
    EXPECT_EQ(after, previous);
    EXPECT_EQ(left, QStringList{QStringLiteral("game.tvx")});
}

}  // namespace
