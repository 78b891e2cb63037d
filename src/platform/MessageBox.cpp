#include "platform/MessageBox.h"

#include <QMessageBox>
#include <QPushButton>
#include <QVector>

namespace platform {

namespace {

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

}  // namespace

int MsgBoxOver(QWidget* parent, const QString& prompt, int style, const QString& title) {
    // The texts are plain: a carriage return breaks the line, and a path is never markup.
    QString text = prompt;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(IconOf(style), title, text, QMessageBox::NoButton, parent);
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

}  // namespace platform
