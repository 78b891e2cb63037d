#pragma once

#include <QPoint>
#include <QWidget>

namespace platform {

// Moves a top-level window so that its outer top-left corner, title bar and border included,
// lies at `outer` (pixels). A window manager frames a window only once it is shown, so until
// then the frame's size is unknown and the window is placed by its client area; it is moved
// once more when it is first shown with its frame.
void MoveOuter(QWidget& window, QPoint outer);

}  // namespace platform
