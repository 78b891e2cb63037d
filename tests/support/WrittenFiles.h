#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include "platform/TextFile.h"

namespace testsupport {

// The first lines of a game file: what a file that a save is to replace holds.
inline const QByteArray kPreviousFile = "Kivuno\r\nTarvex\r\nv1.0\r\n";

// Puts bytes into the file at path directly, not through the program's writer.
inline bool PutFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Writes `lines` lines of 40 letters (a line of a, then of b, ...) through the program's
// writer; its run-time errors pass.
inline void WriteLetterLines(const QString& path, int lines) {
    auto stream = platform::FileSystemObject::CreateTextFile(path);
    for (int i = 0; i < lines; ++i) {
        stream->WriteLine(QByteArray(40, static_cast<char>('a' + i % 26)));
    }
    stream->Close();
}

}  // namespace testsupport
