#include "frame_extents.h"

#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <thread>

#include "x11_display.h"

namespace volleon::qt {

#if QT_CONFIG(xcb)

namespace {

using PropertyReply = std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)>;

PropertyReply property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name, xcb_atom_t type,
                       std::uint32_t longs) {
    PropertyReply reply(
        xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, name, type, 0, longs), nullptr),
        &std::free);
    if (reply && (reply->type != type || reply->format != 32)) {
        reply.reset();
    }
    return reply;
}

// The 32-bit values of a property, none if it is missing or of another type.
template <typename Value>
std::span<const Value> values(const PropertyReply& reply) {
    if (!reply) {
        return {};
    }
    return {static_cast<const Value*>(xcb_get_property_value(reply.get())),
            static_cast<std::size_t>(xcb_get_property_value_length(reply.get())) / sizeof(Value)};
}

// The window named by _NET_SUPPORTING_WM_CHECK on the root, when it names
// itself as well: the sign that an EWMH window manager runs.
bool ewmhWindowManagerRuns(xcb_connection_t* connection, xcb_window_t root) {
    const xcb_atom_t check = x11Atom(connection, "_NET_SUPPORTING_WM_CHECK");
    const auto onRoot = property(connection, root, check, XCB_ATOM_WINDOW, 1);
    const auto named = values<xcb_window_t>(onRoot);
    if (named.empty()) {
        return false;
    }
    const auto onChild = property(connection, named[0], check, XCB_ATOM_WINDOW, 1);
    const auto self = values<xcb_window_t>(onChild);
    return !self.empty() && self[0] == named[0];
}

bool supports(xcb_connection_t* connection, xcb_window_t root, xcb_atom_t hint) {
    const auto supported = property(connection, root, x11Atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 4096);
    const auto hints = values<xcb_atom_t>(supported);
    return std::find(hints.begin(), hints.end(), hint) != hints.end();
}

}  // namespace

std::optional<QMargins> frameExtentsBeforeShow(const QWidget& window, std::chrono::milliseconds patience) {
    xcb_connection_t* connection = x11Connection();
    if (connection == nullptr || !window.isWindow() || window.isVisible()) {
        return std::nullopt;
    }
    const xcb_window_t root = x11Root(connection);
    const xcb_atom_t request = x11Atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    if (root == XCB_WINDOW_NONE || !ewmhWindowManagerRuns(connection, root) || !supports(connection, root, request)) {
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
    const xcb_atom_t extents = x11Atom(connection, "_NET_FRAME_EXTENTS");

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = native;
    message.type = request;
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);

    // The answer is a property of the window: asked for again until it is
    // there. Each read is a round trip, after which a prompt window manager
    // has long answered.
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (true) {
        const auto reply = property(connection, native, extents, XCB_ATOM_CARDINAL, 4);
        if (const auto frame = values<std::uint32_t>(reply); frame.size() == 4) {
            // left, right, top, bottom
            return QMargins(static_cast<int>(frame[0]), static_cast<int>(frame[2]), static_cast<int>(frame[1]),
                            static_cast<int>(frame[3]));
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
