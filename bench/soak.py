#!/usr/bin/env python3
"""A long run of the program in a real window with a busy field and real
mouse input every few seconds, watching its resident memory and frame rate.

    scripts/build.sh
    python3 bench/soak.py [--build build] [--minutes 10] [--every 3] [--seed 1]

(--minutes 0.5 makes a quick trial.) The program runs in its own Xvfb +
openbox (tests/e2e/harness.py) with build/bench/libswaplog.so preloaded. A
busy field is painted first; the soak's clock starts after that. Then every
--every seconds one input from a seeded random choice: a short stroke of a
type chosen in the palette, the palette opened and closed on a random row,
or a right-click pick.

Targets, each printed PASS or FAIL (the exit status is 1 if any fails):
  VmRSS at the end within 1 MiB of VmRSS 10 s into the soak;
  every minute (and a last part of at least 10 s) at 60.0 fps within 0.5,
  from the swap log's timestamps.
Also printed per minute: frame interval percentiles, the share within
15..19 ms, VmRSS and the cells filled. A measuring script, not a test.
"""

import argparse
import os
import random
import sys
import time

sys.dont_write_bytecode = True  # keep bench/ and tests/e2e/ free of caches
import windowbench as wb  # noqa: E402

RATE, RATE_SLACK = 60.0, 0.5
RSS_SLACK_KIB = 1024


def rss_line(m):
    return (f"VmRSS {m['VmRSS']} KiB (anon {m.get('RssAnon', 0)}, file {m.get('RssFile', 0)}, "
            f"shmem {m.get('RssShmem', 0)})")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", default=os.path.join(wb.REPO, "build"))
    parser.add_argument("--minutes", type=float, default=10.0)
    parser.add_argument("--every", type=float, default=3.0, help="seconds between inputs")
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args()
    program, _, shim = wb.builds(os.path.abspath(args.build))
    rng = random.Random(args.seed)
    duration = 60 * args.minutes

    with wb.Window(program, "Grainpit", shim) as w:
        pid = w.proc.pid
        print(f"started: {rss_line(wb.memory(pid))}; {wb.load()}", flush=True)
        wb.paint_busy(w)
        print(f"busy field painted: {wb.tally(w.cells())}", flush=True)

        start = time.monotonic()
        first_frame = w.swaps.poll()
        cpu0 = wb.cputime(pid)
        baseline = None
        samples = []  # (seconds into the soak, memory, cells, load)
        actions = {}
        minute = 1
        while True:
            now = time.monotonic() - start
            if now >= duration:
                break
            if baseline is None and now >= 10:
                baseline = wb.memory(pid)
                print(f"10 s into the soak: {rss_line(baseline)}", flush=True)
            if now >= 60 * minute:
                samples.append((now, wb.memory(pid), w.cells(), wb.load()))
                print(f"minute {minute}: {rss_line(samples[-1][1])}; {wb.tally(samples[-1][2])}; "
                      f"{samples[-1][3]}", flush=True)
                minute += 1
            if not w.alive():
                break
            what = wb.soak_action(w, rng)
            actions[what] = actions.get(what, 0) + 1
            w.swaps.poll()
            pause = args.every - (time.monotonic() - start - now)
            if pause > 0:
                time.sleep(min(pause, max(0.0, duration - (time.monotonic() - start))))
        alive = w.alive()
        end_frame = w.swaps.poll()
        final = wb.memory(pid) if alive else None
        cpu = wb.cputime(pid) - cpu0 if alive else float("nan")
        if baseline is None:
            baseline = final
        times = w.swaps.times[first_frame:end_frame]
        lost = w.swaps.lost

    print()
    print(f"inputs: {', '.join(f'{n} {k}' for k, n in sorted(actions.items()))}; every {args.every} s")
    print(f"log: {len(times)} frames" + (f", {lost} lost" if lost else ""))
    checks = []
    t0 = times[0] if times else 0
    buckets = {}
    for t in times:
        buckets.setdefault(int((t - t0) // 60_000_000_000), []).append(t)
    for k in sorted(buckets):
        frames = buckets[k]
        # Each minute's run also takes the first frame of the next, so no
        # interval falls between two minutes.
        if k + 1 in buckets:
            frames = frames + buckets[k + 1][:1]
        s = wb.summary(frames)
        span = (frames[-1] - frames[0]) / 1e9
        print(f"minute {k + 1} ({span:.1f} s): {wb.describe(s)}")
        if span >= 10:
            checks.append((f"minute {k + 1}: {s['fps']:.2f} fps within {RATE} +- {RATE_SLACK}",
                           abs(s["fps"] - RATE) <= RATE_SLACK))
    whole = wb.summary(times)
    print(f"whole soak: {wb.describe(whole)}")
    if times:
        print(f"program CPU per frame over the soak: {1000 * cpu / len(times):.3f} ms")
    if alive and baseline is not None:
        growth = final["VmRSS"] - baseline["VmRSS"]
        print(f"10 s in: {rss_line(baseline)}")
        print(f"end:     {rss_line(final)}")
        checks.append((f"VmRSS {baseline['VmRSS']} KiB at 10 s, {final['VmRSS']} KiB at the end "
                       f"({growth:+d} KiB, within {RSS_SLACK_KIB})", abs(growth) <= RSS_SLACK_KIB))
    checks.append(("the program ran to the end", alive))
    print(wb.load())
    print()
    for what, ok in checks:
        print(f"{wb.verdict(ok)}  {what}")
    return 0 if all(ok for _, ok in checks) else 1


if __name__ == "__main__":
    sys.exit(main())
