#include "platform/OuterPlace.h"

#include <QEvent>
#include <QPointer>
#include <QWindow>

namespace platform {

namespace {

// Watches a window until it is shown framed, then puts its frame in place. Owned by the window.
class OuterPlacer final : public QObject {
  public:
    static constexpr const char* kName = "OuterPlacer";

    OuterPlacer(QWidget& window, QPoint outer) : QObject(&window), window_(&window), outer_(outer) {
        setObjectName(QLatin1String(kName));
        window.installEventFilter(this);
        Watch();
    }

    void SetPlace(QPoint outer) { outer_ = outer; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Show) {
            Watch();
        } else if (watched == watchedHandle_ && event->type() == QEvent::Show) {
            AskForFramePlace();
        } else if (watched == watchedHandle_ && event->type() == QEvent::Expose &&
                   window_->isVisible()) {
            Settle();
        }
        return false;
    }

  private:
    void Watch() {
        QWindow* handle = window_->windowHandle();
        if (handle != nullptr && handle != watchedHandle_) {
            if (watchedHandle_) {
                watchedHandle_->removeEventFilter(this);
            }
            watchedHandle_ = handle;
            handle->installEventFilter(this);
        }
    }

    // Shown but not yet mapped: the window manager is asked to put the frame's corner, not the
    // client area's, on the point (north-west gravity), so the window appears in place.
    void AskForFramePlace() {
        if (QWindow* handle = window_->windowHandle()) {
            handle->setFramePosition(outer_);
        }
    }

    void Settle() {
        const QRect frame = window_->frameGeometry();
        if (frame.topLeft() != outer_) {
            if (frame == window_->geometry()) {
                return;  // not framed yet
            }
            window_->move(outer_);
        }
        // Placed: from now on the window stays where the player puts it.
        deleteLater();
        window_->removeEventFilter(this);
        watchedHandle_->removeEventFilter(this);
    }

    QWidget* window_;
    QPointer<QWindow> watchedHandle_;
    QPoint outer_;
};

}  // namespace

void MoveOuter(QWidget& window, QPoint outer) {
    window.move(outer);
    if (window.isVisible() && window.frameGeometry() != window.geometry()) {
        return;  // framed already: the move placed the frame
    }
    if (QObject* placer = window.findChild<QObject*>(QLatin1String(OuterPlacer::kName),
                                                     Qt::FindDirectChildrenOnly)) {
        static_cast<OuterPlacer*>(placer)->SetPlace(outer);
    } else {
        new OuterPlacer(window, outer);
    }
}

}  // namespace platform
