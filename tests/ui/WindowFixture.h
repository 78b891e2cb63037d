#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "files/GameFile.h"
#include "game/Board.h"
#include "platform/TextFile.h"
#include "support/BoardText.h"
#include "support/ScriptedDesktop.h"
#include "support/TestArtwork.h"
#include "ui/frmBasic.h"
#include "ui/mdlBasic.h"

inline const QString kReverseOn = QStringLiteral("Επαναφορά Αρχής-Τέλους");
inline const QString kReverseOff = QStringLiteral("Αντιστροφή Αρχής-Τέλους");

using testsupport::Rows;
using testsupport::TestArtwork;

// A test name for a game and its direction: Game3, Game3Reversed.
inline std::string GameName(int number, bool reversed) {
    return "Game" + std::to_string(number) + (reversed ? "Reversed" : "");
}

// Counts the paint events of a widget and its children.
class PaintCounter : public QObject {
  public:
    explicit PaintCounter(QWidget* widget) {
        widget->installEventFilter(this);
        for (QObject* child : widget->children()) {
            child->installEventFilter(this);
        }
    }
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
    int paints = 0;
};

// The real main window, shown offscreen.
class WindowTest : public testing::Test {
  protected:
    void SetUp() override {
        window = std::make_unique<frmBasic>(TestArtwork(), desktop);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    // What the reverse command does before it sets the game up.
    void StartGame(int number, bool reversed) {
        window->Menu14->SetCaption(reversed ? kReverseOn : kReverseOff);
        mdlBasic::GameNumber = static_cast<std::uint8_t>(number);
        window->StartGame(mdlBasic::GameNumber);
    }

    // Puts a board in play the way the opening of a file does after the set-up.
    void ShowBoard(const game::Board& board) {
        window->Board = board;
        window->DrawBoard();
        window->UpdateMoves();
    }

    // A whole drag through the handlers: press at the centre of cell (x, y), move dx, dy cells
    // away, release.
    void DragPiece(int x, int y, int dx, int dy) {
        const int index = game::CellIndex(x, y);
        const float endX = 375.0f + 750.0f * static_cast<float>(dx);
        const float endY = 375.0f + 750.0f * static_cast<float>(dy);
        window->Image1_MouseDown(index, platform::ButtonLeft, 0, 375.0f, 375.0f);
        window->Image1_MouseMove(index, platform::ButtonLeft, 0, endX, endY);
        window->Image1_MouseUp(index, platform::ButtonLeft, 0, endX, endY);
    }

    // The game file at path, read and checked as the open does; it must be accepted.
    static files::GameFileData ReadBack(const QString& path) {
        const auto file = platform::FileSystemObject::OpenTextFile(path);
        const files::GameFileReading reading = files::ReadGameFile(*file);
        file->Close();
        EXPECT_TRUE(reading.Data.has_value());
        return reading.Data.value_or(files::GameFileData{});
    }

    testsupport::ScriptedDesktop desktop;
    std::unique_ptr<frmBasic> window;
};
