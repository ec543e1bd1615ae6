"""The palette: held middle button, drawn left of where the pointer rested,
pixel-exact; the row under the pointer is chosen on release; chosen sand
falls."""

import unittest

import harness as h

MIDDLE = 2  # X numbers the middle button 2


class PaletteTest(unittest.TestCase):
    def close_showing(self, s, anchor, at, colour):
        """Releases the middle button; waits for the palette at `anchor` to
        go and the pointer at `at` to show the selected colour."""
        s.up(MIDDLE)
        (ax, ay), (x, y) = anchor, at
        return s.wait(lambda f: f.at(ax - 18, ay - 2) != h.GREY and s.pointer_at(f, x, y, colour),
                      f"the palette to close on {colour}")

    def test_palette_draws_chooses_and_chosen_sand_falls(self):
        with h.Session() as s:
            anchor = (200, 150)
            frame = s.open_palette(anchor)
            s.shot(frame, "palette-open")
            self.assertEqual(frame.diff(h.palette(*anchor) | h.pointer(*anchor, h.GREY)), [])

            # Over the sand row the palette stays put and the pointer still
            # shows wall: the choice waits for the release.
            sand_row = (anchor[0] - 10, anchor[1] + 8 * h.SAND + 3)
            s.move(*sand_row)
            frame = s.wait_pointer(*sand_row)
            s.shot(frame, "palette-over-sand")
            self.assertEqual(frame.diff(h.palette(*anchor) | h.pointer(*sand_row, h.GREY)), [])
            frame = self.close_showing(s, anchor, sand_row, h.COLOURS[h.SAND])
            self.assertEqual(frame.diff(h.pointer(*sand_row, h.COLOURS[h.SAND])), [])

            # Painted sand shows near the pointer while the button is held,
            # then all of it falls and settles on the bottom row.
            at, park = (100, 40), (400, 100)
            s.visit(at)
            s.down(1)
            hide = h.pointer(*at, h.WHITE)
            frame = s.wait(lambda f: h.COLOURS[h.SAND] in f.field(hide).values(), "sand under the pointer")
            s.up(1)
            s.shot(frame, "sand-painted")
            rows = [cy for (cx, cy), c in frame.field(hide).items() if c == h.COLOURS[h.SAND]]
            self.assertLessEqual(min(rows), 8, "no sand near where it is painted")
            s.visit(park)
            hide = h.pointer(*park, h.WHITE)

            def settled(f):
                # Every grain on the bottom row or on another grain.
                sand = {cell for cell, c in f.field(hide).items() if c == h.COLOURS[h.SAND]}
                return sand and all(cy == 63 or (cx, cy + 1) in sand for cx, cy in sand)

            s.shot(s.wait(settled, "the sand to settle on the bottom row"), "sand-fallen")

            # Closing the palette over no swatch keeps sand; a row passed
            # over and left still counts: the last one wins.
            elsewhere = (300, 300)
            s.open_palette(elsewhere)
            s.visit((elsewhere[0] + 30, elsewhere[1] + 30))
            self.close_showing(s, elsewhere, (elsewhere[0] + 30, elsewhere[1] + 30), h.COLOURS[h.SAND])
            s.open_palette(elsewhere)
            s.visit(*[(elsewhere[0] - 10, elsewhere[1] + 8 * k + 4) for k in (h.WATER, h.PLANT)])
            s.visit((elsewhere[0] + 40, elsewhere[1] - 20))
            self.close_showing(s, elsewhere, (elsewhere[0] + 40, elsewhere[1] - 20), h.COLOURS[h.PLANT])


if __name__ == "__main__":
    h.main()
