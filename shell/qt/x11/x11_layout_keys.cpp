#include "x11_layout_keys.h"

#include <cstdlib>
#include <xcb/xcb.h>
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit
#include <xkbcommon/xkbcommon-x11.h>
#include <xkbcommon/xkbcommon.h>

namespace volleon::qt {

void X11LayoutKeys::ContextDeleter::operator()(xkb_context* context) const { xkb_context_unref(context); }

std::unique_ptr<X11LayoutKeys> X11LayoutKeys::create(xcb_connection_t* connection) {
    std::uint8_t firstEvent = 0;
    if (connection == nullptr ||
        !xkb_x11_setup_xkb_extension(connection, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                                     XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, &firstEvent,
                                     nullptr)) {
        return nullptr;
    }
    const std::int32_t device = xkb_x11_get_core_keyboard_device_id(connection);
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    if (device < 0 || context == nullptr) {
        xkb_context_unref(context);
        return nullptr;
    }
    return std::unique_ptr<X11LayoutKeys>(new X11LayoutKeys(connection, context, device, firstEvent));
}

X11LayoutKeys::X11LayoutKeys(xcb_connection_t* connection, xkb_context* context, std::int32_t device,
                             std::uint8_t firstEvent)
    : connection_(connection), context_(context), device_(device), firstEvent_(firstEvent),
      usKeymap_(compileKeymap(context, "us")) {
    // Added to what the toolkit selects: all details of a new keyboard and
    // of a changed keymap.
    constexpr std::uint16_t kChanges = XCB_XKB_EVENT_TYPE_NEW_KEYBOARD_NOTIFY | XCB_XKB_EVENT_TYPE_MAP_NOTIFY;
    xcb_xkb_select_events(connection, static_cast<xcb_xkb_device_spec_t>(device), kChanges, 0, kChanges, 0, 0,
                          nullptr);
    // A held key then comes as repeated presses without releases in
    // between, so that a press of a key already down is a repeat.
    constexpr std::uint32_t kRepeat = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
    std::free(xcb_xkb_per_client_flags_reply(
        connection,
        xcb_xkb_per_client_flags(connection, static_cast<xcb_xkb_device_spec_t>(device), kRepeat, kRepeat, 0, 0, 0),
        nullptr));
}

X11LayoutKeys::~X11LayoutKeys() = default;

void X11LayoutKeys::noteEvent(const void* xcbEvent) {
    const auto* event = static_cast<const xcb_xkb_new_keyboard_notify_event_t*>(xcbEvent);
    if ((event->response_type & 0x7f) != firstEvent_) {
        return;
    }
    if (event->xkbType == XCB_XKB_NEW_KEYBOARD_NOTIFY || event->xkbType == XCB_XKB_MAP_NOTIFY) {
        // Read on the next key event: a new layout comes as a burst of these.
        stale_ = true;
    }
}

bool X11LayoutKeys::ready() {
    if (stale_) {
        stale_ = false;
        groups_ = {};
        keymap_.reset(xkb_x11_keymap_new_from_device(context_.get(), connection_, device_,
                                                     XKB_KEYMAP_COMPILE_NO_FLAGS));
    }
    return keymap_ && usKeymap_;
}

int X11LayoutKeys::codeOf(std::uint32_t keycode, std::uint16_t state) {
    if (!ready()) {
        return 0;
    }
    // Bits 13 and 14 of a key event's state hold its effective group.
    return layoutKeyCode(keysOfGroup((state >> 13) & 3u), keycode);
}

const LayoutKeys& X11LayoutKeys::keysOfGroup(std::uint32_t group) {
    const xkb_layout_index_t groups = xkb_keymap_num_layouts(keymap_.get());
    if (groups > 0 && group >= groups) {
        group %= groups;
    }
    std::optional<LayoutKeys>& keys = groups_[group];
    if (!keys) {
        keys = layoutKeys(keymap_.get(), group, usKeymap_.get());
    }
    return *keys;
}

}  // namespace volleon::qt
