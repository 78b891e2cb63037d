#include <QKeyEvent>

#include "PlaceCase.h"
#include "WindowFixture.h"
#include "dialogs/frmOptions.h"
#include "game/GameLayouts.h"
#include "platform/Program.h"
#include "platform/Twips.h"

namespace {

const QString kPromptTitle = QStringLiteral("Έξοδος από το τρέχον παιχνίδι");
const char* kLyingLeft = "30 10 11 30 / 31 12 13 31 / 20 21 0 0 / 30 40 40 30 / 31 40 40 31";

// The press, release, double-click and release of a real double-click.
void DoubleClick(QWidget* widget, QPoint at = {}) {
    QTest::mousePress(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
    QTest::mouseDClick(widget, Qt::LeftButton, {}, at);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, at);
}

// A point on a frame's caption, away from its thumbnails.
constexpr QPoint kOnCaption{20, 6};

class ChooserTest : public WindowTest {
  protected:
    // A fresh chooser, as every showing builds one; shown, but not modally.
    std::unique_ptr<frmOptions> Open() {
        auto dialog = std::make_unique<frmOptions>(*window, desktop, window.get());
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        return dialog;
    }

    // The one frame in the button-shadow colour, all others in the button face; -1 otherwise.
    static int Highlighted(const frmOptions& dialog) {
        int found = -1;
        for (int i = 0; i < game::kGameCount; ++i) {
            const QPalette::ColorRole role = dialog.Frame[i]->backgroundRole();
            if (role == QPalette::Dark && found == -1) {
                found = i;
            } else if (role != QPalette::Button) {
                return -1;
            }
        }
        return found;
    }
};

TEST_F(ChooserTest, LaysOutNineCaptionedFramesWithTheirThumbnails) {
    const auto dialog = Open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Επιλογή παιχνιδιού"));
    EXPECT_EQ(dialog->size(), QSize(393, 302));
    EXPECT_EQ(dialog->minimumSize(), dialog->maximumSize());
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(dialog->windowFlags() & Qt::WindowMaximizeButtonHint);

    const int columns[] = {8, 136, 264};
    const int rows[] = {8, 96, 184};
    const QString captions[] = {"Κλασικό",    "Παιχνίδι 1", "Παιχνίδι 2",
                                "Παιχνίδι 3", "Παιχνίδι 4", "Παιχνίδι 5",
                                "Παιχνίδι 6", "Παιχνίδι 7", "Παιχνίδι 8"};
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(dialog->Frame[i]->geometry(), QRect(columns[i % 3], rows[i / 3], 121, 81));
        EXPECT_EQ(dialog->Frame[i]->title(), captions[i]);
        EXPECT_EQ(dialog->Image1[i]->parentWidget(), dialog->Frame[i]);
        EXPECT_EQ(dialog->Image1[i]->geometry(), QRect(8, 16, 46, 56));
        EXPECT_EQ(dialog->Image2[i]->geometry(), QRect(64, 16, 46, 56));
        EXPECT_EQ(dialog->Image1[i]->pixmap().toImage(), window->Start[i].toImage());
        EXPECT_EQ(dialog->Image2[i]->pixmap().toImage(), window->Finish[i].toImage());
    }
}

// The etched border breaks for the caption: along the border's top line, no pixel of the
// border's two colours lies under the caption, on either background.
TEST_F(ChooserTest, FrameBorderStopsOnEitherSideOfTheCaption) {
    mdlBasic::GameNumber = 0;
    const auto dialog = Open();
    for (const int i : {0, 8}) {
        SCOPED_TRACE(i);
        QGroupBox* frame = dialog->Frame[i];
        const QImage picture = frame->grab().toImage();
        const QFontMetrics metrics = frame->fontMetrics();
        const int line = metrics.height() / 2;
        const int captionLeft = 6;
        const int captionRight = captionLeft + metrics.horizontalAdvance(frame->title()) + 4;
        const QRgb edges[] = {frame->palette().color(QPalette::Mid).rgb(),
                              frame->palette().color(QPalette::Light).rgb()};
        for (const int y : {line, line + 1}) {
            // The border is there beside the caption...
            EXPECT_TRUE(picture.pixel(captionRight + 4, y) == edges[0] ||
                        picture.pixel(captionRight + 4, y) == edges[1]);
            // ...and nowhere under it.
            int crossed = 0;
            for (int x = captionLeft; x < captionRight; ++x) {
                const QRgb pixel = picture.pixel(x, y);
                crossed += pixel == edges[0] || pixel == edges[1] ? 1 : 0;
            }
            EXPECT_EQ(crossed, 0) << "row " << y;
        }
    }
}

TEST_F(ChooserTest, ButtonsStandBelowTheGridInTheirTabOrder) {
    const auto dialog = Open();
    struct Button {
        QPushButton* button;
        QString caption;
        QRect place;
    };
    const Button buttons[] = {
        {dialog->Command1, QString::fromUtf16(u"\u039F\u039A"), QRect(240, 272, 73, 25)},
        {dialog->Command2, QStringLiteral("Άκυρο"), QRect(320, 272, 65, 25)},
        {dialog->Command3, QStringLiteral("Βοήθεια"), QRect(8, 272, 65, 25)},
    };
    for (const Button& b : buttons) {
        SCOPED_TRACE(b.caption.toStdString());
        EXPECT_EQ(b.button->text(), b.caption);
        EXPECT_EQ(b.button->geometry(), b.place);
    }

    // OK, Cancel, Help and round again; the frames take no focus.
    dialog->Command1->setFocus();
    for (QPushButton* next : {dialog->Command2, dialog->Command3, dialog->Command1}) {
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(dialog->focusWidget(), next);
    }
}

TEST_F(ChooserTest, HighlightStartsOnTheGameInPlayAndFollowsClicks) {
    mdlBasic::GameNumber = 4;
    const auto dialog = Open();
    EXPECT_EQ(dialog->SelectedGame, 4);
    EXPECT_EQ(Highlighted(*dialog), 4);

    struct Click {
        QWidget* target;
        QPoint at;
        int selected;
    };
    const Click clicks[] = {
        {dialog->Image1[7], {}, 7},        {dialog->Image2[2], {}, 2},
        {dialog->Frame[6], kOnCaption, 6}, {dialog->Frame[0], {60, 76}, 0},
        {dialog->Frame[0], kOnCaption, 0},
    };
    for (const Click& click : clicks) {
        QTest::mouseClick(click.target, Qt::LeftButton, {}, click.at);
        EXPECT_EQ(dialog->SelectedGame, click.selected);
        EXPECT_EQ(Highlighted(*dialog), click.selected);
    }

    // The right button selects nothing; no frame has an index outside 0 to 8.
    QTest::mouseClick(dialog->Image1[3], Qt::RightButton);
    dialog->Frame_Click(9);
    dialog->Frame_DblClick(-1);
    EXPECT_EQ(Highlighted(*dialog), 0);
    EXPECT_EQ(mdlBasic::GameNumber, 4);
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(ChooserTest, OkStartsTheHighlightedGame) {
    const auto dialog = Open();
    QTest::mouseClick(dialog->Image2[5], Qt::LeftButton);
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);

    EXPECT_EQ(mdlBasic::GameNumber, 5);
    EXPECT_EQ(mdlBasic::PreviousGameNumber, 0);
    EXPECT_FALSE(mdlBasic::ChangedFromChooser);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ταρβέξη-Παιχνίδι 5"));
    EXPECT_EQ(window->Board, game::GetGameLayout(5).start);
    EXPECT_TRUE(window->StartPlace->Shows(window->Start[5]));
    EXPECT_TRUE(desktop.messages.empty());
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
}

TEST_F(ChooserTest, DoubleClickOnAFrameOrEitherThumbnailStartsThatGame) {
    struct Case {
        const char* name;
        QWidget* (*target)(frmOptions&, int);
        QPoint at;
        int game;
    };
    const Case cases[] = {
        {"frame", [](frmOptions& d, int i) -> QWidget* { return d.Frame[i]; }, kOnCaption, 3},
        {"start", [](frmOptions& d, int i) -> QWidget* { return d.Image1[i]; }, {}, 8},
        {"goal", [](frmOptions& d, int i) -> QWidget* { return d.Image2[i]; }, {}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto dialog = Open();
        DoubleClick(c.target(*dialog, c.game), c.at);
        EXPECT_EQ(mdlBasic::GameNumber, c.game);
        EXPECT_EQ(window->Board, game::GetGameLayout(c.game).start);
        EXPECT_FALSE(dialog->isVisible());
    }
    // One set-up per double-click: none of them asked about an unsaved game.
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(ChooserTest, CancelAtTheUnsavedGamePromptKeepsTheGameInPlay) {
    DragPiece(2, 3, -1, 0);
    const QString caption = window->windowTitle();
    const auto dialog = Open();
    QTest::mouseClick(dialog->Image1[3], Qt::LeftButton);
    desktop.answers = {platform::vbCancel};
    QTest::mouseClick(dialog->Command1, Qt::LeftButton);

    ASSERT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(desktop.messages[0].title, kPromptTitle);
    EXPECT_EQ(mdlBasic::GameNumber, 0);
    EXPECT_FALSE(mdlBasic::ChangedFromChooser);
    EXPECT_EQ(window->windowTitle(), caption);
    EXPECT_EQ(window->Board, Rows(kLyingLeft));
    EXPECT_TRUE(window->GameChanged);
    EXPECT_TRUE(window->MUndo->Enabled());
    EXPECT_FALSE(dialog->isVisible());

    // The next showing highlights the game still in play.
    EXPECT_EQ(Highlighted(*Open()), 0);
}

TEST_F(ChooserTest, OkOnTheGameInPlayRestartsItAfterThePrompt) {
    StartGame(2, false);
    DragPiece(1, 2, 0, 1);
    ASSERT_TRUE(window->GameChanged);
    const auto dialog = Open();
    desktop.answers = {platform::vbNo};
    dialog->Command1_Click();

    EXPECT_EQ(desktop.messages.size(), 1u);
    EXPECT_EQ(mdlBasic::GameNumber, 2);
    EXPECT_EQ(mdlBasic::PreviousGameNumber, 2);
    EXPECT_EQ(window->Board, game::GetGameLayout(2).start);
    EXPECT_FALSE(window->GameChanged);
    EXPECT_FALSE(window->MUndo->Enabled());
}

TEST_F(ChooserTest, CancelAndTheCloseBoxChangeNothing) {
    StartGame(7, false);
    const game::Board inPlay = window->Board;
    const QString caption = window->windowTitle();
    mdlBasic::PreviousGameNumber = 3;

    using Leave = void (*)(frmOptions&);
    const Leave leaves[] = {
        [](frmOptions& d) { QTest::mouseClick(d.Command2, Qt::LeftButton); },
        [](frmOptions& d) { d.close(); },
    };
    for (const Leave leave : leaves) {
        const auto dialog = Open();
        QTest::mouseClick(dialog->Image1[1], Qt::LeftButton);
        leave(*dialog);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        EXPECT_EQ(mdlBasic::GameNumber, 7);
        EXPECT_EQ(mdlBasic::PreviousGameNumber, 3);
        EXPECT_EQ(window->Board, inPlay);
        EXPECT_EQ(window->windowTitle(), caption);
        // No selection carries over to the next showing.
        EXPECT_EQ(Highlighted(*Open()), 7);
    }
    EXPECT_TRUE(desktop.messages.empty());
}

TEST_F(ChooserTest, NoButtonIsTheDefaultOrTheCancelButton) {
    const auto dialog = Open();
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_TRUE(dialog->isVisible());
    // Enter presses the button that has the focus, not OK.
    dialog->Command3->setFocus();
    QTest::keyClick(dialog->Command3, Qt::Key_Return);
    EXPECT_EQ(desktop.helps.size(), 1u);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(window->History.Index() == 0 && desktop.messages.empty());
}

TEST_F(ChooserTest, HelpOpensTheChoosersTopicOnItsOwnDialog) {
    const auto dialog = Open();
    QTest::mouseClick(dialog->Image1[6], Qt::LeftButton);
    QTest::mouseClick(dialog->Command3, Qt::LeftButton);

    const QString file = platform::ProgramFolder() + QStringLiteral("/Tarvex.hlp");
    ASSERT_EQ(desktop.helps.size(), 1u);
    EXPECT_EQ(desktop.helps[0], file + QStringLiteral("|1|4"));
    EXPECT_EQ(dialog->CommonDialog1.HelpFile, file);
    // The main window's dialog is not touched; the chooser stays with its selection.
    EXPECT_TRUE(window->CommonDialog1.HelpFile.isEmpty());
    EXPECT_EQ(window->CommonDialog1.HelpContext, 0);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(Highlighted(*dialog), 6);
}

class ChooserPlaceTest : public testing::TestWithParam<PlaceCase> {};

TEST_P(ChooserPlaceTest, GoesBesideTheMainWindow) {
    const PlaceCase& c = GetParam();
    const dialogs::DialogPlace place =
        dialogs::ChooserPlace(c.mainLeft, c.mainTop, c.screenWidth, c.screenHeight);
    EXPECT_FLOAT_EQ(place.left, c.left);
    EXPECT_FLOAT_EQ(place.top, c.top);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, ChooserPlaceTest,
    testing::Values(
        // 1024 x 768 with the main window where it opens.
        PlaceCase{"WideScreenRight", 4000.5f, 3307.5f, 15360, 11520, 7660.5f, 3307.5f},
        // 800 x 600: no room on either side.
        PlaceCase{"NarrowScreenLeftEdge", 4000.5f, 3307.5f, 12000, 9000, 0, 3307.5f},
        PlaceCase{"NarrowScreenLeftOfWindow", 7000, 2047.5f, 12000, 9000, 895, 2047.5f},
        PlaceCase{"OneTwipOfRoomGoesRight", 3000, 0, 12631, 9000, 6660, 0},
        PlaceCase{"ExactFitGoesLeft", 7000, 0, 16630, 9000, 895, 0},
        PlaceCase{"ExactFitAtTheLeftEdge", 6104, 0, 15734, 9000, 0, 0},
        PlaceCase{"LeftOfTheWindowFromItsFirstTwip", 6106, 0, 15736, 9000, 1, 0},
        PlaceCase{"BottomExactlyAtTheScreenEdge", 0, 3000, 15360, 8400, 3660, 3000},
        PlaceCase{"OneTwipLowerIsPulledUp", 0, 3001, 15360, 8400, 3660, 3000},
        PlaceCase{"ScreenLowerThanTheDialogKeepsTheTitleBarOn", 0, 600, 15360, 4500, 3660, 0}),
    [](const testing::TestParamInfo<PlaceCase>& info) { return std::string(info.param.name); });

TEST_F(ChooserTest, LoadPlacesItFromTheMainWindowAndTheScreen) {
    // The offscreen screen is 800 x 800.
    ASSERT_EQ(platform::ScreenSizeTwips(), QSizeF(12000, 12000));
    struct Case {
        QPoint main;
        QPoint dialog;
    };
    const Case cases[] = {{{20, 40}, {264, 40}}, {{500, 600}, {93, 440}}};
    for (const Case& c : cases) {
        window->move(c.main);
        ASSERT_EQ(window->pos(), c.main);
        EXPECT_EQ(Open()->pos(), c.dialog);
    }
}

}  // namespace
