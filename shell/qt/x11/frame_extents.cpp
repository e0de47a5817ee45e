#include "frame_extents.h"

#include <QWidget>
#include <algorithm>
#include <thread>

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
        xcb_ewmh_get_extents_reply_t frame;
        if (xcb_ewmh_get_frame_extents_reply(ewmh, xcb_ewmh_get_frame_extents(ewmh, native), &frame, nullptr) != 0) {
            return QMargins(static_cast<int>(frame.left), static_cast<int>(frame.top), static_cast<int>(frame.right),
                            static_cast<int>(frame.bottom));
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

#else

std::optional<QMargins> frameExtentsBeforeShow(const QWidget&, std::chrono::milliseconds) { return std::nullopt; }

#endif

int outerWidthPixels(const QWidget& window, const std::optional<QMargins>& frameBeforeShow) {
    if (!window.isVisible() && frameBeforeShow) {
        return window.width() + frameBeforeShow->left() + frameBeforeShow->right();
    }
    return window.frameGeometry().width();
}

}  // namespace volleon::qt
