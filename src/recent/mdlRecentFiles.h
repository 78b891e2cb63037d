#pragma once

#include <QChar>
#include <QString>

#include "util/mdlFilesFoldersFunctions.h"

namespace mdlRecentFiles {

// The path as the recent-files submenu shows it: head, "...", tail. The head ends at the first
// separator, from the third on, that lies beyond position MinHead; the tail starts at the
// separator nearest the end, from the second from the end on, that leaves more than MinTail
// characters. The path is returned whole when there is no such head or when fewer than MinCut
// characters lie between head and tail. Only Separator separates folders.
QString ShortenPath(const QString& Path, int MinCut, int MinHead, int MinTail,
                    QChar Separator = mdlFilesFoldersFunctions::kFolderSeparator);

}  // namespace mdlRecentFiles
