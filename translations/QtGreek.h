#pragma once

#include <QCoreApplication>

namespace translations {

// Greek for Qt's own texts (the file dialogs, standard buttons, the edit and scroll bar menus)
// from the translation built into the program, and the Greek locale as the default, which
// names file types. Call before any window is built. False when the translation is missing.
bool InstallQtGreek(QCoreApplication& app);

}  // namespace translations
