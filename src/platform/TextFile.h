#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

namespace platform {

// A text file opened for reading or for writing: one byte per character, every line ended by
// CR LF. Every failure is a RuntimeError.
class TextStream {
  public:
    virtual ~TextStream() = default;
    // The next line without its line end; ErrInputPastEndOfFile when none is left.
    virtual QByteArray ReadLine() = 0;
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
    // closed. ErrPermissionDenied when it may not be written.
    static std::unique_ptr<TextStream> CreateTextFile(const QString& path);
    // An existing file for reading. ErrFileNotFound, ErrPathNotFound, ErrPermissionDenied or
    // ErrPathFileAccess when it cannot be opened.
    static std::unique_ptr<TextStream> OpenTextFile(const QString& path);
};

}  // namespace platform
