"""The bats answer the same physical keys on a Russian and on a German
layout, sent by key code: A and Z where the layout prints them, else where a
US keyboard has them, and the apostrophe and slash keys at their US places,
since neither layout types those characters without Shift. A new layout or
a group switched during play takes effect at once."""

import ctypes

from e2e_case import main
from test_bat_keys import DOWN, UP, BatKeysCase
from volleon_app import LEFT_BAT, RIGHT_BAT

# X key codes of a PC keyboard, by the key's US label.
KEY_A, KEY_Z, KEY_Y, KEY_APOSTROPHE, KEY_SLASH = "38", "52", "29", "48", "61"

_USE_CORE_KBD = 0x100


class XKeyboard:
    """Key presses by key code through XTEST, in whatever group the keyboard
    is in: xdotool locks group 1 around each key it sends, so it cannot
    press a key of another group. Also switches the group, as a layout
    switcher does."""

    def __init__(self, display):
        self.xlib = ctypes.CDLL("libX11.so.6")
        self.xtest = ctypes.CDLL("libXtst.so.6")
        self.xlib.XOpenDisplay.restype = ctypes.c_void_p
        self.xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.xlib.XkbLockGroup.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_uint]
        self.xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.xtest.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                                 ctypes.c_ulong]
        self.connection = self.xlib.XOpenDisplay(display.encode())
        if not self.connection:
            raise RuntimeError(f"cannot open {display}")

    def close(self):
        self.xlib.XCloseDisplay(self.connection)

    def lock_group(self, group):
        if not self.xlib.XkbLockGroup(self.connection, _USE_CORE_KBD, group):
            raise RuntimeError("XkbLockGroup failed")
        self.xlib.XSync(self.connection, 0)

    def _send(self, keys, pressed):
        for key in keys:
            self.xtest.XTestFakeKeyEvent(self.connection, int(key), pressed, 0)
        self.xlib.XSync(self.connection, 0)

    def key_down(self, *keys):
        self._send(keys, 1)

    def key_up(self, *keys):
        self._send(keys, 0)


class LayoutKeysTest(BatKeysCase):

    def set_layout(self, *args):
        self.server.run(["setxkbmap", *args])

    def check_russian(self):
        self.check_keys([KEY_A], LEFT_BAT, UP)
        self.check_keys([KEY_Z], LEFT_BAT, DOWN)
        self.check_keys([KEY_APOSTROPHE], RIGHT_BAT, UP)
        self.check_keys([KEY_SLASH], RIGHT_BAT, DOWN)

    def check_german(self):
        self.check_keys([KEY_A], LEFT_BAT, UP)
        self.check_keys([KEY_Y], LEFT_BAT, DOWN)   # where QWERTZ prints Z
        self.check_keys([KEY_APOSTROPHE], RIGHT_BAT, UP)
        self.check_keys([KEY_SLASH], RIGHT_BAT, DOWN)

    def assertStill(self, key):
        before = self.tops()
        self.hold([key], 0.5)
        self.assertEqual(self.tops(), before, f"key code {key} moved a bat")

    def test_russian_then_german(self):
        self.set_layout("ru")
        self.check_russian()
        self.set_layout("de")
        self.check_german()
        self.assertStill(KEY_Z)       # Y on QWERTZ

    def test_german_then_group_switch_to_russian(self):
        self.set_layout("-layout", "de,ru")
        self.check_german()
        self.keyboard = XKeyboard(self.server.display)
        self.addCleanup(self.keyboard.close)
        self.keyboard.lock_group(1)   # the second group: Russian
        self.check_russian()
        self.assertStill(KEY_Y)


if __name__ == "__main__":
    main()
