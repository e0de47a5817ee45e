#include "frame_extents.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>
#include <algorithm>
#include <thread>
#include <utility>

#include "x11_display.h"

namespace volleon::qt {

#if QT_CONFIG(xcb)

namespace {

// _NET_SUPPORTING_WM_CHECK on the root names a window that names itself: the
// sign that an EWMH window manager runs.
bool ewmhWindowManagerRuns(xcb_ewmh_connection_t* ewmh, xcb_window_t root) {
    xcb_window_t named = XCB_WINDOW_NONE;
    xcb_window_t self = XCB_WINDOW_NONE;
    return xcb_ewmh_get_supporting_wm_check_reply(ewmh, xcb_ewmh_get_supporting_wm_check(ewmh, root), &named,
                                                  nullptr) != 0 &&
           xcb_ewmh_get_supporting_wm_check_reply(ewmh, xcb_ewmh_get_supporting_wm_check(ewmh, named), &self,
                                                  nullptr) != 0 &&
           self == named;
}

bool supports(xcb_ewmh_connection_t* ewmh, int screen, xcb_atom_t hint) {
    xcb_ewmh_get_atoms_reply_t supported;
    if (xcb_ewmh_get_supported_reply(ewmh, xcb_ewmh_get_supported(ewmh, screen), &supported, nullptr) == 0) {
        return false;
    }
    const bool found = std::find(supported.atoms, supported.atoms + supported.atoms_len, hint) !=
                       supported.atoms + supported.atoms_len;
    xcb_ewmh_get_atoms_reply_wipe(&supported);
    return found;
}

std::optional<QMargins> frameExtents(xcb_ewmh_connection_t* ewmh, xcb_window_t window) {
    xcb_ewmh_get_extents_reply_t frame;
    if (xcb_ewmh_get_frame_extents_reply(ewmh, xcb_ewmh_get_frame_extents(ewmh, window), &frame, nullptr) == 0) {
        return std::nullopt;
    }
    return QMargins(static_cast<int>(frame.left), static_cast<int>(frame.top), static_cast<int>(frame.right),
                    static_cast<int>(frame.bottom));
}

// Waits for the first _NET_FRAME_EXTENTS of one window. A child of the
// window, so that it goes with it.
class FrameArrivalWatch final : public QObject, public QAbstractNativeEventFilter {
public:
    FrameArrivalWatch(QWidget& window, xcb_ewmh_connection_t* ewmh, std::function<void(QMargins)> arrived)
        : QObject(&window),
          ewmh_(ewmh),
          native_(static_cast<xcb_window_t>(window.winId())),
          arrived_(std::move(arrived)) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    FrameArrivalWatch(const FrameArrivalWatch&) = delete;
    FrameArrivalWatch& operator=(const FrameArrivalWatch&) = delete;
    ~FrameArrivalWatch() override { QCoreApplication::instance()->removeNativeEventFilter(this); }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (done_ || eventType != "xcb_generic_event_t") {
            return false;
        }
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_PROPERTY_NOTIFY) {
            return false;
        }
        const auto* change = reinterpret_cast<const xcb_property_notify_event_t*>(event);
        if (change->window != native_ || change->atom != ewmh_->_NET_FRAME_EXTENTS ||
            change->state != XCB_PROPERTY_NEW_VALUE) {
            return false;
        }
        if (const auto frame = frameExtents(ewmh_, native_)) {
            done_ = true;
            frame_ = *frame;
            // Qt sees the event too, after this filter; the caller is
            // answered once Qt has taken it in, then the watch ends.
            QCoreApplication::postEvent(this, new QEvent(QEvent::User));
        }
        return false;
    }

protected:
    void customEvent(QEvent*) override {
        arrived_(frame_);
        deleteLater();
    }

private:
    xcb_ewmh_connection_t* ewmh_;
    xcb_window_t native_;
    std::function<void(QMargins)> arrived_;
    bool done_ = false;
    QMargins frame_;
};

}  // namespace

std::optional<QMargins> frameExtentsBeforeShow(const QWidget& window, std::chrono::milliseconds patience) {
    xcb_ewmh_connection_t* ewmh = x11Ewmh();
    if (ewmh == nullptr || !window.isWindow() || window.isVisible()) {
        return std::nullopt;
    }
    const int screen = x11ScreenNumber();
    if (!ewmhWindowManagerRuns(ewmh, ewmh->screens[screen]->root) ||
        !supports(ewmh, screen, ewmh->_NET_REQUEST_FRAME_EXTENTS)) {
        return std::nullopt;
    }
    // A stand-in with the window's flags, size, title and role, never shown,
    // is what the window manager is asked about: the window itself keeps its
    // native window unmade until its first show, where Qt places its frame
    // at the position it was given.
    QWidget standIn(nullptr, window.windowFlags());
    standIn.setFixedSize(window.size());
    standIn.setWindowTitle(window.windowTitle());
    standIn.setWindowRole(window.windowRole());
    const auto native = static_cast<xcb_window_t>(standIn.winId());
    xcb_ewmh_request_frame_extents(ewmh, screen, native);
    xcb_flush(ewmh->connection);

    // The answer is a property of the window: asked for again until it is
    // there. Each read is a round trip, after which a prompt window manager
    // has long answered.
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (true) {
        if (const auto frame = frameExtents(ewmh, native)) {
            return frame;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void onFrameArrival(QWidget& window, std::function<void(QMargins)> arrived) {
    xcb_ewmh_connection_t* ewmh = x11Ewmh();
    if (ewmh == nullptr || !window.isWindow()) {
        return;
    }
    new FrameArrivalWatch(window, ewmh, std::move(arrived));  // owned by the window
}

#else

std::optional<QMargins> frameExtentsBeforeShow(const QWidget&, std::chrono::milliseconds) { return std::nullopt; }

void onFrameArrival(QWidget&, std::function<void(QMargins)>) {}

#endif

int outerWidthPixels(const QWidget& window, const std::optional<QMargins>& frameBeforeShow) {
    if (!window.isVisible() && frameBeforeShow) {
        return window.width() + frameBeforeShow->left() + frameBeforeShow->right();
    }
    return window.frameGeometry().width();
}

}  // namespace volleon::qt
