#!/usr/bin/env python3
"""Desktop performance of Volleon under Xvfb, run by hand (not part of CTest):

    python3 bench/desktop/desktop_bench.py --build BUILD_DIR [--font-rich]

BUILD_DIR is a build with the shell and bench/desktop (it holds
shell/volleon and bench/desktop/tick_period_bench; --binary and --tick-bench
name them directly; --binary may be given more than once to compare builds
in one run). It prints, each beside its goal:

- start-up: program start to the main window mapped (median of --runs),
- resident memory (VmRSS) idle and during play,
- CPU used idle and during play, in % of one core over --cpu-seconds,
- the ball timer's period over --ticks ticks, measured in-process by
  tick_period_bench: mean, and deviation from 50 ms (mean, 99th percentile).

Start-up, memory and CPU are measured twice in the same run, the runs of the
two taken in turn: with the fonts installed on this machine, and with few
fonts, where fontconfig is given a configuration file (FONTCONFIG_FILE) that
keeps the system's rules but lists only fonts-liberation's folder, as on a
machine with no other fonts. --font-rich first installs Debian's fonts-noto
(about 2,600 font faces, as a GNOME or KDE desktop commonly has) when it is
missing, so that the first figures are those of a font-rich desktop.
"""

import argparse
import os
import re
import select
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tests", "e2e"))

from volleon_app import MAIN, Volleon  # noqa: E402
from xserver import XServer, spawn, stop  # noqa: E402
from xwindows import Desktop  # noqa: E402

GOAL_STARTUP_MS = 150
GOAL_RSS_MB = 40
GOAL_PLAY_CPU = 1.0          # % of one core
GOAL_TICK_P99_MS = 2.0
CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def verdict(ok):
    return "meets goal" if ok else "MISSES goal"


class MapWatcher:
    """Reports windows mapped on the root window, as xev prints them."""

    def __init__(self, server):
        self.process = spawn(["xev", "-root", "-event", "substructure"], env=server.env,
                             stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.buffer = ""
        self.seen = None   # when the latest output arrived

    def wait_for_map(self, timeout):
        """Waits for the next MapNotify; returns (monotonic time, window id)."""
        deadline = time.monotonic() + timeout
        while True:
            match = re.search(r"MapNotify event.*?\n.*?window (0x[0-9a-f]+)", self.buffer)
            if match:
                self.buffer = self.buffer[match.end():]
                return self.seen, match.group(1)
            remaining = deadline - time.monotonic()
            if remaining <= 0:
                raise TimeoutError("no window was mapped")
            ready, _, _ = select.select([self.process.stdout], [], [], remaining)
            if ready:
                self.buffer += os.read(self.process.stdout.fileno(), 65536).decode(errors="replace")
                self.seen = time.monotonic()

    def close(self):
        stop(self.process)


def startup_times(server, setups, runs):
    """Milliseconds from starting the program to its main window mapped, for
    each (binary, environment) of setups, their runs taken in turn."""
    desktop = Desktop(server)
    watcher = MapWatcher(server)
    times = [[] for _ in setups]
    try:
        time.sleep(0.3)  # let xev select its events before the first run
        for _ in range(runs):
            for (binary, env), measured in zip(setups, times):
                watcher.buffer = ""
                started = time.monotonic()
                app = Volleon(server, binary, env)
                try:
                    while True:
                        mapped_at, window = watcher.wait_for_map(10)
                        if desktop.role(window) == MAIN:
                            break
                    measured.append((mapped_at - started) * 1000)
                finally:
                    app.close()
                time.sleep(0.2)
    finally:
        watcher.close()
    return times


def font_faces(env=None):
    """How many font faces fontconfig lists."""
    listed = subprocess.run(["fc-list"], env=env, capture_output=True, text=True, check=True)
    return len(listed.stdout.splitlines())


def few_fonts_config(folder):
    """A fontconfig file with the system's rules and fonts-liberation's fonts
    alone; returns the environment that selects it."""
    listed = subprocess.run(["fc-list", "-f", "%{file}\\n", "Liberation Sans"],
                            capture_output=True, text=True, check=True).stdout.split()
    if not listed:
        raise RuntimeError("fonts-liberation is not installed")
    path = os.path.join(folder, "few-fonts.conf")
    with open(path, "w") as config:
        config.write("<?xml version=\"1.0\"?>\n<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">\n"
                     "<fontconfig>\n  <include ignore_missing=\"yes\">/etc/fonts/fonts.conf</include>\n"
                     "  <reset-dirs/>\n"
                     f"  <dir>{os.path.dirname(listed[0])}</dir>\n"
                     "</fontconfig>\n")
    return {"FONTCONFIG_FILE": path}


def install_font_rich_desktop():
    script = os.path.join(HERE, "..", "..", "scripts", "deps.sh")
    subprocess.run(["bash", script, "fonts-noto"], check=True)


def cpu_seconds(pid):
    fields = open(f"/proc/{pid}/stat").read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / CLOCK_TICKS   # utime + stime


def rss_mb(pid):
    status = open(f"/proc/{pid}/status").read()
    return int(re.search(r"VmRSS:\s+(\d+) kB", status).group(1)) / 1024


def cpu_percent(pid, seconds):
    before, t0 = cpu_seconds(pid), time.monotonic()
    time.sleep(seconds)
    return 100 * (cpu_seconds(pid) - before) / (time.monotonic() - t0)


def resources(server, binary, env, seconds):
    """RSS and CPU of one run, idle and then during play."""
    app = Volleon(server, binary, env)
    try:
        main = app.wait_for_main_window()
        pid = app.process.pid
        time.sleep(2)
        idle_rss = rss_mb(pid)
        idle_cpu = cpu_percent(pid, seconds)
        # A pointer left on "Go" by an earlier run would not move, and the
        # click waits for it to.
        server.run(["xdotool", "mousemove", "0", "0"])
        app.press_go(main)
        time.sleep(2)
        play_cpu = cpu_percent(pid, seconds)
        play_rss = rss_mb(pid)
        if not app.running():
            raise RuntimeError("the program ended during the measurement:\n" + app.log())
        return idle_rss, idle_cpu, play_rss, play_cpu
    finally:
        app.close()


def tick_periods(server, tick_bench, ticks):
    result = subprocess.run([tick_bench, str(ticks)], env=server.env, capture_output=True,
                            text=True, timeout=ticks * 0.15 + 60)
    if result.returncode != 0:
        raise RuntimeError(f"tick_period_bench failed ({result.returncode}): {result.stderr}")
    return result.stdout


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", default="build", help="build directory")
    parser.add_argument("--binary", action="append",
                        help="a volleon program (default BUILD/shell/volleon); may be repeated")
    parser.add_argument("--tick-bench",
                        help="default BUILD/bench/desktop/tick_period_bench")
    parser.add_argument("--font-rich", action="store_true",
                        help="install fonts-noto first, where it is missing")
    parser.add_argument("--runs", type=int, default=15, help="start-up runs (>= 10)")
    parser.add_argument("--cpu-seconds", type=float, default=12, help="CPU window (>= 10 s)")
    parser.add_argument("--ticks", type=int, default=1200, help="ball ticks (>= 1000)")
    args = parser.parse_args()
    binaries = args.binary or [os.path.join(args.build, "shell", "volleon")]
    tick_bench = args.tick_bench or os.path.join(args.build, "bench", "desktop",
                                                 "tick_period_bench")
    if args.font_rich:
        install_font_rich_desktop()

    with XServer(white_root=False) as server:
        print(f"Xvfb {server.display}, 1920x1080x24, {server.dpi} DPI; {os.cpu_count()} CPUs")
        few = few_fonts_config(server.tmpdir)
        fonts = [(f"installed fonts ({font_faces()} faces)", {}),
                 (f"few fonts ({font_faces(dict(os.environ, **few))} faces)", few)]
        setups = [(f"{binary}, {label}" if len(binaries) > 1 else label, binary, env)
                  for binary in binaries for label, env in fonts]

        times = startup_times(server, [(binary, env) for _, binary, env in setups], args.runs)
        print(f"\nstart-up to main window mapped ({args.runs} runs each, taken in turn), "
              f"goal <= {GOAL_STARTUP_MS} ms:")
        for (label, _, _), measured in zip(setups, times):
            median = statistics.median(measured)
            print(f"  {label}: median {median:.1f} ms (min {min(measured):.1f}, "
                  f"max {max(measured):.1f})  {verdict(median <= GOAL_STARTUP_MS)}")

        print(f"\nresident memory and CPU ({args.cpu_seconds:.0f} s each), goals <= {GOAL_RSS_MB} MB, "
              f"<= {GOAL_PLAY_CPU} % of one core in play:")
        for label, binary, env in setups:
            idle_rss, idle_cpu, play_rss, play_cpu = resources(server, binary, env, args.cpu_seconds)
            print(f"  {label}: RSS idle {idle_rss:.1f} MB, in play {play_rss:.1f} MB "
                  f"{verdict(max(idle_rss, play_rss) <= GOAL_RSS_MB)}; CPU idle {idle_cpu:.2f} %, "
                  f"in play {play_cpu:.2f} % {verdict(play_cpu <= GOAL_PLAY_CPU)}")

        print(f"\nball timer period ({args.ticks} ticks, in-process, installed fonts):")
        report = tick_periods(server, tick_bench, args.ticks)
        print("  " + report.strip().replace("\n", "\n  "))
        p99 = float(re.search(r"99th percentile deviation:\s+([\d.]+)", report).group(1))
        print(f"  goal: 99th percentile deviation <= {GOAL_TICK_P99_MS} ms: "
              f"{verdict(p99 <= GOAL_TICK_P99_MS)}")


if __name__ == "__main__":
    main()
