#include <QSaveFile>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "platform/FileErrors.h"
#include "platform/RuntimeError.h"
#include "platform/SaveCheck.h"
#include "platform/TextFile.h"

namespace platform {

namespace {

// The run-time error for a save that `check` refuses, or 0 when nothing speaks against it yet.
int WriteOpenFailure(const SaveCheck& check) {
    switch (check.refusal) {
        case SaveCheck::kAllowed:
            return 0;
        case SaveCheck::kFolderMissing:
            return ErrPathNotFound;
        case SaveCheck::kFileReadOnly:
        case SaveCheck::kFolderReadOnly:
            return ErrPermissionDenied;
        case SaveCheck::kNoFile:
            break;
    }
    return ErrPathFileAccess;
}

// Writes all of bytes; 0 when done, else the system's error.
int WriteAll(QFileDevice& file, const QByteArray& bytes) {
#ifdef Q_OS_UNIX
    const int fd = file.handle();
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (written == 0) {
            return EIO;
        }
        data += written;
        left -= written;
    }
    return 0;
#else
    return file.write(bytes) == bytes.size() ? 0 : EIO;
#endif
}

// Asks the system to put the written bytes on the disk, so that a failure it only finds then
// still reaches the player; 0 when done, else the system's error.
int SyncToDisk(QFileDevice& file) {
#ifdef Q_OS_UNIX
    while (::fsync(file.handle()) != 0) {
        if (errno != EINTR) {
            return errno == EINVAL ? 0 : errno;  // a file system that cannot sync
        }
    }
    return 0;
#else
    return file.flush() ? 0 : EIO;
#endif
}

int OpenFailure(const QFileDevice& file) {
    return file.error() == QFileDevice::PermissionsError ? ErrPermissionDenied : ErrPathFileAccess;
}

// Lines are gathered and handed to the system in blocks of about this size.
constexpr qsizetype kWriteBlock = 64 * 1024;

// Writes to a temporary file that replaces the named one only at Close; released without
// Close, the temporary file is removed and the named one stays as it was. Every write is
// checked where the system answers it, so a full disk or a file-size limit is a failure and
// never a short file: the previous file stays as it was and the temporary one is removed, as
// it is when the final replacement fails.
class TextWriter final : public TextStream {
  public:
    explicit TextWriter(const QString& path) : file_(path) {
        const SaveCheck check = CheckSave(path);
        if (const int failure = WriteOpenFailure(check)) {
            RaiseFileError(failure);
        }
        replaced_ = check.file;
        // Unbuffered: nothing is left in a buffer of Qt's whose write-out could fail unseen.
        if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            const int failure = WriteOpenFailure(CheckSave(path));
            RaiseFileError(failure ? failure : OpenFailure(file_));
        }
    }

    QByteArrayView ReadLineView() override { RaiseFileError(ErrBadFileMode); }

    void WriteLine(const QByteArray& line) override {
        if (!file_.isOpen()) {
            RaiseFileError(ErrBadFileMode);
        }
        pending_.append(line);
        pending_.append("\r\n", 2);
        if (pending_.size() >= kWriteBlock) {
            WritePending();
        }
    }

    void Close() override {
        if (!file_.isOpen()) {
            return;
        }
        WritePending();
        if (const int error = SyncToDisk(file_)) {
            Fail(error);
        }
        // Asked again, as the attribute may have come since the file was created. Where the file
        // system offers O_TMPFILE (on Linux), the new content has no name in the folder until the
        // commit, so cancelled it leaves nothing; elsewhere it lies under a temporary name beside
        // the file, which the cancel removes unless the folder now refuses it.
        if (ReplacementRefused(replaced_)) {
            Fail(EPERM);
        }
        errno = 0;
        if (!file_.commit()) {
            // The rename failed and Qt removed the temporary file; errno is the system's reason
            // (that of the rename, or of a refused removal after it).
            const int error = errno;
            if (file_.error() == QFileDevice::RenameError && error != 0) {
                throw WriteFailure(error);
            }
            RaiseFileError(OpenFailure(file_));
        }
    }

  private:
    void WritePending() {
        if (const int error = WriteAll(file_, pending_)) {
            Fail(error);
        }
        pending_.clear();
    }

    // Discards the temporary file, then raises the failure that the system's error stands for.
    [[noreturn]] void Fail(int systemError) {
        pending_.clear();
        file_.cancelWriting();
        file_.commit();
        throw WriteFailure(systemError);
    }

    QSaveFile file_;
    QString replaced_;  // the file file_ replaces at the commit
    QByteArray pending_;
};

}  // namespace

std::unique_ptr<TextStream> FileSystemObject::CreateTextFile(const QString& path) {
    return std::make_unique<TextWriter>(path);
}

}  // namespace platform
