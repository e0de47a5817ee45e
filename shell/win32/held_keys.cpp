#include "held_keys.h"

#include <windows.h>

namespace volleon::win32 {

namespace {

constexpr BYTE kHeld = 0x80;

bool isMouseButton(int virtualKey) {
    switch (virtualKey) {
    case VK_LBUTTON:
    case VK_RBUTTON:
    case VK_MBUTTON:
    case VK_XBUTTON1:
    case VK_XBUTTON2:
        return true;
    default:
        return false;
    }
}

}  // namespace

void releaseHeldKeys() {
    BYTE state[256] = {};
    if (!GetKeyboardState(state)) {
        return;
    }
    bool changed = false;
    for (int key = 0; key < 256; ++key) {
        if ((state[key] & kHeld) != 0 && !isMouseButton(key)) {
            state[key] = static_cast<BYTE>(state[key] & ~kHeld);
            changed = true;
        }
    }
    if (changed) {
        SetKeyboardState(state);
    }
}

}  // namespace volleon::win32
