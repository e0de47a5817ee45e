"""With both bats moved off the screen (nothing stops them), the ball flies
to a side edge, bounces back from it and the score changes."""

import time

from e2e_case import E2ETestCase, main
from volleon_app import BALL, LEFT_BAT, MAIN, RIGHT_BAT, SCORE_LABEL
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
        track = self.app.track(pieces[BALL], 5.0)
        width = track[0][1].outer_width
        at_left = [t for t, g in track if g.outer_x <= 1]
        at_right = [t for t, g in track if g.outer_x + width >= SCREEN_WIDTH - 1]
        self.assertTrue(at_left or at_right, "the ball reached no side edge in 5 s")

        # It comes back from the edge it reached.
        edge_time = (at_left or at_right)[0]
        after_edge = [g.outer_x for t, g in track if t > edge_time + 0.2]
        if after_edge:
            if at_left:
                self.assertGreater(after_edge[-1], 1, "the ball stayed at the left edge")
            else:
                self.assertLess(after_edge[-1] + width, SCREEN_WIDTH - 1,
                                "the ball stayed at the right edge")

        score_after = self.score_picture(main_window, pieces[BALL])
        self.assertNotEqual(score_after, score_before, "the score did not change")
        self.assertIn(MAIN, self.app.windows())


if __name__ == "__main__":
    main()
