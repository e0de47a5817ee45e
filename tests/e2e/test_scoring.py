"""With both bats moved off the screen (nothing stops them), the ball flies
to a side edge, bounces back from it and the score changes."""

import time

from e2e_case import E2ETestCase, main
from volleon_app import BALL, BALL_STEP, BALL_TICK, LEFT_BAT, MAIN, RIGHT_BAT, SCORE_LABEL
from xserver import SCREEN_WIDTH, wait_until


def overlaps(a, b):
    ax, ay, aw, ah = a
    bx, by, bw, bh = b
    return ax < bx + bw and bx < ax + aw and ay < by + bh and by < ay + ah


class ScoringTest(E2ETestCase):

    def score_picture(self, main_window, ball):
        """The score label's pixels, taken while the ball is clear of it."""
        label = self.app.client_rect(main_window, SCORE_LABEL)

        def clear_shot():
            before = self.desktop.geometry(ball)
            shot = self.desktop.screenshot()
            after = self.desktop.geometry(ball)
            for g in (before, after):
                # The ball may have moved a few ticks while the picture was taken.
                reach = 4 * g.outer_width
                if overlaps(label, (g.outer_x - reach, g.outer_y - reach,
                                    g.outer_width + 2 * reach, g.outer_height + 2 * reach)):
                    return None
            return shot.crop(*label).rgb
        return wait_until(clear_shot, 20, interval=0.1, what="the ball to leave the score")

    def test_ball_bounces_off_a_side_edge_and_scores(self):
        main_window, pieces = self.start_match()
        self.desktop.key_down("a", "apostrophe")
        time.sleep(4.0)
        self.desktop.key_up("a", "apostrophe")
        time.sleep(0.3)
        for bat in (LEFT_BAT, RIGHT_BAT):
            g = self.desktop.geometry(pieces[bat])
            self.assertLess(g.outer_y + g.outer_height, 0, f"{bat} is still on the screen")

        score_before = self.score_picture(main_window, pieces[BALL])

        # With the bats away, only a side edge turns the ball back. It
        # stands at the edge for one tick, which a busy machine's samples
        # may miss; the turn itself cannot be missed.
        samples = []  # (time before, time after, left edge), each place once

        def turned():
            before = time.monotonic()
            x = self.desktop.geometry(pieces[BALL]).outer_x
            if not samples or samples[-1][2] != x:
                samples.append((before, time.monotonic(), x))
                if len(samples) >= 3:
                    a, b, c = samples[-3:]
                    if (b[2] - a[2]) * (c[2] - b[2]) < 0:
                        return a, b, c
            return None
        before_turn, turn, after_turn = wait_until(turned, 10, interval=0, what="the ball to turn back")
        width = self.desktop.geometry(pieces[BALL]).outer_width
        x = turn[2]
        at_left = x < (SCREEN_WIDTH - width) / 2
        edge = 0 if at_left else SCREEN_WIDTH - width
        # Between the samples on either side of the turn the ball went to
        # the edge and came back: it was never further from the edge than
        # it could fly in that time.
        ticks = (after_turn[1] - before_turn[0]) / BALL_TICK + 1
        self.assertNear(x, edge, ticks * self.px(BALL_STEP), "the ball turned back away from the edge")

        score_after = self.score_picture(main_window, pieces[BALL])
        self.assertNotEqual(score_after, score_before, "the score did not change")
        self.assertIn(MAIN, self.app.windows())


if __name__ == "__main__":
    main()
