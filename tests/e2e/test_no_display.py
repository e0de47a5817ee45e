"""Started where no display can be opened, the program says so in one line,
naming the variable to set, and exits with status 1; a platform the user
chose that needs no display is left alone."""

import os
import subprocess
import tempfile
import unittest

from e2e_case import OPTIONS, main
from xserver import PATIENCE, XServer, spawn, stop, wait_until_steady

NOT_SET = ("volleon: cannot open a display: DISPLAY is not set; set DISPLAY to the X display "
           "to play on (on a Wayland desktop, the one XWayland serves), e.g. DISPLAY=:0")


def cannot_open(display):
    return (f'volleon: cannot open the display "{display}" named by DISPLAY; '
            "set DISPLAY to a running X display, e.g. DISPLAY=:0")


def environment(**values):
    env = {name: value for name, value in os.environ.items()
           if name not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    env.update(values)
    return env


class NoDisplayTest(unittest.TestCase):

    def run_program(self, env):
        result = subprocess.run([OPTIONS.binary], env=env, stdin=subprocess.DEVNULL,
                                capture_output=True, text=True, timeout=PATIENCE)
        return result.returncode, result.stdout, result.stderr

    def test_one_line_and_status_1(self):
        # A display that ran a moment ago and is gone.
        with XServer() as server:
            gone = server.display
        for what, env, line in (
                ("DISPLAY and WAYLAND_DISPLAY unset", environment(), NOT_SET),
                ("a display that is not running", environment(DISPLAY=gone), cannot_open(gone))):
            with self.subTest(what):
                status, out, err = self.run_program(env)
                self.assertEqual(status, 1, err)
                self.assertEqual(err, line + "\n")
                self.assertEqual(out, "")

    def test_a_chosen_platform_without_display_is_left_to_qt(self):
        with tempfile.TemporaryDirectory(prefix="volleon-e2e-") as runtime:
            env = environment(QT_QPA_PLATFORM="offscreen", XDG_RUNTIME_DIR=runtime)
            process = spawn([OPTIONS.binary], env=env, stdout=subprocess.DEVNULL,
                            stderr=subprocess.PIPE)
            # Running, once it has started up: asleep and using no processor
            # time for a second, as it waits in its event loop.
            def idle_or_ended():
                if process.poll() is not None:
                    return "ended"
                with open(f"/proc/{process.pid}/stat") as f:
                    fields = f.read().rsplit(")", 1)[1].split()
                state, cpu_ticks = fields[0], int(fields[11]) + int(fields[12])
                return (state, cpu_ticks) if state == "S" else None
            wait_until_steady(idle_or_ended, what="the program to start up and wait for events, or end")
            running = process.poll() is None
            stop(process)
            self.assertTrue(running, f"the program ended with status {process.returncode}: "
                                     + process.stderr.read().decode(errors="replace"))


if __name__ == "__main__":
    main()
