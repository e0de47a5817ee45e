"""The Windows build of the game (volleon.exe) under test: started with Wine
on a test X server, its windows found by title and place.

Wine gives the X window of each Windows top-level window the program
file's name as WM_CLASS and the window text as WM_NAME. Both bats have an
empty title and the bats' size: the one further left is the left bat.
Each run gets a Wine session of its own, bound to its own X server, and the
prefix's logical DPI is set to the X server's first.
"""

import os
import re
import subprocess
import tempfile

from volleon_app import BALL, LEFT_BAT, MAIN, RIGHT_BAT, Volleon
from xserver import PATIENCE, SCREEN_WIDTH, spawn, stop
from xwindows import Desktop

PROGRAM_CLASS = "volleon.exe"
TITLES = {"Volleon!": MAIN, "Ball": BALL}

# One line of `xwininfo -root -tree`: id, name or "(has no name)", WM_CLASS.
_TREE_LINE = re.compile(r'^\s+(0x[0-9a-f]+) (?:"(.*)"|\(has no name\)): \("([^"]*)" "([^"]*)"\)',
                        re.M)


class WineDesktop(Desktop):
    """The desktop as the program under Wine sees it. Without a window
    manager Wine leaves the X input focus at PointerRoot, where the keyboard
    goes to the top-level window under the pointer."""

    POINTER_ROOT = "1"

    def has_focus(self, window):
        focused = self.server.run(["xdotool", "getwindowfocus", "-f"]).strip()
        if focused != self.POINTER_ROOT:
            return super().has_focus(window)
        location = self.server.run(["xdotool", "getmouselocation", "--shell"])
        under_pointer = re.search(r"^WINDOW=(\d+)$", location, re.M)
        return under_pointer is not None and under_pointer.group(1) == str(int(window, 16))


def run_wine(wine_run, wineprefix, env, args, timeout=2 * PATIENCE):
    """Runs a Windows program to its end in the prefix and returns its
    output; raises on failure. The output goes to files, not pipes: a
    program that finds the session still starting may start part of it
    (the server, services, the desktop), which keeps its standard streams
    open long after the program has ended."""
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        result = subprocess.run(["sh", wine_run, wineprefix, *args], env=env,
                                stdin=subprocess.DEVNULL, stdout=out, stderr=err, timeout=timeout)
        out.seek(0)
        err.seek(0)
        if result.returncode != 0:
            raise RuntimeError(f"wine {' '.join(args)} failed ({result.returncode}): "
                               + err.read().decode(errors="replace")[-2000:])
        return out.read().decode(errors="replace")


def end_wine_session(wineprefix, env):
    """Ends the prefix's Wine session (server and background programs), which
    may still be bound to another X server, and waits until it has ended."""
    for flag in ("-k", "-w"):
        subprocess.run(["wineserver", flag], env=dict(env, WINEPREFIX=wineprefix),
                       stdin=subprocess.DEVNULL, capture_output=True, timeout=PATIENCE)


def start_wine_session(wine_run, wineprefix, env, dpi):
    """A Wine session on env's X server at the given logical DPI. As on
    Windows, a new DPI holds from the next session on: the session that
    wrote it keeps the one it started with for its desktop, and Wine 10
    would scale the windows of a program started in it. So the DPI is
    written in a session of its own, which then ends."""
    end_wine_session(wineprefix, env)
    run_wine(wine_run, wineprefix, env, ["reg", "add", r"HKCU\Control Panel\Desktop", "/v",
                                          "LogPixels", "/t", "REG_DWORD", "/d", str(dpi), "/f"])
    end_wine_session(wineprefix, env)


class WineVolleon(Volleon):
    """One run of volleon.exe under Wine. close() ends it and its Wine
    session."""

    def __init__(self, server, binary, wine_run, wineprefix, env=None):
        # Volleon's own start-up runs the binary directly; everything else of
        # it (pixels, clicks, tracking, exit) holds for this program as well.
        self.server = server
        self.desktop = WineDesktop(server)
        self.twips_per_pixel = 1440 / server.dpi
        self.log_path = os.path.join(server.tmpdir, "volleon.log")
        self.wineprefix = os.path.abspath(wineprefix)
        self.run_env = dict(server.env)
        self.run_env.update(env or {})
        self.process = None
        start_wine_session(wine_run, self.wineprefix, self.run_env, server.dpi)
        with open(self.log_path, "wb") as log:
            self.process = spawn(["sh", wine_run, self.wineprefix, binary],
                                 env=self.run_env, stdout=log, stderr=log)

    def program_windows(self):
        """[(window id, WM_NAME or None)] of the program's X windows."""
        tree = self.desktop.tree()
        return [(window, name) for window, name, res_name, _ in _TREE_LINE.findall(tree)
                if res_name == PROGRAM_CLASS]

    def windows(self):
        """{role: window id} for the program's windows that exist now, named
        like the Qt program's window roles. A bat is an untitled window of
        the bats' designed size (Wine makes untitled windows of its own for
        the program, such as its input method's); it counts once it stands
        clearly on one side of the screen, or beside the other bat."""
        bat_size = self.bat_size()
        found, bats = {}, []
        for window, name in self.program_windows():
            if name:
                role = TITLES.get(name)
                if role is not None:
                    if role in found:
                        raise AssertionError(f"two windows have the title {name!r}")
                    found[role] = window
                continue
            try:
                geometry = self.desktop.geometry(window)
            except RuntimeError:
                continue  # gone since it was listed
            if abs(geometry.outer_width - bat_size[0]) <= 0.5 and \
                    abs(geometry.outer_height - bat_size[1]) <= 0.5:
                bats.append((geometry.centre[0], window))
        if len(bats) > 2:
            raise AssertionError(f"{len(bats)} untitled windows of a bat's size: {bats}")
        bats.sort()
        if len(bats) == 2 and bats[0][0] < bats[1][0]:
            found[LEFT_BAT], found[RIGHT_BAT] = bats[0][1], bats[1][1]
        else:
            for x, window in bats:
                if x < SCREEN_WIDTH / 4:
                    found[LEFT_BAT] = window
                elif x > SCREEN_WIDTH * 3 / 4:
                    found[RIGHT_BAT] = window
        return found

    def close(self):
        status = stop(self.process)
        end_wine_session(self.wineprefix, self.run_env)
        return status
