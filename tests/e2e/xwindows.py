"""Finding and inspecting X windows, following what becomes of them, and
driving the mouse and keyboard, with the command-line X tools (xwininfo,
xprop, xev, xdotool); screenshots come from the server's framebuffer."""

import re
import tempfile
from dataclasses import dataclass

from image import parse_xwd
from xserver import spawn, stop, wait_until

# A tree line of a window that has a WM_CLASS: ... "name": ("instance" "Class") ...
_TREE_CLIENT = re.compile(r'^\s+(0x[0-9a-f]+)\s.*: \("', re.M)
_ROLE = re.compile(r'WM_WINDOW_ROLE\(STRING\) = "(.*)"')
# An event xev prints about a window, as the X server sent it (not a
# client): its name, the window it tells of and, for CreateNotify and
# ConfigureNotify, that window's x, y, width, height and border width.
_XEV_EVENT = re.compile(r"^(\w+) event, serial \d+, synthetic NO, window 0x[0-9a-f]+,\n"
                        r"\s+(?:parent|event) 0x[0-9a-f]+, window (0x[0-9a-f]+)"
                        r"(?:, \((-?\d+),(-?\d+)\), width (\d+), height (\d+),?"
                        r"\s+border_width (\d+))?", re.M)


@dataclass(frozen=True)
class Geometry:
    """A window's place on the screen in pixels, as xwininfo gives it: x and
    y are the outer corner of the X border, width and height the inside;
    inner_* and outer_* tell the two apart."""
    x: int
    y: int
    width: int
    height: int
    border: int
    mapped: bool
    override_redirect: bool

    @property
    def outer_x(self):
        return self.x

    @property
    def outer_y(self):
        return self.y

    @property
    def inner_x(self):
        return self.x + self.border

    @property
    def inner_y(self):
        return self.y + self.border

    @property
    def outer_width(self):
        return self.width + 2 * self.border

    @property
    def outer_height(self):
        return self.height + 2 * self.border

    @property
    def centre(self):
        return (self.outer_x + self.outer_width / 2, self.outer_y + self.outer_height / 2)


def _field(text, name):
    match = re.search(rf"^\s*{re.escape(name)}:\s*(.*)$", text, re.M)
    if not match:
        raise ValueError(f"xwininfo gave no {name!r}")
    return match.group(1).strip()


class Desktop:
    """The windows and input devices of one X server (see xserver.XServer)."""

    def __init__(self, server):
        self.server = server

    def role(self, window):
        out = self.server.run(["xprop", "-id", window, "WM_WINDOW_ROLE"], check=False)
        match = _ROLE.search(out)
        return match.group(1) if match else None

    def client_window_ids(self):
        """The windows that carry a WM_CLASS, as every client's top-level
        window does; a window manager's many frame parts do not."""
        return _TREE_CLIENT.findall(self.tree())

    def tree(self, attempts=10):
        """`xwininfo -root -tree`. A window destroyed while xwininfo walks
        the tree makes it fail; it is asked again."""
        for attempt in range(attempts):
            try:
                return self.server.run(["xwininfo", "-root", "-tree"])
            except RuntimeError as error:
                gone = "Bad Window" in str(error) or "Bad Drawable" in str(error)
                if not gone or attempt == attempts - 1:
                    raise

    def windows_by_role(self):
        """{role: [window ids]} for every client window with WM_WINDOW_ROLE."""
        found = {}
        for window in self.client_window_ids():
            role = self.role(window)
            if role is not None:
                found.setdefault(role, []).append(window)
        return found

    def geometry(self, window):
        out = self.server.run(["xwininfo", "-id", window])
        return Geometry(
            x=int(_field(out, "Absolute upper-left X")),
            y=int(_field(out, "Absolute upper-left Y")),
            width=int(_field(out, "Width")),
            height=int(_field(out, "Height")),
            border=int(_field(out, "Border width")),
            mapped=_field(out, "Map State") == "IsViewable",
            override_redirect=_field(out, "Override Redirect State") == "yes",
        )

    def parent(self, window):
        out = self.server.run(["xwininfo", "-children", "-id", window])
        match = re.search(r"Parent window id: (0x[0-9a-f]+)", out)
        return match.group(1)

    def root(self):
        out = self.server.run(["xwininfo", "-root"])
        return re.search(r"Window id: (0x[0-9a-f]+)", out).group(1)

    def frame_extents(self, window):
        """(left, right, top, bottom) of the window manager's frame, or None."""
        out = self.server.run(["xprop", "-id", window, "_NET_FRAME_EXTENTS"], check=False)
        match = re.search(r"= (\d+), (\d+), (\d+), (\d+)", out)
        return tuple(int(v) for v in match.groups()) if match else None

    def screenshot(self):
        return parse_xwd(self.server.framebuffer())

    def has_focus(self, window):
        """Whether window holds the keyboard focus."""
        focused = self.server.run(["xdotool", "getwindowfocus", "-f"]).strip()
        return focused == str(int(window, 16))

    def pointer(self):
        """(x, y) of the pointer on the screen."""
        out = self.server.run(["xdotool", "getmouselocation"])
        match = re.search(r"x:(-?\d+) y:(-?\d+)", out)
        return (int(match.group(1)), int(match.group(2)))

    def click(self, x, y):
        """Moves the pointer to (x, y) and clicks the left button there."""
        self.server.run(["xdotool", "mousemove", "--sync", str(round(x)), str(round(y)),
                         "click", "1"])

    def press(self, x, y):
        """Moves the pointer to (x, y) and presses the left button there."""
        self.server.run(["xdotool", "mousemove", "--sync", str(round(x)), str(round(y)),
                         "mousedown", "1"])

    def release(self, x, y):
        """Moves the pointer to (x, y) and lets the left button go there."""
        self.server.run(["xdotool", "mousemove", "--sync", str(round(x)), str(round(y)),
                         "mouseup", "1"])

    def key(self, *keys):
        self.server.run(["xdotool", "key", *keys])

    # Keys named together go down (or up) together: xdotool's pause of 12 ms
    # between them, stretched on a busy machine, could let a keyboard tick
    # fall between two of them.
    def key_down(self, *keys):
        self.server.run(["xdotool", "keydown", "--delay", "0", *keys])

    def key_up(self, *keys):
        self.server.run(["xdotool", "keyup", "--delay", "0", *keys])


class WindowEvents:
    """Every window made, moved, resized or shown, as xev reports it from
    the X server: the children of the root (window=None), or one window.
    Nothing is missed however busy the machine; the events are there from
    the moment the constructor returns. close() stops xev."""

    MARK = "VOLLEON_E2E_LISTENING"

    def __init__(self, server, window=None):
        where = ["-root"] if window is None else ["-id", window]
        mask = "substructure" if window is None else "structure"
        with tempfile.NamedTemporaryFile(dir=server.tmpdir, prefix="xev-", suffix=".log",
                                         delete=False) as log:
            self.path = log.name
            self.process = spawn(["stdbuf", "-oL", "xev", *where, "-event", mask,
                                  "-event", "property"], env=server.env, stdout=log, stderr=log)

        # A property set on the window shows when xev has begun to listen.
        def listening():
            server.run(["xprop", *where, "-f", self.MARK, "8s", "-set", self.MARK, "1"])
            with open(self.path) as f:
                return f"({self.MARK})" in f.read()
        try:
            wait_until(listening, interval=0.1, what="xev to listen")
        except BaseException:
            self.close()
            raise

    def of(self, window):
        """[(event, (x, y, outer width, outer height) or None)] of one window,
        in the order the X server sent them."""
        with open(self.path) as f:
            found = _XEV_EVENT.findall(f.read())
        return [(name, (int(x), int(y), int(w) + 2 * int(b), int(h) + 2 * int(b)) if x else None)
                for name, seen, x, y, w, h, b in found if int(seen, 16) == int(window, 16)]

    def close(self):
        stop(self.process)
