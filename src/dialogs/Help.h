#pragma once

#include <QString>

#include "platform/CommonDialog.h"

namespace dialogs {

// The help file, beside the program.
QString HelpFilePath();

// The rules: the help file at its contents, on the main window's common dialog.
void ShowRules(platform::CommonDialog& dialog);

// The chooser's topic of the help file, on the chooser's common dialog.
void ShowChooserHelp(platform::CommonDialog& dialog);

}  // namespace dialogs
