#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <vector>

#include "platform/Desktop.h"

namespace testsupport {

// A desktop that answers from queues and records every call. An empty queue answers as the
// player who closes the box: OK or Cancel, and a cancelled file dialog.
class ScriptedDesktop : public platform::Desktop {
  public:
    struct Message {
        QString prompt;
        int style;
        QString title;
        QWidget* owner = nullptr;
    };
    struct Dialog {
        bool save;
        platform::FileDialogProperties properties;
        QWidget* owner = nullptr;
    };

    std::deque<int> answers;
    std::deque<QString> fileNames;
    std::vector<Message> messages;
    std::vector<Dialog> dialogs;
    std::vector<QString> helps;
    std::vector<QString> opened;
    // What the player does in a modal window; with none, it is closed at once (rejected).
    std::function<void(QDialog&)> onModal;
    std::vector<QString> modals;  // the window titles shown
    // Each box and dialog also opens a real modal window for a moment, as the real ones do, so
    // that the windows it blocks are told (and lose the mouse).
    bool blocksWindows = false;

    int MsgBox(QWidget* owner, const QString& prompt, int style, const QString& title) override {
        BlockWindows();
        messages.push_back({prompt, style, title, owner});
        if (answers.empty()) {
            return (style & platform::kButtonsMask) == platform::vbOKOnly ? platform::vbOK
                                                                          : platform::vbCancel;
        }
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    QString ShowOpen(QWidget* owner, const platform::FileDialogProperties& properties) override {
        return Choose(owner, false, properties);
    }
    QString ShowSave(QWidget* owner, const platform::FileDialogProperties& properties) override {
        return Choose(owner, true, properties);
    }
    void ShowHelp(QWidget* /*owner*/, const QString& helpFile, int command, int context) override {
        helps.push_back(QStringLiteral("%1|%2|%3").arg(helpFile).arg(command).arg(context));
    }

    int ShowModal(QDialog& dialog) override {
        BlockWindows();
        modals.push_back(dialog.windowTitle());
        if (onModal) {
            onModal(dialog);
        }
        return dialog.result();
    }
    bool ShellOpen(const QString& target) override {
        opened.push_back(target);
        return true;
    }

  private:
    void BlockWindows() const {
        if (blocksWindows) {
            QDialog modal;
            modal.setModal(true);
            modal.show();
            modal.hide();
        }
    }

    QString Choose(QWidget* owner, bool save, const platform::FileDialogProperties& properties) {
        BlockWindows();
        dialogs.push_back({save, properties, owner});
        if (fileNames.empty()) {
            return QString();
        }
        QString name = fileNames.front();
        fileNames.pop_front();
        return name;
    }
};

}  // namespace testsupport
