// Timings of the rules that run on every drop and every mouse move.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "game/Board.h"
#include "game/Drag.h"
#include "game/GameLayouts.h"
#include "game/History.h"
#include "game/Moves.h"

namespace {

using namespace game;

void TableOn(benchmark::State& state, Board board) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(board);
        MoveTable table = BuildMoveTable(board);
        benchmark::DoNotOptimize(table);
    }
}

void BM_BuildMoveTable_ClassicStart(benchmark::State& state) {
    TableOn(state, GetGameLayout(ClassicGame).start);
}
BENCHMARK(BM_BuildMoveTable_ClassicStart);

void BM_BuildMoveTable_MidGame(benchmark::State& state) {
    // The classic game 40 moves into its shortest solution: two small pieces can move, each
    // one or two cells.
    TableOn(
        state,
        BoardFromRows("30 40 0 0 / 31 10 11 40 / 30 12 13 40 / 31 40 30 30 / 20 21 31 31").value());
}
BENCHMARK(BM_BuildMoveTable_MidGame);

void BM_IsSolved(benchmark::State& state) {
    Board board = GetGameLayout(5).start;
    const Board goal = GetGameLayout(5).goal;
    for (auto _ : state) {
        benchmark::DoNotOptimize(board);
        benchmark::DoNotOptimize(IsSolved(board, goal));
    }
}
BENCHMARK(BM_IsSolved);

// Two boards that differ, so that every record is a move.
struct TwoBoards {
    Board board[2] = {GetGameLayout(ClassicGame).start, GetGameLayout(ClassicGame).start};
    TwoBoards() { MovePiece(board[1], {2, 3}, {1, 3}); }
};

void BM_HistoryRecord(benchmark::State& state) {
    const TwoBoards boards;
    auto history = std::make_unique<History>();
    history->Reset(boards.board[0]);
    int next = 1;
    for (auto _ : state) {
        if (history->Index() == History::kLastEntry - 2) {
            history->Reset(boards.board[0]);  // even entries hold board 0: the parity holds
        }
        benchmark::DoNotOptimize(history->Record(boards.board[next]));
        next ^= 1;
    }
}
BENCHMARK(BM_HistoryRecord);

void BM_HistoryRecord_RollOver(benchmark::State& state) {
    const TwoBoards boards;
    auto history = std::make_unique<History>();
    history->Reset(boards.board[0]);
    int next = 1;
    while (history->Index() < History::kLastEntry - 1) {
        history->Record(boards.board[next]);
        next ^= 1;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(history->Record(boards.board[next]));
        next ^= 1;
    }
    if (history->Index() != History::kLastEntry - 1) {
        state.SkipWithError("history left its full state");
    }
}
BENCHMARK(BM_HistoryRecord_RollOver);

void BM_WorkOutDrop_Sweep(benchmark::State& state) {
    const MoveFlags kFlags[] = {
        KindBit(MoveUp) | KindBit(MoveLeft),
        KindBit(MoveUp) | KindBit(MoveThenLeft),
        KindBit(MoveDown) | KindBit(MoveRight),
        KindBit(MoveLeft) | KindBit(MoveThenLeft),
    };
    std::vector<float> offsets;
    for (float t = -2250.0f; t <= 2250.0f; t += 125.0f) {
        offsets.push_back(t);
    }
    std::int64_t calls = 0;
    for (auto _ : state) {
        for (MoveFlags flags : kFlags) {
            for (float X : offsets) {
                for (float Y : offsets) {
                    DragPlace place = WorkOutDrop({2, 3}, X, Y, flags);
                    benchmark::DoNotOptimize(place);
                }
            }
        }
        calls += static_cast<std::int64_t>(std::size(kFlags) * offsets.size() * offsets.size());
    }
    state.SetItemsProcessed(calls);
}
BENCHMARK(BM_WorkOutDrop_Sweep);

}  // namespace

BENCHMARK_MAIN();
