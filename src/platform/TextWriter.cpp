#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#endif

#include "platform/FileErrors.h"
#include "platform/RuntimeError.h"
#include "platform/TextFile.h"

namespace platform {

namespace {

// `path` (a file or a folder) carries the append-only or the immutable attribute, so none of
// its entries may be renamed or removed. False when it is missing or nothing can be learnt.
bool ReplaceRefusing(const QString& path) {
#ifdef Q_OS_LINUX
    const QByteArray name = QFile::encodeName(path);
    struct statx info {};
    if (statx(AT_FDCWD, name.constData(), 0, STATX_TYPE, &info) != 0) {
        return false;
    }
    constexpr quint64 kRefusing = STATX_ATTR_APPEND | STATX_ATTR_IMMUTABLE;
    if ((info.stx_attributes_mask & kRefusing) == kRefusing) {
        return (info.stx_attributes & kRefusing) != 0;
    }
    // A file system that reports no attributes with statx may still answer the older call.
    if (!S_ISREG(info.stx_mode) && !S_ISDIR(info.stx_mode)) {
        return false;
    }
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    int flags = 0;
    const bool known = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    ::close(fd);
    return known && (flags & (FS_APPEND_FL | FS_IMMUTABLE_FL)) != 0;
#else
    Q_UNUSED(path);
    return false;
#endif
}

// The new content is linked into the folder under a temporary name and renamed over `path`:
// in an append-only or immutable folder, or over such a file, the system refuses the rename
// and the removal of the temporary name alike, which would then stay behind. So no file is
// written there at all; a new file in such a folder is refused too, as the next save of it
// would be.
bool ReplacementRefused(const QString& path) {
    const QFileInfo info(path);
    const QString target = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    return ReplaceRefusing(QFileInfo(target).absolutePath()) || ReplaceRefusing(target);
}

// Why `path` may not be written, or 0 when nothing speaks against it yet.
int WriteOpenFailure(const QString& path) {
    if (path.isEmpty()) {
        return ErrPathFileAccess;
    }
    const QFileInfo info(path);
    if (info.exists()) {
        if (!info.isFile()) {
            return ErrPathFileAccess;
        }
        if (!info.isWritable()) {
            return ErrPermissionDenied;
        }
    }
    if (FolderMissing(path)) {
        return ErrPathNotFound;
    }
    // The new content goes to a temporary file beside the old one, so the folder must be
    // writable even when the file itself is.
    if (!QFileInfo(info.absolutePath()).isWritable() || ReplacementRefused(path)) {
        return ErrPermissionDenied;
    }
    return 0;
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
        if (const int failure = WriteOpenFailure(path)) {
            RaiseFileError(failure);
        }
        // Unbuffered: nothing is left in a buffer of Qt's whose write-out could fail unseen.
        if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            const int failure = WriteOpenFailure(path);
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
        if (ReplacementRefused(file_.fileName())) {
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
    QByteArray pending_;
};

}  // namespace

std::unique_ptr<TextStream> FileSystemObject::CreateTextFile(const QString& path) {
    return std::make_unique<TextWriter>(path);
}

}  // namespace platform
