#include "platform/ImageControl.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/Twips.h"

namespace platform {

int ButtonCode(Qt::MouseButtons buttons) {
    int code = 0;
    if (buttons & Qt::LeftButton) {
        code |= ButtonLeft;
    }
    if (buttons & Qt::RightButton) {
        code |= ButtonRight;
    }
    if (buttons & Qt::MiddleButton) {
        code |= ButtonMiddle;
    }
    return code;
}

int ShiftCode(Qt::KeyboardModifiers modifiers) {
    int code = 0;
    if (modifiers & Qt::ShiftModifier) {
        code |= 1;
    }
    if (modifiers & Qt::ControlModifier) {
        code |= 2;
    }
    if (modifiers & Qt::AltModifier) {
        code |= 4;
    }
    return code;
}

ImageControl::ImageControl(QWidget* parent) : QWidget(parent) {
    // Reports moves without a button too.
    setMouseTracking(true);
    setAttribute(Qt::WA_NoSystemBackground);
}

void ImageControl::SetPicture(const QPixmap& picture) {
    if (picture.isNull() && picture_.isNull()) {
        return;
    }
    if (!picture.isNull() && picture.cacheKey() == picture_.cacheKey()) {
        return;
    }
    const QRect before = rect();
    picture_ = picture;
    if (!picture_.isNull() && picture_.size() != size()) {
        resize(picture_.size());
    }
    update(before.united(rect()));
}

bool ImageControl::Shows(const QPixmap& picture) const {
    return !picture_.isNull() && picture_.cacheKey() == picture.cacheKey();
}

void ImageControl::MoveTwips(int left, int top) {
    move(TwipsToPixels(left), TwipsToPixels(top));
}

void ImageControl::SetMousePointer(int mode) {
    mousePointer_ = mode;
    if (mode == PointerCustom) {
        setCursor(mouseIcon_);
    } else {
        unsetCursor();
    }
}

void ImageControl::SetMouseIcon(const QCursor& icon) {
    mouseIcon_ = icon;
    if (mousePointer_ == PointerCustom) {
        setCursor(mouseIcon_);
    }
}

void ImageControl::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) {
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

void ImageControl::Deliver(const MouseHandler& handler, int button, QMouseEvent* event) {
    if (!handler) {
        event->ignore();
        return;
    }
    const QPointF position = event->position();
    handler(button, ShiftCode(event->modifiers()),
            static_cast<float>(position.x() * kTwipsPerPixel),
            static_cast<float>(position.y() * kTwipsPerPixel));
}

void ImageControl::mousePressEvent(QMouseEvent* event) {
    Deliver(MouseDown, ButtonCode(event->button()), event);
}

void ImageControl::mouseMoveEvent(QMouseEvent* event) {
    Deliver(MouseMove, ButtonCode(event->buttons()), event);
}

void ImageControl::mouseReleaseEvent(QMouseEvent* event) {
    Deliver(MouseUp, ButtonCode(event->button()), event);
}

}  // namespace platform
