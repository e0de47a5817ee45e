"""With both bats moved off the screen (nothing stops them), the ball flies
to both side edges, bounces back from each right at the edge and the score
changes."""

import time

from e2e_case import E2ETestCase, main
from volleon_app import BALL, LEFT_BAT, MAIN, RIGHT_BAT, SCORE_LABEL
from xserver import SCREEN_WIDTH, wait_until
from xwindows import WindowEvents


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

        # With the bats away, only a side edge turns the ball back, at each
        # edge in turn. xev reports every place the ball's window is given,
        # so the place where it turned is seen however late the machine
        # samples; it is the edge's.
        ball = pieces[BALL]
        width = self.desktop.geometry(ball).outer_width
        edges = {"left": 0, "right": SCREEN_WIDTH - width}
        moves = WindowEvents(self.server, ball)
        self.addCleanup(moves.close)

        def turns_at_both_edges():
            xs = []
            for event, place in moves.of(ball):
                if event == "ConfigureNotify" and (not xs or xs[-1] != place[0]):
                    xs.append(place[0])
            turns = [(b, "left" if b < (SCREEN_WIDTH - width) / 2 else "right")
                     for a, b, c in zip(xs, xs[1:], xs[2:]) if (b - a) * (c - b) < 0]
            return turns if {edge for _, edge in turns} == edges.keys() else None
        for x, edge in wait_until(turns_at_both_edges, 30, interval=0.1,
                                  what="the ball to turn back at both side edges"):
            self.assertNear(x, edges[edge], 1, f"the ball turned back away from the {edge} edge")

        score_after = self.score_picture(main_window, pieces[BALL])
        self.assertNotEqual(score_after, score_before, "the score did not change")
        self.assertIn(MAIN, self.app.windows())


if __name__ == "__main__":
    main()
