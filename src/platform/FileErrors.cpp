#include "platform/FileErrors.h"

#include <QFileInfo>
#include <cerrno>
#include <cstring>

namespace platform {

[[noreturn]] void RaiseFileError(int number) {
    switch (number) {
        case ErrFileNotFound:
        case ErrInputPastEndOfFile:
        case ErrPermissionDenied:
        case ErrPathNotFound:
        case ErrBadFileMode:
            throw RuntimeError(number);
        default:
            throw RuntimeError(ErrPathFileAccess);
    }
}

bool FolderMissing(const QString& path) {
    return !QFileInfo(QFileInfo(path).absolutePath()).isDir();
}

RuntimeError WriteFailure(int systemError) {
    const char* sentence = nullptr;
    switch (systemError) {
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return RuntimeError(ErrDiskFull);
        case EACCES:
        case EPERM:
        case EROFS:
            return RuntimeError(ErrPermissionDenied);
        case EFBIG:
            sentence = "Το αρχείο ξεπερνά το μέγεθος που επιτρέπεται";
            break;
        case EIO:
            sentence = "Η συσκευή του δίσκου δεν ολοκλήρωσε την εγγραφή";
            break;
        case EISDIR:
            sentence = "Η διαδρομή είναι φάκελος";
            break;
        case ENAMETOOLONG:
            sentence = "Το όνομα του αρχείου είναι πολύ μεγάλο";
            break;
        default:
            // A failure the program has no sentence for: the system's own words.
            return RuntimeError(
                ErrPathFileAccess,
                QuotedDescription(QStringLiteral("Η εγγραφή του αρχείου απέτυχε (") +
                                  QString::fromLocal8Bit(std::strerror(systemError)) +
                                  QLatin1Char(')')));
    }
    return RuntimeError(ErrPathFileAccess, QuotedDescription(QString::fromUtf8(sentence)));
}

}  // namespace platform
