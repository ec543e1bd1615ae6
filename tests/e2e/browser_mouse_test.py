"""The mouse on the page, exactly as on the desktop: a left stroke paints
wall, the palette is pixel-exact and chosen sand falls, a right release
picks with no context menu, the middle button neither scrolls nor pastes,
a drag off the left edge paints column 0, a pointer that leaves stays on the
edge, and a finger paints."""

import time
import unittest

import browser as b
from edge_test import STROKE as EDGE_STROKE
from expect import COLOURS, GREY, SAND, WATER, WHITE, cellof, palette, pointer
from paint_test import STROKE

MIDDLE, RIGHT = 2, 3  # numbered as X does

# What the page's own handlers did with the buttons' default actions,
# recorded once they have run.
RECORD = """window.seen = [];
['contextmenu', 'mousedown', 'auxclick'].forEach(t => document.addEventListener(t,
  e => seen.push([t, e.button, e.defaultPrevented])));"""


class MouseTest(unittest.TestCase):
    def test_stroke_paints_wall_where_the_pointer_went(self):
        with b.Page() as p:
            p.stroke(STROKE)
            after = [(400, 60), (420, 90)]
            frame = p.visit(*after)
            painted = {cellof(x, y): GREY for x, y in STROKE}
            self.assertEqual(frame.field(pointer(*after[-1], WHITE)), painted)

    def test_palette_pixels_and_chosen_sand_falls(self):
        with b.Page() as p:
            p.js(RECORD)
            anchor = (200, 150)
            frame = p.open_palette(anchor)
            self.assertEqual(frame.diff(palette(*anchor) | pointer(*anchor, GREY)), [])
            row = (anchor[0] - 10, anchor[1] + 8 * SAND + 3)
            frame = p.visit(row)
            self.assertEqual(frame.diff(palette(*anchor) | pointer(*row, GREY)), [])
            p.up(MIDDLE)
            frame = p.wait(lambda f: p.pointer_at(f, *row, COLOURS[SAND]), "sand to be chosen")
            self.assertEqual(frame.diff(pointer(*row, COLOURS[SAND])), [])
            # No auto-scroll and no paste: the middle button's defaults are
            # the program's.
            self.assertEqual(p.js("seen"), [["mousedown", 1, True], ["auxclick", 1, True]])

            at, park = (100, 40), (400, 100)
            p.visit(at)
            p.down(1)
            p.wait(lambda f: COLOURS[SAND] in f.field(pointer(*at, WHITE)).values(), "sand under the pointer")
            p.up(1)
            p.visit(park)
            hide = pointer(*park, WHITE)

            def settled(f):
                sand = {cell for cell, c in f.field(hide).items() if c == COLOURS[SAND]}
                return sand and all(cy == 63 or (cx, cy + 1) in sand for cx, cy in sand)

            p.shot(p.wait(settled, "the sand to settle on the bottom row"), "browser-sand-fallen")

    def test_right_release_picks_with_no_context_menu(self):
        with b.Page() as p:
            p.js(RECORD)
            wall_at = (100, 100)
            p.stroke([wall_at])
            anchor = (300, 200)
            p.open_palette(anchor)
            p.visit((anchor[0] - 10, anchor[1] + 8 * WATER + 4))
            p.up(MIDDLE)
            p.visit(wall_at)
            p.wait_pointer(*wall_at, COLOURS[WATER])
            p.js("seen.length = 0")

            p.down(RIGHT)
            time.sleep(0.3)  # some frames with the button held
            self.assertTrue(p.pointer_at(p.grab(), *wall_at, COLOURS[WATER]), "picked on the press")
            p.up(RIGHT)
            p.wait_pointer(*wall_at, GREY)
            events = p.js("seen")
            self.assertIn(["contextmenu", 2, True], events)
            self.assertTrue(all(prevented for _, _, prevented in events), events)

    def test_drag_off_the_left_edge_paints_column_0(self):
        with b.Page() as p:
            p.stroke([at for at, _ in EDGE_STROKE])
            after = [(200, 200), (220, 230)]
            frame = p.visit(*after)
            painted = {cell: GREY for _, cell in EDGE_STROKE if cell}
            self.assertEqual(frame.field(pointer(*after[-1], WHITE)), painted)

    def test_a_pointer_that_leaves_is_last_seen_on_the_edge(self):
        # As the desktop's window reports it; but released outside after a
        # drag, the pointer stays out of the field.
        with b.Page() as p:
            for inside, outside, edge in [((500, 300), (540, 300), (511, 300)), ((200, 20), (200, -30), (200, 0))]:
                p.visit(inside)
                p.move(*outside)
                p.wait_pointer(*edge)
            p.stroke([(20, 100), (-30, 200)])
            time.sleep(0.3)  # some frames after the release
            self.assertFalse(p.pointer_at(p.grab(), 0, 200), "the pointer came back to the edge")

    def test_a_finger_paints(self):
        with b.Page() as p:
            stops = [(60, 300), (90, 310), (130, 330)]
            p.touch("touchStart", *stops[0])
            for x, y in stops:
                p.touch("touchMove", x, y)
                p.wait_cell(x, y, GREY)
            p.touch("touchEnd", *stops[-1])
            after = (300, 100)
            frame = p.visit(after)
            self.assertEqual(frame.field(pointer(*after, WHITE)), {cellof(x, y): GREY for x, y in stops})


if __name__ == "__main__":
    b.main()
