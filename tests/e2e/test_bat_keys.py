"""The bats answer the keyboard: 350 twips per keyboard tick while a key is
held, A/Z for the left bat and apostrophe/slash for the right, up winning
over down."""

import time

from e2e_case import E2ETestCase, main
from round_trips import RoundTrips
from volleon_app import BAT_STEP, KEYBOARD_TICK, LEFT_BAT, RIGHT_BAT

UP, DOWN = -1, 1


class BatKeysCase(E2ETestCase):
    """A match under way, and holding keys to watch the bats move."""

    def setUp(self):
        super().setUp()
        self.main_window, self.pieces = self.start_match()
        self.keyboard = self.desktop  # what presses the keys: key_down(*keys), key_up(*keys)
        self.trips = RoundTrips(self.server)
        self.addCleanup(self.trips.close)
        # The bats in place, before any key.
        self.trips.settled(self.main_window)

    def tops(self):
        return {bat: self.desktop.geometry(self.pieces[bat]).outer_y
                for bat in (LEFT_BAT, RIGHT_BAT)}

    def hold(self, keys, seconds):
        """Holds the keys down together; returns how long they were held.
        They go down in the order given and come up in the reverse order,
        so that the first key is held alone at both ends."""
        t0 = time.monotonic()
        self.keyboard.key_down(*keys)
        t1 = time.monotonic()
        time.sleep(seconds)
        # Held until the program has had its turn: a tick due in the time
        # held has run, however slow the machine.
        self.trips.settled(self.main_window)
        t2 = time.monotonic()
        self.keyboard.key_up(*reversed(keys))
        t3 = time.monotonic()
        # The key releases handled and any tick then due run, with its move
        # on the X server.
        self.trips.settled(self.main_window)
        return (t2 + t3) / 2 - (t0 + t1) / 2

    def assertSteps(self, moved, held, direction, what):
        """moved pixels are a whole number of bat steps in the direction,
        one step per keyboard tick of the time held, give or take a tick."""
        step = self.px(BAT_STEP)
        ticks = round(moved / step)
        self.assertNear(moved, ticks * step, 1.5, f"{what}: movement in whole steps")
        self.assertNear(direction * ticks, held / KEYBOARD_TICK, 1.5,
                        f"{what}: steps for {held:.2f} s held")

    def check_keys(self, keys, moving_bat, direction, seconds=1.0):
        still_bat = RIGHT_BAT if moving_bat == LEFT_BAT else LEFT_BAT
        before = self.tops()
        held = self.hold(keys, seconds)
        after = self.tops()
        what = "+".join(keys)
        self.assertSteps(after[moving_bat] - before[moving_bat], held, direction, what)
        self.assertEqual(after[still_bat], before[still_bat], f"{what} moved the other bat")


class BatKeysTest(BatKeysCase):

    def test_left_bat_keys(self):
        self.check_keys(["a"], LEFT_BAT, UP)
        self.check_keys(["z"], LEFT_BAT, DOWN, seconds=1.5)
        self.check_keys(["a", "z"], LEFT_BAT, UP)

    def test_right_bat_keys(self):
        self.check_keys(["apostrophe"], RIGHT_BAT, UP)
        self.check_keys(["slash"], RIGHT_BAT, DOWN, seconds=1.5)
        self.check_keys(["apostrophe", "slash"], RIGHT_BAT, UP)

    def test_both_bats_move_together(self):
        before = self.tops()
        held = self.hold(["z", "apostrophe"], 1.0)
        after = self.tops()
        self.assertSteps(after[LEFT_BAT] - before[LEFT_BAT], held, DOWN, "z")
        self.assertSteps(after[RIGHT_BAT] - before[RIGHT_BAT], held, UP, "apostrophe")
        # The two keys go down and up a few milliseconds apart, so a tick may
        # catch one without the other at either end.
        self.assertNear(after[LEFT_BAT] - before[LEFT_BAT],
                        before[RIGHT_BAT] - after[RIGHT_BAT], self.px(BAT_STEP) + 1,
                        "movements of the two bats")


if __name__ == "__main__":
    main()
