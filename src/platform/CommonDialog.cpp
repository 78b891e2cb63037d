#include "platform/CommonDialog.h"

#include <QDir>
#include <QFileInfo>

#include "platform/RuntimeError.h"

namespace platform {

QString DialogStartFolder(const QString& initDir) {
    return QFileInfo(initDir).isDir() ? initDir : QDir::toNativeSeparators(QDir::homePath());
}

void CommonDialog::ShowOpen() {
    ShowFileDialog(&Desktop::ShowOpen);
}

void CommonDialog::ShowSave() {
    ShowFileDialog(&Desktop::ShowSave);
}

void CommonDialog::ShowFileDialog(FileDialogCall show) {
    Properties.FileName = (desktop_->*show)(Owner, Properties);
    if (Properties.FileName.isEmpty() && Properties.CancelError) {
        throw RuntimeError(ErrDialogCancelled);
    }
}

void CommonDialog::ShowHelp() {
    desktop_->ShowHelp(Owner, HelpFile, HelpCommand, HelpContext);
}

}  // namespace platform
