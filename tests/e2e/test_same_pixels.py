"""A build for another processor shows what the reference build shows, to
the pixel: the main window before Go and its icon, then the ball and both
bats in play. Each program runs on its own Xvfb of the same size and DPI.

    test_same_pixels.py --binary PROGRAM --reference PROGRAM [--dpi N]
"""

import argparse
import sys
import unittest

from pictures import is_red, overlaps, painted_box
from volleon_app import BALL, BALL_SIZE, LEFT_BAT, PIECES, RIGHT_BAT, Volleon
from xserver import XServer, wait_until, wait_until_steady

OPTIONS = argparse.Namespace(binary=None, reference=None, dpi=96)


def box(g):
    return (g.outer_x, g.outer_y, g.outer_width, g.outer_height)


def painted(rgb):
    """Whether a window's pixels show its picture: a window the program has
    not painted yet shows one colour throughout."""
    first = rgb[:3]
    return any(rgb[i:i + 3] != first for i in range(3, len(rgb), 3))


def portrait(binary, dpi):
    """{what: bytes or text} of a run of the program: the main window's
    client area and its icon before Go, then the pixels of the ball and of
    each bat."""
    with XServer(dpi=dpi) as server:
        app = Volleon(server, binary)
        desktop = app.desktop
        try:
            main = app.wait_for_main_window()
            # The pointer, which the server draws into the picture, out of the way.
            server.run(["xdotool", "mousemove", "1900", "1060"])

            # The window is mapped before the program paints it, and under an
            # emulator the first paint comes long after: the picture is taken
            # once it is painted and holds still.
            def main_picture():
                g = desktop.geometry(main)
                rgb = desktop.screenshot().crop(g.inner_x, g.inner_y, g.width, g.height).rgb
                return rgb if painted(rgb) else None

            def icon():
                out = server.run(["xprop", "-id", main, "-f", "_NET_WM_ICON", "32c", "_NET_WM_ICON"])
                return out.split("=", 1)[-1] if "=" in out else None
            found = {
                "main window": wait_until_steady(main_picture, what="the main window painted and steady"),
                "icon": wait_until_steady(icon, what="the main window's icon, set and steady"),
            }
            pieces = app.press_go(main)
            server.run(["xdotool", "mousemove", "1900", "1060"])
            # The bats stand still; the ball is found in the screenshot by
            # its painted square between the places it had before and after,
            # whole and clear of the other windows, while it flies from the
            # centre of the screen after the serve, once both bats are painted.
            others = [desktop.geometry(pieces[p]) for p in (LEFT_BAT, RIGHT_BAT)] + [desktop.geometry(main)]
            diameter = app.pixels(BALL_SIZE)

            def whole_ball():
                before = desktop.geometry(pieces[BALL])
                shot = desktop.screenshot()
                after = desktop.geometry(pieces[BALL])
                x0, y0 = min(before.outer_x, after.outer_x) - 4, min(before.outer_y, after.outer_y) - 4
                x1 = max(before.outer_x, after.outer_x) + after.outer_width + 4
                y1 = max(before.outer_y, after.outer_y) + after.outer_height + 4
                if any(overlaps((x0, y0, x1 - x0, y1 - y0), box(g)) for g in others):
                    return None
                if not all(painted(shot.crop(*box(g)).rgb) for g in others[:2]):
                    return None
                ball = painted_box(shot, x0, y0, x1 - x0, y1 - y0)
                if ball is None or max(abs(ball[2] - ball[0] - diameter), abs(ball[3] - ball[1] - diameter)) > 1:
                    return None
                return shot, ball
            shot, ball = wait_until(whole_ball, interval=0.05, what="the whole ball in the open")
            found[BALL] = shot.crop(ball[0], ball[1], ball[2] - ball[0], ball[3] - ball[1]).rgb
            for bat, g in zip((LEFT_BAT, RIGHT_BAT), others):
                found[bat] = shot.crop(*box(g)).rgb
            return found
        finally:
            app.close()


class SamePixelsTest(unittest.TestCase):

    def test_same_pixels_as_the_reference(self):
        reference = portrait(OPTIONS.reference, OPTIONS.dpi)
        # The reference itself shows a red ball and red bats, so equal
        # pictures are pictures of the game.
        for piece in PIECES:
            rgb = reference[piece]
            reds = sum(is_red(rgb[i:i + 3]) for i in range(0, len(rgb), 3))
            self.assertGreater(reds, len(rgb) / 3 / 2, f"the reference's {piece} is not red")
        self.assertTrue(reference["icon"].strip().startswith("16, 16,"),
                        f"the reference's main window has no 16 x 16 icon: {reference['icon']!r}")
        found = portrait(OPTIONS.binary, OPTIONS.dpi)
        for what, expected in reference.items():
            got = found[what]
            self.assertEqual(len(got), len(expected), f"{what}: another size than the reference's")
            if got != expected:
                differing = sum(a != b for a, b in zip(got, expected))
                self.fail(f"{what}: {differing} of {len(expected)} bytes differ from the reference's")


def main():
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("--binary", required=True, help="the program under test")
    parser.add_argument("--reference", required=True, help="the program it must look like")
    parser.add_argument("--dpi", type=int, default=96, help="DPI of the test screens")
    _, rest = parser.parse_known_args(namespace=OPTIONS)
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
