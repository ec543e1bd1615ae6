"""The page shows exactly the pixels of the headless frame: a field of wall
and plant painted through the mouse, read back from the page, is drawn
again by grainpit-sim, and every pixel but the drawn pointer's is the same,
as in the desktop window."""

import unittest

import browser as b
from headless_match_test import paint_and_compare


class BrowserMatchTest(unittest.TestCase):
    def test_page_pixels_are_the_headless_frame(self):
        with b.Page() as p:
            paint_and_compare(self, p, b.HELPERS[0], "browser-match")


if __name__ == "__main__":
    b.main()
