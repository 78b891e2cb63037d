// Timings of the main window: its load beside a bare window with the same menus, and one
// mouse-move event of a drag.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTemporaryDir>

#include "game/Board.h"
#include "game/Measures.h"
#include "resources/Artwork.h"
#include "support/QuietOffscreen.h"
#include "support/ScriptedDesktop.h"
#include "ui/frmBasic.h"

namespace {

const resources::Artwork* gArtwork = nullptr;
testsupport::ScriptedDesktop gDesktop;

void CopyMenu(const QMenu* from, QMenu* to) {
    for (const QAction* action : from->actions()) {
        if (action->isSeparator()) {
            to->addSeparator();
        } else if (action->menu() != nullptr) {
            CopyMenu(action->menu(), to->addMenu(action->text()));
        } else {
            to->addAction(action->text())->setShortcut(action->shortcut());
        }
    }
}

void ShowAndPaint(QWidget& window) {
    window.show();
    QApplication::processEvents();
    window.repaint();
}

void BareWindowLoad(benchmark::State& state) {
    const frmBasic model(*gArtwork, gDesktop);
    for (auto _ : state) {
        QMainWindow window;
        for (const QAction* top : model.menuBar()->actions()) {
            CopyMenu(top->menu(), window.menuBar()->addMenu(top->text()));
        }
        window.setCentralWidget(new QWidget);
        window.centralWidget()->setFixedSize(game::kTrayWidthPixels, game::kTrayHeightPixels);
        ShowAndPaint(window);
    }
}
BENCHMARK(BareWindowLoad)->Unit(benchmark::kMillisecond);

void MainWindowLoad(benchmark::State& state) {
    for (auto _ : state) {
        frmBasic window(*gArtwork, gDesktop);
        ShowAndPaint(window);
    }
}
BENCHMARK(MainWindowLoad)->Unit(benchmark::kMillisecond);

// What the program does at start-up: the pictures, then the window.
void StartUp(benchmark::State& state) {
    for (auto _ : state) {
        const resources::Artwork artwork = resources::DrawArtwork();
        frmBasic window(artwork, gDesktop);
        ShowAndPaint(window);
    }
}
BENCHMARK(StartUp)->Unit(benchmark::kMillisecond);

void DrawArtwork(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(resources::DrawArtwork());
    }
}
BENCHMARK(DrawArtwork)->Unit(benchmark::kMillisecond);

// Drags the lying piece of the classic start: one mouse-move event an iteration, at the
// pointer place that place(i) gives, with the repaint after it when paint is set.
template <typename Place>
void DragTheLyingPiece(benchmark::State& state, Place place, bool paint) {
    frmBasic window(*gArtwork, gDesktop);
    ShowAndPaint(window);
    platform::ImageControl* cell = window.CellImage(2, 3);
    window.Image1_MouseDown(game::CellIndex(2, 3), 1, 0, 375.0f, 375.0f);
    int i = 0;
    for (auto _ : state) {
        const QPointF local = place(i++);
        QMouseEvent event(QEvent::MouseMove, local, cell->mapToGlobal(local), Qt::NoButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(cell, &event);
        if (paint) {
            QApplication::processEvents();
        }
    }
    if (window.ShownX != 1 && window.ShownX != 2) {
        state.SkipWithError("the drag did not follow the pointer");
    }
}

// Every event moves the picture between the piece's start and the cell to the left.
QPointF AcrossBands(int i) {
    return (i & 1) != 0 ? QPointF(25, 25) : QPointF(-25, 25);
}
// Every event keeps the drop place.
QPointF WithinBand(int i) {
    return QPointF(-10 - (i & 7), 25);
}

void MouseMoveAcrossBands(benchmark::State& state) {
    DragTheLyingPiece(state, AcrossBands, false);
}
BENCHMARK(MouseMoveAcrossBands)->Unit(benchmark::kMicrosecond);

void MouseMoveAcrossBandsPainted(benchmark::State& state) {
    DragTheLyingPiece(state, AcrossBands, true);
}
BENCHMARK(MouseMoveAcrossBandsPainted)->Unit(benchmark::kMicrosecond);

void MouseMoveWithinBand(benchmark::State& state) {
    DragTheLyingPiece(state, WithinBand, false);
}
BENCHMARK(MouseMoveWithinBand)->Unit(benchmark::kMicrosecond);

// The window's part of the legal moves: the table and the 20 pointers, on the classic start.
void UpdateMovesInWindow(benchmark::State& state) {
    frmBasic window(*gArtwork, gDesktop);
    ShowAndPaint(window);
    for (auto _ : state) {
        window.UpdateMoves();
    }
}
BENCHMARK(UpdateMovesInWindow)->Unit(benchmark::kMicrosecond);

// Saving and opening a game with its whole history: 1000 entries, 20,028 lines.
void SaveAndOpenFullHistory(benchmark::State& state) {
    frmBasic window(*gArtwork, gDesktop);
    for (int move = 0; move < 1000; ++move) {
        const int x = move % 2 == 0 ? 2 : 1;
        window.Image1_MouseDown(game::CellIndex(x, 3), 1, 0, 375.0f, 375.0f);
        window.Image1_MouseMove(game::CellIndex(x, 3), 1, 0, move % 2 == 0 ? -375.0f : 1125.0f,
                                375.0f);
        window.Image1_MouseUp(game::CellIndex(x, 3), 1, 0, 0.0f, 0.0f);
    }
    const QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("full.tvx"));
    const bool open = state.range(0) == 1;
    window.SaveGame(path);
    for (auto _ : state) {
        if (open) {
            window.OpenGame(false, path);
        } else {
            window.SaveGame(path);
        }
    }
    if (window.History.Last() != 999 || !gDesktop.messages.empty()) {
        state.SkipWithError("the game was not saved and opened whole");
    }
}
BENCHMARK(SaveAndOpenFullHistory)->Arg(0)->Arg(1)->ArgName("open")->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    testsupport::UseQuietOffscreenPlatform();
    QApplication app(argc, argv);
    const QTemporaryDir settings;
    testsupport::UseSettingsFolder(settings.path());
    const resources::Artwork artwork = resources::DrawArtwork();
    gArtwork = &artwork;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
