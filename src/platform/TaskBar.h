#pragma once

#include <QWidget>

namespace platform {

// Asks the window manager to give the top-level `window` no entry of its own in the task bar
// each time it is shown. Without an X11 window system, nothing is asked: an owned dialog is
// kept out of the task bar there already.
void KeepOutOfTaskBar(QWidget& window);

}  // namespace platform
