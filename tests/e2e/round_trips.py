"""Proof that another X client has had its turn, counted in what it did
rather than in seconds: round trips through its event loop over a
connection of the test's own (Xlib through ctypes).

A program answers the window manager's ping (_NET_WM_PING sent to its
window) from its event loop, by sending the message back to the root
window. The answer shows that the program has handled every event that
reached it before the ping, and has run what its event loop had due by
then (a timer that had expired, a posted event); a second ping answered
after it shows that what those handlers asked of the X server (a move, a
repaint) has reached the server too.

The window manager answers a request for the frame extents of a window it
has not taken in (_NET_REQUEST_FRAME_EXTENTS) by setting them on that
window: once they are set, it has handled every request that reached it
before, such as a program's request to move its window."""

import ctypes
import ctypes.util
import itertools
import select
import time

from xserver import PATIENCE

_CLIENT_MESSAGE = 33
_PROPERTY_NOTIFY = 28
_NO_EVENT_MASK = 0
_PROPERTY_CHANGE_MASK = 1 << 22
_STRUCTURE_NOTIFY_MASK = 1 << 17
_SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
_SUBSTRUCTURE_REDIRECT_MASK = 1 << 20


class _ClientMessageEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]


class _PropertyEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("atom", ctypes.c_ulong), ("time", ctypes.c_ulong), ("state", ctypes.c_int)]


class _Event(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("client", _ClientMessageEvent),
                ("property", _PropertyEvent), ("pad", ctypes.c_long * 24)]


_xlib = ctypes.CDLL(ctypes.util.find_library("X11"))
_xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
_xlib.XOpenDisplay.restype = ctypes.c_void_p
_xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
_xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
_xlib.XDefaultRootWindow.restype = ctypes.c_ulong
_xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
_xlib.XInternAtom.restype = ctypes.c_ulong
_xlib.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
_xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                             ctypes.POINTER(_Event)]
_xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
_xlib.XConnectionNumber.argtypes = [ctypes.c_void_p]
_xlib.XPending.argtypes = [ctypes.c_void_p]
_xlib.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(_Event)]
_xlib.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                      ctypes.c_uint, ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong,
                                      ctypes.c_ulong]
_xlib.XCreateSimpleWindow.restype = ctypes.c_ulong

# An X error (a window that has gone) is kept for the caller to see instead
# of ending the test process, as Xlib's own handler would.
class _ErrorEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("display", ctypes.c_void_p),
                ("resourceid", ctypes.c_ulong), ("serial", ctypes.c_ulong),
                ("error_code", ctypes.c_ubyte)]


_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.POINTER(_ErrorEvent))
_errors = []


@_ERROR_HANDLER
def _keep_error(display, event):
    _errors.append(event.contents.error_code)
    return 0


_xlib.XSetErrorHandler(_keep_error)


class RoundTrips:
    """A connection to the server's display that pings programs and asks
    the window manager for frame extents. close() ends it."""

    _tokens = itertools.count(1)

    def __init__(self, server):
        self._display = _xlib.XOpenDisplay(server.display.encode())
        if not self._display:
            raise RuntimeError(f"cannot open the display {server.display}")
        self._root = _xlib.XDefaultRootWindow(self._display)
        self._atoms = {}
        self._unshown = 0
        # The answers to pings come to the root window, for the clients that
        # follow its structure (as Qt sends them) or its children's.
        _xlib.XSelectInput(self._display, self._root,
                           _STRUCTURE_NOTIFY_MASK | _SUBSTRUCTURE_NOTIFY_MASK)
        _xlib.XSync(self._display, 0)

    def _atom(self, name):
        if name not in self._atoms:
            self._atoms[name] = _xlib.XInternAtom(self._display, name.encode(), 0)
        return self._atoms[name]

    def _send(self, to, window, message_type, data, mask):
        event = _Event()
        event.client.type = _CLIENT_MESSAGE
        event.client.window = window
        event.client.message_type = self._atom(message_type)
        event.client.format = 32
        for i, value in enumerate(data):
            event.client.data[i] = value
        del _errors[:]
        _xlib.XSendEvent(self._display, to, 0, mask, ctypes.byref(event))
        _xlib.XSync(self._display, 0)
        if _errors:
            raise RuntimeError(f"X error {_errors[0]} sending {message_type} to {window:#x}")

    def _wait_for(self, matches, timeout, what):
        """Reads events until matches(event) holds; TimeoutError after timeout seconds."""
        deadline = time.monotonic() + timeout
        event = _Event()
        fd = _xlib.XConnectionNumber(self._display)
        while True:
            while _xlib.XPending(self._display):
                _xlib.XNextEvent(self._display, ctypes.byref(event))
                if matches(event):
                    return
            remaining = deadline - time.monotonic()
            if remaining <= 0:
                raise TimeoutError(f"timed out after {timeout:.1f} s waiting for {what}")
            select.select([fd], [], [], min(remaining, 0.5))

    def ping(self, window, timeout=PATIENCE):
        """Pings the program that made window (an id "0x...") and waits for
        its answer."""
        window = int(window, 16)
        token = next(self._tokens)
        self._send(window, window, "WM_PROTOCOLS", [self._atom("_NET_WM_PING"), token, window],
                   _NO_EVENT_MASK)

        def answer(event):
            c = event.client
            return (event.type == _CLIENT_MESSAGE and c.window == self._root
                    and c.message_type == self._atom("WM_PROTOCOLS")
                    and c.data[0] == self._atom("_NET_WM_PING") and c.data[1] == token)
        self._wait_for(answer, timeout, f"the program to answer a ping to {window:#x}")

    def settled(self, window, timeout=PATIENCE):
        """Two pings in a row: the program has run what it had due when the
        first was sent, and what that asked of the X server has reached it."""
        self.ping(window, timeout)
        self.ping(window, timeout)

    def window_manager_turn(self, timeout=PATIENCE):
        """Asks the window manager for the frame extents of a window of the
        test's own, never shown, and waits until it has set them."""
        if not self._unshown:
            self._unshown = _xlib.XCreateSimpleWindow(self._display, self._root,
                                                      0, 0, 1, 1, 0, 0, 0)
            _xlib.XSelectInput(self._display, self._unshown, _PROPERTY_CHANGE_MASK)
        self._send(self._root, self._unshown, "_NET_REQUEST_FRAME_EXTENTS", [],
                   _SUBSTRUCTURE_NOTIFY_MASK | _SUBSTRUCTURE_REDIRECT_MASK)

        def extents_set(event):
            p = event.property
            return (event.type == _PROPERTY_NOTIFY and p.window == self._unshown
                    and p.atom == self._atom("_NET_FRAME_EXTENTS"))
        self._wait_for(extents_set, timeout, "the window manager to tell a frame's extents")

    def close_window(self, window):
        """Asks the window manager to close window (an id "0x..."), as its
        close button, its close key or a task bar does (_NET_CLOSE_WINDOW):
        it then asks the program to close it (WM_DELETE_WINDOW)."""
        window = int(window, 16)
        # No time stamp (CurrentTime), and the request of a pager: the
        # window manager honours it whatever has the focus.
        self._send(self._root, window, "_NET_CLOSE_WINDOW", [0, 2],
                   _SUBSTRUCTURE_NOTIFY_MASK | _SUBSTRUCTURE_REDIRECT_MASK)

    def close(self):
        if self._display:
            _xlib.XCloseDisplay(self._display)
            self._display = None
