"""Ball flight: one step of 400 twips across every 50 ms, and a vertical step
no larger than a serve or a bat return can give."""

import statistics

from e2e_case import E2ETestCase, main
from volleon_app import BALL, BALL_STEP, BALL_TICK

MAX_SPEED_Y = 300  # twips per tick, the largest a serve draws


def moves(samples):
    """(dt, dx, dy) between consecutive samples of a track."""
    return [(t1 - t0, g1.outer_x - g0.outer_x, g1.outer_y - g0.outer_y)
            for (t0, g0), (t1, g1) in zip(samples, samples[1:])]


class BallFlightTest(E2ETestCase):

    def test_ball_steps_400_twips_across_every_50_ms(self):
        _, pieces = self.start_match()
        track = self.app.track(pieces[BALL], 1.5)
        steps = moves(track)
        step = self.px(BALL_STEP)

        # Samples come every few milliseconds, so most changes of place are
        # one tick's step.
        single = [abs(dx) for dt, dx, dy in steps if dx]
        self.assertGreater(len(single), 15, "the ball hardly moved")
        self.assertNear(statistics.median(single), step, 1, "horizontal step per tick")

        # Mean speed over the track, leaving out any interval in which the
        # ball turned (a bat or an edge sent it back).
        time_moving = distance = 0.0
        direction = 0
        for dt, dx, _ in steps:
            if dx and direction and (dx > 0) != (direction > 0):
                direction = dx
                continue
            direction = dx or direction
            time_moving += dt
            distance += abs(dx)
        speed = distance / time_moving
        self.assertNear(speed, step / BALL_TICK, 0.12 * step / BALL_TICK,
                        "horizontal speed in pixels per second")

        # An interval in which the ball went on the same way as before and
        # after it, by no more than one step, holds one tick. One in which
        # it turned may hold two ticks whose steps across nearly cancel out
        # while their steps down add up, as when a busy machine samples late.
        max_dy = self.px(MAX_SPEED_Y) + 1
        moving = [(dx, dy) for _, dx, dy in steps if dx]
        for i, (dx, dy) in enumerate(moving):
            turned = any((other > 0) != (dx > 0) for other, _ in moving[max(i - 1, 0):i + 2])
            if not turned and abs(dx) <= step + 1:
                self.assertLessEqual(abs(dy), max_dy, "vertical step larger than a serve gives")


if __name__ == "__main__":
    main()
