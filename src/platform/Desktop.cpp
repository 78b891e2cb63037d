#include "platform/Desktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>
#include <QVector>
#include <utility>

#include "platform/RuntimeError.h"

namespace platform {

namespace {

// Button sets, icons and default buttons beyond those the header names.
constexpr int kButtonsMask = 0x7;
constexpr int kIconMask = 0x70;
constexpr int kDefaultButtonMask = 0x300;
constexpr int vbOKCancel = 1;
constexpr int vbAbortRetryIgnore = 2;
constexpr int vbYesNo = 4;
constexpr int vbRetryCancel = 5;
constexpr int vbInformation = 64;
constexpr int vbDefaultButton2 = 256;
constexpr int vbAbort = 3;
constexpr int vbRetry = 4;
constexpr int vbIgnore = 5;

struct Choice {
    QMessageBox::StandardButton button;
    int answer;
    const char* text;  // UTF-8
};

constexpr Choice kOK{QMessageBox::Ok, vbOK, "OK"};
constexpr Choice kCancel{QMessageBox::Cancel, vbCancel, "Άκυρο"};
constexpr Choice kAbort{QMessageBox::Abort, vbAbort, "Ματαίωση"};
constexpr Choice kRetry{QMessageBox::Retry, vbRetry, "Επανάληψη"};
constexpr Choice kIgnore{QMessageBox::Ignore, vbIgnore, "Παράβλεψη"};
constexpr Choice kYes{QMessageBox::Yes, vbYes, "Ναι"};
constexpr Choice kNo{QMessageBox::No, vbNo, "Όχι"};

QVector<Choice> Choices(int style) {
    switch (style & kButtonsMask) {
        case vbOKCancel:
            return {kOK, kCancel};
        case vbAbortRetryIgnore:
            return {kAbort, kRetry, kIgnore};
        case vbYesNoCancel:
            return {kYes, kNo, kCancel};
        case vbYesNo:
            return {kYes, kNo};
        case vbRetryCancel:
            return {kRetry, kCancel};
        default:
            return {kOK};
    }
}

QMessageBox::Icon IconOf(int style) {
    switch (style & kIconMask) {
        case vbCritical:
            return QMessageBox::Critical;
        case vbQuestion:
            return QMessageBox::Question;
        case vbExclamation:
            return QMessageBox::Warning;
        case vbInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

// "label|pattern|label|pattern" as Qt name filters, "label (patterns)". A pattern may list
// several, separated by ";"; "*.*" means every file. A label's own "(…)" ending is replaced by
// the patterns, which Qt reads from there.
QStringList NameFilters(const QString& filter) {
    QStringList result;
    if (filter.isEmpty()) {
        return result;
    }
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString label = parts.at(i).trimmed();
        if (label.endsWith(u')')) {
            const qsizetype open = label.lastIndexOf(u'(');
            if (open >= 0) {
                label = label.left(open).trimmed();
            }
        }
        QStringList patterns;
        for (const QString& pattern : parts.at(i + 1).split(u';', Qt::SkipEmptyParts)) {
            const QString p = pattern.trimmed();
            patterns << (p == QLatin1String("*.*") ? QStringLiteral("*") : p);
        }
        if (patterns.isEmpty()) {
            patterns << QStringLiteral("*");
        }
        result << label + QStringLiteral(" (") + patterns.join(u' ') + u')';
    }
    return result;
}

QWidget* DialogParent() {
    return QApplication::activeWindow();
}

class QtDesktopImpl final : public Desktop {
  public:
    int MsgBox(const QString& prompt, int style, const QString& title) override {
        // The texts are plain: a carriage return breaks the line, and a path is never markup.
        QString text = prompt;
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        QMessageBox box(IconOf(style), title, text, QMessageBox::NoButton, DialogParent());
        box.setTextFormat(Qt::PlainText);
        const QVector<Choice> choices = Choices(style);
        for (const Choice& choice : choices) {
            box.addButton(choice.button)->setText(QString::fromUtf8(choice.text));
        }
        const qsizetype defaultIndex = (style & kDefaultButtonMask) >> 8;
        box.setDefaultButton(choices.at(defaultIndex < choices.size() ? defaultIndex : 0).button);
        const int clicked = box.exec();
        for (const Choice& choice : choices) {
            if (clicked == choice.button) {
                return choice.answer;
            }
        }
        // Closed without a button: Cancel where there is one.
        for (const Choice& choice : choices) {
            if (choice.answer == vbCancel) {
                return vbCancel;
            }
        }
        return choices.constFirst().answer;
    }

    QString ShowOpen(const FileDialogProperties& properties) override {
        return ShowFileDialog(properties, QFileDialog::AcceptOpen);
    }

    QString ShowSave(const FileDialogProperties& properties) override {
        return ShowFileDialog(properties, QFileDialog::AcceptSave);
    }

    void ShowHelp(const QString& helpFile, int /*command*/, int /*context*/) override {
        // The viewer opens the file as a whole; it is not told about topics.
        const QString title = QStringLiteral("Βοήθεια");
        const QFileInfo info(helpFile);
        if (helpFile.isEmpty() || !info.isFile()) {
            MsgBox(QStringLiteral("Το αρχείο βοήθειας δεν βρέθηκε: ") + helpFile,
                   vbOKOnly | vbExclamation, title);
            return;
        }
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()))) {
            MsgBox(QStringLiteral("Δεν ήταν δυνατό να ανοίξει το αρχείο βοήθειας: ") + helpFile,
                   vbOKOnly | vbExclamation, title);
        }
    }

  private:
    QString ShowFileDialog(const FileDialogProperties& properties, QFileDialog::AcceptMode mode) {
        QFileDialog dialog(DialogParent(), mode == QFileDialog::AcceptOpen
                                               ? QStringLiteral("Άνοιγμα")
                                               : QStringLiteral("Αποθήκευση ως"));
        dialog.setAcceptMode(mode);
        // Qt's other texts in the dialog come from the Greek translation installed at start-up.
        dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Αναζήτηση σε:"));
        dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Όνομα αρχείου:"));
        dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Αρχεία τύπου:"));
        dialog.setLabelText(QFileDialog::Accept, mode == QFileDialog::AcceptOpen
                                                     ? QStringLiteral("Άνοιγμα")
                                                     : QStringLiteral("Αποθήκευση"));
        dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Άκυρο"));
        const bool mustExist =
            mode == QFileDialog::AcceptOpen && (properties.Flags & cdlOFNFileMustExist);
        dialog.setFileMode(mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
        // The overwrite question is asked below, after the read-only test.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
        const QStringList filters = NameFilters(properties.Filter);
        if (!filters.isEmpty()) {
            dialog.setNameFilters(filters);
        }
        if (!properties.DefaultExt.isEmpty()) {
            dialog.setDefaultSuffix(properties.DefaultExt);
        }
        if (!properties.InitDir.isEmpty()) {
            dialog.setDirectory(properties.InitDir);
        }
        QString proposed = properties.FileName;
        if (!proposed.isEmpty() && QFileInfo(proposed).isRelative() &&
            !properties.InitDir.isEmpty()) {
            proposed = QDir(properties.InitDir).filePath(proposed);
        }
        // A start folder that does not exist (the program never creates its own) gives way to
        // the player's home folder; the proposed name is kept.
        const QString folder =
            proposed.isEmpty() ? properties.InitDir : QFileInfo(proposed).absolutePath();
        const QString start = folder.isEmpty() ? folder : DialogStartFolder(folder);
        if (start != folder) {
            dialog.setDirectory(start);
            if (!proposed.isEmpty()) {
                proposed = QDir(start).filePath(QFileInfo(proposed).fileName());
            }
        }
        if (!proposed.isEmpty()) {
            dialog.selectFile(proposed);
        }

        // A refused choice brings the dialog back with that name, as a dialog that checks the
        // name before it closes would.
        for (;;) {
            if (dialog.exec() != QDialog::Accepted) {
                return QString();
            }
            const QString chosen = dialog.selectedFiles().value(0);
            if (chosen.isEmpty()) {
                return QString();
            }
            if (properties.Flags & cdlOFNNoReadOnlyReturn) {
                const QString refusal = ReadOnlyRefusal(chosen);
                if (!refusal.isEmpty()) {
                    MsgBox(refusal, vbOKOnly | vbExclamation, dialog.windowTitle());
                    dialog.selectFile(chosen);
                    continue;
                }
            }
            if (mode == QFileDialog::AcceptSave && (properties.Flags & cdlOFNOverwritePrompt) &&
                QFileInfo::exists(chosen)) {
                const QString question = QStringLiteral("Το αρχείο ") +
                                         QDir::toNativeSeparators(chosen) +
                                         QStringLiteral(" υπάρχει ήδη.\nΘέλετε να αντικατασταθεί;");
                if (MsgBox(question, vbYesNo | vbExclamation | vbDefaultButton2,
                           dialog.windowTitle()) != vbYes) {
                    dialog.selectFile(chosen);
                    continue;
                }
            }
            return QDir::toNativeSeparators(chosen);
        }
    }

    // Why `path` may not be returned under cdlOFNNoReadOnlyReturn, or "" when it may.
    static QString ReadOnlyRefusal(const QString& path) {
        const QFileInfo info(path);
        if (info.exists() && !info.isWritable()) {
            return QStringLiteral("Το αρχείο ") + QDir::toNativeSeparators(path) +
                   QStringLiteral(" είναι μόνο για ανάγνωση.\nΔώστε άλλο όνομα αρχείου.");
        }
        const QFileInfo folder(info.absolutePath());
        if (folder.isDir() && !folder.isWritable()) {
            return QStringLiteral("Ο φάκελος ") + QDir::toNativeSeparators(folder.filePath()) +
                   QStringLiteral(" δεν επιτρέπει εγγραφή.\nΕπιλέξτε άλλο φάκελο.");
        }
        return QString();
    }
};

}  // namespace

Desktop& QtDesktop() {
    static QtDesktopImpl desktop;
    return desktop;
}

QString DialogStartFolder(const QString& initDir) {
    return QFileInfo(initDir).isDir() ? initDir : QDir::toNativeSeparators(QDir::homePath());
}

void CommonDialog::ShowOpen() {
    Properties.FileName = desktop_->ShowOpen(Properties);
    if (Properties.FileName.isEmpty() && Properties.CancelError) {
        throw RuntimeError(ErrDialogCancelled, QStringLiteral("Ακυρώθηκε"));
    }
}

void CommonDialog::ShowSave() {
    Properties.FileName = desktop_->ShowSave(Properties);
    if (Properties.FileName.isEmpty() && Properties.CancelError) {
        throw RuntimeError(ErrDialogCancelled, QStringLiteral("Ακυρώθηκε"));
    }
}

void CommonDialog::ShowHelp() {
    desktop_->ShowHelp(HelpFile, HelpCommand, HelpContext);
}

}  // namespace platform
