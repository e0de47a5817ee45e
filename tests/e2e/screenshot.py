#!/usr/bin/env python3
"""Makes docs/screenshot.png: a match in progress on a 1920x1080 desktop.

    python3 tests/e2e/screenshot.py --binary BUILD_DIR/shell/volleon [--output FILE]

Starts the program on a private Xvfb with a plain blue desktop, presses
"Go", moves the bats a little and waits until a point has been scored, then
saves the screen at a moment when the ball is in open play, clear of the
main window and of the bats.
"""

import argparse
import os

from volleon_app import BALL, BAT_STEP, LEFT_BAT, RIGHT_BAT, SCORE_LABEL, Volleon
from xserver import SCREEN_WIDTH, XServer, wait_until

DESKTOP_COLOUR = "#3a6ea5"
DEFAULT_OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                              "..", "..", "docs", "screenshot.png")


def overlaps(a, b, margin):
    return (a.outer_x - margin < b.outer_x + b.outer_width
            and b.outer_x - margin < a.outer_x + a.outer_width
            and a.outer_y - margin < b.outer_y + b.outer_height
            and b.outer_y - margin < a.outer_y + a.outer_height)


def take(binary, output, start=Volleon, window_manager=False):
    """start(server, binary) runs the program and returns its Volleon."""
    with XServer(white_root=False, window_manager=window_manager) as server:
        server.run(["xsetroot", "-solid", DESKTOP_COLOUR])
        app = start(server, binary)
        desktop = app.desktop
        try:
            main = app.wait_for_main_window()
            pieces = app.press_go(main)
            label = app.client_rect(main, SCORE_LABEL)
            # The pointer, which the server draws into the picture, out of the way.
            server.run(["xdotool", "mousemove", "1900", "1060"])
            start_score = desktop.screenshot().crop(*label).rgb

            # Players at work: the left bat a little up, the right one down,
            # by steps the program has taken.
            def move_bat(bat, key, steps):
                start = desktop.geometry(pieces[bat]).outer_y
                desktop.key_down(key)
                try:
                    wait_until(lambda: abs(desktop.geometry(pieces[bat]).outer_y - start)
                               >= steps * app.pixels(BAT_STEP) - 1, what=f"{steps} steps of {bat}")
                finally:
                    desktop.key_up(key)
            move_bat(LEFT_BAT, "a", 3)
            move_bat(RIGHT_BAT, "slash", 5)

            main_geometry = desktop.geometry(main)

            def scored():
                # Only while the ball is well clear of the main window, which
                # it may fly over.
                if overlaps(desktop.geometry(pieces[BALL]), main_geometry, 150):
                    return False
                return desktop.screenshot().crop(*label).rgb != start_score

            wait_until(scored, interval=0.25, what="a point to be scored")
            bats = [desktop.geometry(pieces[bat]) for bat in (LEFT_BAT, RIGHT_BAT)]

            def open_play():
                before = desktop.geometry(pieces[BALL])
                shot = desktop.screenshot()
                after = desktop.geometry(pieces[BALL])
                clear = all(not overlaps(ball, other, 40)
                            for ball in (before, after) for other in [main_geometry] + bats)
                centred = 250 < after.outer_x < SCREEN_WIDTH - 250 - after.outer_width
                return shot if clear and centred and app.running() else None

            shot = wait_until(open_play, interval=0.05, what="the ball in open play")
        finally:
            app.close()
    with open(output, "wb") as f:
        f.write(shot.to_png())
    return shot


def main():
    parser = argparse.ArgumentParser(description="Screenshot of a match in progress.")
    parser.add_argument("--binary", required=True, help="the volleon program")
    parser.add_argument("--output", default=DEFAULT_OUTPUT, help="PNG file to write")
    args = parser.parse_args()
    shot = take(args.binary, args.output)
    print(f"wrote {args.output}: {shot.width}x{shot.height}, "
          f"{os.path.getsize(args.output) // 1024} KB")


if __name__ == "__main__":
    main()
