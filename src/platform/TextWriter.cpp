#include <QFileInfo>
#include <QSaveFile>

#include "platform/FileErrors.h"
#include "platform/RuntimeError.h"
#include "platform/TextFile.h"

namespace platform {

namespace {

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

// Writes to a temporary file that replaces the named one only at Close; released without
// Close, the temporary file is removed and the named one stays as it was.
class TextWriter final : public TextStream {
  public:
    explicit TextWriter(const QString& path) : file_(path) {
        if (const int failure = WriteOpenFailure(path)) {
            RaiseFileError(failure);
        }
        if (!file_.open(QIODevice::WriteOnly)) {
            const int failure = WriteOpenFailure(path);
            RaiseFileError(failure ? failure : WriteFailure(file_));
        }
    }

    QByteArray ReadLine() override { RaiseFileError(kErrBadFileMode); }

    void WriteLine(const QByteArray& line) override {
        if (!file_.isOpen()) {
            RaiseFileError(kErrBadFileMode);
        }
        if (file_.write(line) != line.size() || file_.write("\r\n", 2) != 2) {
            const int failure = WriteFailure(file_);
            file_.cancelWriting();
            RaiseFileError(failure);
        }
    }

    void Close() override {
        if (!file_.isOpen()) {
            return;
        }
        if (!file_.commit()) {
            RaiseFileError(WriteFailure(file_));
        }
    }

  private:
    QSaveFile file_;
};

}  // namespace

std::unique_ptr<TextStream> CreateTextWriter(const QString& path) {
    return std::make_unique<TextWriter>(path);
}

}  // namespace platform
