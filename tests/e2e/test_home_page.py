"""The "Home Page" label hands the home page's address to the desktop's URL
handler (xdg-open, replaced here by a script that records its arguments)
when the button pressed on it is released over it, and the game goes on.
The address is the build's web address, or else the file: URL of the page
that ships with the program (--home-page)."""

import os
import time
import urllib.parse

import e2e_case
from e2e_case import E2ETestCase, main
from volleon_app import BALL, HOME_PAGE_LABEL, LEFT_BAT, SCORE_LABEL
from xserver import wait_until

# Long enough for the page to open: under Wine it takes about 0.4 s.
OPENING_TIME = 1.0

RECORDER = """#!/bin/sh
printf '%s\\n' "$@" > "{record}.part" && mv "{record}.part" "{record}"
"""


class HomePageTest(E2ETestCase):

    def program_env(self):
        bin_dir = os.path.join(self.server.tmpdir, "bin")
        os.mkdir(bin_dir)
        self.record = os.path.join(self.server.tmpdir, "opened.txt")
        script = os.path.join(bin_dir, "xdg-open")
        with open(script, "w") as f:
            f.write(RECORDER.format(record=self.record))
        os.chmod(script, 0o755)
        return {"PATH": bin_dir + os.pathsep + os.environ.get("PATH", "")}

    def home_page(self):
        """The build's web address, or the path of the page beside the
        program under test."""
        return e2e_case.OPTIONS.home_page

    def expected_address(self):
        page = self.home_page()
        if "://" in page:
            return page
        return "file://" + urllib.parse.quote(os.path.realpath(page))

    def test_link_opens_home_page_and_play_goes_on(self):
        main_window, pieces = self.start_match()
        link = self.app.client_point(main_window, HOME_PAGE_LABEL)
        # Neither the press nor a release away from the link opens the page.
        self.desktop.press(*link)
        time.sleep(OPENING_TIME)
        self.assertFalse(os.path.exists(self.record), "the page opened on the press")
        self.desktop.release(*self.app.client_point(main_window, SCORE_LABEL))
        time.sleep(OPENING_TIME)
        self.assertFalse(os.path.exists(self.record), "the page opened on a release off the link")

        self.desktop.click(*link)

        wait_until(lambda: os.path.exists(self.record), 5, what="xdg-open to be run")
        with open(self.record) as f:
            self.assertEqual(f.read().splitlines(), [self.expected_address()])

        self.assertTrue(self.app.running())
        before = self.desktop.geometry(pieces[BALL])
        time.sleep(0.3)
        self.assertNotEqual(self.desktop.geometry(pieces[BALL]), before, "the ball stopped")
        # The keyboard still reaches the bats.
        top = self.desktop.geometry(pieces[LEFT_BAT]).outer_y
        self.desktop.key_down("a")
        time.sleep(0.5)
        self.desktop.key_up("a")
        time.sleep(0.2)
        self.assertLess(self.desktop.geometry(pieces[LEFT_BAT]).outer_y, top,
                        "the left bat no longer answers its key")


if __name__ == "__main__":
    main()
