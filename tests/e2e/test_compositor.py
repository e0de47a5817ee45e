"""Under a compositor that draws a shaped window's whole rectangle (weston,
with the program on its XWayland), the ball is still a red disc on the
desktop, not a disc on a black square.

weston runs nested in a private Xvfb through its X11 back end, so that what
it composites is what the Xvfb framebuffer holds, and the pointer reaches
the program through weston as a player's does."""

import os
import re

from e2e_case import OPTIONS, E2ETestCase, main
from pictures import box_of, disc_survey, is_red, painted_box
from volleon_app import BALL, BALL_SIZE, GO_BUTTON, Volleon
from xserver import SCREEN_HEIGHT, SCREEN_WIDTH, XServer, spawn, stop, wait_until

WESTON_INI = """\
[core]
idle-time=0

[shell]
background-image=
background-color=0xffffffff
panel-position=none
locking=false
animation=none
close-animation=none
startup-animation=none
focus-animation=none
"""


class Weston:
    """weston with XWayland on a private Xvfb. It offers what the harness
    asks of an X server (env, run, framebuffer, tmpdir, dpi), for the
    XWayland display; a click goes through the Xvfb under weston."""

    def __init__(self):
        self.host = XServer()
        self._weston = None
        try:
            self._start()
        except BaseException:
            self.close()
            raise

    def _start(self):
        self.tmpdir = self.host.tmpdir
        self.dpi = self.host.dpi
        config = os.path.join(self.tmpdir, "weston.ini")
        with open(config, "w") as f:
            f.write(WESTON_INI)
        log_path = os.path.join(self.tmpdir, "weston.log")
        env = dict(self.host.env)
        output = open(os.path.join(self.tmpdir, "weston.out"), "wb")
        try:
            self._weston = spawn(
                ["weston", "--backend=x11-backend.so", "--use-pixman", "--xwayland",
                 "--socket=wayland-volleon", f"--width={SCREEN_WIDTH}", f"--height={SCREEN_HEIGHT}",
                 f"--config={config}", f"--log={log_path}"],
                env=env, stdout=output, stderr=output)
        finally:
            output.close()

        def xwayland_display():
            if self._weston.poll() is not None:
                raise RuntimeError("weston exited: " + self._read(log_path))
            match = re.search(r"xserver listening on display (:\d+)", self._read(log_path))
            return match.group(1) if match else None

        display = wait_until(xwayland_display, 20, what="weston's XWayland display")
        # A Wayland session as the program meets it: both displays named.
        self.env = dict(env, DISPLAY=display, WAYLAND_DISPLAY="wayland-volleon")
        # XWayland starts with its first client.
        wait_until(lambda: "Window id" in self.run(["xwininfo", "-root"], check=False), 20,
                   what="XWayland to answer")

    @staticmethod
    def _read(path):
        try:
            with open(path, "rb") as f:
                return f.read().decode(errors="replace")
        except OSError:
            return ""

    def run(self, args, input=None, check=True, timeout=10):
        """Runs an X client on the XWayland display."""
        saved, self.host.env = self.host.env, self.env
        try:
            return self.host.run(args, input=input, check=check, timeout=timeout)
        finally:
            self.host.env = saved

    def framebuffer(self):
        return self.host.framebuffer()

    def click(self, x, y):
        """A left click at (x, y) of weston's output. weston's X11 back end
        moves its own pointer by the motion it sees, clamped to the output:
        a sweep to the far corners first lines the two pointers up."""
        for point in ((SCREEN_WIDTH - 1, SCREEN_HEIGHT - 1), (0, 0), (round(x), round(y))):
            self.host.run(["xdotool", "mousemove", "--sync", *map(str, point), "sleep", "0.2"])
        self.host.run(["xdotool", "click", "1"])

    def close(self):
        stop(self._weston)
        self._weston = None
        self.host.close()


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
        self.server.click(*self.app.client_point(main_window, GO_BUTTON))
        self.app.wait_for_windows([BALL])
        diameter = self.px(BALL_SIZE)

        # Served from the centre, the ball stays well inside this part of the
        # screen for the first second, away from the main window and the bats.
        area = (300, 200, SCREEN_WIDTH - 600, SCREEN_HEIGHT - 400)

        def ball_painted():
            shot = self.desktop.screenshot()
            red = box_of(shot, *area, is_red)
            if red is None:
                return None
            margin = 8
            box = painted_box(shot, red[0] - margin, red[1] - margin,
                              red[2] - red[0] + 2 * margin, red[3] - red[1] + 2 * margin)
            return shot, box

        shot, box = wait_until(ball_painted, 5, interval=0.1, what="the ball on the screen")
        self.assertNear(box[2] - box[0], diameter, 1, "width of the painted ball")
        self.assertNear(box[3] - box[1], diameter, 1, "height of the painted ball")
        cx, cy = (box[0] + box[2]) / 2, (box[1] + box[3]) / 2
        survey = disc_survey(shot, cx, cy, diameter)
        self.assertGreater(survey["outside_background"], 0.97,
                           f"the corners of the ball's square are painted: {survey}")
        self.assertGreater(survey["inside_covered"], 0.97, f"the disc has holes: {survey}")
        self.assertGreater(survey["core_red"], 0.97, f"the disc is not red: {survey}")


if __name__ == "__main__":
    main()
