#pragma once

#include <QChar>
#include <QMenu>
#include <QString>
#include <array>

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

// The submenu and its ten entries, as the main window binds them.
struct RecentMenuItems {
    QMenu* submenu = nullptr;
    std::array<platform::MenuItem*, kRecentMax> entries{};
};

// Binds the menus, reads the list from the settings store of the application "Tarvex" +
// VersionText (keys "1".."10" of "MenuRecentPaths"), keeps the paths whose files exist and
// rebuilds the submenu.
void LoadRecentFiles(const RecentMenuItems& menus, const QString& VersionText);
// Forgets the bound menus when they are these (their window is going away).
void ReleaseRecentMenus(const QMenu* submenu);
void AddRecentFile(const QString& Path);
void RemoveRecentFile(int Index);
void ClearRecentFiles();
void RefreshRecentMenu();
// Writes all ten keys, in one replacement of the store.
void SaveRecentFiles();

}  // namespace mdlRecentFiles
