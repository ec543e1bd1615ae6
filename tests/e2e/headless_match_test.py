"""The window shows exactly the pixels of the headless frame: a field of
wall and plant painted through the mouse, read back from the window, is
drawn again by grainpit-sim, and every pixel but the drawn pointer's is the
same. The browser tests check the web page the same way."""

import os
import subprocess
import tempfile
import unittest

import harness as h

MIDDLE = 2
CHARS = {h.BLACK: ".", h.GREY: "#", h.COLOURS[h.PLANT]: "p"}


def paint_and_compare(test, s, sim, shot="headless-match-window"):
    """Paints wall and plant through the session s, then checks that its
    frame is, outside the drawn pointer, the frame grainpit-sim draws for
    the same field."""
    s.stroke([(20 + 9 * k, 30 + 5 * k) for k in range(12)])  # wall
    anchor = (300, 100)
    s.visit(anchor)
    s.down(MIDDLE)
    s.wait(lambda f: f.at(anchor[0] - 18, anchor[1] - 2) == h.GREY, "the palette")
    row = (anchor[0] - 10, anchor[1] + 8 * h.PLANT + 4)
    s.visit(row)
    s.up(MIDDLE)
    s.wait(lambda f: s.pointer_at(f, *row, h.COLOURS[h.PLANT]), "plant to be chosen")
    s.stroke([(400 - 7 * k, 300 + 11 * k) for k in range(15)], h.COLOURS[h.PLANT])
    rest = (505, 505)  # the pointer over the field's last cells
    s.visit(rest)
    frame = s.grab()
    s.shot(frame, shot)

    hide = h.pointer(*rest, h.WHITE)
    cells = frame.field(hide)
    test.assertNotIn(None, cells.values(), "a cell shows two colours")
    scene = "".join("".join(CHARS[cells.get((cx, cy), h.BLACK)] for cx in range(64)) + "\n"
                    for cy in range(64))
    test.assertGreater(scene.count("#"), 8)
    test.assertGreater(scene.count("p"), 8)
    with tempfile.TemporaryDirectory() as tmp:
        png = os.path.join(tmp, "headless.png")
        # Wall and plant with no water neither move nor react: one sweep
        # draws the field as it is.
        subprocess.run([*h.LAUNCHER, sim, "--seed", "1", "--sweeps", "1", "--png", png, "-"],
                       input=scene.encode(), check=True, capture_output=True, timeout=60)
        data = subprocess.run(["convert", png, "-depth", "8", "rgb:-"], check=True,
                              capture_output=True, timeout=60).stdout
    headless = h.Frame(data)
    differ = [(x, y, frame.at(x, y), headless.at(x, y)) for y in range(h.SIZE) for x in range(h.SIZE)
              if (x, y) not in hide and frame.at(x, y) != headless.at(x, y)]
    test.assertEqual(differ[:10], [])


class HeadlessMatchTest(unittest.TestCase):
    def test_window_pixels_are_the_headless_frame(self):
        with h.Session() as s:
            paint_and_compare(self, s, h.HELPERS[0])


if __name__ == "__main__":
    h.main()
