"""The game program under test: starting it on a test X server, finding its
windows by their WM_WINDOW_ROLE and pressing its controls where the main
window's design puts them."""

import os
import subprocess
import time

from xserver import PATIENCE, spawn, stop, wait_until
from xwindows import Desktop

MAIN, BALL, LEFT_BAT, RIGHT_BAT = "Form1", "frmBall", "frmLeft", "frmRight"
PIECES = (BALL, LEFT_BAT, RIGHT_BAT)

# Designed sizes and places, in twips.
BALL_SIZE = 1005
BAT_CLIENT = (555, 1500)
MAIN_CLIENT = (2295, 1410)
GO_BUTTON = (690, 750, 990, 375)       # left, top, width, height in Form1's client area
HOME_PAGE_LABEL = (120, 1155, 2055, 225)
SCORE_LABEL = (90, 60, 2130, 555)
BALL_STEP = 400    # twips per ball tick, horizontally
BAT_STEP = 350     # twips per keyboard tick
BALL_TICK = 0.050  # seconds
KEYBOARD_TICK = 0.100

# How a program built with the sanitizers begins a report: an AddressSanitizer
# error, leaks found at exit, undefined behaviour.
SANITIZER_REPORTS = ("ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:")


class Volleon:
    """One run of the program. close() ends it if it is still running, and
    fails when the program wrote a sanitizer report."""

    def __init__(self, server, binary, env=None):
        self.server = server
        self.desktop = Desktop(server)
        self.twips_per_pixel = 1440 / server.dpi
        self.log_path = os.path.join(server.tmpdir, "volleon.log")
        run_env = dict(server.env)
        run_env.update(env or {})
        with open(self.log_path, "wb") as log:
            self.process = spawn([binary], env=run_env, stdout=log, stderr=log)

    def pixels(self, twips):
        return twips / self.twips_per_pixel

    def bat_size(self):
        """(width, height) in pixels of a bat's window: its client area and
        a one-pixel line around it."""
        return (self.pixels(BAT_CLIENT[0]) + 2, self.pixels(BAT_CLIENT[1]) + 2)

    def log(self):
        return self._whole_log()[-3000:]

    def _whole_log(self):
        with open(self.log_path, "rb") as f:
            return f.read().decode(errors="replace")

    def sanitizer_report(self):
        """The program's output from the line where its first sanitizer
        report begins, or None when it wrote none."""
        text = self._whole_log()
        starts = [at for at in (text.find(report) for report in SANITIZER_REPORTS) if at >= 0]
        if not starts:
            return None
        line = text.rfind("\n", 0, min(starts)) + 1
        return text[line:line + 6000]

    def running(self):
        return self.process.poll() is None

    def _check_running(self):
        if not self.running():
            raise AssertionError(f"the program exited with status {self.process.returncode}:\n"
                                 + self.log())

    def windows(self):
        """{role: window id} for the program's windows that exist now."""
        found = self.desktop.windows_by_role()
        for role, ids in found.items():
            if role in (MAIN,) + PIECES and len(ids) > 1:
                raise AssertionError(f"{len(ids)} windows have the role {role}: {ids}")
        return {role: ids[0] for role, ids in found.items()}

    # The program shows its windows within a second or two, but started
    # through Wine or an emulator on a busy machine it can take many times
    # that: the wait ends when the windows show, the bound is generous.
    WINDOWS_TIMEOUT = PATIENCE

    def wait_for_windows(self, roles, timeout=WINDOWS_TIMEOUT):
        """Waits until a mapped window exists for each role; returns {role: id}."""
        def mapped(window):
            try:
                return self.desktop.geometry(window).mapped
            except RuntimeError:
                # Gone since it was listed, as the stand-in with the main
                # window's role goes that the program asks the window manager
                # about before its first show: not mapped yet.
                if window in self.desktop.client_window_ids():
                    raise
                return False

        def all_mapped():
            self._check_running()
            found = self.windows()
            if all(role in found and mapped(found[role]) for role in roles):
                return {role: found[role] for role in roles}
            return None
        return wait_until(all_mapped, timeout, interval=0.1,
                          what="mapped windows with roles " + ", ".join(roles))

    def wait_for_main_window(self, timeout=WINDOWS_TIMEOUT):
        return self.wait_for_windows([MAIN], timeout)[MAIN]

    def client_point(self, main_window, rect):
        """Screen pixel at the centre of a designed rectangle (twips) of Form1."""
        g = self.desktop.geometry(main_window)
        left, top, width, height = rect
        return (g.inner_x + self.pixels(left + width / 2), g.inner_y + self.pixels(top + height / 2))

    def client_rect(self, main_window, rect):
        """Screen pixels (x, y, width, height) of a designed rectangle of Form1."""
        g = self.desktop.geometry(main_window)
        left, top, width, height = rect
        return (round(g.inner_x + self.pixels(left)), round(g.inner_y + self.pixels(top)),
                round(self.pixels(width)), round(self.pixels(height)))

    def press_go(self, main_window):
        """Clicks "Go" and waits for the three pieces; returns {role: id}."""
        self.desktop.click(*self.client_point(main_window, GO_BUTTON))
        return self.wait_for_windows(PIECES)

    def track(self, window, duration):
        """Samples a window's geometry for duration seconds:
        [(monotonic time, Geometry)], the time taken halfway through each query."""
        samples = []
        end = time.monotonic() + duration
        while True:
            before = time.monotonic()
            geometry = self.desktop.geometry(window)
            after = time.monotonic()
            samples.append(((before + after) / 2, geometry))
            if after >= end:
                return samples

    def wait_exit(self, timeout=PATIENCE):
        """Waits for the process to end and returns its exit status."""
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"the program still runs after {timeout} s") from None

    def close(self):
        status = stop(self.process)
        report = self.sanitizer_report()
        if report is not None:
            raise AssertionError(f"the program (status {status}) wrote a sanitizer report:\n"
                                 + report)
        return status
