"""Under a real window manager (openbox): the main window is framed and
centred by its frame, also when the window manager is too busy to tell the
frame before the window is shown; the pieces are not framed and stand
exactly where they do without one, and closing the main window as a user
does ends the program with status 0."""

from e2e_case import E2ETestCase, main
from volleon_app import BALL, MAIN, PIECES, SCORE_LABEL
from xserver import SCREEN_WIDTH, wait_until
from xwindows import WindowEvents


class FramedMainWindowChecks:

    def assertFramedAtTopCentre(self, main_window):
        """The main window is framed, centred by its framed width to the
        pixel, and the whole frame, title bar included, stands on the
        screen."""
        self.assertNotEqual(self.desktop.parent(main_window), self.desktop.root(),
                            "the window manager did not frame the main window")
        left, right, top, _ = wait_until(lambda: self.desktop.frame_extents(main_window), 5,
                                         what="the main window's frame extents")
        self.assertGreater(top, 0, "the main window has no title bar")

        def frame_centre():
            g = self.desktop.geometry(main_window)
            return g.inner_x - left + (g.width + left + right) / 2

        self.assertCentredWhenFramed(main_window, frame_centre)
        self.assertNear(frame_centre(), SCREEN_WIDTH / 2, 0.5, "frame centre")
        self.assertFrameAtTop(self.desktop.geometry(main_window), top)

    def assertCentredWhenFramed(self, main_window, frame_centre):
        """The window is placed by its frame once the window manager has
        told it, which may be after the window is shown: it is waited for."""
        try:
            wait_until(lambda: abs(frame_centre() - SCREEN_WIDTH / 2) <= 0.5, 5,
                       what="the frame to be centred")
        except TimeoutError:
            pass

    def assertFrameAtTop(self, geometry, frame_top):
        """The frame's top edge, frame_top pixels above the client area,
        stands at the top of the screen."""
        self.assertNear(geometry.inner_y - frame_top, 0, 4, "top of the frame")


class WindowManagerTest(FramedMainWindowChecks, E2ETestCase):

    WINDOW_MANAGER = True

    def before_program(self):
        # The window manager's frames are children of the root.
        self.root_events = WindowEvents(self.server)
        self.addCleanup(self.root_events.close)

    def assertCentredWhenFramed(self, main_window, frame_centre):
        """The frame was told before the first show: the window manager
        shows the frame centred, and it stays there. The window does not
        open elsewhere and then jump."""
        frame = self.desktop.parent(main_window)

        def events_to_map():
            events = self.root_events.of(frame)
            return events if ("MapNotify", None) in events else None
        events = wait_until(events_to_map, 5, what="xev to see the main window's frame shown")
        map_at = events.index(("MapNotify", None))
        placed = [place for _, place in events[:map_at] if place is not None]
        x, _, width, _ = placed[-1]
        self.assertNear(x + width / 2, SCREEN_WIDTH / 2, 0.5, "frame centre when first shown")
        moves = [place for _, place in events[map_at:] if place is not None and place != placed[-1]]
        self.assertEqual(moves, [], f"the frame moved from {placed[-1]} after it was shown")

    def test_main_window_framed_at_top_centre(self):
        self.assertFramedAtTopCentre(self.app.wait_for_main_window())

    def test_pieces_unframed_in_place(self):
        main_window = self.app.wait_for_main_window()
        root = self.desktop.root()
        pieces = self.app.press_go(main_window)
        for piece in PIECES:
            self.assertEqual(self.desktop.parent(pieces[piece]), root, f"{piece} was framed")
            self.assertIsNone(self.desktop.frame_extents(pieces[piece]),
                              f"{piece} has a frame")
        self.assertBatsInPlace(pieces)
        self.assertBallSize(self.desktop.geometry(pieces[BALL]))

    def test_closing_main_window_ends_the_program(self):
        main_window, _ = self.start_match()
        # Give the main window the focus with a click on the score, then use
        # the window manager's close key.
        self.desktop.click(*self.app.client_point(main_window, SCORE_LABEL))
        wait_until(lambda: self.desktop.has_focus(main_window), 5,
                   what="the main window to take the focus")
        self.desktop.key("alt+F4")
        self.assertEqual(self.app.wait_exit(timeout=5), 0)
        wait_until(lambda: not (self.app.windows().keys() & {MAIN, *PIECES}), 5,
                   what="the program's windows to go")


class LateWindowManagerTest(FramedMainWindowChecks, E2ETestCase):
    """The window manager answers nothing until the program has given up
    asking it for the frame and shown its main window."""

    WINDOW_MANAGER = True

    def before_program(self):
        self.server.pause_window_manager()
        self.addCleanup(self.server.pause_window_manager, False)

    def test_main_window_centred_by_the_frame_given_late(self):
        def main_windows():
            return self.desktop.windows_by_role().get(MAIN, [])
        # The program first asks about a stand-in with the main window's
        # role, then gives up and makes the main window itself.
        asked_about = wait_until(main_windows, 15, interval=0.02,
                                 what="the stand-in the program asks the window manager about")
        wait_until(lambda: set(main_windows()) - set(asked_about), 15, interval=0.02,
                   what="the main window after the stand-in")
        self.server.pause_window_manager(False)
        self.assertFramedAtTopCentre(self.app.wait_for_main_window())


if __name__ == "__main__":
    main()
