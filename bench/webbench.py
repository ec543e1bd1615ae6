#!/usr/bin/env python3
"""Size, start-up time, frame rate and CPU per frame of the web page in
headless Chromium.

    scripts/build-web.sh
    python3 bench/webbench.py [--site build-web/site] [--starts 7] [--seconds 10]

Prints the site's bytes per file, raw and gzip -9; the time from navigation
to the first presented frame over --starts cold starts (a fresh browser and
profile each), read from the page's own clock: performance.now() when
window.grainpitFrames first becomes 1, which counts from the navigation;
then, in one browser, the frames per second from window.grainpitFrames and
the CPU time (utime + stime from /proc) per frame of the page's renderer
process and of all of Chromium's processes, with the field empty, with a
busy field painted through real mouse events (bench/windowbench.py's
paint_busy), and, for comparison, the same browser showing about:blank;
and the intervals between presents, from the page's clock.

A measuring script, not a test: the machine's load shows in the figures,
so it is printed with them.
"""

import argparse
import gzip
import os
import statistics
import sys
import time

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(REPO, "tests", "e2e"))
sys.path.insert(0, os.path.join(REPO, "bench"))

import browser as b  # noqa: E402  (needs the path above)
import windowbench as wb  # noqa: E402

# Notes the page's clock when the first frame is presented, and when each
# frame is presented while window.presents is a list.
PRESENTS = """(() => { let n = 0;
  Object.defineProperty(window, 'grainpitFrames', {configurable: true, get: () => n,
    set: v => { n = v; const t = performance.now();
      if (v === 1 && window.firstFrameAt === undefined) window.firstFrameAt = t;
      if (window.presents) window.presents.push(t); }});
})();"""


class Driven(b.Page):
    """The page driven the way windowbench drives the window: no waiting
    for pictures, a fixed dwell at each stop."""

    def choose(self, kind, anchor):
        ax, ay = anchor
        self.move(ax, ay)
        time.sleep(0.1)
        self.down(2)
        time.sleep(0.15)
        self.move(ax - 10, ay + 8 * kind + 4)
        time.sleep(0.15)
        self.up(2)
        time.sleep(0.1)

    def stroke(self, points, dwell=0.02):
        self.move(*points[0])
        time.sleep(0.05)
        self.down(1)
        for x, y in points:
            self.move(x, y)
            time.sleep(dwell)
        self.up(1)
        time.sleep(0.05)

    def group(self):
        """Chromium's processes: (pid, is the renderer of a page)."""
        out = []
        for name in os.listdir("/proc"):
            if not name.isdigit():
                continue
            try:
                if os.getpgid(int(name)) != self.proc.pid:
                    continue
                with open(f"/proc/{name}/cmdline", "rb") as f:
                    out.append((int(name), b"--type=renderer" in f.read()))
            except (ProcessLookupError, FileNotFoundError, PermissionError):
                pass
        return out

    def cpu(self):
        """CPU seconds so far by process id."""
        times = {}
        for pid, _ in self.group():
            try:
                times[pid] = wb.cputime(pid)
            except (FileNotFoundError, ProcessLookupError):
                pass
        return times

    def measure(self, seconds, what, counting=True):
        renderers = {pid for pid, renders in self.group() if renders}
        c0 = self.cpu()
        f0, t0 = self.js("window.presents = []; [window.grainpitFrames || 0, performance.now()]")
        time.sleep(seconds)
        f1, t1, presents = self.js("[window.grainpitFrames || 0, performance.now(), window.presents || []]")
        c1 = self.cpu()
        used = {pid: c1[pid] - c0.get(pid, 0) for pid in c1}
        frames, elapsed = f1 - f0, (t1 - t0) / 1000
        renderer = max((used[p] for p in renderers if p in used), default=0)
        total = sum(used.values())
        line = f"{what}: "
        if counting:
            line += (f"{frames} frames in {elapsed:.2f} s = {frames / elapsed:.2f} fps; CPU per frame: "
                     f"renderer {1000 * renderer / frames:.2f} ms, all of Chromium {1000 * total / frames:.2f} ms; ")
        line += f"CPU share: renderer {100 * renderer / elapsed:.1f}%, all {100 * total / elapsed:.1f}%"
        print(line)
        if counting:
            print("  " + wb.describe(wb.summary([t * 1e6 for t in presents])))


def sizes(site):
    raw = packed = 0
    for name in sorted(os.listdir(site)):
        with open(os.path.join(site, name), "rb") as f:
            data = f.read()
        z = len(gzip.compress(data, 9))
        print(f"  {name:16} {len(data):7} bytes, gzip -9 {z:6}")
        raw, packed = raw + len(data), packed + z
    print(f"  {'in all':16} {raw:7} bytes, gzip -9 {packed:6}")


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--site", default=os.path.join(REPO, "build-web", "site"))
    ap.add_argument("--starts", type=int, default=7)
    ap.add_argument("--seconds", type=float, default=10)
    args = ap.parse_args()
    b.SITE = os.path.abspath(args.site)
    if not os.path.exists(os.path.join(b.SITE, "index.html")):
        sys.exit(f"{b.SITE} holds no site: run scripts/build-web.sh first")
    print(wb.load())
    print("site:")
    sizes(b.SITE)

    firsts = []
    for _ in range(args.starts):
        with Driven(prelude=PRESENTS) as p:
            firsts.append(p.js("firstFrameAt"))
    firsts.sort()
    print(f"navigation to first frame over {len(firsts)} cold starts: median {statistics.median(firsts):.0f} ms, "
          f"min {firsts[0]:.0f}, max {firsts[-1]:.0f} ({', '.join(f'{t:.0f}' for t in firsts)})")

    with Driven(prelude=PRESENTS) as p:
        p.page("Page.bringToFront")
        p.move(256, 256)
        time.sleep(1)
        p.measure(args.seconds, "empty field")
        wb.paint_busy(p)
        p.move(500, 500)
        time.sleep(2)
        print("busy field:", wb.tally(wb.Window.cells(p)))
        p.measure(args.seconds, "busy field")
        p.page("Page.navigate", url="about:blank")
        time.sleep(2)
        p.measure(args.seconds, "about:blank", counting=False)
    print(wb.load())


if __name__ == "__main__":
    main()
