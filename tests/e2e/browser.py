"""Runs Grainpit's web page in a headless Chromium of its own and reads it.

A Page serves the built site (build-web/site) on a free local port, starts
Chromium with a fresh profile and talks to it over the DevTools protocol on
a pipe; sends real input through the browser (Input.dispatchMouseEvent and
Input.dispatchTouchEvent, which go through the browser's own event handling
like a real mouse's); reads the 512 x 512 field from screenshots of the
page; and stops the browser and the server when its with-block ends, also
when a check failed.

It is a harness.Session with another driver: the waits, strokes and palette
helpers are the desktop window tests' own, and so are the expected pictures
(expect.py). Buttons are numbered as there, the X way: 1 left, 2 middle,
3 right.

Each test file is run as `python3 FILE SITE [HELPER...]`.
"""

import base64
import functools
import http.server
import json
import math
import os
import select
import signal
import subprocess
import sys
import tempfile
import threading
import time
import unittest

import harness
from expect import SIZE, Frame

SITE = None  # set by main() from the command line
HELPERS = []

# The mouse buttons by X number, as the DevTools protocol names them, and
# their bits in a DOM `buttons` set.
BUTTONS = {1: ("left", 1), 2: ("middle", 4), 3: ("right", 2)}


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


class Page(harness.Session):
    """The site served, Chromium showing it, for one with-block."""

    def __init__(self, window=(1280, 1024), scale=1, prelude=None):
        self.window = window
        self.scale = scale  # device pixels per CSS pixel
        self.prelude = prelude  # JavaScript run before the page's own, for measuring
        self.procs = []
        self.last = None
        self.server = None
        self.tmp = tempfile.mkdtemp(prefix="grainpit-web-")
        self.held = 0  # DOM bits of the buttons held
        self.at = (0, 0)  # last position sent, in field pixels
        self.ids = 0
        self.inbox = b""
        self.events = []

    # -- processes ---------------------------------------------------------

    def _start(self):
        self._serve()
        self._start_browser()
        target = [t for t in self.call("Target.getTargets")["targetInfos"] if t["type"] == "page"][0]
        self.target = target["targetId"]
        self.session = self.call("Target.attachToTarget", targetId=self.target, flatten=True)["sessionId"]
        self.page("Page.enable")
        self.page("Runtime.enable")
        if self.prelude:
            self.page("Page.addScriptToEvaluateOnNewDocument", source=self.prelude)
        self.page("Page.navigate", url=self.url)
        harness.poll(lambda: self.js("window.grainpitFrames > 0"), "the first frame")
        box = self.js("(r => [r.left, r.top, r.width, r.height])"
                      "(document.getElementById('field').getBoundingClientRect())")
        self.box = tuple(box)
        # A field centred between two screen pixels is drawn from the next
        # one, and a mouse there is over its first pixels, as with a real
        # mouse on whole screen pixels. On a dense screen half a page pixel
        # may already be a whole screen pixel.
        self.origin = tuple(math.floor(v * self.scale + 0.5) / self.scale for v in box[:2])
        self.wait(lambda f: self.pointer_at(f, 0, 0), "the first frame's pointer")

    def _serve(self):
        handler = functools.partial(Quiet, directory=SITE)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.url = f"http://127.0.0.1:{self.server.server_port}/"

    def _start_browser(self):
        """Chromium with the DevTools protocol on its descriptors 3 (in) and
        4 (out): no port to find or to share with other runs."""
        to_r, self.to_w = os.pipe()
        self.from_r, from_w = os.pipe()
        argv = ["chromium", "--headless", "--no-sandbox", "--disable-quic",
                "--no-first-run", "--disable-background-networking", "--disable-component-update",
                "--disable-sync", "--user-data-dir=" + os.path.join(self.tmp, "profile"),
                "--remote-debugging-pipe", f"--window-size={self.window[0]},{self.window[1]}",
                f"--force-device-scale-factor={self.scale}",
                "about:blank"]
        self.proc = self.spawn(["sh", "-c", f'exec "$0" "$@" 3<&{to_r} 4>&{from_w}', *argv], "chromium",
                               pass_fds=(to_r, from_w))
        os.close(to_r)
        os.close(from_w)

    def spawn(self, argv, name, **kw):
        log = open(os.path.join(self.tmp, name + ".log"), "wb")
        p = subprocess.Popen(argv, stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                             start_new_session=True, preexec_fn=harness._die_with_parent, **kw)
        log.close()
        self.procs.append(p)
        return p

    def close(self):
        if self.procs and self.procs[0].poll() is None:
            try:
                self.call("Browser.close", timeout=5)
            except (AssertionError, OSError):
                pass
        for fd in ("to_w", "from_r"):
            if hasattr(self, fd):
                os.close(getattr(self, fd))
                delattr(self, fd)
        harness.Session.close(self)
        if self.server:
            self.server.shutdown()
            self.server.server_close()
            self.server = None

    def alive(self):
        return self.proc.poll() is None

    def logs(self):
        """Chromium's output, then what the page said on its console and the
        exceptions it threw, for a failure report."""
        said = []
        for e in self.events:
            if e.get("method") == "Runtime.consoleAPICalled":
                said.append(" ".join(str(a.get("value", a.get("description", ""))) for a in e["params"]["args"]))
            elif e.get("method") == "Runtime.exceptionThrown":
                details = e["params"]["exceptionDetails"]
                said.append(details.get("exception", {}).get("description", details.get("text", "")))
        page = "".join(line + "\n" for line in said[-20:])
        return harness.Session.logs(self) + (f"--- the page's console\n{page}" if page else "")

    # -- the DevTools protocol -----------------------------------------------

    def call(self, method, session=None, timeout=harness.TIMEOUT, **params):
        """Sends one command and returns its result; events that come
        meanwhile are kept in self.events."""
        self.ids += 1
        message = {"id": self.ids, "method": method, "params": params}
        if session:
            message["sessionId"] = session
        os.write(self.to_w, json.dumps(message).encode() + b"\0")
        deadline = time.monotonic() + timeout
        while True:
            reply = self._receive(deadline, method)
            if reply.get("id") == self.ids:
                if "error" in reply:
                    raise AssertionError(f"{method}: {reply['error']}")
                return reply["result"]
            self.events.append(reply)

    def _receive(self, deadline, what):
        while b"\0" not in self.inbox:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self.from_r], [], [], left)[0]:
                raise AssertionError(f"Chromium did not answer {what} in time")
            chunk = os.read(self.from_r, 1 << 20)
            if not chunk:
                raise AssertionError(f"Chromium ended while answering {what}")
            self.inbox += chunk
        message, self.inbox = self.inbox.split(b"\0", 1)
        return json.loads(message)

    def page(self, method, **params):
        return self.call(method, self.session, **params)

    def js(self, expression):
        """The value of a JavaScript expression in the page."""
        result = self.page("Runtime.evaluate", expression=expression, returnByValue=True)
        if "exceptionDetails" in result:
            raise AssertionError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    # -- input -----------------------------------------------------------------

    def _mouse(self, kind, button="none", **more):
        x, y = self.at
        self.page("Input.dispatchMouseEvent", type=kind, x=self.origin[0] + x, y=self.origin[1] + y,
                  button=button, buttons=self.held, **more)

    def move(self, x, y):
        """Moves the mouse to field position (x, y); it may lie outside."""
        self.at = (x, y)
        # A move names a held button too: without it Chromium takes the
        # move for one with no button held and breaks off the capture.
        held = [name for name, bit in BUTTONS.values() if self.held & bit]
        self._mouse("mouseMoved", held[0] if held else "none")

    def down(self, button):
        name, bit = BUTTONS[button]
        self.held |= bit
        self._mouse("mousePressed", name, clickCount=1)

    def up(self, button):
        name, bit = BUTTONS[button]
        self.held &= ~bit
        self._mouse("mouseReleased", name, clickCount=1)

    def wheel(self, notches, modifiers=0):
        """Turns the wheel by notches, away from the user positive, with
        the DevTools modifier bits (2 is Ctrl) held."""
        self._mouse("mouseWheel", deltaX=0, deltaY=-120 * notches, modifiers=modifiers)

    def touch(self, kind, x, y):
        """One finger: kind is touchStart, touchMove or touchEnd."""
        points = [] if kind == "touchEnd" else [{"x": self.origin[0] + x, "y": self.origin[1] + y}]
        self.page("Input.dispatchTouchEvent", type=kind, touchPoints=points)

    # -- pixels ----------------------------------------------------------------

    def screenshot(self, clip=None):
        """The page as shown, as PNG bytes; clip is x, y, width, height in
        CSS pixels."""
        params = {"format": "png"}
        if clip:
            params["clip"] = dict(zip(("x", "y", "width", "height"), clip), scale=1)
        return base64.b64decode(self.page("Page.captureScreenshot", **params)["data"])

    def pixels(self, clip=None):
        """A screenshot as (width, height, RGB bytes) in device pixels."""
        png = self.screenshot(clip)
        out = subprocess.run(["convert", "png:-", "-print", "%w %h\n", "-depth", "8", "rgb:-"], input=png,
                             capture_output=True, check=True, timeout=harness.TIMEOUT).stdout
        size, data = out.split(b"\n", 1)
        width, height = map(int, size.split())
        if len(data) != width * height * 3:
            raise AssertionError(f"screenshot of {len(data)} bytes, not {width}x{height} RGB")
        return width, height, data

    def grab(self):
        """The field as shown, one pixel per CSS pixel (the top-left device
        pixel of each, on a dense screen)."""
        width, height, data = self.pixels((*self.origin, SIZE, SIZE))
        if (width, height) != (SIZE * self.scale, SIZE * self.scale):
            raise AssertionError(f"a field of {width}x{height} device pixels")
        self.last = Frame(b"".join(sample(data, width, y * self.scale, self.scale) for y in range(SIZE)))
        return self.last


def sample(data, width, y, step):
    """Every step-th pixel of row y of an RGB image, from the first."""
    row = data[3 * width * y:3 * width * (y + 1)]
    out = bytearray(3 * (width // step))
    for c in range(3):
        out[c::3] = row[c::3 * step]
    return bytes(out)


def main():
    """Runs the calling file's tests with the site folder from argv."""
    global SITE, HELPERS
    if len(sys.argv) < 2:
        sys.exit(f"usage: {sys.argv[0]} SITE [HELPER...]")
    SITE, HELPERS = os.path.abspath(sys.argv[1]), [os.path.abspath(a) for a in sys.argv[2:]]
    if not os.path.exists(os.path.join(SITE, "index.html")):
        sys.exit(f"{SITE} holds no site: scripts/build-web.sh builds it")
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    unittest.main(argv=sys.argv[:1], verbosity=2)
