// The five keys the rules read, as they lie on the X server's keyboard: its
// keymap read with libxkbcommon, read again whenever the server says it
// changed (a new layout set during play), and each key event's own layout
// group (a group switch during play).
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "shell/qt/layout_keys.h"

struct xcb_connection_t;
struct xkb_context;

namespace volleon::qt {

class X11LayoutKeys {
public:
    // Null when the connection offers no XKB keyboard.
    static std::unique_ptr<X11LayoutKeys> create(xcb_connection_t* connection);
    ~X11LayoutKeys();

    // Notes a keymap change among the X events; other events are ignored.
    void noteEvent(const void* xcbEvent);
    // Whether the server's keymap could be read (it is read again here
    // after a change).
    bool ready();
    // The code (one of kLayoutKeyCodes) that the key carries in the group of
    // a key event's state, or 0.
    int codeOf(std::uint32_t keycode, std::uint16_t state);

private:
    X11LayoutKeys(xcb_connection_t* connection, xkb_context* context, std::int32_t device,
                  std::uint8_t firstEvent);
    const LayoutKeys& keysOfGroup(std::uint32_t group);

    struct ContextDeleter {
        void operator()(xkb_context* context) const;
    };

    xcb_connection_t* connection_;
    std::unique_ptr<xkb_context, ContextDeleter> context_;
    std::int32_t device_;
    std::uint8_t firstEvent_;
    KeymapPtr usKeymap_;
    KeymapPtr keymap_;
    bool stale_ = true;
    // An X server has at most four groups.
    std::array<std::optional<LayoutKeys>, 4> groups_;
};

}  // namespace volleon::qt
