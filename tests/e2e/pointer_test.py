"""The pointer over the window: the system one is invisible, the program's
own triangle is drawn at the pointer position, clipped at the edges."""

import unittest

import harness as h

# Inside, and at the right, bottom and far edges where it is cut off.
PLACES = [(256, 256), (0, 0), (505, 20), (30, 508), (511, 511)]


class PointerTest(unittest.TestCase):
    def cursor_opaque_pixels(self, s):
        width, height, opaque = map(int, s.run([h.HELPERS[0]]).split())
        self.assertGreater(width * height, 0)
        return opaque

    def test_system_pointer_hidden_and_drawn_pointer_shown(self):
        with h.Session() as s:
            # Over the desktop the system pointer shows: the helper sees it.
            s.move(-300, -200)
            self.assertGreater(self.cursor_opaque_pixels(s), 0)
            for place in PLACES:
                with self.subTest(place=place):
                    frame = s.visit(place)
                    self.assertEqual(frame.diff(h.pointer(*place, h.GREY)), [])
                    self.assertEqual(self.cursor_opaque_pixels(s), 0)


if __name__ == "__main__":
    h.main()
