#include "platform/TaskBar.h"

#include <QEvent>
#include <QGuiApplication>

#ifdef TARVEX_HAVE_XCB
#include <xcb/xcb.h>

#include <QByteArray>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#endif

namespace platform {

namespace {

#ifdef TARVEX_HAVE_XCB
xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    const xcb_intern_atom_cookie_t cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(qstrlen(name)), name);
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    if (reply == nullptr) {
        return XCB_ATOM_NONE;
    }
    const xcb_atom_t atom = reply->atom;
    std::free(reply);
    return atom;
}

// The window's _NET_WM_STATE lists `wanted` already.
bool HasState(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t state,
              xcb_atom_t wanted) {
    constexpr std::uint32_t kMostStates = 64;
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, window, state, XCB_ATOM_ATOM, 0, kMostStates);
    xcb_get_property_reply_t* reply = xcb_get_property_reply(connection, cookie, nullptr);
    if (reply == nullptr) {
        return false;
    }
    bool found = false;
    if (reply->format == 32) {
        const auto* states = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
        const int count = xcb_get_property_value_length(reply) / 4;
        found = std::find(states, states + count, wanted) != states + count;
    }
    std::free(reply);
    return found;
}

// Adds the task-bar skip state to the window's _NET_WM_STATE while it is not mapped yet; Qt
// keeps the states it finds there when it maps the window.
void AskToSkipTaskBar(QWidget& window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->connection() == nullptr) {
        return;
    }
    xcb_connection_t* connection = x11->connection();
    const xcb_atom_t state = Atom(connection, "_NET_WM_STATE");
    const xcb_atom_t skip = Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    if (state == XCB_ATOM_NONE || skip == XCB_ATOM_NONE) {
        return;
    }
    const auto id = static_cast<xcb_window_t>(window.winId());
    if (HasState(connection, id, state, skip)) {
        return;
    }
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, id, state, XCB_ATOM_ATOM, 32, 1, &skip);
    xcb_flush(connection);
}
#endif

// Asks at every show, where the state is not there yet: a window manager drops the states of
// a window that is hidden, and keeps them over a minimise.
class TaskBarSkipper final : public QObject {
  public:
    explicit TaskBarSkipper(QWidget& window) : QObject(&window), window_(&window) {
        window.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // The widget hears of its showing before its window is mapped.
        if (watched == window_ && event->type() == QEvent::Show && window_->isWindow()) {
#ifdef TARVEX_HAVE_XCB
            if (QGuiApplication::platformName() == QLatin1String("xcb")) {
                AskToSkipTaskBar(*window_);
            }
#endif
        }
        return false;
    }

  private:
    QWidget* window_;
};

}  // namespace

void KeepOutOfTaskBar(QWidget& window) {
    new TaskBarSkipper(window);
}

}  // namespace platform
