// The physical keys that carry the five key codes the rules read (65 A,
// 90 Z, 222 apostrophe, 191 slash, 27 Escape) in one group of a keyboard
// layout. A code goes to the key that types its character without Shift in
// that group; where no key does (a Cyrillic layout has no Latin letters, a
// German one no unshifted slash), it goes to the key standing where a US
// keyboard has the character. No key carries two of the codes.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "game/game.h"

struct xkb_context;
struct xkb_keymap;

namespace volleon::qt {

struct KeymapDeleter {
    void operator()(xkb_keymap* keymap) const;
};
using KeymapPtr = std::unique_ptr<xkb_keymap, KeymapDeleter>;

// A keymap compiled from layout and variant names with the system's rules,
// or null when they name no layout.
KeymapPtr compileKeymap(xkb_context* context, const char* layout, const char* variant = "");

// The codes in the order of kLayoutKeyCodes.
inline constexpr std::array<int, 5> kLayoutKeyCodes = {kKeyA, kKeyZ, kKeyApostrophe, kKeySlash, kKeyEscape};

// Whether the code is one of kLayoutKeyCodes.
bool isLayoutKeyCode(int virtualKey);

// The key code (an X key code) that carries each of kLayoutKeyCodes, 0 for
// none. usKeymap gives the US positions; it must use the same key names as
// keymap (every XKB keymap does for the main keys).
using LayoutKeys = std::array<std::uint32_t, kLayoutKeyCodes.size()>;
LayoutKeys layoutKeys(xkb_keymap* keymap, std::uint32_t group, xkb_keymap* usKeymap);

// The code that a key carries, or 0 when it carries none of them.
int layoutKeyCode(const LayoutKeys& keys, std::uint32_t keycode);

}  // namespace volleon::qt
