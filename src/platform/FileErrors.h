#pragma once

#include <QString>

#include "platform/RuntimeError.h"

// Shared by the reading and the writing side of the text file services.
namespace platform {

// Raises the run-time error of that number with its Greek description; numbers without a
// description of their own become ErrPathFileAccess.
[[noreturn]] void RaiseFileError(int number);

// The system's error of a write (an errno value) as the program's run-time error: no space
// left is a full disk (61), a refused write is permission denied (70), anything else a
// path/file access error (75) that says what the system reported.
RuntimeError WriteFailure(int systemError);

// The folder that would hold `path` is missing, or is no folder.
bool FolderMissing(const QString& path);

}  // namespace platform
