#pragma once

#include <QString>
#include <QWidget>

#include "platform/Desktop.h"

namespace platform {

// Help commands.
inline constexpr int cdlHelpContext = 1;
inline constexpr int cdlHelpContents = 3;

// The folder a file dialog opens for the start folder initDir: initDir itself when it is a
// folder, else the player's home folder (the program never creates its own folder).
QString DialogStartFolder(const QString& initDir);

// The program's common dialog: properties that stay until they are set again, and the show
// operations. With CancelError set, a cancel raises ErrDialogCancelled.
class CommonDialog {
  public:
    // owner: the window whose dialog this is; its dialogs stand over it.
    CommonDialog(Desktop& desktop, QWidget* owner) : Owner(owner), desktop_(&desktop) {}

    QWidget* Owner;
    FileDialogProperties Properties;
    QString HelpFile;
    int HelpCommand = 0;
    int HelpContext = 0;

    // Afterwards Properties.FileName holds the chosen path ("" when cancelled without
    // CancelError).
    void ShowOpen();
    void ShowSave();
    void ShowHelp();

  private:
    using FileDialogCall = QString (Desktop::*)(QWidget*, const FileDialogProperties&);
    void ShowFileDialog(FileDialogCall show);

    Desktop* desktop_;
};

}  // namespace platform
