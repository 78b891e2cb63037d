#include "recent/mdlRecentFiles.h"

#include "util/mdlStringFunctions.h"

namespace mdlRecentFiles {

QString ShortenPath(const QString& Path, int MinCut, int MinHead, int MinTail, QChar Separator) {
    using mdlStringFunctions::InStrNth;
    using mdlStringFunctions::InStrRevNth;

    const QString separator(Separator);
    const qsizetype length = Path.size();

    qsizetype h = 0;
    for (int k = 1;; ++k) {
        h = InStrNth(1, Path, separator, k);
        if (h == 0 || (h > MinHead && k >= 3)) {
            break;
        }
    }

    qsizetype p = 0;
    for (int k = 1;; ++k) {
        p = InStrRevNth(1, Path, separator, k);
        if (p == 0 || (length - p + 1 > MinTail && k >= 2)) {
            break;
        }
    }

    if (h == 0) {
        return Path;
    }
    // A tail search that ran out gives t = length + 1, hence a negative cut.
    const qsizetype t = length - p + 1;
    const qsizetype cut = length - h - t;
    if (cut < MinCut) {
        return Path;
    }
    return Path.left(h) + QStringLiteral("...") + Path.right(t);
}

}  // namespace mdlRecentFiles
