#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/Process.h"
#include "platform/RuntimeError.h"
#include "platform/TextFile.h"
#include "support/ChildProcess.h"
#include "support/WrittenFiles.h"

namespace {

using platform::RuntimeError;

// What the child reports by its exit code. A child that a signal ends reports nothing.
constexpr int kSizeErrorThenSaved = 0;
constexpr int kNoError = 1;
constexpr int kOtherError = 2;
constexpr int kNoLimit = 3;
constexpr int kSecondSaveFailed = 4;

// The program's start-up under a file-size limit, with the signal's default action as a shell
// leaves it: a save that outgrows the limit is the size error, and the program goes on (a
// smaller save after it succeeds).
int SaveUnderSizeLimit(const QString& path) {
    signal(SIGXFSZ, SIG_DFL);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 300;
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) {
        return kNoLimit;
    }
    static int argc = 1;
    static char name[] = "tarvex";
    static char* argv[] = {name, nullptr};
    const auto app = platform::StartApplication(argc, argv);
    try {
        testsupport::WriteLetterLines(path, 48);
        return kNoError;
    } catch (const RuntimeError& error) {
        if (error.Number() != platform::ErrPathFileAccess ||
            error.Description() !=
                QStringLiteral("«Το αρχείο ξεπερνά το μέγεθος που επιτρέπεται»")) {
            return kOtherError;
        }
    }
    try {
        testsupport::WriteLetterLines(path, 2);
    } catch (const RuntimeError&) {
        return kSecondSaveFailed;
    }
    return kSizeErrorThenSaved;
}

TEST(ProcessTest, FileSizeLimitFailsTheSaveWithoutEndingTheProgram) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("game.tvx"));
    ASSERT_TRUE(testsupport::PutFile(path, testsupport::kPreviousFile));

    const auto code =
        testsupport::RunInChild([&] { return SaveUnderSizeLimit(path); }, std::chrono::seconds(20));
    ASSERT_TRUE(code.has_value()) << "the child did not exit by itself (ended by a signal?)";
    EXPECT_EQ(*code, kSizeErrorThenSaved);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray(40, 'a') + "\r\n" + QByteArray(40, 'b') + "\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("game.tvx")});
}

}  // namespace
