#include "x11_display.h"

#if QT_CONFIG(xcb)

#include <QGuiApplication>
#include <cstdlib>

namespace volleon::qt {

namespace {

class Ewmh {
public:
    explicit Ewmh(xcb_connection_t* connection) : connection_(connection) {
        ready_ = xcb_ewmh_init_atoms_replies(&ewmh_, xcb_ewmh_init_atoms(connection, &ewmh_), nullptr) != 0;
    }
    ~Ewmh() {
        if (ready_) {
            xcb_ewmh_connection_wipe(&ewmh_);
        }
    }
    Ewmh(const Ewmh&) = delete;
    Ewmh& operator=(const Ewmh&) = delete;

    xcb_ewmh_connection_t* get(xcb_connection_t* connection) {
        return ready_ && connection == connection_ ? &ewmh_ : nullptr;
    }

private:
    xcb_connection_t* connection_;
    xcb_ewmh_connection_t ewmh_{};
    bool ready_ = false;
};

}  // namespace

xcb_connection_t* x11Connection() {
    if (qGuiApp == nullptr) {
        return nullptr;
    }
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

xcb_ewmh_connection_t* x11Ewmh() {
    xcb_connection_t* connection = x11Connection();
    if (connection == nullptr) {
        return nullptr;
    }
    static Ewmh ewmh(connection);
    xcb_ewmh_connection_t* atoms = ewmh.get(connection);
    return atoms != nullptr && x11ScreenNumber() < atoms->nb_screens ? atoms : nullptr;
}

}  // namespace volleon::qt

#endif
