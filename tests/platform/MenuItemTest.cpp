#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <memory>

#include "platform/MenuItem.h"

namespace {

using platform::MenuItem;

class MenuItemTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (QApplication::instance() == nullptr) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
                qputenv("QT_QPA_PLATFORM", "offscreen");
            }
            static int argc = 1;
            static char name[] = "tarvex_platform_tests";
            static char* argv[] = {name, nullptr};
            app = new QApplication(argc, argv);
        }
    }
    static void TearDownTestSuite() {
        delete app;
        app = nullptr;
    }

    static inline QApplication* app = nullptr;
    QMenu menu;
    int clicks = 0;
};

TEST_F(MenuItemTest, ClickRunsAndTheCheckMarkIsTheProgramsToSet) {
    MenuItem item(&menu, QStringLiteral("Εμφάνιση"));
    item.Click = [this] { ++clicks; };
    item.Action()->trigger();
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(item.Checked());
    EXPECT_FALSE(item.Action()->isChecked());

    item.SetChecked(true);
    item.Action()->trigger();
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(item.Action()->isChecked());

    item.SetEnabled(false);
    item.Action()->trigger();
    EXPECT_EQ(clicks, 2);
}

// An item that goes takes its action out of the menu; nothing of it can run any more.
TEST_F(MenuItemTest, DestroyedItemLeavesTheMenuAndIsNeverCalled) {
    auto item = std::make_unique<MenuItem>(&menu, QStringLiteral("Π1"));
    auto other = std::make_unique<MenuItem>(&menu, QStringLiteral("Π2"));
    item->Click = [this] { ++clicks; };
    const QPointer<QAction> action = item->Action();
    item.reset();

    if (action) {
        action->trigger();
    }
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(action.isNull());
    EXPECT_EQ(menu.actions(), QList<QAction*>{other->Action()});
}

// The menu deletes its actions: the item then holds none, and so has nothing left to delete.
TEST_F(MenuItemTest, ItemOutlivingItsMenuGoesQuietly) {
    auto submenu = std::make_unique<QMenu>();
    const MenuItem item(submenu.get(), QStringLiteral("Π1"));
    ASSERT_NE(item.Action(), nullptr);
    submenu.reset();
    EXPECT_EQ(item.Action(), nullptr);
}

}  // namespace
