"""weston, the reference Wayland compositor, with XWayland, for a test:
nested in a private Xvfb through its X11 back end, so that what it
composites is what the Xvfb framebuffer holds, and the pointer reaches the
program through weston as a player's does."""

import os
import re

from xserver import PATIENCE, SCREEN_HEIGHT, SCREEN_WIDTH, XServer, spawn, stop, wait_until
from xwindows import Desktop

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

        display = wait_until(xwayland_display, what="weston's XWayland display")
        # A Wayland session as the program meets it: both displays named.
        self.env = dict(env, DISPLAY=display, WAYLAND_DISPLAY="wayland-volleon")
        # XWayland starts with its first client.
        wait_until(lambda: "Window id" in self.run(["xwininfo", "-root"], check=False),
                   what="XWayland to answer")

    @staticmethod
    def _read(path):
        try:
            with open(path, "rb") as f:
                return f.read().decode(errors="replace")
        except OSError:
            return ""

    def run(self, args, input=None, check=True, timeout=PATIENCE):
        """Runs an X client on the XWayland display."""
        saved, self.host.env = self.host.env, self.env
        try:
            return self.host.run(args, input=input, check=check, timeout=timeout)
        finally:
            self.host.env = saved

    def framebuffer(self):
        return self.host.framebuffer()

    def click(self, x, y):
        """A left click at (x, y) of weston's output, given as a player's
        pointer gives it: the pointer comes onto the window, moves on it,
        and then the button goes down and up there.

        weston's X11 back end moves its own pointer by the motion it sees,
        clamped to the output: a sweep to the far corners first lines the two
        pointers up. A jump from there onto a window reaches XWayland from
        weston 14 as an enter at that point with no motion after it (weston
        10 sends a motion too). XWayland shows its cursor there, so the
        control under it is hovered, but it takes a button press to where it
        last had a motion, off the window. So the pointer enters a pixel
        left of (x, y) and then moves to it, and the button goes down once
        XWayland's pointer has followed both steps."""
        x, y = round(x), round(y)
        for point in ((SCREEN_WIDTH - 1, SCREEN_HEIGHT - 1), (0, 0)):
            self.host.run(["xdotool", "mousemove", "--sync", *map(str, point)])
        desktop = Desktop(self)
        for point in ((x - 1, y), (x, y)):
            self.host.run(["xdotool", "mousemove", "--sync", *map(str, point)])
            wait_until(lambda: desktop.pointer() == point,
                       what=f"XWayland's pointer at {point[0]},{point[1]}")
        self.host.run(["xdotool", "click", "1"])

    def close(self):
        stop(self._weston)
        self._weston = None
        self.host.close()
