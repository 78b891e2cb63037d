#pragma once

#include <QCursor>
#include <QPixmap>
#include <QWidget>
#include <functional>

namespace platform {

// Pointer modes of an image control.
inline constexpr int PointerDefault = 0;
inline constexpr int PointerCustom = 99;

// Mouse button codes as the handlers receive them; a move reports the set of buttons held.
inline constexpr int ButtonLeft = 1;
inline constexpr int ButtonRight = 2;
inline constexpr int ButtonMiddle = 4;

int ButtonCode(Qt::MouseButtons buttons);
int ShiftCode(Qt::KeyboardModifiers modifiers);

// A control that shows a picture or none. It takes the size of the picture it is given and
// keeps its size when the picture is removed. In custom pointer mode its icon is the mouse
// pointer over it. A press captures the pointer until the release (Qt's implicit grab), so
// moves and the release reach the pressed control wherever the pointer is.
class ImageControl : public QWidget {
    Q_OBJECT
  public:
    // Arguments: button, shift, X and Y in twips from the control's top-left corner.
    using MouseHandler = std::function<void(int, int, float, float)>;

    explicit ImageControl(QWidget* parent);

    // A null pixmap removes the picture.
    void SetPicture(const QPixmap& picture);
    const QPixmap& Picture() const { return picture_; }
    bool HasPicture() const { return !picture_.isNull(); }
    // Whether the control shows this very picture (not just an equal one).
    bool Shows(const QPixmap& picture) const;

    void MoveTwips(int left, int top);

    int MousePointer() const { return mousePointer_; }
    void SetMousePointer(int mode);
    void SetMouseIcon(const QCursor& icon);

    MouseHandler MouseDown;
    MouseHandler MouseMove;
    MouseHandler MouseUp;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void Deliver(const MouseHandler& handler, int button, QMouseEvent* event);

    QPixmap picture_;
    QCursor mouseIcon_;
    int mousePointer_ = PointerDefault;
};

}  // namespace platform
