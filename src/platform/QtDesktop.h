#pragma once

#include <QString>
#include <QWidget>

#include "platform/Desktop.h"

namespace platform {

// The Desktop on Qt's dialogs: the program's own message boxes and file dialogs, the desktop's
// opener for the help file, Qt's for a mail link.
Desktop& QtDesktop();

}  // namespace platform
