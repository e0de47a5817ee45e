"""Pressing "Go": the ball and the bats appear where a match starts, the ball
is a red disc with a dark rim, and the score is rewritten."""

import time

from e2e_case import E2ETestCase, main
from pictures import ink_box, painted_box
from volleon_app import BALL, BALL_SIZE, BALL_STEP, BALL_TICK, SCORE_LABEL
from xserver import SCREEN_HEIGHT, SCREEN_WIDTH, wait_until

MAX_SERVE_SPEED_Y = 300  # twips per ball tick


class MatchStartTest(E2ETestCase):

    def test_go_places_the_pieces(self):
        main_window = self.app.wait_for_main_window()
        clicked = time.monotonic()
        pieces = self.app.press_go(main_window)

        self.assertBatsInPlace(pieces)

        ball = self.desktop.geometry(pieces[BALL])
        seen = time.monotonic()
        self.assertBallSize(ball)
        # Served from the centre of the screen: at most this many ticks have
        # moved it since the click.
        ticks = (seen - clicked) / BALL_TICK + 1
        self.assertNear(ball.outer_x, (SCREEN_WIDTH - ball.outer_width) / 2,
                        ticks * self.px(BALL_STEP) + 2, "ball left")
        self.assertNear(ball.outer_y, (SCREEN_HEIGHT - ball.outer_height) / 2,
                        ticks * self.px(MAX_SERVE_SPEED_Y) + 2, "ball top")

    def test_ball_is_a_red_disc_with_a_dark_rim(self):
        _, pieces = self.start_match()
        diameter = self.px(BALL_SIZE)

        def whole_ball():
            before = self.desktop.geometry(pieces[BALL])
            shot = self.desktop.screenshot()
            after = self.desktop.geometry(pieces[BALL])
            # The ball was somewhere between the two places during the
            # screenshot.
            margin = 4
            x0 = min(before.outer_x, after.outer_x) - margin
            y0 = min(before.outer_y, after.outer_y) - margin
            x1 = max(before.outer_x, after.outer_x) + before.outer_width + margin
            y1 = max(before.outer_y, after.outer_y) + before.outer_height + margin
            box = painted_box(shot, x0, y0, x1 - x0, y1 - y0)
            if box is None or max(abs(box[2] - box[0] - diameter), abs(box[3] - box[1] - diameter)) > 1:
                return None
            return shot, box
        # The newly shown ball paints itself a moment later, and on a busy
        # machine a screenshot may catch it before it has, or half way.
        shot, box = wait_until(whole_ball, interval=0.1, what="the whole ball on the screen")
        self.assertRoundRedDisc(shot, box, rim=True)

    def test_go_rewrites_the_score(self):
        main_window = self.app.wait_for_main_window()
        label = self.app.client_rect(main_window, SCORE_LABEL)
        # "0:0" until the first match.
        idle_ink = wait_until(lambda: ink_box(self.desktop.screenshot(), *label),
                              interval=0.2, what="the score label's text")
        self.app.press_go(main_window)

        def rewritten():
            ink = ink_box(self.desktop.screenshot(), *label)
            return ink if ink and ink != idle_ink else None
        play_ink = wait_until(rewritten, interval=0.2, what="a new score text")

        # "0 : 0" is the same text with a blank on each side of the colon:
        # wider, as high, and still centred in the label.
        self.assertGreater(play_ink[2] - play_ink[0], idle_ink[2] - idle_ink[0])
        self.assertNear(play_ink[3] - play_ink[1], idle_ink[3] - idle_ink[1], 1, "text height")
        label_centre = label[0] + label[2] / 2
        self.assertNear((play_ink[0] + play_ink[2]) / 2, label_centre, 3, "text centre")
        self.assertNear((idle_ink[0] + idle_ink[2]) / 2, label_centre, 3, "idle text centre")


if __name__ == "__main__":
    main()
