#include "platform/SaveCheck.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "platform/FileErrors.h"

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

// The file QSaveFile replaces for `path`: its links followed one at a time, with QSaveFile's
// limit; a loop, or a longer chain, leaves the link itself to be replaced.
QString ReplacedFile(const QString& path) {
    QFileInfo info(path);
    if (!info.isSymLink()) {
        return path;
    }
    int depth = 128;
    while (--depth && info.isSymLink()) {
        info.setFile(info.symLinkTarget());
    }
    return depth > 0 ? info.filePath() : path;
}

}  // namespace

bool ReplacementRefused(const QString& file) {
    return ReplaceRefusing(QFileInfo(file).absolutePath()) || ReplaceRefusing(file);
}

SaveCheck CheckSave(const QString& path) {
    SaveCheck check;
    check.file = ReplacedFile(path);
    const QFileInfo info(check.file);
    check.folder = info.absolutePath();
    if (path.isEmpty() || (info.exists() && !info.isFile())) {
        check.refusal = SaveCheck::kNoFile;
    } else if (info.exists() && (!info.isWritable() || ReplaceRefusing(check.file))) {
        check.refusal = SaveCheck::kFileReadOnly;
    } else if (FolderMissing(check.file)) {
        check.refusal = SaveCheck::kFolderMissing;
    } else if (!QFileInfo(check.folder).isWritable() || ReplaceRefusing(check.folder)) {
        check.refusal = SaveCheck::kFolderReadOnly;
    }
    return check;
}

}  // namespace platform
