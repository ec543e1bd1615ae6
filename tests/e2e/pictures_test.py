"""The README's pictures, made from the real program: a busy field painted
through the mouse with the palette open, and a few seconds of sand, water
and fire at work as an animated GIF. They are written to the directory in
GRAINPIT_PICTURES (default: the current one); scripts/pictures.sh copies
them into docs/."""

import os
import subprocess
import tempfile
import threading
import time
import unittest

import harness as h

MIDDLE = 2


class PicturesTest(unittest.TestCase):
    def choose(self, s, kind, anchor=(470, 40)):
        s.visit(anchor)
        s.down(MIDDLE)
        s.wait(lambda f: f.at(anchor[0] - 18, anchor[1] - 2) == h.GREY, "the palette")
        row = (anchor[0] - 10, anchor[1] + 8 * kind + 4)
        s.visit(row)
        s.up(MIDDLE)
        s.wait(lambda f: s.pointer_at(f, *row, h.COLOURS[kind]), f"type {kind} to be chosen")

    def paint(self, s, points, pause=0.03):
        """A left-button stroke through the points, a few frames at each."""
        s.move(*points[0])
        s.down(1)
        for x, y in points:
            s.move(x, y)
            time.sleep(pause)
        s.up(1)

    def line(self, a, b, step=6):
        (x0, y0), (x1, y1) = a, b
        n = max(abs(x1 - x0), abs(y1 - y0)) // step + 1
        return [(x0 + (x1 - x0) * k // n, y0 + (y1 - y0) * k // n) for k in range(n + 1)]

    @staticmethod
    def record(s, tmp, frames, count):
        for k in range(count):
            name = os.path.join(tmp, f"f{k:03}.png")
            with open(name, "wb") as f:
                f.write(s.grab().png())
            frames.append(name)
            time.sleep(0.04)

    def test_readme_pictures(self):
        out = os.environ.get("GRAINPIT_PICTURES", os.getcwd())
        os.makedirs(out, exist_ok=True)
        with h.Session() as s:
            # A basin of wall split in two by a high wall: plants on the
            # left, water with oil on it on the right. Then the recording
            # starts, fire is set to the plants and sand poured high above
            # the water.
            self.paint(s, self.line((24, 280), (24, 500), 4) + self.line((24, 500), (488, 500), 4)
                       + self.line((488, 500), (488, 280), 4))
            self.paint(s, self.line((200, 496), (200, 280), 4))
            self.choose(s, h.WATER)
            for y in range(488, 420, -8):
                self.paint(s, self.line((210, y), (480, y), 4), 0.02)
            self.choose(s, h.OIL)
            self.paint(s, self.line((210, 400), (480, 400), 4), 0.02)
            self.choose(s, h.PLANT)
            for y in range(490, 410, -8):
                self.paint(s, self.line((32, y), (192, y), 4))
            self.choose(s, h.FIRE)

            with tempfile.TemporaryDirectory() as tmp:
                # Screenshots are taken beside the painting, so the pictures
                # show the sand poured and the fire set.
                frames = []
                recording = threading.Thread(target=self.record, args=(s, tmp, frames, 70))
                recording.start()
                self.paint(s, self.line((60, 404), (160, 404), 6))
                self.choose(s, h.SAND)
                for y in range(40, 72, 8):
                    self.paint(s, self.line((260, y), (420, y), 6), 0.01)
                recording.join()
                gif = os.path.join(out, "grainpit.gif")
                subprocess.run(["convert", "-delay", "9", "-loop", "0", *frames, "-layers", "Optimize", gif],
                               check=True, timeout=120)

            # A new garden on the left, set alight just before the palette
            # opens, so the screenshot shows everything at work.
            self.choose(s, h.PLANT)
            for y in range(490, 426, -8):
                self.paint(s, self.line((32, y), (192, y), 4))
            self.choose(s, h.SAND)
            self.paint(s, self.line((260, 150), (420, 150), 6), 0.01)
            self.choose(s, h.FIRE)
            self.paint(s, self.line((60, 420), (100, 420), 6))
            anchor = (330, 60)
            s.visit(anchor)
            s.down(MIDDLE)
            row = (anchor[0] - 10, anchor[1] + 8 * h.SAND + 4)
            s.visit(row)
            frame = s.wait(lambda f: f.diff(h.palette(*anchor), limit=1) is not None
                           and f.at(anchor[0] - 18, anchor[1] - 2) == h.GREY, "the palette")
            with open(os.path.join(out, "grainpit.png"), "wb") as f:
                f.write(frame.png())
            s.up(MIDDLE)

        colours = {frame.at(x, y) for x in range(0, h.SIZE, 4) for y in range(0, h.SIZE, 4)}
        self.assertGreaterEqual(len(colours & set(h.COLOURS)), 6, "the field is not busy")
        count = subprocess.run(["identify", gif], capture_output=True, check=True).stdout.count(b"\n")
        self.assertGreaterEqual(count, 50)


if __name__ == "__main__":
    h.main()
