#pragma once

#include <QString>
#include <QWidget>

#include "platform/Desktop.h"

namespace platform {

// The Desktop on Qt's dialogs.
Desktop& QtDesktop();

// The message box of QtDesktop().MsgBox, modal over `parent`'s window.
int MsgBoxOver(QWidget* parent, const QString& prompt, int style, const QString& title);

}  // namespace platform
