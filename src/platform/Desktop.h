#pragma once

#include <QDialog>
#include <QString>
#include <QWidget>

#include "platform/MsgBoxStyle.h"

namespace platform {

// Flags of the file dialogs.
inline constexpr int cdlOFNOverwritePrompt = 2;
inline constexpr int cdlOFNFileMustExist = 4096;
inline constexpr int cdlOFNNoReadOnlyReturn = 32768;

// What a file dialog is shown with. Filter: label and pattern pairs, all separated by "|".
struct FileDialogProperties {
    bool CancelError = false;
    int Flags = 0;
    QString DefaultExt;
    QString FileName;
    QString InitDir;
    QString Filter;
};

// Everything modal or outside the program, declared only: the program uses QtDesktop(); tests
// use a scripted one that answers from a queue and records every call, and never block. Every box
// and dialog is given the window it belongs to, its owner: it stands over that window and is modal
// to it.
class Desktop {
  public:
    virtual ~Desktop() = default;

    // A modal message box; style is buttons + icon + default button. Returns the answer code.
    virtual int MsgBox(QWidget* owner, const QString& prompt, int style, const QString& title) = 0;
    // The open and save dialogs. Return the chosen full path, or the empty string on cancel.
    virtual QString ShowOpen(QWidget* owner, const FileDialogProperties& properties) = 0;
    virtual QString ShowSave(QWidget* owner, const FileDialogProperties& properties) = 0;
    // Opens the help file at its contents (cdlHelpContents) or at a topic (cdlHelpContext)
    // without waiting for the viewer; a failure is told over owner, later if need be.
    virtual void ShowHelp(QWidget* owner, const QString& helpFile, int command, int context) = 0;
    // Shows a window of the program modally and returns its result when it has closed.
    virtual int ShowModal(QDialog& dialog) = 0;
    // The shell's open verb: a mailto: address or a file, in the program that handles it.
    // False when nothing could open it.
    virtual bool ShellOpen(const QString& target) = 0;
};

}  // namespace platform
