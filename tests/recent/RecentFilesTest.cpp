#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <memory>
#include <optional>

#ifdef Q_OS_LINUX
#include <sys/inotify.h>
#include <unistd.h>
#endif

#include "platform/SettingsStore.h"
#include "recent/mdlRecentFiles.h"

namespace {

using namespace mdlRecentFiles;

using RecentItems = std::array<std::unique_ptr<platform::MenuItem>, kRecentMax>;

// A submenu with its ten entries, as a window makes them.
void MakeEntries(QMenu& submenu, RecentItems& items) {
    for (int i = 0; i < kRecentMax; ++i) {
        items[i] = std::make_unique<platform::MenuItem>(&submenu, QStringLiteral("Π%1").arg(i + 1));
    }
}

// The submenu with its ten entries, refreshed from the list, over a folder of real files.
class RecentFilesTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        MakeEntries(submenu, items);
        watch = std::make_unique<RecentListWatch>([this] { RefreshRecentMenu(submenu, items); });
        version = QStringLiteral("test%1").arg(++run);
        LoadRecentFiles(version);
    }

    QString File(const QString& name) {
        const QString path = folder.filePath(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        return path;
    }
    QStringList Captions() const {
        QStringList list;
        for (int i = 0; i < kRecentMax; ++i) {
            if (items[i]->Visible()) {
                list << items[i]->Caption();
            }
        }
        return list;
    }
    QStringList Paths() const {
        QStringList list;
        for (int i = 1; i <= RecentCount; ++i) {
            list << RecentPaths[i];
        }
        return list;
    }

    static inline int run = 0;
    QTemporaryDir folder;
    QMenu submenu;
    RecentItems items;
    std::unique_ptr<RecentListWatch> watch;
    QString version;
};

TEST_F(RecentFilesTest, EmptyListDisablesTheSubmenu) {
    EXPECT_EQ(RecentCount, 0);
    EXPECT_FALSE(submenu.menuAction()->isEnabled());
    AddRecentFile(File("a.tvx"));
    EXPECT_TRUE(submenu.menuAction()->isEnabled());
    EXPECT_EQ(Captions(), QStringList{folder.filePath("a.tvx")});
    EXPECT_EQ(items[1]->Caption(), QStringLiteral("Π2"));
    ClearRecentFiles();
    EXPECT_EQ(RecentCount, 0);
    EXPECT_FALSE(submenu.menuAction()->isEnabled());
}

// Every submenu whose watch lives shows the list; one whose window has gone is never reached.
TEST_F(RecentFilesTest, ChangesReachTheSubmenusWhileTheyAreWatched) {
    AddRecentFile(File("a.tvx"));
    {
        QMenu other;
        RecentItems otherItems;
        MakeEntries(other, otherItems);
        const RecentListWatch otherWatch([&] { RefreshRecentMenu(other, otherItems); });
        AddRecentFile(File("b.tvx"));
        EXPECT_TRUE(other.menuAction()->isEnabled());
        EXPECT_EQ(otherItems[0]->Caption(), items[0]->Caption());
        EXPECT_EQ(otherItems[1]->Caption(), items[1]->Caption());
        EXPECT_FALSE(otherItems[2]->Visible());
    }
    RemoveRecentFile(1);
    AddRecentFile(File("c.tvx"));
    ClearRecentFiles();
    EXPECT_FALSE(submenu.menuAction()->isEnabled());

    // A watch that has gone is not reached again: watched anew in the same place, each change
    // is heard once.
    std::optional<RecentListWatch> again;
    int heard = 0;
    again.emplace([&] { ++heard; });
    again.reset();
    again.emplace([&] { ++heard; });
    AddRecentFile(File("d.tvx"));
    EXPECT_EQ(heard, 1);
}

TEST_F(RecentFilesTest, AddingMovesAPathToTheTop) {
    for (const char* name : {"a", "b", "c", "d"}) {
        AddRecentFile(File(QString::fromLatin1(name)));
    }
    EXPECT_EQ(Paths(), QStringList({folder.filePath("d"), folder.filePath("c"),
                                    folder.filePath("b"), folder.filePath("a")}));
    AddRecentFile(folder.filePath("d"));
    EXPECT_EQ(RecentCount, 4);
    AddRecentFile(folder.filePath("b"));
    EXPECT_EQ(Paths(), QStringList({folder.filePath("b"), folder.filePath("d"),
                                    folder.filePath("c"), folder.filePath("a")}));
    // Letter case makes another entry.
    AddRecentFile(folder.filePath("B"));
    EXPECT_EQ(RecentCount, 5);
}

TEST_F(RecentFilesTest, FullListDropsItsOldestAndRemovalClosesUp) {
    for (int i = 1; i <= 11; ++i) {
        AddRecentFile(File(QString::number(i)));
    }
    EXPECT_EQ(RecentCount, 10);
    EXPECT_EQ(RecentPaths[1], folder.filePath("11"));
    EXPECT_EQ(RecentPaths[10], folder.filePath("2"));
    RemoveRecentFile(10);
    EXPECT_EQ(RecentCount, 9);
    EXPECT_TRUE(RecentPaths[10].isEmpty());
    EXPECT_FALSE(items[9]->Visible());
    RemoveRecentFile(1);
    EXPECT_EQ(RecentPaths[1], folder.filePath("10"));
    RemoveRecentFile(9);  // beyond the list: nothing
    EXPECT_EQ(RecentCount, 8);
}

TEST_F(RecentFilesTest, StoreKeepsTheListBetweenRuns) {
    const QString kept1 = File("one.tvx");
    const QString kept2 = File("two.tvx");
    const QString app = QStringLiteral("Tarvex") + version;
    platform::SaveSetting(app, QStringLiteral("MenuRecentPaths"), QStringLiteral("1"), kept1);
    platform::SaveSetting(app, QStringLiteral("MenuRecentPaths"), QStringLiteral("2"), QString());
    platform::SaveSetting(app, QStringLiteral("MenuRecentPaths"), QStringLiteral("3"),
                          folder.filePath("gone.tvx"));
    platform::SaveSetting(app, QStringLiteral("MenuRecentPaths"), QStringLiteral("6"), kept2);
    LoadRecentFiles(version);
    EXPECT_EQ(Paths(), QStringList({kept1, kept2}));

    // A clear stays in memory until the list is written: then all ten keys are empty.
    ClearRecentFiles();
    EXPECT_EQ(platform::GetSetting(app, "MenuRecentPaths", "6"), kept2);
    SaveRecentFiles();
    for (int i = 1; i <= 10; ++i) {
        EXPECT_EQ(platform::GetSetting(app, "MenuRecentPaths", QString::number(i), "unset"),
                  QString());
    }
    // Another version keeps a list of its own.
    EXPECT_EQ(platform::GetSetting(QStringLiteral("Tarvex") + version + "x", "MenuRecentPaths", "1",
                                   "unset"),
              QStringLiteral("unset"));
}

#ifdef Q_OS_LINUX
// All ten keys go to the store in one replacement of its file: a kill part-way through the
// write can never leave a list of old and new keys.
TEST_F(RecentFilesTest, ListIsWrittenInOneReplacementOfTheStore) {
    const QString app = QStringLiteral("Tarvex") + version;
    platform::SaveSetting(app, QStringLiteral("MenuRecentPaths"), QStringLiteral("1"), "old");
    const QFileInfo store(
        QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tarvex"), app)
            .fileName());
    ASSERT_TRUE(store.isFile());

    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, QFile::encodeName(store.absolutePath()).constData(),
                                IN_MOVED_FROM | IN_MOVED_TO),
              0);
    for (int i = 0; i < kRecentMax; ++i) {
        AddRecentFile(folder.filePath(QStringLiteral("game %1.tvx").arg(i)));
    }
    SaveRecentFiles();

    int replacements = 0;
    alignas(inotify_event) char buffer[4096];
    for (ssize_t length; (length = read(watch, buffer, sizeof buffer)) > 0;) {
        for (char* at = buffer; at < buffer + length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(at);
            // A replacement moves a temporary file over the store. Watching the move from the
            // temporary name too keeps the kernel from merging repeated moves into one event.
            replacements += (event->mask & IN_MOVED_TO) != 0 && event->len > 0 &&
                            store.fileName() == QFile::decodeName(event->name);
            at += sizeof(inotify_event) + event->len;
        }
    }
    close(watch);
    EXPECT_EQ(replacements, 1);
    EXPECT_EQ(platform::GetSetting(app, "MenuRecentPaths", "1"), RecentPaths[1]);
    EXPECT_EQ(platform::GetSetting(app, "MenuRecentPaths", "10"), RecentPaths[10]);
}
#endif

TEST_F(RecentFilesTest, LongPathsAreShortenedInTheMenuOnly) {
    const QString deep = folder.filePath(
        "a very long folder name/another long folder/yet "
        "another folder/and one more/the game file.tvx");
    AddRecentFile(deep);
    EXPECT_EQ(RecentPaths[1], deep);
    EXPECT_EQ(items[0]->Caption(), ShortenPath(deep, 10, 10, 30));
    EXPECT_NE(items[0]->Caption(), deep);
}

// The text the menu shows, without shortcut marks, is the path as it is: a lone "&" would
// vanish, a tab would start the shortcut column and a line break a second line, so "&" is
// doubled and tabs and line breaks show as blanks. The entry keeps its own path.
TEST_F(RecentFilesTest, PathIsShownAsItIsWithBlanksForTabsAndLineBreaks) {
    const struct {
        const char* name;
        const char* shown;
    } cases[] = {
        {"Tom & Jerry.tvx", "Tom & Jerry.tvx"},
        {"tab\there.tvx", "tab here.tvx"},
        {"two\nlines\r\n.tvx", "two lines  .tvx"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder.filePath(QString::fromUtf8(c.name));
        AddRecentFile(path);
        EXPECT_EQ(RecentPaths[1], path);
        const QString text = items[0]->Action()->text();
        EXPECT_FALSE(text.contains(u'\t') || text.contains(u'\n') || text.contains(u'\r'));
        EXPECT_EQ(items[0]->Action()->iconText(), folder.filePath(QString::fromUtf8(c.shown)));
    }
}

}  // namespace
