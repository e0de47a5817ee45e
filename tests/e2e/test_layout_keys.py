"""The bats answer the same physical keys on a Russian and on a German
layout, sent by key code: A and Z where the layout prints them, else where a
US keyboard has them, and apostrophe and slash at their US places, since
neither layout types them without Shift. A new layout or a group switched
during play takes effect at once."""

import ctypes

from e2e_case import main
from test_bat_keys import DOWN, UP, BatKeysCase
from volleon_app import LEFT_BAT, RIGHT_BAT

# X key codes by the key's US label: (A, Z, apostrophe, slash) of each layout.
RUSSIAN = ("38", "52", "48", "61")
GERMAN = ("38", "29", "48", "61")   # Z where QWERTZ prints it, on the US Y


class XKeyboard:
    """Keys by code through XTEST in the keyboard's current group (xdotool
    locks the first group around each key it sends), and a group switch as
    a layout switcher makes it."""

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
        assert self.connection, f"cannot open {display}"

    def close(self):
        self.xlib.XCloseDisplay(self.connection)

    def lock_group(self, group):
        assert self.xlib.XkbLockGroup(self.connection, 0x100, group), "XkbLockGroup failed"
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

    def check_layout(self, keys, unused_key):
        a, z, apostrophe, slash = keys
        self.check_keys([a], LEFT_BAT, UP)
        self.check_keys([z], LEFT_BAT, DOWN)
        self.check_keys([apostrophe], RIGHT_BAT, UP)
        self.check_keys([slash], RIGHT_BAT, DOWN)
        # The key that carries Z on the other layout moves nothing here.
        before = self.tops()
        self.hold([unused_key], 0.5)
        self.assertEqual(self.tops(), before, f"key code {unused_key} moved a bat")

    def test_russian_then_german(self):
        self.server.run(["setxkbmap", "ru"])
        self.check_layout(RUSSIAN, GERMAN[1])
        self.server.run(["setxkbmap", "de"])
        self.check_layout(GERMAN, RUSSIAN[1])

    def test_german_then_group_switch_to_russian(self):
        self.server.run(["setxkbmap", "-layout", "de,ru"])
        self.check_layout(GERMAN, RUSSIAN[1])
        self.keyboard = XKeyboard(self.server.display)
        self.addCleanup(self.keyboard.close)
        self.keyboard.lock_group(1)
        self.check_layout(RUSSIAN, GERMAN[1])


if __name__ == "__main__":
    main()
