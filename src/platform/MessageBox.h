#pragma once

#include <QString>
#include <QWidget>

#include "platform/MsgBoxStyle.h"

namespace platform {

// A message box modal over `parent`'s window; style is buttons + icon + default button (see
// MsgBoxStyle.h). Returns the answer code; closed without a button, Cancel where there is one.
int MsgBoxOver(QWidget* parent, const QString& prompt, int style, const QString& title);

}  // namespace platform
