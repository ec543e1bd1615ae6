"""The page as a player meets it: titled Grainpit, black, the 512 x 512 field
in the middle with one short line under it, a black first frame with the
drawn pointer and no system pointer; sharp cells on a dense screen; keys do
nothing and the browser keeps its own; the wheel over the field never
scrolls the page."""

import unittest

import browser as b
from expect import GREY, SIZE, pointer, rect


def outside(width, height, data, boxes):
    """Pixels of an RGB screenshot that are not black and lie in none of the
    boxes (x0, y0, x1, y1), at most 10 of them."""
    out = []
    for y in range(height):
        row = data[3 * width * y:3 * width * (y + 1)]
        if row.count(0) == len(row):
            continue
        for x in range(width):
            if row[3 * x:3 * x + 3] != b"\0\0\0" and not any(
                    x0 <= x < x1 and y0 <= y < y1 for x0, y0, x1, y1 in boxes):
                out.append((x, y, tuple(row[3 * x:3 * x + 3])))
                if len(out) == 10:
                    return out
    return out


class PageTest(unittest.TestCase):
    # An odd-sized window puts the centre between two pixels.
    WINDOWS = [(1280, 1024), (1023, 767)]

    def test_title_centred_field_first_frame_and_nothing_else(self):
        for window in self.WINDOWS:
            with self.subTest(window=window), b.Page(window=window) as p:
                self.assertEqual(p.js("document.title"), "Grainpit")
                width, height = p.js("[innerWidth, innerHeight]")
                self.assertEqual(p.box, ((width - SIZE) / 2, (height - SIZE) / 2, SIZE, SIZE))
                self.assertEqual(p.js("(c => [c.width, c.height])(document.getElementById('field'))"),
                                 [SIZE, SIZE])
                # No movement yet: the drawn pointer at (0, 0), filled with
                # wall, over an empty field; the system pointer hidden.
                self.assertEqual(p.grab().diff(pointer(0, 0, GREY)), [])
                self.assertEqual(p.js("getComputedStyle(document.getElementById('field')).cursor"), "none")

                # One short line of text, and nothing but it and the field
                # shows on the black page.
                text = p.js("document.body.innerText").strip()
                self.assertNotIn("\n", text)
                self.assertLess(len(text), 80)
                line = p.js("(r => [r.left, r.top, r.right, r.bottom])"
                            "(document.querySelector('p').getBoundingClientRect())")
                sw, sh, data = p.pixels()
                self.assertEqual((sw, sh), (width, height))
                x, y = p.origin
                field = (x, y, x + SIZE, y + SIZE)
                self.assertEqual(outside(sw, sh, data, [field, line]), [])
                self.assertGreater(line[1], field[3], "the line is not under the field")
                self.assertLessEqual(line[3], height, "the line is out of sight")

    def test_cells_stay_sharp_squares_on_a_dense_screen(self):
        with b.Page(scale=2) as p:
            stroke = [(40, 40), (48, 48), (57, 47)]
            p.stroke(stroke)
            p.visit((101, 77))
            width, height, data = p.pixels((*p.origin, SIZE, SIZE))
            self.assertEqual((width, height), (2 * SIZE, 2 * SIZE))
            # Every field pixel is a 2 x 2 square of one colour, and they
            # are the field's pixels.
            rows = [b.sample(data, width, y, 1) for y in range(height)]
            for y in range(0, height, 2):
                self.assertEqual(rows[y], rows[y + 1], f"device rows {y} and {y + 1}")
                self.assertEqual(rows[y][0::6], rows[y][3::6], f"device row {y}")
            cells = {}
            for x, y in stroke:
                cells.update(rect(x // 8 * 8, y // 8 * 8, 8, 8, GREY))
            self.assertEqual(p.grab().diff(cells | pointer(101, 77, GREY)), [])

    def test_keys_do_nothing_and_stay_the_browsers(self):
        with b.Page() as p:
            p.js("window.keys = []; addEventListener('keydown', e => keys.push(e.defaultPrevented))")
            p.page("Page.bringToFront")
            p.visit((100, 100))
            keys = [("Escape", 27, 0), ("q", 81, 0), (" ", 32, 0), ("Enter", 13, 0), ("f", 70, 2), ("d", 68, 2)]
            for key, code, modifiers in keys:
                for kind in ("keyDown", "keyUp"):
                    p.page("Input.dispatchKeyEvent", type=kind, key=key, windowsVirtualKeyCode=code,
                           modifiers=modifiers)
            # Frames go on and show nothing new; no key was kept from the
            # browser.
            frame = p.visit((120, 120), (140, 130))
            self.assertEqual(frame.diff(pointer(140, 130, GREY)), [])
            self.assertEqual(p.js("keys"), [False] * len(keys))

    def test_wheel_over_the_field_does_not_scroll_the_page(self):
        # A window too low for the field: the page can scroll.
        with b.Page(window=(900, 500)) as p:
            self.assertGreater(p.js("document.documentElement.scrollHeight - innerHeight"), 0)
            p.visit((200, 100))
            # Turned towards the user, which scrolls a page down.
            p.wheel(-1)
            p.wheel(-2)
            p.visit((210, 100))
            self.assertEqual(p.js("scrollY"), 0)
            # Beside the field the same wheel scrolls, as on any page.
            p.move(-100, 100)
            p.wheel(-1)
            b.harness.poll(lambda: p.js("scrollY") > 0, "the page to scroll")
            # Ctrl with the wheel over the field stays the browser's zoom.
            p.js("scrollTo(0, 0); window.wheels = []; addEventListener('wheel', e => wheels.push(e.defaultPrevented))")
            p.visit((200, 100))
            p.wheel(1, modifiers=2)
            b.harness.poll(lambda: p.js("wheels.length"), "the wheel event")
            self.assertEqual(p.js("wheels"), [False])


if __name__ == "__main__":
    b.main()
