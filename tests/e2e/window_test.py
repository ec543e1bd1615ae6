"""The window: its title, size and place, a black first picture, and the
process ending with status 0 when the window is closed."""

import unittest

import harness as h


class WindowTest(unittest.TestCase):
    # An odd screen size tells a centred client from a centred frame and
    # checks the rounding; each case closes the window another way.
    CASES = [
        ((1280, 1024), "alt+F4", lambda s: s.xdo("key", "alt+F4")),
        ((1023, 767), "window manager close", lambda s: s.run(["wmctrl", "-i", "-c", s.wid])),
    ]

    def test_window_opens_centred_and_black_and_closes_cleanly(self):
        for (width, height), how, close in self.CASES:
            with self.subTest(screen=(width, height), close=how), h.Session(screen=(width, height)) as s:
                self.assertEqual(s.xdo("getwindowname", s.wid).strip(), "Grainpit")
                self.assertEqual(s.geometry(), (width // 2 - 256, height // 2 - 256, 512, 512))
                # What the window manager offers for it: closing and minimising,
                # neither resizing nor maximising.
                actions = s.run(["xprop", "-id", s.wid, "_NET_WM_ALLOWED_ACTIONS"])
                for action, offered in (("CLOSE", True), ("MINIMIZE", True), ("RESIZE", False),
                                        ("MAXIMIZE_HORZ", False), ("MAXIMIZE_VERT", False)):
                    self.assertEqual(f"_NET_WM_ACTION_{action}," in actions + ",", offered, action)
                # The X pointer has stayed outside: no movement yet, so the
                # drawn pointer sits at (0, 0), filled with wall, over an
                # empty field.
                self.assertEqual(s.grab().diff(h.pointer(0, 0, h.GREY)), [])
                # No other key does anything: frames go on after these.
                s.activate(s.wid)
                s.xdo("key", "Escape", "q", "space", "Return")
                s.visit((100, 100), (120, 120))
                self.assertTrue(s.alive())
                close(s)
                self.assertEqual(s.wait_exit(), 0)


if __name__ == "__main__":
    h.main()
