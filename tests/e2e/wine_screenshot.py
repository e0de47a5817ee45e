#!/usr/bin/env python3
"""Makes docs/screenshot-wine.png: a match of the Windows build in progress
under Wine, on a 1920x1080 desktop.

    python3 tests/e2e/wine_screenshot.py --binary BUILD_DIR/shell/win32/volleon.exe
        --wine-run cmake/wine-run.sh --wineprefix BUILD_DIR/wineprefix [--output FILE]

The same scene as screenshot.py, with volleon.exe started under Wine and a
window manager, which frames the main window and gives it the keyboard.
"""

import argparse
import os

import screenshot
from wine_app import WineVolleon

DEFAULT_OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                              "..", "..", "docs", "screenshot-wine.png")


def main():
    parser = argparse.ArgumentParser(description="Screenshot of a match under Wine.")
    parser.add_argument("--binary", required=True, help="volleon.exe")
    parser.add_argument("--wine-run", required=True, help="the wine-run.sh script")
    parser.add_argument("--wineprefix", required=True, help="the Wine prefix to run in")
    parser.add_argument("--output", default=DEFAULT_OUTPUT, help="PNG file to write")
    args = parser.parse_args()
    shot = screenshot.take(args.binary, args.output, start=lambda server, binary: WineVolleon(
        server, binary, args.wine_run, args.wineprefix), window_manager=True)
    print(f"wrote {args.output}: {shot.width}x{shot.height}, "
          f"{os.path.getsize(args.output) // 1024} KB")


if __name__ == "__main__":
    main()
