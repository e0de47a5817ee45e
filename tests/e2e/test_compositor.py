"""Under a compositor that draws a shaped window's whole rectangle (weston,
with the program on its XWayland), the ball is still a red disc on the
desktop, not a disc on a black square."""

from e2e_case import OPTIONS, E2ETestCase, main
from pictures import box_of, is_red, painted_box
from volleon_app import BALL, BALL_SIZE, GO_BUTTON, Volleon
from weston import Weston
from xserver import SCREEN_HEIGHT, SCREEN_WIDTH, wait_until


class CompositorTest(E2ETestCase):

    def setUp(self):
        self.server = Weston()
        self.dpi = self.server.dpi
        self.addCleanup(self.server.close)
        self.app = Volleon(self.server, OPTIONS.binary)
        self.addCleanup(self.app.close)
        self.desktop = self.app.desktop

    def test_ball_is_round_on_the_desktop(self):
        main_window = self.app.wait_for_main_window()
        # weston maps a new window where it places windows of its own, and
        # moves it to the top centre that the program asks for a moment
        # later: Go is clicked where it stands then. The tolerance covers
        # weston's frame, which the program centres with the window.
        wait_until(lambda: abs(self.desktop.geometry(main_window).centre[0] - SCREEN_WIDTH / 2) <= 32,
                   what="the main window at the top centre")
        self.server.click(*self.app.client_point(main_window, GO_BUTTON))
        self.app.wait_for_windows([BALL])

        # Served from the centre, the ball stays well inside this part of the
        # screen for the first second, away from the main window and the bats.
        area = (300, 200, SCREEN_WIDTH - 600, SCREEN_HEIGHT - 400)
        diameter = self.px(BALL_SIZE)

        # A busy machine's screenshot may catch the newly shown ball before
        # it is wholly painted: what is painted around the red must have the
        # ball's size (a disc on a black square has it too), and the ball
        # may have flown out of the area and back meanwhile.
        def ball_painted():
            shot = self.desktop.screenshot()
            red = box_of(shot, *area, is_red)
            if red is None:
                return None
            margin = 8
            box = painted_box(shot, red[0] - margin, red[1] - margin,
                              red[2] - red[0] + 2 * margin, red[3] - red[1] + 2 * margin)
            if max(abs(box[2] - box[0] - diameter), abs(box[3] - box[1] - diameter)) > 1:
                return None
            return shot, box

        shot, box = wait_until(ball_painted, interval=0.1, what="the whole ball on the screen")
        self.assertRoundRedDisc(shot, box)


if __name__ == "__main__":
    main()
