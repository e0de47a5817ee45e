#include "compositor.h"

#include <QWidget>

#include "x11_display.h"

namespace volleon::qt {

bool compositingManagerRuns() {
#if QT_CONFIG(xcb)
    xcb_ewmh_connection_t* ewmh = x11Ewmh();
    xcb_window_t owner = XCB_WINDOW_NONE;
    return ewmh != nullptr &&
           xcb_ewmh_get_wm_cm_owner_reply(ewmh, xcb_ewmh_get_wm_cm_owner(ewmh, x11ScreenNumber()), &owner,
                                          nullptr) != 0 &&
           owner != XCB_WINDOW_NONE;
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
