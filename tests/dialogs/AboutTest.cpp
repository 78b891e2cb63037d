#include <QFontMetrics>

#include "PlaceCase.h"
#include "WindowFixture.h"
#include "dialogs/Help.h"
#include "dialogs/frmAbout.h"
#include "platform/Program.h"
#include "platform/Twips.h"

namespace {

class AboutTest : public WindowTest {
  protected:
    std::unique_ptr<frmAbout> Open() {
        auto box = std::make_unique<frmAbout>(*window, desktop, window.get());
        box->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(box.get()));
        return box;
    }
};

TEST_F(AboutTest, ShowsVersionMakerAndAddressOverTheLowerPartOfItsPicture) {
    const auto box = Open();
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Πληροφορίες"));
    EXPECT_EQ(box->size(), QSize(250, 250));
    EXPECT_EQ(box->minimumSize(), box->maximumSize());
    EXPECT_FALSE(box->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(box->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(box->Picture.size(), QSize(250, 250));
    EXPECT_EQ(box->LabelInfo->text(), QStringLiteral("Ταρβέξη - Έκδοση ") + mdlBasic::VersionText);
    EXPECT_FALSE(box->Label1->text().isEmpty());
    EXPECT_TRUE(box->Label2->text().contains(u'@'));

    struct Label {
        QLabel* label;
        QRect place;
        QColor colour;
    };
    const Label labels[] = {
        {box->LabelInfo, QRect(32, 192, 161, 17), QColor(255, 255, 192)},
        {box->Label1, QRect(40, 208, 145, 17), QColor(255, 255, 192)},
        {box->Label2, QRect(72, 224, 81, 17), QColor(255, 128, 0)},
    };
    const QImage picture = box->Picture.toImage();
    for (const Label& l : labels) {
        SCOPED_TRACE(l.label->text().toStdString());
        EXPECT_EQ(l.label->geometry(), l.place);
        EXPECT_EQ(l.label->palette().color(QPalette::WindowText), l.colour);
        EXPECT_TRUE(l.label->alignment() & Qt::AlignHCenter);
        EXPECT_FALSE(l.label->autoFillBackground());
        // The whole text is seen.
        EXPECT_LE(QFontMetrics(l.label->font()).horizontalAdvance(l.label->text()),
                  l.place.width());
        // And reads well: the picture behind it is dark.
        for (const QPoint at : {l.place.topLeft(), l.place.center(), l.place.bottomRight()}) {
            EXPECT_LT(qGray(picture.pixel(at)), 80);
        }
    }
}

TEST_F(AboutTest, VersionLineShowsTheVersionAsSetAtStartUp) {
    const QString startUp = mdlBasic::VersionText;
    EXPECT_EQ(startUp, QStringLiteral("%1.%2")
                           .arg(platform::ProgramMajorVersion())
                           .arg(platform::ProgramMinorVersion()));
    mdlBasic::VersionText = QStringLiteral("2.3");
    EXPECT_EQ(Open()->LabelInfo->text(), QStringLiteral("Ταρβέξη - Έκδοση 2.3"));
    mdlBasic::VersionText = startUp;
}

TEST_F(AboutTest, EachClickOnTheAddressOpensTheMailLink) {
    const auto box = Open();
    QTest::mouseClick(box->Label2, Qt::LeftButton);
    QTest::mouseClick(box->Label2, Qt::LeftButton);
    QTest::mouseClick(box->Label1, Qt::LeftButton);
    QTest::mouseClick(box->Label2, Qt::RightButton);

    const QString link = QStringLiteral("mailto:") + dialogs::kMailAddress;
    EXPECT_EQ(box->Label2->text(), dialogs::kMailAddress);
    EXPECT_EQ(desktop.opened, (std::vector<QString>{link, link}));
    EXPECT_TRUE(box->isVisible());
}

TEST_F(AboutTest, PointerOverTheAddressIsAHandPointingWithItsFingerTip) {
    const auto box = Open();
    const QCursor cursor = box->Label2->cursor();
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.hotSpot(), QPoint(5, 1));
    const QImage hand = cursor.pixmap().toImage();
    ASSERT_EQ(hand.size(), QSize(32, 32));
    EXPECT_GT(qAlpha(hand.pixel(5, 1)), 0);   // the finger tip
    EXPECT_EQ(qAlpha(hand.pixel(5, 0)), 0);   // nothing above it
    EXPECT_EQ(qAlpha(hand.pixel(30, 2)), 0);  // and the hand right of the finger is lower
    // Only the address has it.
    EXPECT_NE(box->Label1->cursor().shape(), Qt::BitmapCursor);
}

TEST_F(AboutTest, RulesOpenTheHelpFileAtItsContentsOnTheMainWindowsDialog) {
    // The last use of the dialog left a context number; the rules do not set one.
    window->CommonDialog1.HelpContext = 4;
    dialogs::ShowRules(window->CommonDialog1);
    const QString file = platform::ProgramFolder() + QStringLiteral("/Tarvex.hlp");
    EXPECT_EQ(desktop.helps, (std::vector<QString>{file + QStringLiteral("|3|4")}));
    EXPECT_EQ(window->CommonDialog1.HelpFile, file);
    EXPECT_EQ(window->CommonDialog1.HelpCommand, platform::cdlHelpContents);
}

class AboutPlaceTest : public testing::TestWithParam<PlaceCase> {};

TEST_P(AboutPlaceTest, GoesBesideTheMainWindowALittleLower) {
    const PlaceCase& c = GetParam();
    const dialogs::DialogPlace place =
        dialogs::AboutPlace(c.mainLeft, c.mainTop, c.screenWidth, c.screenHeight);
    EXPECT_FLOAT_EQ(place.left, c.left);
    EXPECT_FLOAT_EQ(place.top, c.top);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, AboutPlaceTest,
    testing::Values(
        // 1024 x 768 with the main window where it opens.
        PlaceCase{"WideScreenRight", 4000.5f, 3307.5f, 15360, 11520, 7660.5f, 3712.5f},
        // 800 x 600 with the main window where it opens: room on the right.
        PlaceCase{"NarrowScreenRight", 1648.5f, 2047.5f, 12000, 9000, 5308.5f, 2452.5f},
        PlaceCase{"ExactFitGoesRight", 4500, 0, 12000, 9000, 8160, 405},
        PlaceCase{"OneTwipFurtherGoesLeft", 4501, 0, 12000, 9000, 541, 405},
        PlaceCase{"NoRoomLeftGoesToTheEdge", 3959, 0, 11458, 9000, 0, 405},
        PlaceCase{"LeftOfTheWindowFromItsFirstTwip", 3961, 0, 11460, 9000, 1, 405},
        PlaceCase{"BottomExactlyAtTheScreenEdge", 0, 4005, 15360, 9000, 3660, 4410},
        PlaceCase{"OneTwipLowerIsPulledUp", 0, 4006, 15360, 9000, 3660, 4410},
        PlaceCase{"ScreenLowerThanTheBoxKeepsTheTitleBarOn", 0, 300, 15360, 4000, 3660, 0}),
    [](const testing::TestParamInfo<PlaceCase>& info) { return std::string(info.param.name); });

TEST_F(AboutTest, LoadPlacesItFromTheMainWindowAndTheScreen) {
    // The offscreen screen is 800 x 800.
    ASSERT_EQ(platform::ScreenSizeTwips(), QSizeF(12000, 12000));
    struct Case {
        QPoint main;
        QPoint box;
    };
    const Case cases[] = {{{20, 40}, {264, 67}}, {{500, 600}, {236, 494}}};
    for (const Case& c : cases) {
        window->move(c.main);
        ASSERT_EQ(window->pos(), c.main);
        EXPECT_EQ(Open()->pos(), c.box);
    }
}

}  // namespace
