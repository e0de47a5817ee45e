"""A private X server for one test: Xvfb on a free display, optionally with
an Xft.dpi resource and the openbox window manager.

Every process started here is tied to the test process (it gets SIGKILL if
the test process dies) and is stopped by close(), so nothing outlives a
test, even a failed or killed one.
"""

import ctypes
import os
import select
import shutil
import signal
import subprocess
import tempfile
import time

SCREEN_WIDTH = 1920
SCREEN_HEIGHT = 1080

# How long any wait for the program, the X server or a tool may last. A wait
# ends as soon as what it waits for is there; the bound only stops a test
# that would otherwise hang, so it lies far above what the slowest machine
# the suite runs on takes (a tenth of one core, a wholly emulated system).
# Every wait of the tests takes it from here.
PATIENCE = 60.0

_PR_SET_PDEATHSIG = 1
_libc = ctypes.CDLL(None, use_errno=True)


def _die_with_parent():
    """preexec_fn: the child is killed when the process that started it ends."""
    _libc.prctl(_PR_SET_PDEATHSIG, signal.SIGKILL, 0, 0, 0)


def spawn(args, env, **kwargs):
    """Starts a child that cannot outlive the test process."""
    return subprocess.Popen(args, env=env, preexec_fn=_die_with_parent,
                            stdin=subprocess.DEVNULL, **kwargs)


def stop(process, timeout=PATIENCE):
    """Terminates a child politely, then by force; returns its exit status."""
    if process is None:
        return None
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(timeout)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait(timeout)
    return process.returncode


def wait_until(predicate, timeout=PATIENCE, interval=0.05, what="condition"):
    """Polls predicate() until it returns a truthy value, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise TimeoutError(f"timed out after {timeout:.1f} s waiting for {what}")
        time.sleep(interval)


def wait_until_steady(take, rounds=4, interval=0.25, timeout=PATIENCE, what="a steady value"):
    """Waits until take() gives the same truthy value rounds times in a row,
    interval seconds apart, and returns it: what the screen shows once a
    program has finished drawing it, not a picture caught while it draws.
    A value that changes, or a falsy one (not ready yet), starts the count
    again."""
    last = [None, 0]

    def steady():
        value = take()
        if value and value == last[0]:
            last[1] += 1
        else:
            last[:] = [value, 1 if value else 0]
        return value if last[1] >= rounds else None
    return wait_until(steady, timeout, interval, what)


class XServer:
    """Xvfb with a 1920x1080x24 screen at the given DPI.

    white_root paints the root window white, so that anything the program
    draws stands out from the background in screenshots.
    """

    def __init__(self, dpi=96, window_manager=False, white_root=True):
        self.dpi = dpi
        self._xvfb = None
        self._wm = None
        self._tmp = tempfile.TemporaryDirectory(prefix="volleon-e2e-")
        self.tmpdir = self._tmp.name
        try:
            self._start_xvfb(white_root)
            if dpi != 96:
                self.run(["xrdb", "-merge"], input=f"Xft.dpi: {dpi}\n")
            if window_manager:
                self._start_openbox()
        except BaseException:
            self.close()
            raise

    def _start_xvfb(self, white_root):
        # -noreset: without it the server resets when its last client leaves,
        # which would drop the resources that xrdb loads before the program.
        read_end, write_end = os.pipe()
        args = ["Xvfb", "-displayfd", str(write_end), "-nolisten", "tcp", "-noreset",
                "-screen", "0", f"{SCREEN_WIDTH}x{SCREEN_HEIGHT}x24",
                "-dpi", str(self.dpi), "-fbdir", self.tmpdir]
        if white_root:
            args.append("-wr")
        log = open(os.path.join(self.tmpdir, "xvfb.log"), "wb")
        try:
            self._xvfb = spawn(args, env=os.environ.copy(), pass_fds=(write_end,),
                               stdout=log, stderr=log)
        finally:
            os.close(write_end)
            log.close()
        number = b""
        deadline = time.monotonic() + PATIENCE
        try:
            while not number.endswith(b"\n"):
                remaining = deadline - time.monotonic()
                ready, _, _ = select.select([read_end], [], [], max(remaining, 0))
                if not ready:
                    raise TimeoutError("Xvfb did not report a display number")
                chunk = os.read(read_end, 32)
                if not chunk:
                    raise RuntimeError("Xvfb exited before it reported a display: "
                                       + self._log("xvfb.log"))
                number += chunk
        finally:
            os.close(read_end)
        self.display = ":" + number.decode().strip()
        self.env = os.environ.copy()
        self.env["DISPLAY"] = self.display
        for name in ("WAYLAND_DISPLAY", "XAUTHORITY", "QT_QPA_PLATFORM",
                     "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_FONT_DPI",
                     "QT_ENABLE_HIGHDPI_SCALING", "QT_AUTO_SCREEN_SCALE_FACTOR",
                     "XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                     "GNOME_DESKTOP_SESSION_ID", "DBUS_SESSION_BUS_ADDRESS"):
            self.env.pop(name, None)
        # Private runtime and configuration folders keep the desktop user's
        # settings (window manager, Qt) out of the test.
        self.env["XDG_RUNTIME_DIR"] = self.tmpdir
        self.env["XDG_CONFIG_HOME"] = self.tmpdir

    def _start_openbox(self):
        log = open(os.path.join(self.tmpdir, "openbox.log"), "wb")
        try:
            self._wm = spawn(["openbox", "--sm-disable"], env=self.env, stdout=log, stderr=log)
        finally:
            log.close()

        def wm_ready():
            if self._wm.poll() is not None:
                raise RuntimeError("openbox exited: " + self._log("openbox.log"))
            out = self.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False)
            return "window id" in out

        wait_until(wm_ready, what="openbox to manage the screen")
        # openbox names itself on the screen early in its start, and a window
        # first shown before it has finished starting is never mapped: it is
        # started once a probe window has been managed. A probe shown too
        # early is never managed either; another one is shown in its place,
        # given twice as long each time, as a slow machine needs.
        deadline = time.monotonic() + PATIENCE
        patience = 2.0
        while not self._probe_managed(min(patience, max(deadline - time.monotonic(), 0))):
            if time.monotonic() >= deadline:
                raise TimeoutError(f"timed out after {PATIENCE:.1f} s waiting for openbox to manage a window")
            patience *= 2

    def _probe_managed(self, patience):
        """Shows a probe window, waits at most patience seconds for the
        window manager to manage it, and waits for it to go."""
        name = "volleon-wm-probe"

        def probes():
            return self.run(["xdotool", "search", "--classname", f"^{name}$"], check=False).split()

        def managed():
            return any("window state" in self.run(["xprop", "-id", window, "WM_STATE"], check=False)
                       for window in probes())
        probe = spawn(["xlogo", "-name", name, "-geometry", "16x16+0+0"], env=self.env,
                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            wait_until(managed, patience, what="openbox to manage a window")
            return True
        except TimeoutError:
            return False
        finally:
            stop(probe)
            wait_until(lambda: not probes(), what="the probe window to go")

    def pause_window_manager(self, paused=True):
        """Stops openbox where it stands (it answers nothing), or lets it go on."""
        self._wm.send_signal(signal.SIGSTOP if paused else signal.SIGCONT)

    def _log(self, name):
        try:
            with open(os.path.join(self.tmpdir, name), "rb") as f:
                return f.read().decode(errors="replace")[-2000:]
        except OSError:
            return ""

    def framebuffer(self, attempts=10):
        """The screen's pixels as the server holds them: Xvfb keeps its
        framebuffer as an XWD file in -fbdir. Reading it takes a few
        milliseconds, far less than a ball tick, and sees exactly what a
        player would (xwd composes a dump window by window, at different
        moments and without the windows' shapes).

        A read that overlaps the server's drawing (a piece moving) can hold
        part of the screen before and part after, e.g. the ball at both its
        places; the file is read until two reads in a row agree, so that
        the frame returned is one the screen really showed (the last read
        when the screen never held still for that long)."""
        path = os.path.join(self.tmpdir, "Xvfb_screen0")
        with open(path, "rb") as f:
            frame = f.read()
        for _ in range(attempts):
            with open(path, "rb") as f:
                again = f.read()
            if again == frame:
                break
            frame = again
        return frame

    def run(self, args, input=None, check=True, timeout=PATIENCE):
        """Runs an X client on this display and returns its standard output."""
        result = subprocess.run(args, env=self.env, input=input, capture_output=True,
                                text=True, timeout=timeout, preexec_fn=_die_with_parent)
        if check and result.returncode != 0:
            raise RuntimeError(f"{' '.join(args)} failed ({result.returncode}): "
                               f"{result.stderr.strip()}")
        return result.stdout

    def close(self):
        stop(self._wm)
        self._wm = None
        stop(self._xvfb)
        self._xvfb = None
        shutil.rmtree(self.tmpdir, ignore_errors=True)
        self._tmp.cleanup()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
