"""Start-up: the main window alone, centred along the top of the screen, and
nothing reacting to the keys before the first match."""

import time

from e2e_case import E2ETestCase, main
from round_trips import RoundTrips
from volleon_app import KEYBOARD_TICK, MAIN, MAIN_CLIENT, PIECES, SCORE_LABEL
from xserver import SCREEN_WIDTH, wait_until


class StartupTest(E2ETestCase):

    def test_main_window_opens_alone_at_top_centre(self):
        main_window = self.app.wait_for_main_window()
        g = self.desktop.geometry(main_window)

        self.assertIn('"Volleon!"', self.server.run(["xprop", "-id", main_window, "WM_NAME"]))
        self.assertNear(g.width, self.px(MAIN_CLIENT[0]), 1, "client width")
        self.assertNear(g.height, self.px(MAIN_CLIENT[1]), 1, "client height")
        # Without a window manager the client area is the whole window, and
        # it is centred to the pixel.
        self.assertNear(g.outer_x + g.outer_width / 2, SCREEN_WIDTH / 2, 0.5, "horizontal centre")
        self.assertLessEqual(g.outer_y, 30, "main window is not at the top")
        self.assertGreaterEqual(g.outer_y, 0)

        windows = self.app.windows()
        for piece in PIECES:
            self.assertNotIn(piece, windows, f"{piece} exists before Go")

    def test_keys_before_go_do_nothing(self):
        main_window = self.app.wait_for_main_window()
        before = self.desktop.geometry(main_window)
        # A click on the score, which has no handler, gives the main window
        # the keyboard as a player would.
        self.desktop.click(*self.app.client_point(main_window, SCORE_LABEL))
        wait_until(lambda: self.desktop.has_focus(main_window),
                   what="the main window to take the focus")
        # Each key is held for three keyboard ticks, were the timer running,
        # and until the program has had its turn since: a timer due by
        # then has run.
        trips = RoundTrips(self.server)
        self.addCleanup(trips.close)

        def program_turn():
            try:
                trips.settled(main_window)
            except (RuntimeError, TimeoutError):
                # A program that has ended answers no ping.
                self.assertTrue(self.app.running(), "Escape before Go ended the program")
                raise
        for key in ("a", "z", "apostrophe", "slash", "Escape"):
            self.desktop.key_down(key)
            time.sleep(3 * KEYBOARD_TICK)
            program_turn()
            self.desktop.key_up(key)
        program_turn()

        self.assertTrue(self.app.running(), "Escape before Go ended the program")
        self.assertEqual(self.desktop.geometry(main_window), before)
        windows = self.app.windows()
        self.assertEqual(windows.get(MAIN), main_window)
        for piece in PIECES:
            self.assertNotIn(piece, windows, f"{piece} appeared without Go")


if __name__ == "__main__":
    main()
