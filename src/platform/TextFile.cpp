#include "platform/TextFile.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "platform/FileErrors.h"
#include "platform/RuntimeError.h"

namespace platform {

namespace {

// Large enough to take the largest game file in one read.
constexpr qsizetype kFileBlock = 128 * 1024;

// Why `path` could not be opened for reading; called after the open failed.
int ReadOpenFailure(const QString& path) {
    const QFileInfo info(path);
    if (path.isEmpty()) {
        return ErrFileNotFound;
    }
    if (!info.exists()) {
        return FolderMissing(path) ? ErrPathNotFound : ErrFileNotFound;
    }
    if (info.isFile() && !info.isReadable()) {
        return ErrPermissionDenied;
    }
    return ErrPathFileAccess;
}

const char* FindLineEnd(const char* from, const char* to) {
    while (from != to && *from != '\r' && *from != '\n') {
        ++from;
    }
    return from;
}

// Splits what a device holds into lines. Its buffer takes a block behind the longest line it
// keeps, so every line is handed out in one piece; the rest of a longer line is skipped only
// when the next line is asked for, so a huge line costs nothing until then.
class TextReader final : public TextStream {
  public:
    TextReader(std::unique_ptr<QIODevice> device, qsizetype blockSize)
        : device_(std::move(device)),
          block_(blockSize),
          capacity_(kLongestLine + blockSize),
          buffer_(std::make_unique_for_overwrite<char[]>(capacity_)) {}

    QByteArrayView ReadLineView() override {
        if (!device_->isOpen()) {
            RaiseFileError(ErrBadFileMode);
        }
        if (skipRest_) {
            SkipRestOfLine();
        }
        if (skipLf_ && (begin_ < end_ || Fill())) {
            skipLf_ = false;
            if (buffer_[begin_] == '\n') {
                ++begin_;
            }
        }
        qsizetype scanned = 0;
        for (;;) {
            const char* line = buffer_.get() + begin_;
            const qsizetype limit = std::min(end_ - begin_, kLongestLine);
            const char* lineEnd = FindLineEnd(line + scanned, line + limit);
            if (lineEnd != line + limit) {
                begin_ += lineEnd - line + 1;
                skipLf_ = *lineEnd == '\r';
                return QByteArrayView(line, lineEnd - line);
            }
            if (limit == kLongestLine) {
                begin_ += kLongestLine;
                skipRest_ = true;
                return QByteArrayView(line, kLongestLine);
            }
            scanned = limit;
            if (!Fill()) {
                // A last line without a line end still counts; nothing after the last line end
                // does not.
                if (begin_ == end_) {
                    RaiseFileError(ErrInputPastEndOfFile);
                }
                const QByteArrayView last(buffer_.get() + begin_, end_ - begin_);
                begin_ = end_;
                return last;
            }
        }
    }

    void WriteLine(const QByteArray&) override { RaiseFileError(ErrBadFileMode); }

    void Close() override { device_->close(); }

  private:
    void SkipRestOfLine() {
        for (;;) {
            const char* from = buffer_.get() + begin_;
            const char* lineEnd = FindLineEnd(from, buffer_.get() + end_);
            if (lineEnd != buffer_.get() + end_) {
                begin_ += lineEnd - from + 1;
                skipLf_ = *lineEnd == '\r';
                break;
            }
            begin_ = end_;
            if (!Fill()) {
                break;
            }
        }
        skipRest_ = false;
    }

    // Reads the next block behind the unread bytes; false at the end of the device. Called only
    // while fewer than kLongestLine bytes are unread, so a whole block always fits.
    bool Fill() {
        if (atEnd_) {
            return false;
        }
        const qsizetype unread = end_ - begin_;
        if (unread <= 0) {
            begin_ = end_ = 0;
        } else if (capacity_ - end_ < block_) {
            std::memmove(buffer_.get(), buffer_.get() + begin_, unread);
            begin_ = 0;
            end_ = unread;
        }
        const qint64 got = device_->read(buffer_.get() + end_, block_);
        if (got < 0) {
            RaiseFileError(ErrPathFileAccess);
        }
        atEnd_ = got == 0;
        end_ += got;
        return !atEnd_;
    }

    std::unique_ptr<QIODevice> device_;
    qsizetype block_;
    qsizetype capacity_;
    std::unique_ptr<char[]> buffer_;
    qsizetype begin_ = 0;  // the unread bytes are [begin_, end_)
    qsizetype end_ = 0;
    bool atEnd_ = false;
    bool skipLf_ = false;    // the last line ended with CR: a LF right after it belongs to it
    bool skipRest_ = false;  // the last line was cut at kLongestLine
};

// `path` opened for reading when it is a regular file. Opening must not wait: an ordinary open
// of a FIFO blocks until a writer comes, and its reads until the writer writes.
std::unique_ptr<QFile> OpenRegularFile(const QString& path) {
    auto file = std::make_unique<QFile>();
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    if (name.contains('\0')) {
        RaiseFileError(ReadOpenFailure(path));
    }
    // A device is not even opened when it can be told apart beforehand: opening some has
    // effects of their own. The descriptor's own test below is the one that counts.
    struct stat status {};
    if (::stat(name.constData(), &status) == 0 && !S_ISREG(status.st_mode)) {
        RaiseFileError(ErrPathFileAccess);
    }
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        RaiseFileError(ReadOpenFailure(path));
    }
    const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    const int flags = regular ? ::fcntl(fd, F_GETFL) : -1;
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) < 0 ||
        !file->open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered,
                    QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        RaiseFileError(ErrPathFileAccess);
    }
#else
    file->setFileName(path);
    if (!file->open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        RaiseFileError(ReadOpenFailure(path));
    }
    if (!QFileInfo(path).isFile()) {
        RaiseFileError(ErrPathFileAccess);
    }
#endif
    return file;
}

}  // namespace

std::unique_ptr<TextStream> FileSystemObject::OpenTextFile(const QString& path) {
    return std::make_unique<TextReader>(OpenRegularFile(path), kFileBlock);
}

std::unique_ptr<TextStream> OpenTextBytes(const QByteArray& bytes, qsizetype blockSize) {
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(bytes);
    buffer->open(QIODevice::ReadOnly);
    return std::make_unique<TextReader>(std::move(buffer),
                                        std::clamp<qsizetype>(blockSize, 1, kFileBlock));
}

}  // namespace platform
