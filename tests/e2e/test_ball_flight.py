"""Ball flight: one step of 400 twips across every 50 ms, and a vertical step
no larger than a serve or a bat return can give."""

import statistics

from e2e_case import E2ETestCase, main
from volleon_app import BALL, BALL_STEP, BALL_TICK
from xserver import wait_until
from xwindows import WindowEvents

MAX_SPEED_Y = 300  # twips per tick, the largest a serve draws


def moves(samples):
    """(dt, dx, dy) between consecutive samples of a track."""
    return [(t1 - t0, g1.outer_x - g0.outer_x, g1.outer_y - g0.outer_y)
            for (t0, g0), (t1, g1) in zip(samples, samples[1:])]


class BallFlightTest(E2ETestCase):

    def test_ball_steps_400_twips_across_every_50_ms(self):
        _, pieces = self.start_match()
        ball = pieces[BALL]
        # xev reports every place the ball's window is given, one a tick,
        # however late a busy machine would sample them.
        events = WindowEvents(self.server, ball)
        self.addCleanup(events.close)
        track = self.app.track(ball, 1.5)
        step = self.px(BALL_STEP)

        def places():
            xy = []
            for event, place in events.of(ball):
                if event == "ConfigureNotify" and (not xy or xy[-1] != place[:2]):
                    xy.append(place[:2])
            return xy if len(xy) > 16 else None
        xy = wait_until(places, interval=0.1, what="the ball to move")
        ticks = [(x1 - x0, y1 - y0) for (x0, y0), (x1, y1) in zip(xy, xy[1:])]
        self.assertNear(statistics.median(abs(dx) for dx, _ in ticks), step, 1, "horizontal step per tick")

        # Mean speed over the track, leaving out any interval in which the
        # ball turned (a bat or an edge sent it back).
        time_moving = distance = 0.0
        direction = 0
        for dt, dx, _ in moves(track):
            if dx and direction and (dx > 0) != (direction > 0):
                direction = dx
                continue
            direction = dx or direction
            time_moving += dt
            distance += abs(dx)
        speed = distance / time_moving
        self.assertNear(speed, step / BALL_TICK, 0.12 * step / BALL_TICK,
                        "horizontal speed in pixels per second")

        # A tick in which the ball went on the same way as in the ticks
        # before and after it moved it down or up by no more than a serve
        # gives; a bat's return draws the vertical speed anew.
        max_dy = self.px(MAX_SPEED_Y) + 1
        for i, (dx, dy) in enumerate(ticks):
            turned = any((other > 0) != (dx > 0) for other, _ in ticks[max(i - 1, 0):i + 2])
            if not turned:
                self.assertLessEqual(abs(dy), max_dy, "vertical step larger than a serve gives")


if __name__ == "__main__":
    main()
