#!/usr/bin/env python3
"""CPU per frame of the ways to present the memory frame through OpenGL
(build/bench/grainpit_present, see bench/present.cpp), beside the bare window
that only clears and presents. Each runs alone in its own Xvfb + openbox with
the swap log preloaded, measured as bench/measure.py measures.

    scripts/build.sh
    python3 bench/present.py [--build build] [--seconds 10] [--warmup 2] [--rounds 1] [METHOD...]

Prints, per method and round, fps, the share of intervals within 15..19 ms,
and the CPU time per frame of the program and of Xvfb; then the median CPU
per frame of each over the rounds and its ratio to the bare window's.
METHOD:ROWS draws only the top ROWS rows (after a glClear), e.g. quad-rgba8:128,
to see how the cost follows the area drawn. Figures only, no targets: this
guides how Flip presents.
"""

import argparse
import os
import statistics
import sys
import time

sys.dont_write_bytecode = True  # keep bench/ and tests/e2e/ free of caches
import windowbench as wb  # noqa: E402

METHODS = ["quad-rgb8", "quad-rgba8", "quad-bgra", "quad-cells", "blit-flip", "blit-noflip", "blit-x8-flip", "blit-x8-noflip"]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", default=os.path.join(wb.REPO, "build"))
    parser.add_argument("--seconds", type=float, default=10.0)
    parser.add_argument("--warmup", type=float, default=2.0)
    parser.add_argument("--rounds", type=int, default=1)
    parser.add_argument("methods", nargs="*", default=METHODS)
    args = parser.parse_args()
    build = os.path.abspath(args.build)
    _, bare, shim = wb.builds(build)
    present = os.path.join(build, "bench", "grainpit_present")

    cpu = {}
    for r in range(args.rounds):
        for name in ["bare", *args.methods]:
            program, title, argv = (bare, "bare", []) if name == "bare" else (present, "present", name.split(":"))
            with wb.Window(program, title, shim, argv) as w:
                time.sleep(args.warmup)
                m = w.window(args.seconds)
            cpu.setdefault(name, []).append((m["cpu"], m["xcpu"]))
            print(f"round {r + 1} {name:12} {m['fps']:.2f} fps, {100 * m['share']:.1f}% within 15..19 ms, "
                  f"CPU per frame {m['cpu']:.3f} ms, Xvfb {m['xcpu']:.3f} ms ({m['load'][1]})", flush=True)
    base = statistics.median(c for c, _ in cpu["bare"])
    print()
    for name, runs in cpu.items():
        c = statistics.median(c for c, _ in runs)
        x = statistics.median(x for _, x in runs)
        print(f"{name:12} median CPU per frame {c:.3f} ms ({c / base:.2f} x bare), Xvfb {x:.3f} ms")
    return 0


if __name__ == "__main__":
    sys.exit(main())
