"""Two monitors side by side on one X screen, the primary one on the right:
the game is played on the primary monitor, and follows when another monitor
becomes primary during play."""

import e2e_case
from e2e_case import E2ETestCase, main
from volleon_app import BALL, LEFT_BAT, RIGHT_BAT, Volleon
from xserver import SCREEN_HEIGHT, XServer, wait_until

HALF = 960


def set_monitors(server, primary):
    """Splits the screen into monitors "left" and "right"; primary names one."""
    for name in ("left", "right"):
        server.run(["xrandr", "--delmonitor", name], check=False)
    for name, x in (("left", 0), ("right", HALF)):
        star = "*" if name == primary else ""
        server.run(["xrandr", "--setmonitor", f"{star}{name}",
                    f"{HALF}/254x{SCREEN_HEIGHT}/286+{x}+0", "none"])


class MonitorsTest(E2ETestCase):

    def setUp(self):
        self.dpi = 96
        self.server = XServer(dpi=self.dpi)
        self.addCleanup(self.server.close)
        set_monitors(self.server, "right")
        self.app = Volleon(self.server, e2e_case.OPTIONS.binary)
        self.addCleanup(self.app.close)
        self.desktop = self.app.desktop

    def assertBallStaysWithin(self, ball, left, right, seconds):
        """The ball, followed for at least the given time and until it has
        turned (a slow machine's ticks come late), stays on the monitor."""
        track = []

        def turns():
            xs = [g.outer_x for _, g in track]
            places = [x for i, x in enumerate(xs) if i == 0 or x != xs[i - 1]]
            return sum(1 for a, b, c in zip(places, places[1:], places[2:]) if (b - a) * (c - b) < 0)

        def followed():
            track.extend(self.app.track(ball, 0.5))
            return track[-1][0] - track[0][0] >= seconds and turns() > 0
        try:
            wait_until(followed, interval=0, what="the ball to turn")
        except TimeoutError:
            pass  # the checks below tell what was seen
        xs = [g.outer_x for _, g in track]
        width = track[0][1].outer_width
        self.assertGreaterEqual(min(xs), left, "the ball left the primary monitor")
        self.assertLessEqual(max(xs) + width, right, "the ball left the primary monitor")
        self.assertGreater(turns(), 0, "the ball did not bounce in the time it takes to cross")

    def test_play_on_the_primary_monitor_and_follow_a_new_primary(self):
        main_window, pieces = self.start_match()
        form = self.desktop.geometry(main_window)
        self.assertNear(form.outer_x + form.outer_width / 2, HALF + HALF / 2, 0.5,
                        "main window centre on the primary monitor")
        left = self.desktop.geometry(pieces[LEFT_BAT])
        right = self.desktop.geometry(pieces[RIGHT_BAT])
        self.assertEqual(left.outer_x, HALF, "left bat is not at the primary's left edge")
        self.assertEqual(right.outer_x + right.outer_width, 2 * HALF)
        self.assertBallStaysWithin(pieces[BALL], HALF, 2 * HALF, 3.0)

        # The left monitor becomes primary: the main window, now off it, is
        # brought back onto it, and the ball flies on the new primary.
        set_monitors(self.server, "left")
        def form_on_left():
            g = self.desktop.geometry(main_window)
            return g.outer_x + g.outer_width <= HALF and g.outer_x >= 0
        wait_until(form_on_left, what="the main window to come onto the new primary")
        wait_until(lambda: self.desktop.geometry(pieces[BALL]).outer_x < HALF,
                   what="the ball to move onto the new primary")
        self.assertBallStaysWithin(pieces[BALL], 0, HALF, 3.0)


if __name__ == "__main__":
    main()
