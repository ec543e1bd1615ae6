"""Focus lost with the left button held, by showing another tab: the page
reads the button as up from then on, and the next real press paints again
and its release stops painting (no button stays down, no press is
swallowed)."""

import unittest

import browser as b
from expect import GREY, WHITE, cellof, pointer


class FocusTest(unittest.TestCase):
    # The button goes up while the other tab is shown, or only after
    # Grainpit's is shown again.
    CASES = [("released away", True), ("released back", False)]

    def test_a_press_after_focus_changes_paints_and_its_release_stops(self):
        with b.Page() as p:
            p.js("window.focuses = []; ['blur', 'focus'].forEach(t => addEventListener(t, () => focuses.push(t)))")
            other = p.call("Target.createTarget", url="about:blank", background=True)["targetId"]
            away = p.call("Target.attachToTarget", targetId=other, flatten=True)["sessionId"]
            painted = {}
            for row, (name, release_away) in enumerate(self.CASES):
                with self.subTest(name):
                    y = 100 + 200 * row
                    p1, p2, p3, p4, p5, p6 = ((40 + 80 * k, y) for k in range(6))
                    p.page("Page.bringToFront")
                    p.visit(p1)
                    p.down(1)
                    p.wait_cell(*p1, GREY)
                    p.call("Page.bringToFront", away)
                    if release_away:
                        p.held = 0
                        p.call("Input.dispatchMouseEvent", away, type="mouseReleased", x=10, y=10,
                               button="left", buttons=0, clickCount=1)
                    p.page("Page.bringToFront")
                    # Released away, or still held across both changes: p2
                    # is not painted either way.
                    p.visit(p2)
                    if not release_away:
                        p.up(1)
                    p.visit(p3)
                    p.down(1)
                    p.wait_cell(*p3, GREY)
                    p.move(*p4)
                    p.wait_cell(*p4, GREY)
                    p.up(1)
                    frame = p.visit(p5, p6)
                    painted.update({cellof(*at): GREY for at in (p1, p3, p4)})
                    self.assertEqual(frame.field(pointer(*p6, WHITE)), painted)
            # The page did lose and regain the focus, twice.
            self.assertEqual(p.js("focuses").count("blur"), 2)


if __name__ == "__main__":
    b.main()
