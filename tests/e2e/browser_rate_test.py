"""The page's frame rate, from window.grainpitFrames: it prints the rate over
5 s, and checks only what no load can break: the pacing never runs faster
than 60 frames per second, also not in a burst after the tab was hidden
(where the browser slows its timers down)."""

import sys
import time
import unittest

import browser as b

RATE = 60


def sample(p):
    """The frame count and the page's clock in milliseconds, read together."""
    return p.js("[grainpitFrames, performance.now()]")


def frames_over(p, seconds):
    (f0, t0), _, (f1, t1) = sample(p), time.sleep(seconds), sample(p)
    return f1 - f0, (t1 - t0) / 1000


class RateTest(unittest.TestCase):
    def check_paced(self, frames, seconds, what):
        sys.stderr.write(f"{what}: {frames} frames in {seconds:.3f} s, {frames / seconds:.2f} per second\n")
        self.assertGreater(frames, 0)
        # Absolute deadlines: at most one frame per 1/60 s, plus the frames
        # under way at both ends.
        self.assertLessEqual(frames, RATE * seconds + 2)

    def test_frame_rate_over_five_seconds(self):
        with b.Page() as p:
            p.page("Page.bringToFront")
            self.check_paced(*frames_over(p, 5), "shown")

    def test_no_burst_after_the_tab_was_hidden(self):
        with b.Page() as p:
            other = p.call("Target.createTarget", url="about:blank", background=True)["targetId"]
            away = p.call("Target.attachToTarget", targetId=other, flatten=True)["sessionId"]
            p.call("Page.bringToFront", away)
            b.harness.poll(lambda: p.js("document.visibilityState") == "hidden", "the tab to be hidden")
            frames, seconds = frames_over(p, 3)
            sys.stderr.write(f"hidden: {frames} frames in {seconds:.3f} s\n")
            p.page("Page.bringToFront")
            self.check_paced(*frames_over(p, 1), "shown again")


if __name__ == "__main__":
    b.main()
