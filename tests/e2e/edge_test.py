"""A drag that leaves the window keeps reporting the pointer: positions -7
to 7 address the first column (or row), and farther out nothing."""

import unittest

import harness as h

# Stops of one drag that leaves at the left and the top and is released
# outside, with the cell each addresses.
STROKE = [
    ((20, 100), (2, 12)),
    ((4, 120), (0, 15)),
    ((-3, 140), (0, 17)),
    ((-7, 160), (0, 20)),
    ((-8, 180), None),
    ((-30, 200), None),
    ((-7, 240), (0, 30)),
    ((40, -7), (5, 0)),
    ((100, -8), None),
    ((-60, -60), None),
]


class EdgeTest(unittest.TestCase):
    def test_drag_outside_paints_the_edge_cells(self):
        with h.Session() as s:
            s.stroke([p for p, _ in STROKE])
            # Released outside: back over the window nothing is painted.
            after = [(200, 200), (220, 230)]
            frame = s.visit(*after)
            painted = {c: h.GREY for _, c in STROKE if c}
            self.assertEqual(frame.field(h.pointer(*after[-1], h.WHITE)), painted)


if __name__ == "__main__":
    h.main()
