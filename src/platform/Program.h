#pragma once

#include <QString>

namespace platform {

// The folder that holds the program, without a trailing separator.
QString ProgramFolder();

// The program's version as the build gives it.
int ProgramMajorVersion();
int ProgramMinorVersion();

}  // namespace platform
