#include "WindowFixture.h"
#include "dialogs/frmOptions.h"
#include "game/GameLayouts.h"

namespace {

const char* kLyingLeft = "30 10 11 30 / 31 12 13 31 / 20 21 0 0 / 30 40 40 30 / 31 40 40 31";
const QString kCloseText =
    QStringLiteral("Το τελευταίο τρέχον παιχνίδι δεν έχει αποθηκευτεί. Θέλετε να αποθηκευτεί;");

using MenuTest = WindowTest;

TEST_F(MenuTest, NewGameRestartsTheGameInPlay) {
    StartGame(4, true);
    window->Menu11->Action()->trigger();
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_EQ(window->Board, game::GetGameLayout(4).goal);

    StartGame(0, false);
    DragPiece(2, 3, -1, 0);
    desktop.answers = {platform::vbCancel, platform::vbNo};
    window->Menu11->Action()->trigger();
    EXPECT_EQ(window->Board, Rows(kLyingLeft));
    EXPECT_EQ(window->History.Index(), 1);
    window->Menu11->Action()->trigger();
    EXPECT_EQ(window->Board, game::GetGameLayout(0).start);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ταρβέξη-Κλασικό"));
    EXPECT_EQ(desktop.messages.size(), 2u);
}

TEST_F(MenuTest, ShowStartAndGoalTogglesTheStripAndItsMark) {
    const int shortHeight = window->HeightTwips();
    window->Menu13->Action()->trigger();
    EXPECT_TRUE(window->Menu13->Checked());
    EXPECT_TRUE(window->Menu13->Action()->isChecked());
    EXPECT_EQ(window->HeightTwips(), shortHeight + 1290);
    window->Menu13->Action()->trigger();
    EXPECT_FALSE(window->Menu13->Checked());
    EXPECT_EQ(window->HeightTwips(), shortHeight);
}

TEST_F(MenuTest, ReverseSwapsStartAndGoalAndBack) {
    StartGame(4, false);
    window->Menu14->Action()->trigger();
    EXPECT_EQ(window->Menu14->Caption(), kReverseOn);
    EXPECT_EQ(window->Board, game::GetGameLayout(4).goal);
    EXPECT_TRUE(window->ExtraPlace->Shows(window->ExtraArrowBack));
    window->Menu14->Action()->trigger();
    EXPECT_EQ(window->Menu14->Caption(), kReverseOff);
    EXPECT_EQ(window->Board, game::GetGameLayout(4).start);

    // The classic game cannot be reversed.
    StartGame(0, false);
    window->Menu14->Action()->trigger();
    EXPECT_EQ(window->Menu14->Caption(), kReverseOff);
}

TEST_F(MenuTest, CancelledReverseKeepsTheGameInPlayWithItsDirection) {
    StartGame(6, false);
    const game::Board start = window->Board;
    const game::MoveTable table = game::BuildMoveTable(start);
    bool moved = false;
    for (int x = 1; x <= 4 && !moved; ++x) {
        for (int y = 1; y <= 5 && !moved; ++y) {
            if (start(x, y) == game::CellHor && table.CanMove(x, y, game::MoveLeft)) {
                DragPiece(x, y, -1, 0);
                moved = true;
            }
        }
    }
    ASSERT_TRUE(moved);
    const game::Board played = window->Board;
    desktop.answers = {platform::vbCancel};
    window->Menu14->Action()->trigger();
    EXPECT_EQ(window->Menu14->Caption(), kReverseOff);
    EXPECT_EQ(window->Board, played);
    EXPECT_TRUE(window->ExtraPlace->Shows(window->ExtraArrow));
    EXPECT_EQ(window->History.Index(), 1);

    // A later reverse with no prompt is not held back by that Cancel.
    desktop.answers = {platform::vbNo};
    window->Menu14->Action()->trigger();
    EXPECT_EQ(window->Menu14->Caption(), kReverseOn);
    window->Menu14->Action()->trigger();
    EXPECT_EQ(window->Menu14->Caption(), kReverseOff);
}

TEST_F(MenuTest, ClosingAsksAboutAnUnsavedGame) {
    window->Menu15->Action()->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(desktop.messages.empty());

    window->show();
    DragPiece(2, 3, -1, 0);
    desktop.answers = {platform::vbCancel};
    window->Menu15->Action()->trigger();
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].prompt, kCloseText);
    EXPECT_EQ(desktop.messages[0].title, QStringLiteral("Έξοδος από το τρέχον παιχνίδι"));
    EXPECT_EQ(window->Board, Rows(kLyingLeft));

    desktop.answers = {platform::vbNo};
    window->close();
    EXPECT_TRUE(desktop.dialogs.empty());
    EXPECT_FALSE(window->isVisible());
}

TEST_F(MenuTest, ShortcutsReachTheGameCommands) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QTest::keyClick(window.get(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_TRUE(window->Menu13->Checked());
    DragPiece(2, 3, -1, 0);
    desktop.answers = {platform::vbNo};
    QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(window->Board, game::GetGameLayout(0).start);
}

TEST_F(MenuTest, ChooserRulesAndAboutOpenFromTheMenus) {
    desktop.onModal = [](QDialog& dialog) {
        if (auto* chooser = qobject_cast<frmOptions*>(&dialog)) {
            chooser->Frame_Click(4);
            chooser->Command1_Click();
        } else {
            dialog.reject();
        }
    };
    window->Menu12->Action()->trigger();
    EXPECT_EQ(window->Board, game::GetGameLayout(4).start);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ταρβέξη-Παιχνίδι 4"));
    EXPECT_EQ(mdlBasic::PreviousGameNumber, 0);

    window->Menu22->Action()->trigger();
    window->Menu21->Action()->trigger();
    EXPECT_EQ(desktop.modals, (std::vector<QString>{QStringLiteral("Επιλογή παιχνιδιού"),
                                                    QStringLiteral("Πληροφορίες")}));
    ASSERT_EQ(desktop.helps.size(), 1u);
    EXPECT_TRUE(desktop.helps[0].endsWith(QStringLiteral("/Tarvex.hlp|3|0")));
}

}  // namespace
