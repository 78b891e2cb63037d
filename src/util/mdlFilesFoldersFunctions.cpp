#include "util/mdlFilesFoldersFunctions.h"

#include <QFileInfo>
#include <QStringView>
#include <stdexcept>

namespace mdlFilesFoldersFunctions {

namespace {

// Positions are 1-based. Scans backwards from length - 1, so the final character is never
// tested, and stops at the highest position holding `target`, or at 1. Requires length >= 2.
qsizetype ScanBack(const QString& path, QChar target) {
    qsizetype p = path.size();
    do {
        --p;
    } while (path.at(p - 1) != target && p != 1);
    return p;
}

// The characters after 1-based position p, where p = 0 means the scan found no `target`.
QString AfterScan(const QString& path, QChar target) {
    qsizetype p = ScanBack(path, target);
    if (p == 1 && path.at(0) != target) {
        p = 0;
    }
    return path.right(path.size() - p);
}

}  // namespace

QString GetFileName(QString Path, QChar Separator) {
    if (Path.size() <= 1) {
        return QString();
    }
    return AfterScan(Path, Separator);
}

QString GetFileTitle(QString Path, QChar Separator) {
    return RemoveFileExtension(GetFileName(Path, Separator), Separator);
}

QString GetFolderPath(QString Path, QChar Separator) {
    if (Path.size() <= 1) {
        return QString();
    }
    return Path.left(ScanBack(Path, Separator) - 1);
}

QString GetFileExtension(QString Path, QChar /*Separator*/) {
    const QChar dot = u'.';
    if (Path.size() <= 1 || !Path.contains(dot)) {
        return QString();
    }
    return AfterScan(Path, dot);
}

QString RemoveFileExtension(QString Path, QChar Separator) {
    const QString extension = GetFileExtension(Path, Separator);
    if (extension.size() == Path.size()) {
        return QString();
    }
    if (!Path.contains(u'.')) {
        return Path;
    }
    return Path.left(Path.size() - extension.size() - 1);
}

bool FileExists(const QString& Path) {
    return !Path.isEmpty() && QFileInfo(Path).isFile();
}

QString GetUniqueFileName(QString Path, QChar Separator) {
    if (!FileExists(Path)) {
        return Path;
    }
    const QString base = RemoveFileExtension(Path, Separator);

    // Drop one trailing "[" digits "]" group, the digits possibly none.
    QString work = base;
    if (work.endsWith(u']')) {
        work.chop(1);
        while (!work.isEmpty() && QStringView(u"0123456789").contains(work.back())) {
            work.chop(1);
        }
        if (!work.isEmpty() && work.back() == u'[') {
            work.chop(1);
        } else {
            work = base;
        }
    }

    const QString extension = GetFileExtension(Path, Separator);
    for (int n = 1; n <= 32767; ++n) {
        const QString candidate =
            work + u'[' + QString::number(n) + QStringLiteral("].") + extension;
        if (!FileExists(candidate)) {
            return candidate;
        }
    }
    throw std::overflow_error("GetUniqueFileName: every numbered name up to 32767 exists");
}

}  // namespace mdlFilesFoldersFunctions
