"""The "Home Page" label hands the home page's address to the desktop's URL
handler (xdg-open, replaced here by a script that records every call) once
for each time the button pressed on it is released over it, and the game
goes on. The address is the build's web address, or else the file: URL of
the page that ships with the program (--home-page)."""

import os
import urllib.parse

import e2e_case
from e2e_case import E2ETestCase, main
from round_trips import RoundTrips
from volleon_app import BALL, HOME_PAGE_LABEL, LEFT_BAT, SCORE_LABEL
from xserver import wait_until

# Each call appends one line, its arguments separated by tabs, in one write.
RECORDER = """#!/bin/sh
(IFS='\t'; printf '%s\\n' "$*") >> "{record}"
"""


class HomePageTest(E2ETestCase):

    def program_env(self):
        bin_dir = os.path.join(self.server.tmpdir, "bin")
        os.mkdir(bin_dir)
        self.record = os.path.join(self.server.tmpdir, "opened.txt")
        self.recorder = os.path.join(bin_dir, "xdg-open")
        with open(self.recorder, "w") as f:
            f.write(RECORDER.format(record=self.record))
        os.chmod(self.recorder, 0o755)
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

    def recorders_running(self):
        """The recorder's runs that have not ended yet: the program starts
        it and goes on without waiting for it."""
        running = []
        for pid in filter(str.isdigit, os.listdir("/proc")):
            try:
                with open(f"/proc/{pid}/cmdline", "rb") as f:
                    args = f.read().split(b"\0")
            except OSError:
                continue  # ended meanwhile
            if self.recorder.encode() in args:
                running.append(pid)
        return running

    def calls(self):
        """[line] of every call of the recorder so far, once every run that
        has started has ended."""
        wait_until(lambda: not self.recorders_running(), what="the recorder's runs to end")
        if not os.path.exists(self.record):
            return []
        with open(self.record) as f:
            return f.read().splitlines()

    def test_link_opens_home_page_and_play_goes_on(self):
        main_window, pieces = self.start_match()
        trips = RoundTrips(self.server)
        self.addCleanup(trips.close)
        link = self.app.client_point(main_window, HOME_PAGE_LABEL)
        # Neither the press nor a release away from the link opens the page:
        # looked at once the program has answered pings sent after each, so
        # has handled it, and the URL handler it would have started has
        # ended. (Under Wine the answer comes from its handling of X events,
        # ahead of the window's own messages, and the page is opened by a
        # further program: a page opened late is seen in the count at the
        # end.)
        self.desktop.press(*link)
        trips.settled(main_window)
        self.assertEqual(self.calls(), [], "the page opened on the press")
        self.desktop.release(*self.app.client_point(main_window, SCORE_LABEL))
        trips.settled(main_window)
        self.assertEqual(self.calls(), [], "the page opened on a release off the link")

        self.desktop.click(*link)
        wait_until(self.calls, what="xdg-open to be run")

        self.assertTrue(self.app.running())
        before = self.desktop.geometry(pieces[BALL])
        wait_until(lambda: self.desktop.geometry(pieces[BALL]) != before, what="the ball to move on")
        # The keyboard still reaches the bats.
        top = self.desktop.geometry(pieces[LEFT_BAT]).outer_y
        self.desktop.key_down("a")
        try:
            wait_until(lambda: self.desktop.geometry(pieces[LEFT_BAT]).outer_y < top,
                       what="the left bat to answer its key")
        finally:
            self.desktop.key_up("a")

        # One click, one page, however long after the first any other
        # would have been started.
        trips.settled(main_window)
        self.assertEqual(self.calls(), [self.expected_address()], "the calls of the URL handler")


if __name__ == "__main__":
    main()
