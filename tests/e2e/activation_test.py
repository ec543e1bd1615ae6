"""Activation changes while the left button is held: the program reads the
button as up from then on, and the next real press paints again and its
release stops painting (no button stays down, no press is swallowed)."""

import unittest

import harness as h


class ActivationTest(unittest.TestCase):
    # The button goes up while the other window is active, or only after
    # Grainpit is active again.
    CASES = [("released away", True), ("released back", False)]

    def test_a_press_after_activation_changes_paints_and_its_release_stops(self):
        with h.Session() as s:
            # Opening it takes activation, and a click that gives it back is
            # spent on the activation; so each case starts active.
            other = s.other_window()
            painted = {}
            for row, (name, release_away) in enumerate(self.CASES):
                with self.subTest(name):
                    y = 100 + 200 * row
                    p1, p2, p3, p4, p5, p6 = ((40 + 80 * k, y) for k in range(6))
                    s.activate(s.wid)
                    s.visit(p1)
                    s.down(1)
                    s.wait_cell(*p1, h.GREY)
                    s.activate(other)
                    if release_away:
                        s.visit(p2)  # still held, but the window has lost activation
                        s.up(1)
                        s.activate(s.wid)
                    else:
                        s.activate(s.wid)
                        s.visit(p2)  # still held across both changes
                        s.up(1)
                    s.visit(p3)
                    s.down(1)
                    s.wait_cell(*p3, h.GREY)
                    s.move(*p4)
                    s.wait_cell(*p4, h.GREY)
                    s.up(1)
                    frame = s.visit(p5, p6)
                    painted.update({h.cellof(*p): h.GREY for p in (p1, p3, p4)})
                    self.assertEqual(frame.field(h.pointer(*p6, h.WHITE)), painted)


if __name__ == "__main__":
    h.main()
