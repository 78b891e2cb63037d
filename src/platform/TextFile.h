#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <memory>

namespace platform {

// No game file line this long or longer can be decoded, so a reader keeps no more of a line.
inline constexpr qsizetype kLongestLine = 65534;

// A text file opened for reading or for writing: one byte per character, every line ended by
// CR LF. Every failure is a RuntimeError.
class TextStream {
  public:
    virtual ~TextStream() = default;
    // The next line without its line end, as a view valid until the next read or Close;
    // ErrInputPastEndOfFile when none is left. A line of kLongestLine characters or more gives
    // its first kLongestLine only.
    virtual QByteArrayView ReadLineView() = 0;
    // The same line as a copy of its own.
    QByteArray ReadLine() { return ReadLineView().toByteArray(); }
    // line, then CR LF. line holds no CR or LF.
    virtual void WriteLine(const QByteArray& line) = 0;
    // Ends the stream. A written file is complete only now; until then a file it replaces
    // keeps its old content. A stream released without Close leaves a replaced file as it was.
    virtual void Close() = 0;
};

// The file services of the program.
class FileSystemObject {
  public:
    // A new file for writing; an existing file of that name is replaced when the stream is
    // closed. ErrPermissionDenied when it may not be written. A write that the system stops
    // (ErrDiskFull for a full disk, ErrPathFileAccess otherwise) raises from WriteLine or
    // Close, and the file it was to replace stays as it was.
    static std::unique_ptr<TextStream> CreateTextFile(const QString& path);
    // An existing regular file for reading. ErrFileNotFound, ErrPathNotFound,
    // ErrPermissionDenied or ErrPathFileAccess when it cannot be opened; anything that is not
    // a regular file (folder, FIFO, device, socket) is ErrPathFileAccess at once.
    static std::unique_ptr<TextStream> OpenTextFile(const QString& path);
};

// The reader of OpenTextFile over bytes in memory. It takes them blockSize at a time (at least
// one, at most what it takes from a file), so that line ends can be put across its blocks.
std::unique_ptr<TextStream> OpenTextBytes(const QByteArray& bytes, qsizetype blockSize);

}  // namespace platform
