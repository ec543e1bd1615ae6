"""What bench/measure.py and bench/soak.py share: a program in a private X
session (Xvfb + openbox, from tests/e2e/harness.py) with the swap log
preloaded, the reader of that log, per-process CPU and memory from /proc,
painting through real mouse events, and interval statistics.

Not a test and not run by CTest: the scripts that import it print figures
and judge them against the frame-rate and cost targets.
"""

import mmap
import os
import struct
import sys
import tempfile
import time

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(REPO, "tests", "e2e"))

import harness as h  # noqa: E402  (needs the path above)

TICK = os.sysconf("SC_CLK_TCK")
LEFT, MIDDLE, RIGHT = 1, 2, 3  # X button numbers


def builds(build):
    """The program, the bare window and the preload library in a build tree."""
    paths = (os.path.join(build, "grainpit"), os.path.join(build, "bench", "grainpit_bare"),
             os.path.join(build, "bench", "libswaplog.so"))
    missing = [p for p in paths if not os.path.exists(p)]
    if missing:
        sys.exit(f"missing {', '.join(missing)}: run scripts/build.sh first")
    return paths


# -- the swap log ---------------------------------------------------------------

class SwapLog:
    """Reads the ring that libswaplog.so fills (layout in bench/swaplog.cpp).
    poll() copies the frames noted since the last call into `times`
    (nanoseconds, indexed by frame number); call it more often than the ring
    wraps (16384 frames, over 4 minutes at 60 fps)."""

    def __init__(self, path):
        self.path = path
        self.map = None
        self.times = []
        self.lost = 0

    def _open(self):
        if self.map is None and os.path.exists(self.path) and os.path.getsize(self.path) >= 64:
            with open(self.path, "rb") as f:
                self.map = mmap.mmap(f.fileno(), 0, prot=mmap.PROT_READ)
            if self.map[:8] != b"SWAPLOG1":
                self.map.close()
                self.map = None
        return self.map

    def poll(self):
        m = self._open()
        if m is None:
            return 0
        capacity, count = struct.unpack_from("<QQ", m, 8)
        have = len(self.times)
        if count - have > capacity:  # fell behind: the oldest were overwritten
            self.lost += count - have - capacity
            self.times.extend([None] * (count - have - capacity))
            have = len(self.times)
        for n in range(have, count):
            self.times.append(struct.unpack_from("<q", m, 64 + 8 * (n % capacity))[0])
        return count

    def close(self):
        if self.map is not None:
            self.map.close()
            self.map = None


# -- /proc ----------------------------------------------------------------------

def cputime(pid):
    """utime + stime of a process (all its threads), in seconds."""
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICK  # fields 14 and 15 of stat


def memory(pid):
    """VmRSS, RssAnon, RssFile and RssShmem of a process, in KiB."""
    out = {}
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            key, _, value = line.partition(":")
            if key in ("VmRSS", "RssAnon", "RssFile", "RssShmem"):
                out[key] = int(value.split()[0])
    return out


def load():
    return "load average %.2f %.2f %.2f" % os.getloadavg()


# -- statistics -----------------------------------------------------------------

def percentile(sorted_values, p):
    """Linear interpolation between closest ranks, p in 0..100."""
    if not sorted_values:
        return float("nan")
    k = (len(sorted_values) - 1) * p / 100
    lo = int(k)
    hi = min(lo + 1, len(sorted_values) - 1)
    return sorted_values[lo] + (sorted_values[hi] - sorted_values[lo]) * (k - lo)


def intervals(times):
    """Milliseconds between consecutive presents (gaps over lost frames skipped)."""
    return [(b - a) / 1e6 for a, b in zip(times, times[1:]) if a is not None and b is not None]


def summary(times):
    """fps, interval median, 1st and 99th percentile, the share of intervals
    within 15..19 ms, and the longest interval, over a run of timestamps."""
    ms = sorted(intervals(times))
    span = sum(ms)
    return {
        "frames": len(times),
        "fps": len(ms) / (span / 1000) if span else float("nan"),
        "median": percentile(ms, 50),
        "p1": percentile(ms, 1),
        "p99": percentile(ms, 99),
        "share": sum(1 for v in ms if 15 <= v <= 19) / len(ms) if ms else float("nan"),
        "max": ms[-1] if ms else float("nan"),
    }


def describe(s):
    if s["median"] != s["median"]:  # counted frames, no times
        return f"{s['fps']:.2f} fps over {s['frames']} frames (counted, so no intervals)"
    return (f"{s['fps']:.2f} fps over {s['frames']} frames; intervals median {s['median']:.2f} ms, "
            f"p1 {s['p1']:.2f} ms, p99 {s['p99']:.2f} ms, max {s['max']:.2f} ms, "
            f"{100 * s['share']:.2f}% within 15..19 ms")


# -- the X session ----------------------------------------------------------------

class Window(h.Session):
    """Xvfb + openbox + one program with libswaplog.so preloaded into it
    (and into nothing else). The window is found by its exact title."""

    def __init__(self, program, title, shim, args=(), env=None):
        super().__init__(program)
        self.title = title
        self.args = list(args)
        self.extra = dict(env or {})
        self.shim = shim
        where = "/dev/shm" if os.access("/dev/shm", os.W_OK) else None
        fd, self.logpath = tempfile.mkstemp(prefix="grainpit-swaps-", dir=where)
        os.close(fd)
        self.swaps = SwapLog(self.logpath)

    def _start(self):
        self._start_x()
        self.xvfb = self.procs[-1]
        self.spawn(["openbox", "--sm-disable"], "openbox")
        h.poll(lambda: "window id" in self.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False),
               "openbox to manage the display")
        self.xdo("mousemove", 0, 0)
        argv, extra = self.command()
        plain = self.env
        self.env = dict(plain, **extra)
        try:
            self.proc = self.spawn(argv, "grainpit")
        finally:
            self.env = plain
        self.wid = h.poll(self._find_window, f"the {self.title} window")
        h.poll(lambda: self.alive() and self.swaps.poll() >= 10, "the first frames")
        self.origin = self.geometry()[:2]
        self.activate(self.wid)

    def command(self):
        """The program's command line, and what its environment adds."""
        return [self.program, *self.args], dict(self.extra, LD_PRELOAD=self.shim, GRAINPIT_SWAPLOG=self.logpath)

    def _find_window(self):
        if not self.alive():
            raise AssertionError(f"the program ended ({self.proc.returncode}) before its window showed")
        out = self.run(["xdotool", "search", "--name", f"^{self.title}$"], check=False).split()
        return out[0] if out else None

    def close(self):
        super().close()
        self.swaps.close()
        try:
            os.unlink(self.logpath)
        except FileNotFoundError:
            pass

    # -- measuring ---------------------------------------------------------

    def window(self, seconds):
        """Frames, program CPU and X server CPU over the next `seconds`, during
        which this script sends nothing to the display."""
        if not self.alive():
            raise AssertionError(f"the program ended ({self.proc.returncode})")
        before = (self.swaps.poll(), self.cpus(), load(), time.monotonic())
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            time.sleep(min(1.0, max(0.0, end - time.monotonic())))
            self.swaps.poll()
        after = (self.swaps.poll(), self.cpus(), load(), time.monotonic())
        frames = after[0] - before[0]
        out = summary(self.swaps.times[before[0]:after[0]])
        if out["fps"] != out["fps"]:  # no times to take intervals of: count
            out["fps"] = frames / (after[3] - before[3])
        per = {k: 1000 * (after[1][k] - before[1][k]) / frames if frames else float("nan")
               for k in before[1]}
        out.update(per, load=(before[2], after[2]), lost=self.swaps.lost)
        return out

    def cpus(self):
        """CPU seconds so far of the program ("cpu") and of Xvfb ("xcpu")."""
        return {"cpu": cputime(self.proc.pid), "xcpu": cputime(self.xvfb.pid)}

    # -- real mouse input, as chains of xdotool commands ------------------------

    def at(self, x, y):
        return ["mousemove", self.origin[0] + x, self.origin[1] + y]

    def choose(self, kind, anchor):
        """Rests the pointer at the anchor, holds the middle button, moves onto
        the row of `kind` in the palette and releases there."""
        ax, ay = anchor
        self.xdo(*self.at(ax, ay), "sleep", "0.1", "mousedown", MIDDLE, "sleep", "0.15",
                 *self.at(ax - 10, ay + 8 * kind + 4), "sleep", "0.15", "mouseup", MIDDLE, "sleep", "0.1")

    def stroke(self, points, dwell=0.02):
        """Drags with the left button through the points, `dwell` seconds at
        each (a frame samples every one of them)."""
        ops = [*self.at(*points[0]), "sleep", "0.05", "mousedown", LEFT]
        for x, y in points:
            ops += [*self.at(x, y), "sleep", f"{dwell:.3f}"]
        self.xdo(*ops, "mouseup", LEFT, "sleep", "0.05")

    def pick(self, x, y):
        """Right click: takes the type under the pointer."""
        self.xdo(*self.at(x, y), "sleep", "0.05", "click", RIGHT, "sleep", "0.05")

    def cells(self):
        """Non-empty cells on screen by colour, judged by each cell's centre
        pixel (cheap enough not to disturb the program much)."""
        frame = self.grab()
        counts = {}
        for cy in range(64):
            for cx in range(64):
                c = frame.at(8 * cx + 4, 8 * cy + 4)
                if c != h.BLACK:
                    counts[c] = counts.get(c, 0) + 1
        return counts


# -- the Windows program under Wine ----------------------------------------------

class SwapTrace:
    """Counts the buffer swaps that Wine's trace of its wgl channel notes in
    a log file, one line each, for a program into which nothing can be
    preloaded. Same use as SwapLog, but without the times of the frames."""

    def __init__(self, path):
        self.path = path
        self.seen = 0
        self.times = []
        self.lost = 0

    def poll(self):
        if os.path.exists(self.path):
            with open(self.path, "rb") as f:
                f.seek(self.seen)
                chunk = f.read()
            done = chunk.rfind(b"\n") + 1  # whole lines only
            self.seen += done
            self.times.extend([None] * chunk[:done].count(b"wglSwapBuffers"))
        return len(self.times)

    def close(self):
        pass


class WineWindow(Window):
    """The Windows program in the same session, started by a launcher such as
    packaging/windows/wine.sh with Wine tracing its buffer swaps. Its CPU is
    that of the Wine process that runs it ("cpu") and of the prefix's
    wineserver ("scpu"), through which its window messages pass."""

    def __init__(self, launcher, program):
        super().__init__(program, "Grainpit", None)
        self.launcher = list(launcher)
        self.pids = None

    def command(self):
        self.swaps = SwapTrace(os.path.join(self.tmp, "grainpit.log"))
        return [*self.launcher, self.program], {"WINEDEBUG": "+wgl"}

    def _start(self):
        super()._start()
        self.pids = h.poll(self._wine_pids, "the Wine processes")

    def _wine_pids(self):
        """The Wine process running the program, and the wineserver of its
        prefix (known by the WINEPREFIX in its environment)."""
        name = os.path.basename(self.program).encode()
        found, prefix = None, None
        for pid in filter(str.isdigit, os.listdir("/proc")):
            try:
                if os.getpgid(int(pid)) == self.proc.pid and name in open(f"/proc/{pid}/cmdline", "rb").read():
                    env = open(f"/proc/{pid}/environ", "rb").read().split(b"\0")
                    found = int(pid)
                    prefix = next((e for e in env if e.startswith(b"WINEPREFIX=")), None)
            except OSError:
                pass
        if not found or not prefix:
            return None
        for pid in filter(str.isdigit, os.listdir("/proc")):
            try:
                if open(f"/proc/{pid}/comm").read().startswith("wineserver") and \
                        prefix in open(f"/proc/{pid}/environ", "rb").read().split(b"\0"):
                    return found, int(pid)
            except OSError:
                pass
        return None

    def cpus(self):
        return {"cpu": cputime(self.pids[0]), "scpu": cputime(self.pids[1]), "xcpu": cputime(self.xvfb.pid)}


def line(x0, y0, x1, y1, step=8):
    """Points from (x0, y0) to (x1, y1) about `step` pixels apart."""
    n = max(1, int(max(abs(x1 - x0), abs(y1 - y0)) / step))
    return [(round(x0 + (x1 - x0) * i / n), round(y0 + (y1 - y0) * i / n)) for i in range(n + 1)]


NAMES = {(0, 0, 0): "empty", (128, 128, 128): "wall", (255, 255, 0): "sand", (0, 64, 255): "water",
         (192, 96, 32): "oil", (255, 255, 255): "salt", (0, 255, 0): "plant", (255, 64, 0): "fire", (64, 128, 255): "saltwater",
         (200, 180, 220): "glass", (128, 128, 255): "steam"}


def tally(counts):
    total = sum(counts.values())
    parts = sorted(counts.items(), key=lambda kv: -kv[1])
    named = ", ".join(f"{NAMES.get(c, '%d,%d,%d' % c)} {n}" for c, n in parts[:8])
    return f"{total} of 4096 cells filled ({named})"


def paint_busy(w):
    """A busy field through the palette and the left button: two wall shelves
    with a gap, sand, water, oil and salt poured over them, plant on the floor
    and fire along it, so that things fall, flow, dissolve and burn."""
    anchor = (40, 180)
    w.stroke(line(40, 300, 224, 300))  # wall is chosen at start
    w.stroke(line(288, 300, 472, 300))
    for kind, y in ((h.SAND, 24), (h.WATER, 64), (h.OIL, 104), (h.SALT, 144)):
        w.choose(kind, anchor)
        w.stroke(line(24, y, 488, y))
        w.stroke(line(488, y + 16, 24, y + 16))
    w.choose(h.PLANT, anchor)
    w.stroke(line(24, 500, 488, 500))
    w.stroke(line(488, 484, 24, 484))
    w.choose(h.FIRE, anchor)
    w.stroke(line(24, 468, 200, 468))


def soak_action(w, rng):
    """One of the periodic inputs of a soak: a short stroke of a random type,
    the palette opened and closed, or a right-click pick."""
    what = rng.choice(("stroke", "stroke", "palette", "pick"))
    if what == "stroke":
        w.choose(rng.choice((h.SAND, h.WATER, h.OIL, h.SALT, h.PLANT, h.FIRE, h.WALL)),
                 (rng.randrange(40, 480), rng.randrange(8, 440)))
        x, y = rng.randrange(16, 400), rng.randrange(8, 200)
        w.stroke(line(x, y, x + 96, y + rng.randrange(-32, 33)))
    elif what == "palette":
        w.choose(rng.randrange(8), (rng.randrange(40, 480), rng.randrange(8, 440)))
    else:
        w.pick(rng.randrange(0, 512), rng.randrange(0, 512))
    return what


def verdict(ok):
    return "PASS" if ok else "FAIL"

