#include "platform/TextFile.h"

#include <QFile>
#include <QFileInfo>

#include "platform/FileErrors.h"
#include "platform/RuntimeError.h"

namespace platform {

namespace {

constexpr qint64 kReadChunk = 64 * 1024;

}  // namespace

[[noreturn]] void RaiseFileError(int number) {
    switch (number) {
        case ErrFileNotFound:
            throw RuntimeError(number, QStringLiteral("Το αρχείο δεν βρέθηκε"));
        case ErrInputPastEndOfFile:
            throw RuntimeError(number, QStringLiteral("Ανάγνωση πέρα από το τέλος του αρχείου"));
        case ErrPermissionDenied:
            throw RuntimeError(number, QStringLiteral("Δεν επιτρέπεται η πρόσβαση"));
        case ErrPathNotFound:
            throw RuntimeError(number, QStringLiteral("Η διαδρομή δεν βρέθηκε"));
        case kErrBadFileMode:
            throw RuntimeError(number, QStringLiteral("Εσφαλμένη λειτουργία αρχείου"));
        default:
            throw RuntimeError(ErrPathFileAccess,
                               QStringLiteral("Σφάλμα πρόσβασης διαδρομής/αρχείου"));
    }
}

bool FolderMissing(const QString& path) {
    return !QFileInfo(QFileInfo(path).absolutePath()).isDir();
}

namespace {

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

class TextReader final : public TextStream {
  public:
    explicit TextReader(const QString& path) : file_(path) {
        if (!file_.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
            RaiseFileError(ReadOpenFailure(path));
        }
    }

    QByteArray ReadLine() override {
        if (!file_.isOpen()) {
            RaiseFileError(kErrBadFileMode);
        }
        QByteArray line;
        for (;;) {
            if (pos_ == buffer_.size() && !Fill()) {
                // A last line without a line end still counts; nothing after the last line end does
                // not.
                if (line.isEmpty()) {
                    RaiseFileError(ErrInputPastEndOfFile);
                }
                return line;
            }
            // After a CR at the end of the previous chunk, a leading LF belongs to that line end.
            if (skipLf_) {
                skipLf_ = false;
                if (buffer_.at(pos_) == '\n') {
                    ++pos_;
                    continue;
                }
            }
            const char* begin = buffer_.constData() + pos_;
            const char* end = buffer_.constData() + buffer_.size();
            const char* p = begin;
            while (p != end && *p != '\r' && *p != '\n') {
                ++p;
            }
            line.append(begin, p - begin);
            pos_ += p - begin;
            if (p == end) {
                continue;
            }
            ++pos_;
            if (*p == '\r') {
                if (pos_ < buffer_.size()) {
                    if (buffer_.at(pos_) == '\n') {
                        ++pos_;
                    }
                } else {
                    skipLf_ = true;
                }
            }
            return line;
        }
    }

    void WriteLine(const QByteArray&) override { RaiseFileError(kErrBadFileMode); }

    void Close() override { file_.close(); }

  private:
    // Reads the next chunk; false at the end of the file.
    bool Fill() {
        buffer_.resize(kReadChunk);
        const qint64 got = file_.read(buffer_.data(), kReadChunk);
        if (got < 0) {
            buffer_.clear();
            pos_ = 0;
            RaiseFileError(ErrPathFileAccess);
        }
        buffer_.resize(got);
        pos_ = 0;
        return got > 0;
    }

    QFile file_;
    QByteArray buffer_;
    qsizetype pos_ = 0;
    bool skipLf_ = false;
};

}  // namespace

std::unique_ptr<TextStream> FileSystemObject::CreateTextFile(const QString& path) {
    return CreateTextWriter(path);
}

std::unique_ptr<TextStream> FileSystemObject::OpenTextFile(const QString& path) {
    return std::make_unique<TextReader>(path);
}

}  // namespace platform
