"""Common ground of the end-to-end tests: the command line every test file
takes (--binary PATH --dpi N [--home-page PAGE]), and a TestCase that gives
each test its own X server and its own run of the program, both torn down
whatever happens."""

import argparse
import signal
import sys
import unittest

from pictures import disc_survey
from volleon_app import BALL_SIZE, LEFT_BAT, RIGHT_BAT, Volleon
from xserver import SCREEN_HEIGHT, SCREEN_WIDTH, XServer

OPTIONS = argparse.Namespace(binary=None, dpi=96, home_page=None)


class E2ETestCase(unittest.TestCase):
    """Each test gets a fresh Xvfb and the program started on it.

    Subclasses set WINDOW_MANAGER = True to run under openbox, override
    program_env() to give the program more environment variables and
    before_program() to act on the desktop before it starts.
    """

    WINDOW_MANAGER = False

    def setUp(self):
        self.dpi = OPTIONS.dpi
        self.server = XServer(dpi=self.dpi, window_manager=self.WINDOW_MANAGER)
        self.addCleanup(self.server.close)
        self.before_program()
        self.app = Volleon(self.server, OPTIONS.binary, env=self.program_env())
        self.addCleanup(self.app.close)
        self.desktop = self.app.desktop

    def program_env(self):
        return None

    def before_program(self):
        """Runs once the X server is up, before the program starts."""

    def px(self, twips):
        """Twips to pixels on this test's screen."""
        return self.app.pixels(twips)

    def assertNear(self, actual, expected, tolerance, what):
        self.assertLessEqual(abs(actual - expected), tolerance,
                             f"{what}: got {actual}, expected {expected} +- {tolerance}")

    def assertBatsInPlace(self, pieces):
        """Both bats stand against the side edges, vertically centred, with
        their designed size (client area plus a one-pixel line)."""
        bat_width, bat_height = self.app.bat_size()
        left = self.desktop.geometry(pieces[LEFT_BAT])
        right = self.desktop.geometry(pieces[RIGHT_BAT])
        for name, bat in (("left bat", left), ("right bat", right)):
            self.assertTrue(bat.mapped, f"{name} is not shown")
            self.assertTrue(bat.override_redirect, f"{name} is not override-redirect")
            self.assertNear(bat.outer_width, bat_width, 0.5, f"{name} width")
            self.assertNear(bat.outer_height, bat_height, 0.5, f"{name} height")
            self.assertNear(bat.outer_y, (SCREEN_HEIGHT - bat.outer_height) / 2, 1,
                            f"{name} top")
        self.assertEqual(left.outer_x, 0, "left bat is not against the left edge")
        self.assertEqual(right.outer_x + right.outer_width, SCREEN_WIDTH,
                         "right bat is not against the right edge")

    def assertBallSize(self, ball):
        self.assertTrue(ball.mapped, "the ball is not shown")
        self.assertTrue(ball.override_redirect, "the ball is not override-redirect")
        self.assertNear(ball.outer_width, self.px(BALL_SIZE), 0.5, "ball width")
        self.assertNear(ball.outer_height, self.px(BALL_SIZE), 0.5, "ball height")

    def assertRoundRedDisc(self, shot, box, rim=False):
        """The painted box (x0, y0, x1, y1) of the ball in a screenshot holds
        a whole red disc of the ball's size with nothing painted in the
        corners of its square; rim=True asks for its dark rim too."""
        diameter = self.px(BALL_SIZE)
        self.assertNear(box[2] - box[0], diameter, 1, "width of the painted ball")
        self.assertNear(box[3] - box[1], diameter, 1, "height of the painted ball")
        cx, cy = (box[0] + box[2]) / 2, (box[1] + box[3]) / 2
        survey = disc_survey(shot, cx, cy, diameter)
        self.assertGreater(survey["outside_background"], 0.97,
                           f"the corners of the ball's square are painted: {survey}")
        self.assertGreater(survey["inside_covered"], 0.97, f"the disc has holes: {survey}")
        if rim:
            self.assertGreater(survey["rim_dark"], 0.7, f"no dark rim: {survey}")
        self.assertGreater(survey["core_red"], 0.97, f"the disc is not red: {survey}")

    def start_match(self):
        """Waits for the main window, presses Go; returns (main id, {piece: id})."""
        main = self.app.wait_for_main_window()
        return main, self.app.press_go(main)


def _terminate(signum, frame):
    # Turn a polite kill (ctest's timeout) into an exception so that every
    # cleanup runs; children die with the process in any case.
    raise SystemExit(128 + signum)


def main():
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("--binary", required=True, help="the volleon program")
    parser.add_argument("--dpi", type=int, default=96, help="DPI of the test screen")
    parser.add_argument("--home-page", help="what the Home Page link opens: the build's web "
                        "address, or the path of the page that ships with the program")
    _, rest = parser.parse_known_args(namespace=OPTIONS)
    signal.signal(signal.SIGTERM, _terminate)
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)
