"""The end-to-end scenarios of the desktop program, run against the Windows
build (volleon.exe) under Wine: the same test cases, with the program
started by wine_app.WineVolleon instead of directly.

    wine_scenarios.py --binary volleon.exe --wine-run cmake/wine-run.sh
                      --wineprefix DIR [--dpi N] [TEST_CLASS ...]
"""

import argparse
import os
import re
import shutil
import sys

import e2e_case
import test_ball_flight
import test_bat_keys
import test_escape
import test_home_page
import test_match_start
import test_scoring
import test_startup
import test_window_manager
from pictures import disc_survey, painted_box
from volleon_app import BALL, BALL_TICK, KEYBOARD_TICK, LEFT_BAT
from wine_app import WineVolleon, run_wine
from xserver import XServer, spawn, stop, wait_until
from xwindows import WindowEvents

WINE = argparse.Namespace(wine_run=None, wineprefix=None, frame_insets=None)


class WineCase(e2e_case.E2ETestCase):
    """Each test gets a fresh Xvfb and volleon.exe started on it under Wine."""

    def setUp(self):
        self.dpi = e2e_case.OPTIONS.dpi
        self.server = XServer(dpi=self.dpi, window_manager=self.WINDOW_MANAGER)
        self.addCleanup(self.server.close)
        self.before_program()
        self.app = WineVolleon(self.server, self.program_binary(), WINE.wine_run,
                               WINE.wineprefix, env=self.program_env())
        self.addCleanup(self.app.close)
        self.desktop = self.app.desktop

    def program_binary(self):
        return e2e_case.OPTIONS.binary


class WineStartupTest(test_startup.StartupTest, WineCase):
    pass


class WineMatchStartTest(test_match_start.MatchStartTest, WineCase):

    def test_ball_is_a_red_disc_with_a_dark_rim(self):
        """The ball window of w x h pixels is clipped to CreateEllipticRgn(0,
        0, w, h). Like every GDI region, it leaves out the rectangle's right
        column and bottom row: the disc covers (w - 1) x (h - 1) pixels from
        the window's corner."""
        _, pieces = self.start_match()

        def ball_painted():
            before = self.desktop.geometry(pieces[BALL])
            shot = self.desktop.screenshot()
            after = self.desktop.geometry(pieces[BALL])
            # The ball was somewhere between the two places during the screenshot.
            x0, y0 = min(before.x, after.x) - 4, min(before.y, after.y) - 4
            x1 = max(before.x, after.x) + before.width + 4
            y1 = max(before.y, after.y) + before.height + 4
            box = painted_box(shot, x0, y0, x1 - x0, y1 - y0)
            # The newly shown ball paints itself a moment later: the picture
            # is taken once something of the ball's size, give or take a
            # pixel, is painted; its exact size is checked below.
            if box is None or max(abs(box[2] - box[0] - before.width),
                                  abs(box[3] - box[1] - before.height)) > 1:
                return None
            return before, shot, box
        before, shot, box = wait_until(ball_painted, interval=0.1, what="the whole ball on the screen")
        self.assertEqual((box[2] - box[0], box[3] - box[1]), (before.width - 1, before.height - 1),
                         "size of the painted ball")
        diameter = before.width - 1
        survey = disc_survey(shot, box[0] + diameter / 2, box[1] + diameter / 2, diameter)
        self.assertGreater(survey["outside_background"], 0.97,
                           f"the corners of the ball's square are painted: {survey}")
        self.assertGreater(survey["inside_covered"], 0.97, f"the disc has holes: {survey}")
        self.assertGreater(survey["rim_dark"], 0.7, f"no dark rim: {survey}")
        self.assertGreater(survey["core_red"], 0.97, f"the disc is not red: {survey}")


class WineBallFlightTest(test_ball_flight.BallFlightTest, WineCase):
    pass


class WineBatKeysTest(test_bat_keys.BatKeysTest, WineCase):
    pass


class WineEscapeTest(test_escape.EscapeTest, WineCase):
    pass


class WineScoringTest(test_scoring.ScoringTest, WineCase):
    pass


class WineHomePageTest(test_home_page.HomePageTest, WineCase):
    """The test prefix is made without a browser, so nothing opens .html
    files in it, as the default browser does on Windows: the test gives them
    to Wine's browser launcher, which hands them to xdg-open."""

    def setUp(self):
        super().setUp()
        run_wine(WINE.wine_run, self.app.wineprefix, self.app.run_env,
                 ["reg", "add", r"HKCR\.html", "/ve", "/d", "htmlfile", "/f"])


class WineHomePageFolderTest(WineHomePageTest):
    """The program and its page unpacked into a folder whose name the
    system's ANSI code page cannot spell: Cyrillic and Japanese together fit
    no code page but UTF-8. Wine takes its ANSI code page from the locale:
    under C.UTF-8 it is Windows-1252, and Unix file names are UTF-8."""

    FOLDER = "Игры ゲーム"

    def program_env(self):
        return dict(super().program_env(), LC_ALL="C.UTF-8")

    def program_binary(self):
        folder = os.path.join(self.server.tmpdir, self.FOLDER)
        os.mkdir(folder)
        self.page = shutil.copy(e2e_case.OPTIONS.home_page, folder)
        return shutil.copy(e2e_case.OPTIONS.binary, folder)

    def setUp(self):
        super().setUp()
        code_page = run_wine(WINE.wine_run, self.app.wineprefix, self.app.run_env,
                             ["reg", "query", r"HKLM\System\CurrentControlSet\Control\Nls\CodePage",
                              "/v", "ACP"])
        acp = re.search(r"ACP\s+REG_SZ\s+(\d+)", code_page).group(1)
        with self.assertRaises(UnicodeEncodeError, msg=f"the folder's name fits code page {acp}"):
            self.FOLDER.encode(f"cp{acp}")

    def home_page(self):
        return self.page


class WineWindowManagerTest(test_window_manager.WindowManagerTest, WineCase):

    def assertFrameAtTop(self, geometry, frame_top):
        """Wine keeps the client area where Windows puts it and lets the
        window manager draw its own frame around it; where that frame is
        shorter than the Windows caption and border, it starts lower than
        the window's rectangle. So the rectangle's top, the client area's
        less the top inset Windows gives the window's styles, is checked to
        be at the top of the screen, and the frame to stand on it."""
        output = run_wine(WINE.wine_run, self.app.wineprefix, self.app.run_env, [WINE.frame_insets])
        top_inset = int(output.split()[1])
        self.assertEqual(geometry.inner_y - top_inset, 0, "top of the window's rectangle")
        self.assertGreaterEqual(geometry.inner_y - frame_top, 0, "top of the frame")


class WineProgramSwitchTest(WineCase):
    """The player switches to another program (xlogo here) and back, under a
    window manager. A key let go in the other program never reaches the
    game's thread."""

    WINDOW_MANAGER = True

    def activate(self, window):
        self.server.run(["xdotool", "windowactivate", "--sync", window])
        wait_until(lambda: self.desktop.has_focus(window), what=f"window {window} to take the focus")

    def test_a_key_let_go_in_another_program_stops_the_bat(self):
        main_window, pieces = self.start_match()
        other = spawn(["xlogo", "-geometry", "300x300+0+0"], env=self.server.env)
        self.addCleanup(stop, other)
        found = wait_until(
            lambda: self.server.run(["xdotool", "search", "--onlyvisible", "--class", "xlogo"],
                                    check=False).split(), what="xlogo's window")
        other_window = hex(int(found[0]))  # xdotool gives decimal ids
        self.activate(main_window)

        def bat_top():
            return self.desktop.geometry(pieces[LEFT_BAT]).outer_y

        # Time is counted in the program's own ticks: the ball's window
        # moves once every ball tick, two to a keyboard tick.
        ball = WindowEvents(self.server, pieces[BALL])
        self.addCleanup(ball.close)

        def ball_ticks():
            return sum(1 for event, _ in ball.of(pieces[BALL]) if event == "ConfigureNotify")

        def keyboard_ticks(count):
            due = ball_ticks() + round(count * KEYBOARD_TICK / BALL_TICK)
            wait_until(lambda: ball_ticks() >= due, what=f"{count} keyboard ticks' time")

        start = bat_top()
        self.desktop.key_down("a")
        keyboard_ticks(5)
        self.activate(other_window)
        self.desktop.key_up("a")
        keyboard_ticks(3)
        away = bat_top()
        self.assertLess(away, start, "A did not move the bat")
        keyboard_ticks(5)
        self.assertEqual(bat_top(), away, "the bat moves on its own while another program is active")

        self.activate(main_window)
        keyboard_ticks(5)
        self.assertEqual(bat_top(), away, "the bat moves on its own after the switch back")


def main():
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("--wine-run", required=True, help="the wine-run.sh script")
    parser.add_argument("--wineprefix", required=True, help="the Wine prefix to run in")
    parser.add_argument("--frame-insets", required=True,
                        help="frame_insets.exe, which prints the main window's frame insets")
    _, rest = parser.parse_known_args(namespace=WINE)
    sys.argv = [sys.argv[0]] + rest
    e2e_case.main()


if __name__ == "__main__":
    main()
