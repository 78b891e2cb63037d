#include "platform/QtDesktop.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QUrl>
#include <functional>
#include <utility>

#include "platform/FileDialog.h"
#include "platform/MessageBox.h"

namespace platform {

namespace {

const QString kHelpTitle = QStringLiteral("Βοήθεια");

// Tells over `owner`, when it is still there, that the help file could not be opened.
void TellHelpNotOpened(QWidget* owner, const QString& helpFile) {
    MsgBoxOver(owner, QStringLiteral("Δεν ήταν δυνατό να ανοίξει το αρχείο βοήθειας: ") + helpFile,
               vbOKOnly | vbExclamation, kHelpTitle);
}

// Hands `file` to the desktop's opener without waiting for it: the opener may run as long as
// the viewer it starts. If the opener cannot start, or ends by saying that nothing opens the
// file, `failed` runs from the event loop.
void OpenWithDesktop(const QString& file, const std::function<void()>& failed) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Qt hands files to the same opener, detached, and so never learns how it ended.
    auto* opener = new QProcess(QCoreApplication::instance());
    opener->setProgram(QStringLiteral("xdg-open"));
    opener->setArguments({file});
    opener->setStandardInputFile(QProcess::nullDevice());
    opener->setStandardOutputFile(QProcess::nullDevice());
    QObject::connect(opener, &QProcess::finished, opener,
                     [opener, failed](int code, QProcess::ExitStatus status) {
                         opener->deleteLater();
                         if (status != QProcess::NormalExit || code != 0) {
                             failed();
                         }
                     });
    QObject::connect(opener, &QProcess::errorOccurred, opener,
                     [opener, failed](QProcess::ProcessError error) {
                         if (error == QProcess::FailedToStart) {
                             opener->deleteLater();
                             failed();
                         }
                     });
    opener->start();
#else
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(file))) {
        QMetaObject::invokeMethod(QCoreApplication::instance(), failed, Qt::QueuedConnection);
    }
#endif
}

class QtDesktopImpl final : public Desktop {
  public:
    int MsgBox(QWidget* owner, const QString& prompt, int style, const QString& title) override {
        return MsgBoxOver(owner, prompt, style, title);
    }

    QString ShowOpen(QWidget* owner, const FileDialogProperties& properties) override {
        return ShowFileDialog(owner, properties, QFileDialog::AcceptOpen);
    }

    QString ShowSave(QWidget* owner, const FileDialogProperties& properties) override {
        return ShowFileDialog(owner, properties, QFileDialog::AcceptSave);
    }

    void ShowHelp(QWidget* owner, const QString& helpFile, int /*command*/,
                  int /*context*/) override {
        // The viewer opens the file as a whole; it is not told about topics.
        const QFileInfo info(helpFile);
        if (helpFile.isEmpty() || !info.isFile()) {
            MsgBoxOver(owner, QStringLiteral("Το αρχείο βοήθειας δεν βρέθηκε: ") + helpFile,
                       vbOKOnly | vbExclamation, kHelpTitle);
            return;
        }
        // The answer comes later; the window that asked may have closed by then.
        const QPointer<QWidget> asking(owner);
        OpenWithDesktop(info.absoluteFilePath(),
                        [asking, helpFile] { TellHelpNotOpened(asking.data(), helpFile); });
    }

    int ShowModal(QDialog& dialog) override { return dialog.exec(); }

    bool ShellOpen(const QString& target) override {
        return QDesktopServices::openUrl(QUrl(target));
    }

  private:
    static QString ShowFileDialog(QWidget* owner, const FileDialogProperties& properties,
                                  QFileDialog::AcceptMode mode) {
        FileDialog dialog(owner, properties, mode);
        if (dialog.exec() != QDialog::Accepted) {
            return QString();
        }
        return dialog.ChosenPath();
    }
};

}  // namespace

Desktop& QtDesktop() {
    static QtDesktopImpl desktop;
    return desktop;
}

}  // namespace platform
