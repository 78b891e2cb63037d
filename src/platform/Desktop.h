#pragma once

#include <QDesktopServices>
#include <QDialog>
#include <QString>
#include <QStringList>
#include <QUrl>

namespace platform {

// Message box buttons, icons and answers, in the codes the program uses.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbYesNoCancel = 3;
inline constexpr int vbYesNo = 4;
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbDefaultButton1 = 0;
inline constexpr int vbDefaultButton2 = 256;
inline constexpr int vbOK = 1;
inline constexpr int vbCancel = 2;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

// Flags of the file dialogs.
inline constexpr int cdlOFNOverwritePrompt = 2;
inline constexpr int cdlOFNFileMustExist = 4096;
inline constexpr int cdlOFNNoReadOnlyReturn = 32768;

// Help commands.
inline constexpr int cdlHelpContext = 1;
inline constexpr int cdlHelpContents = 3;

// What a file dialog is shown with. Filter: label and pattern pairs, all separated by "|".
struct FileDialogProperties {
    bool CancelError = false;
    int Flags = 0;
    QString DefaultExt;
    QString FileName;
    QString InitDir;
    QString Filter;
};

// Everything modal or outside the program. The program uses the Qt one; tests use a scripted
// one that answers from a queue and records every call. Every box and dialog is given the
// window it belongs to, its owner: it stands over that window and is modal to it.
class Desktop {
  public:
    virtual ~Desktop() = default;

    // A modal message box; style is buttons + icon + default button. Returns the answer code.
    virtual int MsgBox(QWidget* owner, const QString& prompt, int style, const QString& title) = 0;
    // The open and save dialogs. Return the chosen full path, or the empty string on cancel.
    virtual QString ShowOpen(QWidget* owner, const FileDialogProperties& properties) = 0;
    virtual QString ShowSave(QWidget* owner, const FileDialogProperties& properties) = 0;
    // Opens the help file at its contents (cdlHelpContents) or at a topic (cdlHelpContext); a
    // failure is told over owner.
    virtual void ShowHelp(QWidget* owner, const QString& helpFile, int command, int context) = 0;
    // Shows a window of the program modally and returns its result when it has closed.
    virtual int ShowModal(QDialog& dialog) { return dialog.exec(); }
    // The shell's open verb: a mailto: address or a file, in the program that handles it.
    // False when nothing could open it.
    virtual bool ShellOpen(const QString& target) {
        return QDesktopServices::openUrl(QUrl(target));
    }
};

// The Desktop on Qt's dialogs.
Desktop& QtDesktop();

// The message box of QtDesktop().MsgBox, modal over `parent`'s window.
int MsgBoxOver(QWidget* parent, const QString& prompt, int style, const QString& title);

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
    Desktop* desktop_;
};

}  // namespace platform
