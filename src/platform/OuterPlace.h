#pragma once

#include <QPoint>
#include <QWidget>

namespace platform {

// Moves a top-level window so that its outer top-left corner, title bar and border included,
// lies at `outer` (pixels). A window manager frames a window only once it is shown, so the
// frame's size is unknown until then: the window asks for its frame to be put on the point as
// it is mapped, and is moved once more, when first shown framed, only where the window manager
// put it elsewhere.
void MoveOuter(QWidget& window, QPoint outer);

}  // namespace platform
