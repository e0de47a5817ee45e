#!/usr/bin/env python3
"""Runs a Windows test program under Wine on a private Xvfb, in a Wine
session of its own at the given logical DPI, and exits with its status:

    wine_on_xvfb.py --wine-run SCRIPT --wineprefix DIR [--dpi N] PROGRAM [ARGS...]

The program finds the DPI it should see in VOLLEON_EXPECTED_DPI.
"""

import argparse
import os
import signal
import subprocess
import sys

from wine_app import end_wine_session, start_wine_session
from xserver import PATIENCE, XServer, stop


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--wine-run", required=True, help="the wine-run.sh script")
    parser.add_argument("--wineprefix", required=True, help="the Wine prefix to run in")
    parser.add_argument("--dpi", type=int, default=96, help="logical DPI of the screen")
    parser.add_argument("program", nargs=argparse.REMAINDER, help="program and arguments")
    args = parser.parse_args()
    # CTest's timeout: an exception, so that the X server and the Wine
    # session are torn down.
    signal.signal(signal.SIGTERM, lambda signum, frame: sys.exit(128 + signum))
    prefix = os.path.abspath(args.wineprefix)
    with XServer(dpi=args.dpi) as server:
        env = dict(server.env, VOLLEON_EXPECTED_DPI=str(args.dpi))
        start_wine_session(args.wine_run, prefix, env, args.dpi)
        process = subprocess.Popen(["sh", args.wine_run, prefix, *args.program], env=env,
                                   stdin=subprocess.DEVNULL)
        try:
            status = process.wait(timeout=5 * PATIENCE)
        finally:
            stop(process)
            end_wine_session(prefix, env)
    return status


if __name__ == "__main__":
    sys.exit(main())
