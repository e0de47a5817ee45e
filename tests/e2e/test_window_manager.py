"""Under a real window manager (openbox): the main window is framed, the
pieces are not and stand exactly where they do without one, and closing the
main window as a user does ends the program with status 0."""

from e2e_case import E2ETestCase, main
from volleon_app import BALL, MAIN, PIECES, SCORE_LABEL
from xserver import SCREEN_WIDTH, wait_until


class WindowManagerTest(E2ETestCase):

    WINDOW_MANAGER = True

    def test_main_window_framed_at_top_centre(self):
        main_window = self.app.wait_for_main_window()
        root = self.desktop.root()
        self.assertNotEqual(self.desktop.parent(main_window), root,
                            "the window manager did not frame the main window")
        extents = wait_until(lambda: self.desktop.frame_extents(main_window), 5,
                             what="the main window's frame extents")
        left, right, top, bottom = extents
        self.assertGreater(top, 0, "the main window has no title bar")

        g = self.desktop.geometry(main_window)
        frame_x, frame_width = g.inner_x - left, g.width + left + right
        # Centred by the framed width, to the pixel: the frame is known before
        # the window is placed.
        self.assertNear(frame_x + frame_width / 2, SCREEN_WIDTH / 2, 0.5, "frame centre")
        # The whole frame, title bar included, stays on the screen.
        self.assertNear(g.inner_y - top, 0, 4, "top of the frame")

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


if __name__ == "__main__":
    main()
