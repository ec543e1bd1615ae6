"""Picking: releasing the right button over a cell selects the cell's type,
which then fills the drawn pointer and is what the left button paints."""

import time
import unittest

import harness as h

MIDDLE, RIGHT = 2, 3  # X button numbers


class PickTest(unittest.TestCase):
    def test_right_release_picks_the_type_under_the_pointer(self):
        with h.Session() as s:
            wall_at, empty_at = (100, 100), (200, 300)
            s.visit(wall_at)
            s.down(1)
            s.wait_cell(*wall_at, h.GREY)
            s.up(1)

            # Water from the palette, so that a pick has something to change.
            anchor = (300, 200)
            s.open_palette(anchor)
            s.visit((anchor[0] - 10, anchor[1] + 8 * h.WATER + 4))
            s.up(MIDDLE)
            s.visit(wall_at)
            s.wait_pointer(*wall_at, h.COLOURS[h.WATER])

            # Picks follow the release, not the press.
            before = h.COLOURS[h.WATER]
            for at, picked in ((wall_at, h.GREY), (empty_at, h.BLACK)):
                with self.subTest(at=at):
                    s.visit(at)
                    s.down(RIGHT)
                    time.sleep(0.3)  # some frames with the button held
                    self.assertTrue(s.pointer_at(s.grab(), *at, before), "picked on the press")
                    s.up(RIGHT)
                    s.wait_pointer(*at, picked)
                    before = picked

            # Empty picked: painting erases the wall.
            s.visit(wall_at)
            s.down(1)
            s.wait_cell(*wall_at, h.BLACK)
            s.up(1)
            frame = s.visit(empty_at)
            self.assertEqual(frame.diff(h.pointer(*empty_at, h.BLACK)), [])


if __name__ == "__main__":
    h.main()
