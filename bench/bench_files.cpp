// Timings of opening the largest game file (1000 history entries, 20,028 lines) the way the
// program opens it, beside reading its bytes alone.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

#include "files/GameFile.h"
#include "game/GameLayouts.h"
#include "platform/TextFile.h"

namespace {

QTemporaryDir* gFolder = nullptr;

QString LargestGameFile() {
    const QString path = gFolder->filePath(QStringLiteral("largest.tvx"));
    if (QFile::exists(path)) {
        return path;
    }
    files::GameFileData data;
    data.GameNumber = 1;
    data.Board = game::GetGameLayout(1).start;
    data.HistoryIndex = files::kMaxHistoryLast;
    data.HistoryLast = files::kMaxHistoryLast;
    for (int k = 0; k <= files::kMaxHistoryLast; ++k) {
        data.Entries.push_back(game::GetGameLayout(k % game::kGameCount).start);
    }
    const auto file = platform::FileSystemObject::CreateTextFile(path);
    for (const QByteArray& line : files::GameFileLines(data, QStringLiteral("1.0"))) {
        file->WriteLine(line);
    }
    file->Close();
    return path;
}

void OpenLargestGameFile(benchmark::State& state) {
    const QString path = LargestGameFile();
    for (auto _ : state) {
        const auto file = platform::FileSystemObject::OpenTextFile(path);
        const files::GameFileReading reading = files::ReadGameFile(*file);
        file->Close();
        if (!reading.Data) {
            state.SkipWithError("the largest game file was refused");
            return;
        }
        benchmark::DoNotOptimize(reading);
    }
}
BENCHMARK(OpenLargestGameFile)->Unit(benchmark::kMicrosecond);

void ReadLargestGameFileBytes(benchmark::State& state) {
    const QString path = LargestGameFile();
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            state.SkipWithError("cannot open the largest game file");
            return;
        }
        benchmark::DoNotOptimize(file.readAll());
    }
}
BENCHMARK(ReadLargestGameFileBytes)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir folder;
    if (!folder.isValid()) {
        return EXIT_FAILURE;
    }
    gFolder = &folder;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return EXIT_FAILURE;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return EXIT_SUCCESS;
}
