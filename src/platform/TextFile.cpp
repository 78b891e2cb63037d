#include "platform/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "platform/RuntimeError.h"

namespace platform {

namespace {

// Using a stream the wrong way: reading a file opened for writing, or a closed stream.
constexpr int kErrBadFileMode = 54;

constexpr qint64 kReadChunk = 64 * 1024;

[[noreturn]] void Raise(int number) {
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

// The folder that would hold `path` is missing, or is no folder.
bool FolderMissing(const QString& path) {
    return !QFileInfo(QFileInfo(path).absolutePath()).isDir();
}

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
    if (!QFileInfo(info.absolutePath()).isWritable()) {
        return ErrPermissionDenied;
    }
    return 0;
}

int WriteFailure(const QFileDevice& file) {
    return file.error() == QFileDevice::PermissionsError ? ErrPermissionDenied : ErrPathFileAccess;
}

class TextReader final : public TextStream {
  public:
    explicit TextReader(const QString& path) : file_(path) {
        if (!file_.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
            Raise(ReadOpenFailure(path));
        }
    }

    QByteArray ReadLine() override {
        if (!file_.isOpen()) {
            Raise(kErrBadFileMode);
        }
        QByteArray line;
        for (;;) {
            if (pos_ == buffer_.size() && !Fill()) {
                // A last line without a line end still counts; nothing after the last line end does
                // not.
                if (line.isEmpty()) {
                    Raise(ErrInputPastEndOfFile);
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

    void WriteLine(const QByteArray&) override { Raise(kErrBadFileMode); }

    void Close() override { file_.close(); }

  private:
    // Reads the next chunk; false at the end of the file.
    bool Fill() {
        buffer_.resize(kReadChunk);
        const qint64 got = file_.read(buffer_.data(), kReadChunk);
        if (got < 0) {
            buffer_.clear();
            pos_ = 0;
            Raise(ErrPathFileAccess);
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

// Writes to a temporary file that replaces the named one only at Close; released without
// Close, the temporary file is removed and the named one stays as it was.
class TextWriter final : public TextStream {
  public:
    explicit TextWriter(const QString& path) : file_(path) {
        if (const int failure = WriteOpenFailure(path)) {
            Raise(failure);
        }
        if (!file_.open(QIODevice::WriteOnly)) {
            const int failure = WriteOpenFailure(path);
            Raise(failure ? failure : WriteFailure(file_));
        }
    }

    QByteArray ReadLine() override { Raise(kErrBadFileMode); }

    void WriteLine(const QByteArray& line) override {
        if (!file_.isOpen()) {
            Raise(kErrBadFileMode);
        }
        if (file_.write(line) != line.size() || file_.write("\r\n", 2) != 2) {
            const int failure = WriteFailure(file_);
            file_.cancelWriting();
            Raise(failure);
        }
    }

    void Close() override {
        if (!file_.isOpen()) {
            return;
        }
        if (!file_.commit()) {
            Raise(WriteFailure(file_));
        }
    }

  private:
    QSaveFile file_;
};

}  // namespace

std::unique_ptr<TextStream> FileSystemObject::CreateTextFile(const QString& path) {
    return std::make_unique<TextWriter>(path);
}

std::unique_ptr<TextStream> FileSystemObject::OpenTextFile(const QString& path) {
    return std::make_unique<TextReader>(path);
}

}  // namespace platform
