#include "compositor.h"

#include <QWidget>
#include <cstdlib>
#include <memory>
#include <string>

#include "x11_display.h"

namespace volleon::qt {

bool compositingManagerRuns() {
#if QT_CONFIG(xcb)
    xcb_connection_t* connection = x11Connection();
    if (connection == nullptr) {
        return false;
    }
    const std::string name = "_NET_WM_CM_S" + std::to_string(x11ScreenNumber());
    const xcb_atom_t selection = x11Atom(connection, name.c_str(), true);
    if (selection == XCB_ATOM_NONE) {
        return false;
    }
    const std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr),
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
