#include "recent/mdlRecentFiles.h"

#include <utility>
#include <vector>

#include "platform/SettingsStore.h"
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

namespace mdlRecentFiles {

std::array<QString, kRecentMax + 1> RecentPaths;
int RecentCount = 0;

namespace {

std::vector<const RecentListWatch*> Watches;

void ListChanged() {
    for (const RecentListWatch* watch : Watches) {
        watch->Notify();
    }
}

// The menu text that shows a path as it is. A menu reads "&" as the mark of a shortcut letter,
// so it is doubled; a tab starts the shortcut column and a line break a new line, so they show
// as blanks.
QString MenuText(QString path) {
    for (QChar& c : path) {
        if (c == u'\t' || c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' ||
            c == QChar::LineSeparator || c == QChar::ParagraphSeparator) {
            c = u' ';
        }
    }
    return path.replace(QLatin1Char('&'), QStringLiteral("&&"));
}
QString StoreName;
const QString kSection = QStringLiteral("MenuRecentPaths");

}  // namespace

RecentListWatch::RecentListWatch(std::function<void()> Changed) : changed_(std::move(Changed)) {
    Watches.push_back(this);
}

RecentListWatch::~RecentListWatch() {
    std::erase(Watches, this);
}

void LoadRecentFiles(const QString& VersionText) {
    StoreName = QStringLiteral("Tarvex") + VersionText;
    RecentCount = 0;
    for (QString& path : RecentPaths) {
        path.clear();
    }
    for (int i = 1; i <= kRecentMax; ++i) {
        const QString value =
            platform::GetSetting(StoreName, kSection, QString::number(i), QString());
        if (mdlFilesFoldersFunctions::FileExists(value)) {
            RecentPaths[++RecentCount] = value;
        }
    }
    ListChanged();
}

void AddRecentFile(const QString& Path) {
    int found = 0;
    for (int i = 1; i <= kRecentMax && found == 0; ++i) {
        if (RecentPaths[i] == Path) {
            found = i;
        }
    }
    for (int i = found != 0 ? found : kRecentMax; i >= 2; --i) {
        RecentPaths[i] = RecentPaths[i - 1];
    }
    RecentPaths[1] = Path;
    if (found == 0 && RecentCount < kRecentMax) {
        ++RecentCount;
    }
    ListChanged();
}

void RemoveRecentFile(int Index) {
    if (Index < 1 || Index > RecentCount) {
        return;
    }
    for (int i = Index; i <= kRecentMax - 1; ++i) {
        RecentPaths[i] = RecentPaths[i + 1];
    }
    RecentPaths[kRecentMax].clear();
    --RecentCount;
    ListChanged();
}

void ClearRecentFiles() {
    for (QString& path : RecentPaths) {
        path.clear();
    }
    RecentCount = 0;
    ListChanged();
}

void RefreshRecentMenu(QMenu& MRecents,
                       const std::array<std::unique_ptr<platform::MenuItem>, kRecentMax>& MRecent) {
    if (RecentCount == 0) {
        MRecents.menuAction()->setEnabled(false);
        return;
    }
    MRecents.menuAction()->setEnabled(true);
    for (int i = 1; i <= kRecentMax; ++i) {
        platform::MenuItem& item = *MRecent[i - 1];
        if (i <= RecentCount) {
            item.SetVisible(true);
            item.SetCaption(MenuText(ShortenPath(RecentPaths[i], 10, 10, 30)));
        } else {
            item.SetVisible(false);
            item.SetCaption(QStringLiteral("Π%1").arg(i));
        }
    }
}

void SaveRecentFiles() {
    if (StoreName.isEmpty()) {
        return;
    }
    std::vector<std::pair<QString, QString>> keys;
    for (int i = 1; i <= kRecentMax; ++i) {
        keys.emplace_back(QString::number(i), RecentPaths[i]);
    }
    platform::SaveSettings(StoreName, kSection, keys);
}

}  // namespace mdlRecentFiles
