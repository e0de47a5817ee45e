"""Escape during a match ends the program with status 0 and takes every
window with it."""

from e2e_case import E2ETestCase, main
from volleon_app import MAIN, PIECES
from xserver import wait_until


class EscapeTest(E2ETestCase):

    def test_escape_in_play_ends_the_program(self):
        self.start_match()
        self.desktop.key_down("Escape")
        try:
            status = self.app.wait_exit()
        finally:
            self.desktop.key_up("Escape")
        self.assertEqual(status, 0)
        wait_until(lambda: not (self.app.windows().keys() & {MAIN, *PIECES}),
                   what="the program's windows to go")


if __name__ == "__main__":
    main()
