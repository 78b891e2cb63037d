#pragma once

#include <QChar>
#include <QMenu>
#include <QString>
#include <array>
#include <functional>
#include <memory>

#include "platform/MenuItem.h"
#include "util/mdlFilesFoldersFunctions.h"

namespace mdlRecentFiles {

// The path as the recent-files submenu shows it: head, "...", tail. The head ends at the first
// separator, from the third on, that lies beyond position MinHead; the tail starts at the
// separator nearest the end, from the second from the end on, that leaves more than MinTail
// characters. The path is returned whole when there is no such head or when fewer than MinCut
// characters lie between head and tail. Only Separator separates folders.
QString ShortenPath(const QString& Path, int MinCut, int MinHead, int MinTail,
                    QChar Separator = mdlFilesFoldersFunctions::kFolderSeparator);

// The files last opened or saved, most recent first: entries 1..RecentCount of RecentPaths
// are filled, the others empty.
inline constexpr int kRecentMax = 10;
extern std::array<QString, kRecentMax + 1> RecentPaths;  // 1..10; 0 unused
extern int RecentCount;

// A call that follows every change of the list (load, add, remove, clear) for as long as the
// object lives. A window that shows the list refreshes its submenu with it.
class RecentListWatch {
  public:
    explicit RecentListWatch(std::function<void()> Changed);
    ~RecentListWatch();
    RecentListWatch(const RecentListWatch&) = delete;
    RecentListWatch& operator=(const RecentListWatch&) = delete;

    void Notify() const { changed_(); }

  private:
    std::function<void()> changed_;
};

// Reads the list from the settings store of the application "Tarvex" + VersionText (keys
// "1".."10" of "MenuRecentPaths") and keeps the paths whose files exist.
void LoadRecentFiles(const QString& VersionText);
void AddRecentFile(const QString& Path);
void RemoveRecentFile(int Index);
void ClearRecentFiles();
// Shows the list in the submenu MRecents and its entries MRecent1..MRecent10.
void RefreshRecentMenu(QMenu& MRecents,
                       const std::array<std::unique_ptr<platform::MenuItem>, kRecentMax>& MRecent);
// Writes all ten keys, in one replacement of the store.
void SaveRecentFiles();

}  // namespace mdlRecentFiles
