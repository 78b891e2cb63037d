#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <functional>
#include <utility>
#include <vector>

#include "QtGreek.h"
#include "platform/FileDialog.h"

namespace testsupport {

// Runs every test with Qt's own texts in Greek. The dialog keeps its state in Qt's own settings,
// and falls back to the home folder, which the sidebar shows: both are temporary folders, the
// home one with a short name, as a player's is.
inline int RunDialogTests(QApplication& app) {
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    const QTemporaryDir home(QDir::tempPath() + QStringLiteral("/home-XXXXXX"));
    qputenv("HOME", home.path().toLocal8Bit());
    if (!translations::InstallQtGreek(app)) {
        std::fprintf(stderr, "the Greek translation is missing\n");
        return 1;
    }
    return RUN_ALL_TESTS();
}

inline platform::FileDialog* ShownFileDialog() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* dialog = dynamic_cast<platform::FileDialog*>(window);
            dialog && dialog->isVisible()) {
            return dialog;
        }
    }
    return nullptr;
}

inline QMessageBox* ShownMessageBox() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(window); box && box->isVisible()) {
            return box;
        }
    }
    return nullptr;
}

// Runs the steps from the event loop, each as often as it asks (false) until it is through,
// while the test is in a modal call. A step acts through Later(), as a timer does not fire again
// inside its own handler, where a modal dialog shown by the action would keep it. A step still
// waiting after the time allowed fails the test and closes every dialog, so that the call
// returns.
class Script {
  public:
    explicit Script(std::vector<std::function<bool()>> steps) : steps_(std::move(steps)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
        timer_.start(10);
    }
    bool Done() const { return next_ == steps_.size(); }

  private:
    void Tick() {
        if (Done()) {
            timer_.stop();
        } else if (steps_[next_]()) {
            ++next_;
        } else if (deadline_.hasExpired()) {
            ADD_FAILURE() << "step " << next_ << " did not happen";
            timer_.stop();
            for (QWidget* window : QApplication::topLevelWidgets()) {
                if (auto* dialog = qobject_cast<QDialog*>(window); dialog && dialog->isVisible()) {
                    dialog->reject();
                }
            }
        }
    }

    std::vector<std::function<bool()>> steps_;
    size_t next_ = 0;
    QTimer timer_;
    QDeadlineTimer deadline_{10000};
};

// Types `text` into `edit`, a key for each character, as a player with the field focused does;
// false while the field cannot have the focus yet, and then nothing is typed.
inline bool TypeInto(QLineEdit* edit, const QString& text) {
    if (!edit->hasFocus()) {
        edit->window()->activateWindow();
        edit->setFocus();
        return false;
    }
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Press, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    return true;
}

// Runs `action` from the event loop once the current step is through.
inline void Later(std::function<void()> action) {
    QTimer::singleShot(0, QApplication::instance(), std::move(action));
}

}  // namespace testsupport
