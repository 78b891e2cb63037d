#include <QApplication>
#include <QMenuBar>
#include <set>
#include <tuple>

#include "WindowFixture.h"
#include "game/GameLayouts.h"
#include "platform/Twips.h"

namespace {

TEST_F(WindowTest, OpensOnTheClassicGameWithItsMenus) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ταρβέξη-Κλασικό"));
    EXPECT_EQ(window->Board, game::GetGameLayout(0).start);
    EXPECT_FALSE(window->Menu14->Enabled());
    EXPECT_FALSE(window->MUndo->Enabled());
    EXPECT_FALSE(window->MRedo->Enabled());
    EXPECT_TRUE(window->CurrentFilePath.isEmpty());
    EXPECT_TRUE(window->StartFinishHidden);
    EXPECT_EQ(window->Client->size(), QSize(230, 280));
    EXPECT_EQ(mdlBasic::VersionText, QStringLiteral("1.0"));

    // Captions and shortcuts, menu by menu, separators as empty captions.
    auto captions = [](QMenu* menu) {
        QStringList list;
        for (QAction* action : menu->actions()) {
            QString text = action->isSeparator() ? QStringLiteral("-") : action->text();
            if (!action->shortcut().isEmpty()) {
                text += QLatin1Char('|') + action->shortcut().toString();
            }
            list << text;
        }
        return list.join(QLatin1Char(';'));
    };
    QStringList top;
    for (QAction* action : window->menuBar()->actions()) {
        top << action->text();
    }
    EXPECT_EQ(top.join(QLatin1Char(';')), QStringLiteral("Αρχείο;Επιλογές;Βοήθεια"));
    EXPECT_EQ(captions(window->M0),
              QStringLiteral("Νέο παιχνίδι|Ctrl+N;Πρόσφατα;-;Άνοιγμα|Ctrl+O;Αποθήκευση|Ctrl+S;"
                             "Αποθήκευση ως...;-;Έξοδος|Ctrl+Q"));
    EXPECT_EQ(captions(window->MRecents), QStringLiteral("Π1;Π2;Π3;Π4;Π5;Π6;Π7;Π8;Π9;Π10;-;"
                                                         "Διαγραφή ιστορικού πρόσφατων αρχείων"));
    EXPECT_EQ(captions(window->Menu1),
              QStringLiteral("Αναίρεση κίνησης|Ctrl+R;Επανάληψη κίνησης|Ctrl+F;-;"
                             "Επιλογή παιχνιδιού|Ctrl+G;Εμφάνιση Αρχής-Τέλους|Ctrl+T;"
                             "Αντιστροφή Αρχής-Τέλους"));
    EXPECT_EQ(captions(window->Menu2), QStringLiteral("Κανόνες παιχνιδιού|Ctrl+H;-;Πληροφορίες"));
}

TEST_F(WindowTest, CellsLieOverTheBoardInIndexOrder) {
    for (int x = 1; x <= 4; ++x) {
        for (int y = 1; y <= 5; ++y) {
            platform::ImageControl* image = window->CellImage(x, y);
            EXPECT_EQ(image, window->Image1[(x - 1) * 5 + (y - 1)]);
            EXPECT_EQ(image->pos(), QPoint(15 + 50 * (x - 1), 15 + 50 * (y - 1)));
        }
    }
    // A later control lies above an earlier one: the cell under a spreading picture wins.
    EXPECT_EQ(window->Client->childAt(window->CellImage(3, 1)->geometry().center()),
              window->CellImage(3, 1));
    EXPECT_EQ(window->Client->childAt(QPoint(5, 5)), window->Table);
    EXPECT_EQ(window->StartPlace->pos(), QPoint(15, 295));
    EXPECT_EQ(window->FinishPlace->pos(), QPoint(169, 295));
}

struct StartCase {
    int number;
    bool reversed;
    const char* caption;
};

void PrintTo(const StartCase& c, std::ostream* os) {
    *os << GameName(c.number, c.reversed);
}

class StartGameTest : public WindowTest, public testing::WithParamInterface<StartCase> {};

TEST_P(StartGameTest, SetsUpTheGame) {
    const StartCase c = GetParam();
    const game::GameLayout& layout = game::GetGameLayout(c.number);
    // Something to replace: a game left solved with moves recorded.
    StartGame(5, false);
    ShowBoard(game::GetGameLayout(5).goal);

    StartGame(c.number, c.reversed);

    const bool reversed = c.reversed && c.number != 0;
    EXPECT_EQ(window->Board, reversed ? layout.goal : layout.start);
    EXPECT_EQ(window->TargetBoard, reversed ? layout.start : layout.goal);
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8(c.caption));
    EXPECT_TRUE(window->Menu13->Enabled());
    EXPECT_EQ(window->Menu14->Enabled(), c.number != 0);
    EXPECT_EQ(window->Menu14->Caption(), reversed ? kReverseOn : kReverseOff);
    EXPECT_TRUE(window->ExtraPlace->Shows(reversed ? window->ExtraArrowBack : window->ExtraArrow));
    EXPECT_TRUE(window->StartPlace->Shows(window->Start[c.number]));
    EXPECT_TRUE(window->FinishPlace->Shows(window->Finish[c.number]));
    EXPECT_EQ(window->History.Index(), 0);
    EXPECT_EQ(window->History.Last(), 0);
    EXPECT_EQ(window->History.Entry(0), window->Board);
    EXPECT_FALSE(window->MUndo->Enabled());
    EXPECT_FALSE(window->MRedo->Enabled());
    EXPECT_FALSE(window->GameChanged);
    EXPECT_FALSE(window->Solved);
    EXPECT_TRUE(window->StartFinishHidden);
}

INSTANTIATE_TEST_SUITE_P(
    NineGamesBothWays, StartGameTest,
    testing::Values(
        StartCase{0, false, "Ταρβέξη-Κλασικό"}, StartCase{0, true, "Ταρβέξη-Κλασικό"},
        StartCase{1, false, "Ταρβέξη-Παιχνίδι 1"}, StartCase{1, true, "Ταρβέξη-Παιχνίδι 1"},
        StartCase{2, false, "Ταρβέξη-Παιχνίδι 2"}, StartCase{2, true, "Ταρβέξη-Παιχνίδι 2"},
        StartCase{3, false, "Ταρβέξη-Παιχνίδι 3"}, StartCase{3, true, "Ταρβέξη-Παιχνίδι 3"},
        StartCase{4, false, "Ταρβέξη-Παιχνίδι 4"}, StartCase{4, true, "Ταρβέξη-Παιχνίδι 4"},
        StartCase{5, false, "Ταρβέξη-Παιχνίδι 5"}, StartCase{5, true, "Ταρβέξη-Παιχνίδι 5"},
        StartCase{6, false, "Ταρβέξη-Παιχνίδι 6"}, StartCase{6, true, "Ταρβέξη-Παιχνίδι 6"},
        StartCase{7, false, "Ταρβέξη-Παιχνίδι 7"}, StartCase{7, true, "Ταρβέξη-Παιχνίδι 7"},
        StartCase{8, false, "Ταρβέξη-Παιχνίδι 8"}, StartCase{8, true, "Ταρβέξη-Παιχνίδι 8"}),
    [](const testing::TestParamInfo<StartCase>& info) {
        return GameName(info.param.number, info.param.reversed);
    });

TEST_F(WindowTest, ClassicGameStartedWhileReversedIsPlayedForward) {
    StartGame(3, true);
    StartGame(0, true);
    EXPECT_FALSE(window->Menu14->Enabled());
    EXPECT_EQ(window->Menu14->Caption(), kReverseOff);
    EXPECT_EQ(window->Board, game::GetGameLayout(0).start);
    EXPECT_TRUE(window->ExtraPlace->Shows(window->ExtraArrow));
}

TEST_F(WindowTest, LoadingModeCaptionCarriesTheFileTitleAndKeepsTheHistory) {
    StartGame(2, false);
    window->History.Record(
        Rows("40 10 11 40 / 40 12 13 40 / 20 21 0 0 / 30 30 30 30 / 31 31 31 31"));
    window->CurrentFilePath = QStringLiteral("/home/player/games/my.game.tvx");
    window->LoadingFromFile = true;
    mdlBasic::GameNumber = 0;
    window->StartGame(mdlBasic::GameNumber, window->CurrentFilePath);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ταρβέξη-Κλασικό-my.game"));
    EXPECT_FALSE(window->LoadingFromFile);
    EXPECT_EQ(window->History.Index(), 1);
    EXPECT_EQ(window->CurrentFilePath, QStringLiteral("/home/player/games/my.game.tvx"));

    window->LoadingFromFile = true;
    mdlBasic::GameNumber = 7;
    window->StartGame(mdlBasic::GameNumber, QStringLiteral("/tmp/Παιχνίδι 7.tvx"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Ταρβέξη-Παιχνίδι 7-Παιχνίδι 7"));
}

TEST_F(WindowTest, SolvedGameSetUpAgainReturnsToPlay) {
    StartGame(4, false);
    ShowBoard(game::GetGameLayout(4).goal);
    ASSERT_TRUE(window->ExtraPlace->Shows(window->ExtraTick));
    ASSERT_FALSE(window->StartFinishHidden);

    StartGame(4, false);
    EXPECT_TRUE(window->Menu13->Enabled());
    EXPECT_TRUE(window->Menu14->Enabled());
    EXPECT_TRUE(window->ExtraPlace->Shows(window->ExtraArrow));
    EXPECT_TRUE(window->StartFinishHidden);
    EXPECT_EQ(window->Client->height(), 280);
}

TEST_F(WindowTest, StripFollowsTheCheckMarkAtSetUp) {
    window->Menu13->SetChecked(true);
    StartGame(1, false);
    EXPECT_FALSE(window->StartFinishHidden);
    EXPECT_EQ(window->Client->size(), QSize(230, 366));
    EXPECT_TRUE(window->ExtraPlace->isVisibleTo(window.get()));
    EXPECT_TRUE(window->Menu13->Checked());
}

TEST_F(WindowTest, DrawBoardPutsPicturesOnTheAnchorsOnly) {
    const std::vector<std::tuple<int, int, const QPixmap*>> expected = {
        {1, 1, &window->PawnVer},   {4, 1, &window->PawnVer},   {1, 4, &window->PawnVer},
        {4, 4, &window->PawnVer},   {2, 1, &window->PawnBig},   {2, 3, &window->PawnHor},
        {2, 4, &window->PawnSmall}, {3, 4, &window->PawnSmall}, {2, 5, &window->PawnSmall},
        {3, 5, &window->PawnSmall}};
    int pictures = 0;
    for (int x = 1; x <= 4; ++x) {
        for (int y = 1; y <= 5; ++y) {
            pictures += window->CellImage(x, y)->HasPicture() ? 1 : 0;
        }
    }
    EXPECT_EQ(pictures, 10);
    for (const auto& [x, y, picture] : expected) {
        EXPECT_TRUE(window->CellImage(x, y)->Shows(*picture)) << x << "," << y;
        EXPECT_EQ(window->CellImage(x, y)->size(), picture->size());
    }
}

TEST(PlaceOnScreen, FollowsTheFormulaInTwips) {
    const WindowPlace xga = PlaceOnScreen(15360.0f, 11520.0f, 7.0f, 9.0f);
    EXPECT_EQ(xga.left, 4000.5f);
    EXPECT_EQ(xga.top, 3307.5f);
    const WindowPlace narrow = PlaceOnScreen(9645.0f, 4905.0f, 7.0f, 9.0f);
    EXPECT_EQ(narrow.left, 7.0f);
    EXPECT_EQ(narrow.top, 9.0f);
    const WindowPlace wide = PlaceOnScreen(9660.0f, 4000.0f, 7.0f, 9.0f);
    EXPECT_EQ(wide.left, 10.5f);
    EXPECT_EQ(wide.top, 9.0f);
}

TEST_F(WindowTest, WindowIsPlacedOnTheScreenToTheNearestPixel) {
    const QSizeF screen = platform::ScreenSizeTwips();
    ASSERT_GT(screen.width(), 9645);
    const WindowPlace place = PlaceOnScreen(static_cast<float>(screen.width()),
                                            static_cast<float>(screen.height()), 0.0f, 0.0f);
    EXPECT_EQ(window->pos(), QPoint(qRound(place.left / 15), qRound(place.top / 15)));
}

TEST_F(WindowTest, HideStartFinishChangesTheHeightOncePerState) {
    const int shortHeight = window->HeightTwips();
    window->HideStartFinish(true);
    EXPECT_EQ(window->HeightTwips(), shortHeight);
    window->HideStartFinish(false);
    EXPECT_EQ(window->HeightTwips(), shortHeight + 1290);
    window->HideStartFinish(false);
    EXPECT_EQ(window->HeightTwips(), shortHeight + 1290);
    window->HideStartFinish(true);
    EXPECT_EQ(window->HeightTwips(), shortHeight);
}

TEST(CommandFileFromArguments, TakesThePathAsTheShellGaveItInFull) {
    const QDir here = QDir::current();
    const std::vector<std::pair<QStringList, QString>> cases = {
        {{}, QString()},
        {{QString()}, QString()},
        {{QStringLiteral("/home/p/a.tvx")}, QStringLiteral("/home/p/a.tvx")},
        {{QStringLiteral("\"/home/p/a b.tvx\"")}, QStringLiteral("/home/p/a b.tvx")},
        {{QStringLiteral("/home/p/my"), QStringLiteral("game.tvx")},
         QStringLiteral("/home/p/my game.tvx")},
        {{QStringLiteral("\"/home/p/my"), QStringLiteral("game.tvx\"")},
         QStringLiteral("/home/p/my game.tvx")},
        {{QStringLiteral("\"\"")}, QString()},
        {{QStringLiteral("\"")}, here.filePath(QStringLiteral("\""))},
        {{QStringLiteral("\"a.tvx")}, here.filePath(QStringLiteral("\"a.tvx"))},
        {{QStringLiteral("x")}, here.filePath(QStringLiteral("x"))},
        {{QStringLiteral("games/my"), QStringLiteral("game.tvx")},
         here.filePath(QStringLiteral("games/my game.tvx"))},
        {{QStringLiteral("./a/../b.tvx")}, here.filePath(QStringLiteral("a/../b.tvx"))},
        {{QStringLiteral("/home/p/../q//./a.tvx")}, QStringLiteral("/home/p/../q/a.tvx")},
    };
    for (const auto& [arguments, expected] : cases) {
        EXPECT_EQ(CommandFileFromArguments(arguments), expected)
            << arguments.join('|').toStdString();
    }
}

TEST_F(WindowTest, WindowCannotBeResizedByThePlayer) {
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window->windowIcon().isNull());
}

// --- legal moves in the window ---

TEST_F(WindowTest, MovablePiecesShowThePointingHand) {
    // The classic start: the four standing pieces and the lying one.
    const std::set<std::pair<int, int>> movable = {{1, 1}, {1, 2}, {4, 1}, {4, 2}, {1, 4},
                                                   {1, 5}, {4, 4}, {4, 5}, {2, 3}, {3, 3}};
    for (int x = 1; x <= 4; ++x) {
        for (int y = 1; y <= 5; ++y) {
            platform::ImageControl* image = window->CellImage(x, y);
            const bool expected = movable.count({x, y}) == 1;
            EXPECT_EQ(image->MousePointer(),
                      expected ? platform::PointerCustom : platform::PointerDefault)
                << x << "," << y;
            if (expected) {
                EXPECT_EQ(image->cursor().pixmap().cacheKey(),
                          window->HandPoint.pixmap().cacheKey());
            }
        }
    }
}

TEST_F(WindowTest, RebuildingTheMovesRepaintsNothing) {
    QApplication::processEvents();
    PaintCounter counter(window->Client);
    window->UpdateMoves();
    QApplication::processEvents();
    EXPECT_EQ(counter.paints, 0);
}

TEST_F(WindowTest, SolvedBoardShowsTheTickAndBlocksPlay) {
    StartGame(3, false);
    ASSERT_FALSE(window->Menu13->Checked());
    const game::MoveTable before = window->CanMove;
    ShowBoard(game::GetGameLayout(3).goal);

    EXPECT_TRUE(window->Solved);
    EXPECT_TRUE(window->ExtraPlace->Shows(window->ExtraTick));
    EXPECT_FALSE(window->StartFinishHidden);
    EXPECT_FALSE(window->Menu13->Checked());
    EXPECT_FALSE(window->Menu13->Enabled());
    EXPECT_FALSE(window->Menu14->Enabled());
    EXPECT_EQ(window->CanMove, before);
    for (platform::ImageControl* image : window->Image1) {
        EXPECT_EQ(image->MousePointer(), platform::PointerDefault);
    }
}

TEST_F(WindowTest, ClassicGameIsSolvedByTheBigPieceAlone) {
    ShowBoard(Rows("40 30 30 40 / 0 31 31 0 / 30 20 21 30 / 31 10 11 31 / 40 12 13 40"));
    EXPECT_TRUE(window->Solved);
}

}  // namespace
