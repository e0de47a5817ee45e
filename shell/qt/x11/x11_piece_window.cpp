#include "x11_piece_window.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QWidget>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <set>

#include "x11_display.h"

namespace volleon::qt {

#if QT_CONFIG(xcb)

namespace {

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> owned(Reply* reply) {
    return ReplyPtr<Reply>(reply, &std::free);
}

const xcb_screen_t* screenWithRoot(xcb_connection_t* connection, xcb_window_t root) {
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(connection)); it.rem > 0; xcb_screen_next(&it)) {
        if (it.data->root == root) {
            return it.data;
        }
    }
    return nullptr;
}

void useDefaultColormap(xcb_connection_t* connection, xcb_window_t window) {
    const auto tree = owned(xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
    const auto attributes = owned(
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), nullptr));
    if (!tree || !attributes) {
        return;
    }
    const xcb_screen_t* screen = screenWithRoot(connection, tree->root);
    // The default colormap only fits a window of the screen's own visual.
    if (screen == nullptr || attributes->visual != screen->root_visual) {
        return;
    }
    const std::uint32_t colormap = screen->default_colormap;
    xcb_change_window_attributes(connection, window, XCB_CW_COLORMAP, &colormap);
}

void clearTitle(xcb_connection_t* connection, xcb_window_t window) {
    if (const xcb_ewmh_connection_t* ewmh = x11Ewmh(); ewmh != nullptr) {
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, ewmh->_NET_WM_NAME, ewmh->UTF8_STRING, 8, 0,
                            "");
    }
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0, "");
}

// Every move of a top-level window comes back from the X server as a
// ConfigureNotify, and Qt answers each with a round trip to the server, and
// rewrites the size hints, which comes back as a PropertyNotify. A piece moves
// up to twenty times a second, and Qt already knows where it put it: those
// echoes only cost time, so they are dropped for the piece windows. Nothing
// else moves a piece: it has no window manager (it bypasses it) and no frame.
class MoveEchoFilter final : public QAbstractNativeEventFilter {
public:
    void add(xcb_window_t window) {
        if (windows_.empty()) {
            QCoreApplication::instance()->installNativeEventFilter(this);
        }
        windows_.insert(window);
    }

    void remove(xcb_window_t window) {
        if (windows_.erase(window) > 0 && windows_.empty()) {
            QCoreApplication::instance()->removeNativeEventFilter(this);
        }
    }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType != "xcb_generic_event_t") {
            return false;
        }
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        switch (event->response_type & 0x7f) {
        case XCB_CONFIGURE_NOTIFY:
            return windows_.contains(reinterpret_cast<const xcb_configure_notify_event_t*>(event)->window);
        case XCB_PROPERTY_NOTIFY:
            return windows_.contains(reinterpret_cast<const xcb_property_notify_event_t*>(event)->window);
        default:
            return false;
        }
    }

private:
    std::set<xcb_window_t> windows_;
};

MoveEchoFilter& moveEchoFilter() {
    static MoveEchoFilter filter;
    return filter;
}

}  // namespace

void adjustX11PieceWindow(QWidget& window, bool emptyTitle) {
    xcb_connection_t* connection = x11Connection();
    // No connection: not X11, or the offscreen platform, which answers without
    // a display.
    if (connection == nullptr || !window.testAttribute(Qt::WA_WState_Created)) {
        return;
    }
    const auto native = static_cast<xcb_window_t>(window.winId());
    useDefaultColormap(connection, native);
    if (emptyTitle) {
        clearTitle(connection, native);
    }
    moveEchoFilter().add(native);
    xcb_flush(connection);
}

void forgetX11PieceWindow(QWidget& window) {
    if (x11Connection() != nullptr && window.testAttribute(Qt::WA_WState_Created)) {
        moveEchoFilter().remove(static_cast<xcb_window_t>(window.winId()));
    }
}

#else

void adjustX11PieceWindow(QWidget&, bool) {}
void forgetX11PieceWindow(QWidget&) {}

#endif

}  // namespace volleon::qt
