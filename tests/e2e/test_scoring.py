"""With both bats moved off the screen (nothing stops them), the ball flies
to both side edges, bounces back from each right at the edge, and each time
the player on the other side scores: the score "L : R" shows the left
player's number changed after the right edge, the right player's after the
left edge, and the other number as it was."""

import itertools

from e2e_case import E2ETestCase, main
from pictures import ink_box, is_dark, overlaps
from volleon_app import BALL, LEFT_BAT, RIGHT_BAT, SCORE_LABEL
from xserver import SCREEN_WIDTH, wait_until
from xwindows import WindowEvents

# Who scores when the ball turns back at an edge.
SCORER = {"left": "right", "right": "left"}

# Ball moves reported after a point, by when the score label shows it. The
# label is redrawn from the event loop after the tick that scored, before the
# tick after next has moved the ball; a program that hands its drawing to the
# X server a little later than it draws (as Wine does) is given a few ticks
# more.
REDRAWN_AFTER_MOVES = 4


class _Marks:
    """Brings a WindowEvents up to date: each mark sets a property on the
    window xev listens to, and once xev has reported that change it has
    reported everything the X server sent it before."""

    _numbers = itertools.count(1)

    def __init__(self, server, events, window):
        self.server, self.events, self.window = server, events, window

    def caught_up(self):
        name = f"VOLLEON_E2E_MARK_{next(self._numbers)}"
        self.server.run(["xprop", "-id", self.window, "-f", name, "8s", "-set", name, "1"])

        def reported():
            with open(self.events.path) as f:
                return f"({name})" in f.read()
        wait_until(reported, what="xev to report a mark")
        return self.events.of(self.window)


def score_numbers(picture):
    """The pictures of the two numbers of a score label's picture, each cut
    to its own ink: what lies left of the colon and right of it. The colon
    is the run of inked columns nearest the label's centre."""
    columns = [any(is_dark(picture.pixel(x, y)) for y in range(picture.height))
               for x in range(picture.width)]
    runs, start = [], None
    for x, inked in enumerate(columns + [False]):
        if inked and start is None:
            start = x
        elif not inked and start is not None:
            runs.append((start, x))
            start = None
    colon = min(runs, key=lambda run: abs((run[0] + run[1]) / 2 - picture.width / 2))

    def number(x0, x1):
        box = ink_box(picture, x0, 0, x1 - x0, picture.height)
        if box is None:
            return None
        cut = picture.crop(box[0], box[1], box[2] - box[0], box[3] - box[1])
        return (cut.width, cut.height, cut.rgb)
    return {"left": number(0, colon[0]), "right": number(colon[1], picture.width)}


class ScoringTest(E2ETestCase):

    def test_ball_bounces_off_a_side_edge_and_scores(self):
        main_window, pieces = self.start_match()

        # Held up, each bat climbs one step a keyboard tick until it has left
        # the screen, as the X server reports the places the program gives
        # it; then the keys are let go.
        bat_events = {}
        for bat in (LEFT_BAT, RIGHT_BAT):
            bat_events[bat] = WindowEvents(self.server, pieces[bat])
            self.addCleanup(bat_events[bat].close)

        def off_the_screen(bat):
            return any(event == "ConfigureNotify" and place[1] + place[3] < 0
                       for event, place in bat_events[bat].of(pieces[bat]))
        self.desktop.key_down("a", "apostrophe")
        try:
            wait_until(lambda: all(off_the_screen(bat) for bat in bat_events),
                       what="both bats to be moved off the screen")
        finally:
            self.desktop.key_up("a", "apostrophe")
        for bat in (LEFT_BAT, RIGHT_BAT):
            g = self.desktop.geometry(pieces[bat])
            self.assertLess(g.outer_y + g.outer_height, 0, f"{bat} is still on the screen")

        # With the bats away, only a side edge turns the ball back, at each
        # edge in turn. xev reports every place the ball's window is given,
        # so the place where it turned is seen however late the machine
        # samples; it is the edge's.
        ball = pieces[BALL]
        width = self.desktop.geometry(ball).outer_width
        edges = {"left": 0, "right": SCREEN_WIDTH - width}
        moves = WindowEvents(self.server, ball)
        self.addCleanup(moves.close)
        marks = _Marks(self.server, moves, ball)
        label = self.app.client_rect(main_window, SCORE_LABEL)

        def flight(events):
            """The ball's successive x and its turns [(index in xs, x, edge)]."""
            xs = []
            for event, place in events:
                if event == "ConfigureNotify" and (not xs or xs[-1] != place[0]):
                    xs.append(place[0])
            turns = [(i + 1, b, "left" if b < (SCREEN_WIDTH - width) / 2 else "right")
                     for i, (a, b, c) in enumerate(zip(xs, xs[1:], xs[2:])) if (b - a) * (c - b) < 0]
            return xs, turns

        def clear_of_label(g):
            # The ball may move a few ticks while the picture is taken.
            reach = 4 * g.outer_width
            return not overlaps(label, (g.outer_x - reach, g.outer_y - reach,
                                        g.outer_width + 2 * reach, g.outer_height + 2 * reach))

        # Pictures of the score label, each taken when the turns the log
        # shows are all the points scored: {number of turns: picture}.
        pictures = {}

        def score_after_each_edge():
            xs, turns = flight(marks.caught_up())
            since = turns[-1][0] if turns else 0
            if len(xs) - 1 - since < REDRAWN_AFTER_MOVES:
                return None  # the label may not show the last point yet
            before = self.desktop.geometry(ball)
            shot = self.desktop.screenshot()
            after = self.desktop.geometry(ball)
            xs_after, turns_after = flight(marks.caught_up())
            # A point scored meanwhile may or may not be in the picture: the
            # ball then turned, or stands at an edge and is about to.
            if len(turns_after) != len(turns) or min(abs(xs_after[-1] - x) for x in edges.values()) <= 1:
                return None
            if clear_of_label(before) and clear_of_label(after):
                pictures.setdefault(len(turns), shot.crop(*label))
            pairs = {turns_after[n][2] for n in range(len(turns_after))
                     if n in pictures and n + 1 in pictures}
            return turns_after if pairs == edges.keys() else None
        turns = wait_until(score_after_each_edge, interval=0.1,
                           what="the score before and after a turn at each side edge")

        for _, x, edge in turns:
            self.assertNear(x, edges[edge], 1, f"the ball turned back away from the {edge} edge")
        for n, (_, _, edge) in enumerate(turns):
            if n not in pictures or n + 1 not in pictures:
                continue
            before, after = score_numbers(pictures[n]), score_numbers(pictures[n + 1])
            scorer = SCORER[edge]
            other = SCORER[scorer]
            # The numbers' pixels are compared, and only named on failure.
            self.assertTrue(after[scorer] != before[scorer],
                            f"the {scorer} player's number did not change when the ball turned "
                            f"at the {edge} edge")
            self.assertTrue(after[other] == before[other],
                            f"the {other} player's number changed when the ball turned at the "
                            f"{edge} edge")


if __name__ == "__main__":
    main()
