#pragma once

#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <QDirIterator>
#include <QFile>
#include <QString>
#include <QStringList>
#include <chrono>
#include <cstdio>
#include <exception>
#include <functional>

#include "support/ChildProcess.h"

namespace testsupport {

namespace unprivileged {

enum Exit { kPassed = 0, kFailed = 1, kNoSwitch = 2, kUnreachable = 3 };

inline int FailedParts() {
    const testing::TestResult* result =
        testing::UnitTest::GetInstance()->current_test_info()->result();
    int failed = 0;
    for (int i = 0; i < result->total_part_count(); ++i) {
        failed += result->GetTestPartResult(i).failed() ? 1 : 0;
    }
    return failed;
}

inline int Leave(int code, const char* what = nullptr, const QString& path = QString()) {
    if (what != nullptr) {
        std::fprintf(stderr, "unprivileged child: %s %s\n", what, qPrintable(path));
    }
    std::fflush(stdout);
    std::fflush(stderr);
    return code;
}

}  // namespace unprivileged

// Runs body, whose checks need file permissions to hold, as a user they hold for. A normal user
// runs it here. Root runs it in a forked child that gives `folders`, and everything in them, to
// nobody and its group, then drops to that user; the child's failures are printed there and
// reach this test through the child's exit code. Skips only where root cannot become nobody.
// The folders' parents must let nobody through.
inline void RunUnprivileged(const QStringList& folders, const std::function<void()>& body,
                            std::chrono::milliseconds allowed = std::chrono::seconds(60)) {
    using namespace unprivileged;
    if (geteuid() != 0) {
        body();
        return;
    }
    const passwd* nobody = getpwnam("nobody");
    if (nobody == nullptr) {
        GTEST_SKIP() << "running as root, and there is no user nobody to give root up for";
    }
    const uid_t uid = nobody->pw_uid;
    const gid_t gid = nobody->pw_gid;
    const int failedBefore = FailedParts();
    // What is buffered now would be written twice, once by the child.
    std::fflush(stdout);
    std::fflush(stderr);
    const auto code = RunInChild(
        [&] {
            for (const QString& folder : folders) {
                const QByteArray name = QFile::encodeName(folder);
                if (lchown(name.constData(), uid, gid) != 0) {
                    return Leave(kNoSwitch, "cannot hand over", folder);
                }
                QDirIterator it(
                    folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
                while (it.hasNext()) {
                    const QByteArray entry = QFile::encodeName(it.next());
                    if (lchown(entry.constData(), uid, gid) != 0) {
                        return Leave(kNoSwitch, "cannot hand over", it.filePath());
                    }
                }
            }
            if (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0 ||
                geteuid() == 0) {
                return Leave(kNoSwitch, "cannot become nobody");
            }
            for (const QString& folder : folders) {
                if (access(QFile::encodeName(folder).constData(), R_OK | W_OK | X_OK) != 0) {
                    return Leave(kUnreachable, "nobody cannot reach", folder);
                }
            }
            try {
                body();
            } catch (const std::exception& e) {
                ADD_FAILURE() << "exception: " << e.what();
            } catch (...) {
                ADD_FAILURE() << "an exception of an unknown type";
            }
            return FailedParts() > failedBefore ? Leave(kFailed, "checks failed, as printed above")
                                                : Leave(kPassed);
        },
        allowed);
    ASSERT_TRUE(code.has_value()) << "the child running as nobody crashed or did not end in time";
    if (*code == kNoSwitch) {
        GTEST_SKIP() << "running as root, and root cannot be given up for nobody here";
    }
    ASSERT_NE(*code, kUnreachable) << "the folders' parents must let nobody through";
    EXPECT_EQ(*code, kPassed) << "the case failed as nobody (its failures are printed above)";
}

}  // namespace testsupport
