"""Painting: a left-button stroke leaves wall in exactly the cells the
pointer stopped over, releasing stops it, and wall stays put."""

import time
import unittest

import harness as h

# Where the stroke stops, in client pixels: cell edges, two stops in one
# cell, long jumps (nothing is drawn between stops) and the far corner.
STROKE = [(20, 20), (100, 30), (176, 88), (183, 95), (184, 96), (300, 200), (511, 511), (8, 504)]


class PaintTest(unittest.TestCase):
    def test_stroke_paints_wall_where_the_pointer_went(self):
        with h.Session() as s:
            s.stroke(STROKE)
            # Released: these stops paint nothing. Seeing the pointer at the
            # last one proves the frame after the one before was drawn.
            after = [(400, 60), (420, 90)]
            frame = s.visit(*after)
            hide = h.pointer(*after[-1], h.WHITE)
            painted = {h.cellof(x, y): h.GREY for x, y in STROKE}
            self.assertEqual(frame.field(hide), painted)

            time.sleep(2)  # about 120 frames of the simulation
            frame = s.visit((430, 120), *after[-1:])
            self.assertEqual(frame.field(hide), painted, "wall moved")


if __name__ == "__main__":
    h.main()
