#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <optional>
#include <string>

#include "platform/RuntimeError.h"
#include "platform/TextFile.h"
#include "support/WrittenFiles.h"

namespace {

using platform::FileSystemObject;
using platform::RuntimeError;

// Sets or clears the append-only attribute (chattr +a); false when the file system or the user
// may not.
bool SetAppendOnly(const QString& path, bool on) {
    const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    int flags = 0;
    bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? flags | FS_APPEND_FL : flags & ~FS_APPEND_FL;
        done = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    close(fd);
    return done;
}

// Clears the attribute of everything it set, so that the temporary folder can be removed.
class AppendOnly {
  public:
    AppendOnly() = default;
    AppendOnly(const AppendOnly&) = delete;
    AppendOnly& operator=(const AppendOnly&) = delete;
    ~AppendOnly() {
        for (const QString& path : paths_) {
            SetAppendOnly(path, false);
        }
    }
    bool Set(const QString& path) {
        paths_.append(path);
        return SetAppendOnly(path, true);
    }

  private:
    QStringList paths_;
};

const QByteArray kPrevious = testsupport::kPreviousFile;

// A game file of 48 lines; `beforeClose` runs between the last line and Close. The run-time
// error that stopped it, or nullopt.
std::optional<RuntimeError> Save(const QString& path, const std::function<void()>& beforeClose) {
    try {
        auto stream = FileSystemObject::CreateTextFile(path);
        for (int i = 0; i < 48; ++i) {
            stream->WriteLine("0123456789");
        }
        beforeClose();
        stream->Close();
    } catch (const RuntimeError& error) {
        return error;
    }
    return std::nullopt;
}

// The names in folder, one after the other.
std::string Entries(const QString& folder) {
    return QDir(folder)
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)
        .join(QLatin1Char(' '))
        .toStdString();
}

struct RefusalCase {
    const char* name;
    bool onFolder;      // the attribute is on the folder, else on the file
    bool existing;      // a previous file is to be replaced, else a new one made
    bool whileWriting;  // the attribute comes after CreateTextFile, before Close
    friend void PrintTo(const RefusalCase& c, std::ostream* os) { *os << c.name; }
};

class RefusedReplacementTest : public testing::TestWithParam<RefusalCase> {};

// Where the system refuses renames and removals (an append-only folder or file), a save is the
// read-only error, at every try; the previous file stays byte for byte and nothing else appears
// beside it.
TEST_P(RefusedReplacementTest, RefusedIsReadOnlyAndLeavesNothing) {
    const RefusalCase& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    AppendOnly appendOnly;  // declared after dir: cleared before dir is removed
    const QString path = dir.filePath(QStringLiteral("game.tvx"));
    if (c.existing) {
        ASSERT_TRUE(testsupport::PutFile(path, kPrevious));
    }
    if (geteuid() != 0 || !SetAppendOnly(dir.path(), true) || !SetAppendOnly(dir.path(), false)) {
        GTEST_SKIP() << "the append-only attribute cannot be set here (needs root and a file "
                        "system such as ext4)";
    }
    const QString refusing = c.onFolder ? dir.path() : path;
    const auto setAttribute = [&] { ASSERT_TRUE(appendOnly.Set(refusing)); };
    if (!c.whileWriting) {
        setAttribute();
    }

    for (int attempt = 1; attempt <= 2; ++attempt) {
        SCOPED_TRACE(attempt);
        const auto error = Save(path, [&] {
            if (c.whileWriting && attempt == 1) {
                setAttribute();
            }
        });
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->Number(), platform::ErrPermissionDenied);
        if (c.existing) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            EXPECT_EQ(file.readAll(), kPrevious);
            EXPECT_EQ(Entries(dir.path()), "game.tvx");
        } else {
            EXPECT_EQ(Entries(dir.path()), "");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AppendOnly, RefusedReplacementTest,
                         testing::Values(RefusalCase{"ReplacingInAFolder", true, true, false},
                                         RefusalCase{"NewFileInAFolder", true, false, false},
                                         RefusalCase{"FolderMadeSoWhileWriting", true, true, true},
                                         RefusalCase{"ReplacingAFile", false, true, false}),
                         [](const testing::TestParamInfo<RefusalCase>& info) {
                             return info.param.name;
                         });

// A replacement that fails for another reason (a folder took the file's name while it was
// written) says why, and removes the temporary file.
TEST(FailedReplacementTest, SaysWhyAndRemovesTheTemporaryFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("game.tvx"));
    const auto error = Save(path, [&] { ASSERT_TRUE(QDir().mkdir(path)); });

    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->Number(), platform::ErrPathFileAccess);
    EXPECT_EQ(error->Description().toStdString(), "«Η διαδρομή είναι φάκελος»");
    EXPECT_EQ(Entries(dir.path()), "game.tvx");
    EXPECT_TRUE(QFileInfo(path).isDir());
}

}  // namespace
