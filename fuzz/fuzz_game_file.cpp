// libFuzzer target of the game file reader. Each input is read the way an opened file is read:
// split into lines by the file reader's own code, over the input in memory, then checked by
// ReadGameFile. Beyond the sanitizers it stops on any disagreement: the lines must not depend
// on where the blocks end, must match a plain split of the whole input, and an accepted file
// must be written and read back unchanged.
//
//   fuzz_game_file -seeds FOLDER   writes the seed files, through the program's own writer
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

#include "files/GameFile.h"
#include "game/GameLayouts.h"
#include "platform/RuntimeError.h"
#include "platform/TextFile.h"

namespace {

void Require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "broken: %s\n", what);
        std::abort();
    }
}

// The lines of bytes in one pass over the whole input: CR LF, CR and LF end a line, a last
// line needs no line end, and a line keeps its first kLongestLine characters.
std::vector<QByteArray> PlainSplit(const QByteArray& bytes) {
    std::vector<QByteArray> lines;
    qsizetype i = 0;
    while (i < bytes.size()) {
        qsizetype end = i;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') {
            ++end;
        }
        lines.push_back(bytes.mid(i, std::min(end - i, platform::kLongestLine)));
        i = end;
        if (i < bytes.size() && bytes[i++] == '\r' && i < bytes.size() && bytes[i] == '\n') {
            ++i;
        }
    }
    return lines;
}

std::vector<QByteArray> ReaderLines(const QByteArray& bytes, qsizetype block) {
    const auto stream = platform::OpenTextBytes(bytes, block);
    std::vector<QByteArray> lines;
    for (;;) {
        try {
            lines.push_back(stream->ReadLine());
        } catch (const platform::RuntimeError& error) {
            Require(error.Number() == platform::ErrInputPastEndOfFile, "end of input is not 62");
            return lines;
        }
    }
}

struct Outcome {
    files::GameFileReading reading;
    int error = 0;  // the run-time error's number, or 0

    bool operator==(const Outcome& other) const {
        return reading.Data == other.reading.Data && reading.Refusal == other.reading.Refusal &&
               reading.RefusedEntry == other.reading.RefusedEntry && error == other.error;
    }
};

Outcome ReadThroughStream(const QByteArray& bytes, qsizetype block) {
    Outcome outcome;
    try {
        const auto stream = platform::OpenTextBytes(bytes, block);
        outcome.reading = files::ReadGameFile(*stream);
        stream->Close();
    } catch (const platform::RuntimeError& error) {
        outcome.error = error.Number();
    }
    return outcome;
}

Outcome ReadThroughLines(const std::vector<QByteArray>& lines) {
    Outcome outcome;
    std::size_t next = 0;
    try {
        outcome.reading = files::ReadGameFile([&] {
            if (next == lines.size()) {
                throw platform::RuntimeError(platform::ErrInputPastEndOfFile, QString());
            }
            return lines[next++];
        });
    } catch (const platform::RuntimeError& error) {
        outcome.error = error.Number();
    }
    return outcome;
}

QByteArray Joined(const std::vector<QByteArray>& lines, const QByteArray& lineEnd) {
    QByteArray bytes;
    for (const QByteArray& line : lines) {
        bytes += line + lineEnd;
    }
    return bytes;
}

// ---- Seeds ----

// A game of that number whose history runs through the start and goal positions of the
// games, `entries` of them, with the entry on show `back` from the last.
files::GameFileData Game(int number, bool reversed, int entries, int back) {
    files::GameFileData data;
    data.GameNumber = static_cast<std::uint8_t>(number);
    data.StripWanted = number % 2 == 1;
    data.Reversed = reversed;
    for (int k = 0; k < entries; ++k) {
        const game::GameLayout& layout = game::GetGameLayout((number + k / 2) % game::kGameCount);
        data.Entries.push_back(k % 2 == 0 ? layout.start : layout.goal);
    }
    data.HistoryLast = entries - 1;
    data.HistoryIndex = entries - 1 - back;
    data.Board = data.Entries[data.HistoryIndex];
    return data;
}

void WriteSeed(const QDir& folder, const QString& name, const std::vector<QByteArray>& lines) {
    const auto file = platform::FileSystemObject::CreateTextFile(folder.filePath(name));
    for (const QByteArray& line : lines) {
        file->WriteLine(line);
    }
    file->Close();
}

void WriteBytes(const QDir& folder, const QString& name, const QByteArray& bytes) {
    QFile file(folder.filePath(name));
    Require(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(), "seed written");
}

void WriteSeeds(const QString& path) {
    Require(QDir().mkpath(path), "seed folder made");
    const QDir folder(path);
    const QString version = QStringLiteral("1.0");
    WriteSeed(folder, "fresh.tvx", files::GameFileLines(Game(0, false, 1, 0), version));
    WriteSeed(folder, "reversed.tvx", files::GameFileLines(Game(4, true, 1, 0), version));
    WriteSeed(folder, "history5.tvx", files::GameFileLines(Game(2, false, 5, 0), version));
    WriteSeed(folder, "history40-undone.tvx", files::GameFileLines(Game(7, true, 40, 3), version));

    // Solved: the board shows the goal of its game.
    files::GameFileData solved = Game(3, false, 2, 0);
    solved.Board = game::GetGameLayout(3).goal;
    WriteSeed(folder, "solved.tvx", files::GameFileLines(solved, version));

    // The same file with the other line ends, without a last line end, and with one line too
    // long to be kept whole.
    std::vector<QByteArray> lines = files::GameFileLines(Game(5, false, 3, 1), version);
    WriteBytes(folder, "lf.tvx", Joined(lines, "\n"));
    WriteBytes(folder, "cr.tvx", Joined(lines, "\r"));
    QByteArray unended = Joined(lines, "\r\n");
    unended.chop(2);
    WriteBytes(folder, "unended.tvx", unended);
    lines[30] = lines[30].repeated(platform::kLongestLine / lines[30].size() + 2);
    WriteBytes(folder, "long-line.tvx", Joined(lines, "\r\n"));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    if (*argc == 3 && std::strcmp((*argv)[1], "-seeds") == 0) {
        WriteSeeds(QString::fromLocal8Bit((*argv)[2]));
        std::exit(EXIT_SUCCESS);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // Whole blocks as from a file, and small ones that put line ends across their edges.
    const qsizetype wholeBlock = 1 << 20;
    const qsizetype smallBlock = 1 + static_cast<qsizetype>(size % 61);

    const std::vector<QByteArray> lines = PlainSplit(bytes);
    Require(ReaderLines(bytes, wholeBlock) == lines, "lines in whole blocks");
    Require(ReaderLines(bytes, smallBlock) == lines, "lines in small blocks");

    const Outcome outcome = ReadThroughStream(bytes, wholeBlock);
    Require(outcome == ReadThroughStream(bytes, smallBlock), "reading in small blocks");
    Require(outcome == ReadThroughLines(lines), "reading of the lines");
    Require(outcome.error == 0 || outcome.error == platform::ErrInputPastEndOfFile ||
                outcome.error == platform::ErrOverflow,
            "run-time error number");
    Require(outcome.reading.Data.has_value() ==
                (outcome.error == 0 && outcome.reading.Refusal == files::GameFileRefusal::None),
            "accepted exactly when nothing refused it");

    if (outcome.reading.Data) {
        const std::vector<QByteArray> written =
            files::GameFileLines(*outcome.reading.Data, QStringLiteral("1.0"), [] { return 0.5f; });
        const Outcome back = ReadThroughStream(Joined(written, "\r\n"), wholeBlock);
        Require(back.reading.Data == outcome.reading.Data, "written and read back");
    }
    return 0;
}
