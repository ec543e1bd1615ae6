"""Runs Grainpit in an X session of its own and reads its window.

A Session starts a private Xvfb (on a display number the server picks itself,
so parallel runs never meet), openbox and the program; drives the program
with real X input through xdotool; reads the 512 x 512 client area exactly
through ImageMagick's import; and stops every process it started when its
with-block ends, also when a check failed.

Waits poll the window's pixels until the expected picture shows or a
generous time-out passes; none is a timed assertion. The drawn pointer is the
program's own proof of progress: once it is seen at a new position, a frame
has sampled that position. Only where none of it can show (the pointer far
outside the window) does a wait last a fixed few frames' time.

Each test file is run as `python3 FILE [LAUNCHER... --] PROGRAM [HELPER...]`;
a launcher, such as `wine`, starts the program (a test starts the helpers
built for the program's system through it too: LAUNCHER). Set
GRAINPIT_E2E_SHOTS to a directory to keep the screenshots a test names.
"""

import ctypes
import os
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

# The expected pictures live in expect.py, shared with the browser tests;
# the tests reach them through this module as before.
from expect import (  # noqa: F401
    SIZE, CELL, BLACK, WHITE, GREY, EMPTY, WALL, SAND, WATER, OIL, SALT, PLANT, FIRE, COLOURS,
    Frame, cellof, inside, palette, pointer, pointer_at, rect)

TIMEOUT = 30.0  # seconds for anything the program should show promptly

PROGRAM = None  # set by main() from the command line: the words that start it
HELPERS = []  # paths
LAUNCHER = []  # the words before the program and the helpers built with it


def _die_with_parent():
    # A child that outlives a killed test would hold its display for good.
    ctypes.CDLL(None, use_errno=True).prctl(1, signal.SIGKILL)  # PR_SET_PDEATHSIG


class Session:
    """Xvfb + openbox + the program, for one with-block."""

    def __init__(self, program=None, screen=(1280, 1024)):
        self.program = program or PROGRAM  # a command, as a list
        self.screen = screen
        self.procs = []
        self.last = None
        self.tmp = tempfile.mkdtemp(prefix="grainpit-e2e-")
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("WAYLAND_DISPLAY", "SESSION_MANAGER", "XAUTHORITY", "DISPLAY")}
        self.env.update(XDG_CONFIG_HOME=self.tmp, XDG_CACHE_HOME=self.tmp)

    # -- processes ---------------------------------------------------------

    def __enter__(self):
        try:
            self._start()
        except BaseException:
            sys.stderr.write(self.logs())
            self.close()
            raise
        return self

    def __exit__(self, kind, value, trace):
        if kind is not None:
            if self.last is not None:
                name = os.path.splitext(os.path.basename(sys.argv[0]))[0] + "-failed.png"
                with open(name, "wb") as f:
                    f.write(self.last.png())
                sys.stderr.write(f"last screenshot: {os.path.abspath(name)}\n")
            sys.stderr.write(self.logs())
        self.close()

    def spawn(self, argv, name, **kw):
        log = open(os.path.join(self.tmp, name + ".log"), "wb")
        p = subprocess.Popen(argv, env=self.env, stdin=subprocess.DEVNULL, stdout=log,
                             stderr=subprocess.STDOUT, start_new_session=True,
                             preexec_fn=_die_with_parent, **kw)
        log.close()
        self.procs.append(p)
        return p

    def close(self):
        """Stops every process this session started, newest first: its whole
        process group, politely, then for good."""
        for p in reversed(self.procs):
            if p.poll() is None:
                try:
                    os.killpg(p.pid, signal.SIGTERM)
                    p.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    try:
                        os.killpg(p.pid, signal.SIGKILL)
                    except ProcessLookupError:
                        pass
                    p.wait()
                except ProcessLookupError:  # it ended meanwhile
                    p.wait()
        self.procs = []
        shutil.rmtree(self.tmp, ignore_errors=True)

    def logs(self):
        """The end of each started process's output, for a failure report."""
        out = ""
        for name in sorted(os.listdir(self.tmp)):
            if name.endswith(".log"):
                with open(os.path.join(self.tmp, name), errors="replace") as f:
                    out += f"--- {name}\n{f.read()[-2000:]}"
        return out

    def _start(self):
        self._start_x()
        wm = self.spawn(["openbox", "--sm-disable"], "openbox")

        def managed():
            if wm.poll() is not None:
                raise AssertionError(f"openbox ended ({wm.returncode}) on start-up")
            return "window id" in self.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False)

        poll(managed, "openbox to manage the display")
        # Out of the window's way, so the program sees no movement until a
        # test moves the pointer, and draws its pointer at (0, 0).
        self.xdo("mousemove", 0, 0)
        self.proc = self.spawn(self.program, "grainpit")
        self.wid = poll(self._find_window, "the Grainpit window")
        self.wait(lambda f: self.pointer_at(f, 0, 0), "the first frame")
        self.origin = self.geometry()[:2]

    def _start_x(self):
        r, w = os.pipe()
        try:
            # -noreset: by default the server resets whenever its last client
            # leaves, and a client connecting meanwhile is turned away.
            self.spawn(["Xvfb", "-displayfd", str(w), "-nolisten", "tcp", "-noreset",
                        "-screen", "0", f"{self.screen[0]}x{self.screen[1]}x24"],
                       "xvfb", pass_fds=(w,))
            os.close(w)
            w = None
            number = b""
            deadline = time.monotonic() + TIMEOUT
            while not number.endswith(b"\n"):
                left = deadline - time.monotonic()
                if left <= 0 or not select.select([r], [], [], left)[0]:
                    raise AssertionError("Xvfb did not report its display in time")
                chunk = os.read(r, 16)
                if not chunk:
                    raise AssertionError("Xvfb ended before reporting its display")
                number += chunk
        finally:
            os.close(r)
            if w is not None:
                os.close(w)
        self.env["DISPLAY"] = ":" + number.decode().strip()

    def _find_window(self):
        if not self.alive():
            raise AssertionError(f"the program ended ({self.proc.returncode}) before its window showed")
        out = self.run(["xdotool", "search", "--name", "^Grainpit$"], check=False).split()
        return out[0] if out else None

    def alive(self):
        return self.proc.poll() is None

    def wait_exit(self, timeout=TIMEOUT):
        """The program's exit status, once it has ended."""
        try:
            return self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"the program still runs {timeout:.0f} s later") from None

    # -- X commands ----------------------------------------------------------

    def run(self, argv, check=True):
        done = subprocess.run([str(a) for a in argv], env=self.env, capture_output=True,
                              timeout=TIMEOUT, stdin=subprocess.DEVNULL)
        if check and done.returncode != 0:
            why = done.stderr.decode(errors="replace")
            raise AssertionError(f"{argv[0]} failed ({done.returncode}): {why}")
        return done.stdout.decode(errors="replace")

    def xdo(self, *args):
        return self.run(["xdotool", *args])

    def geometry(self, wid=None):
        """(x, y, width, height) of a window's client area on the screen."""
        info = self.run(["xwininfo", "-id", wid or self.wid])
        fields = dict(line.strip().split(":", 1) for line in info.splitlines() if ":" in line)
        return tuple(int(fields[k]) for k in
                     ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"))

    def move(self, x, y):
        """Moves the X pointer to client position (x, y); it may lie outside."""
        self.xdo("mousemove", self.origin[0] + x, self.origin[1] + y)

    def down(self, button):
        self.xdo("mousedown", button)  # X buttons: 1 left, 2 middle, 3 right

    def up(self, button):
        self.xdo("mouseup", button)

    def activate(self, wid):
        self.xdo("windowactivate", "--sync", wid)
        # Until the window manager has set an active window, there is none to
        # read, which xdotool reports as a failure.
        poll(lambda: self.run(["xdotool", "getactivewindow"], check=False).strip() == str(wid),
             f"window {wid} to be active")

    def other_window(self):
        """Opens a second, small X window away from Grainpit's and returns
        its id."""
        self.spawn(["xmessage", "-geometry", "+10+10", "another window"], "xmessage")
        return poll(lambda: (self.run(["xdotool", "search", "--name", "^xmessage$"],
                                      check=False).split() or [None])[0], "the other window")

    # -- pixels --------------------------------------------------------------

    def grab(self):
        data = subprocess.run(["import", "-silent", "-window", self.wid, "-depth", "8", "rgb:-"],
                              env=self.env, capture_output=True, timeout=TIMEOUT).stdout
        if len(data) != SIZE * SIZE * 3:
            raise AssertionError(f"screenshot of {len(data)} bytes, not {SIZE}x{SIZE} RGB")
        self.last = Frame(data)
        return self.last

    def wait(self, test, what, timeout=TIMEOUT):
        """Polls screenshots until test(frame) holds; returns that frame."""
        deadline = time.monotonic() + timeout
        while True:
            if not self.alive():
                raise AssertionError(f"the program ended ({self.proc.returncode}) while waiting for {what}")
            frame = self.grab()
            if test(frame):
                return frame
            if time.monotonic() > deadline:
                raise AssertionError(f"waited {timeout:.0f} s for {what}")
            time.sleep(0.05)

    pointer_at = staticmethod(pointer_at)

    def wait_pointer(self, x, y, fill=None):
        """Waits until a frame shows the drawn pointer at (x, y), with its
        inside in `fill` if given. Where no part of it can show, waits a few
        frames' time instead: nothing can prove those frames."""
        if not pointer(x, y, WHITE):
            time.sleep(0.3)
            return self.grab()
        return self.wait(lambda f: self.pointer_at(f, x, y, fill), f"the pointer at {(x, y)}")

    def visit(self, *points):
        """Moves the pointer through the points, each seen in a frame."""
        for x, y in points:
            self.move(x, y)
            frame = self.wait_pointer(x, y)
        return frame

    def wait_cell(self, x, y, colour):
        """With the pointer at (x, y), waits until its cell shows `colour`
        around the drawn pointer."""
        cell = cellof(x, y)
        hide = pointer(x, y, WHITE)
        return self.wait(lambda f: self.pointer_at(f, x, y) and f.field(hide).get(cell, BLACK) == colour,
                         f"cell {cell} in {colour}")

    def open_palette(self, anchor):
        """Rests the pointer at the anchor, then holds the middle button until
        the palette shows."""
        x, y = anchor
        self.visit(anchor)
        self.down(2)
        return self.wait(lambda f: f.at(x - 18, y - 2) == GREY, f"the palette at {anchor}")

    def stroke(self, points, colour=GREY):
        """Drags with the left button through the points, waiting at each
        until its cell shows `colour` (or, where it addresses no cell, for
        the pointer), and releases at the last."""
        self.visit(points[0])
        self.down(1)
        for x, y in points:
            self.move(x, y)
            if cellof(x, y):
                self.wait_cell(x, y, colour)
            else:
                self.wait_pointer(x, y)
        self.up(1)

    def shot(self, frame, name):
        """Keeps a screenshot under GRAINPIT_E2E_SHOTS, when that is set."""
        where = os.environ.get("GRAINPIT_E2E_SHOTS")
        if where:
            os.makedirs(where, exist_ok=True)
            with open(os.path.join(where, name + ".png"), "wb") as f:
                f.write(frame.png())


def poll(find, what, timeout=TIMEOUT):
    """Calls find() until it returns something true; returns that."""
    deadline = time.monotonic() + timeout
    while True:
        found = find()
        if found:
            return found
        if time.monotonic() > deadline:
            raise AssertionError(f"waited {timeout:.0f} s for {what}")
        time.sleep(0.1)


def main():
    """Runs the calling file's tests with the program (and the launcher
    that starts it, if any) from argv."""
    global PROGRAM, HELPERS, LAUNCHER
    args = sys.argv[1:]
    if "--" in args:
        LAUNCHER, args = args[:args.index("--")], args[args.index("--") + 1:]
    if not args:
        sys.exit(f"usage: {sys.argv[0]} [LAUNCHER... --] PROGRAM [HELPER...]")
    PROGRAM = [*LAUNCHER, os.path.abspath(args[0])]
    HELPERS = [os.path.abspath(a) for a in args[1:]]
    # Stopped politely, still clean up; ctest's time-out kills outright, and
    # then the children's parent-death signal does it.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    unittest.main(argv=sys.argv[:1], verbosity=2)
