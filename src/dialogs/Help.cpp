#include "dialogs/Help.h"

#include "platform/Program.h"
#include "util/mdlFilesFoldersFunctions.h"

namespace dialogs {

namespace {

// The chooser's topic in the help file.
constexpr int kChooserHelpContext = 4;

}  // namespace

QString HelpFilePath() {
    return platform::ProgramFolder() + mdlFilesFoldersFunctions::kFolderSeparator +
           QStringLiteral("Tarvex.hlp");
}

void ShowRules(platform::CommonDialog& dialog) {
    dialog.HelpCommand = platform::cdlHelpContents;
    dialog.HelpFile = HelpFilePath();
    dialog.ShowHelp();
}

void ShowChooserHelp(platform::CommonDialog& dialog) {
    dialog.HelpFile = HelpFilePath();
    dialog.HelpContext = kChooserHelpContext;
    dialog.HelpCommand = platform::cdlHelpContext;
    dialog.ShowHelp();
}

}  // namespace dialogs
