#pragma once

#include <QEvent>
#include <QMouseEvent>
#include <QObject>
#include <QWidget>
#include <functional>

namespace dialogs {

// Gives a widget the Click and DblClick events of the program's controls: Click when the left
// button is released over the widget it was pressed on, DblClick on the second press of a
// double-click (which is followed by no second Click). The relay takes the mouse events, so
// they reach no widget below. Owned by the widget.
class ClickRelay : public QObject {
  public:
    ClickRelay(QWidget* target, std::function<void()> click, std::function<void()> dblClick = {})
        : QObject(target), click_(std::move(click)), dblClick_(std::move(dblClick)) {
        target->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
                break;
            default:
                return false;
        }
        auto* mouse = static_cast<QMouseEvent*>(event);
        mouse->accept();
        if (mouse->button() != Qt::LeftButton) {
            return true;
        }
        if (event->type() == QEvent::MouseButtonPress) {
            pressed_ = true;
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            pressed_ = false;
            if (dblClick_) {
                dblClick_();
            }
        } else if (pressed_) {
            pressed_ = false;
            const auto* widget = static_cast<QWidget*>(watched);
            if (widget->rect().contains(mouse->position().toPoint()) && click_) {
                click_();
            }
        }
        return true;
    }

  private:
    std::function<void()> click_;
    std::function<void()> dblClick_;
    bool pressed_ = false;
};

}  // namespace dialogs
