#include "compositor.h"

#include <QGuiApplication>
#include <QWidget>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

namespace volleon::qt {

bool compositingManagerRuns() {
#if QT_CONFIG(xcb)
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    if (connection == nullptr) {
        return false;
    }
    // Qt does not tell which screen of the display it uses: it is the one
    // DISPLAY names, screen 0 unless it says otherwise.
    int screen = 0;
    char* host = nullptr;
    int display = 0;
    if (xcb_parse_display(nullptr, &host, &display, &screen) != 0) {
        std::free(host);
    }
    const std::string name = "_NET_WM_CM_S" + std::to_string(screen);
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
        xcb_intern_atom_reply(connection,
                              xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(name.size()), name.c_str()),
                              nullptr),
        &std::free);
    if (!atom || atom->atom == XCB_ATOM_NONE) {
        return false;
    }
    const std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr),
        &std::free);
    return owner && owner->owner != XCB_WINDOW_NONE;
#else
    return false;
#endif
}

void seeThroughOutsideMaskUnderCompositor(QWidget& window) {
    if (!window.testAttribute(Qt::WA_WState_Created) && compositingManagerRuns()) {
        window.setAttribute(Qt::WA_TranslucentBackground);
    }
}

bool paintsOnlyInsideMask(const QWidget& window) {
    return window.testAttribute(Qt::WA_TranslucentBackground) && !window.mask().isEmpty();
}

}  // namespace volleon::qt
