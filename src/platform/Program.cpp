#include "platform/Program.h"

#include <QCoreApplication>

namespace platform {

QString ProgramFolder() {
    return QCoreApplication::applicationDirPath();
}

int ProgramMajorVersion() {
    return TARVEX_VERSION_MAJOR;
}
int ProgramMinorVersion() {
    return TARVEX_VERSION_MINOR;
}

}  // namespace platform
