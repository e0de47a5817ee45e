#include "x11_display.h"

#if QT_CONFIG(xcb)

#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace volleon::qt {

xcb_connection_t* x11Connection() {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

int x11ScreenNumber() {
    char* host = nullptr;
    int display = 0;
    int screen = 0;
    if (xcb_parse_display(nullptr, &host, &display, &screen) == 0) {
        return 0;
    }
    std::free(host);
    return screen;
}

xcb_window_t x11Root(xcb_connection_t* connection) {
    auto it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int screen = x11ScreenNumber(); it.rem > 0 && screen > 0; --screen) {
        xcb_screen_next(&it);
    }
    return it.rem > 0 ? it.data->root : static_cast<xcb_window_t>(XCB_WINDOW_NONE);
}

xcb_atom_t x11Atom(xcb_connection_t* connection, const char* name, bool onlyIfExists) {
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection,
                              xcb_intern_atom(connection, onlyIfExists ? 1 : 0,
                                              static_cast<std::uint16_t>(std::strlen(name)), name),
                              nullptr),
        &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

}  // namespace volleon::qt

#endif
