// The web backend's meaning of browser events, without a browser: buttons,
// positions, fingers, the wheel and focus changes into the input state.
#include "platform/webinput.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/input.h"

namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

struct webinput : ::testing::Test {
  void SetUp() override { input = inputstate{}; }
};

webevent pointer(double x, double y, int button, int buttons, bool mouse = true, bool primary = true) {
  webevent e;
  e.x = x;
  e.y = y;
  e.button = button;
  e.buttons = buttons;
  e.mouse = mouse;
  e.primary = primary;
  return e;
}

webevent of(webkind what, bool mouse = true) {
  webevent e;
  e.what = what;
  e.mouse = mouse;
  return e;
}

webevent wheel(double rotation, double delta = 0, int mode = 0) {
  webevent e = of(webkind::wheel);
  e.rotation = rotation;
  e.delta = delta;
  e.mode = mode;
  return e;
}

int held() { return inputdown(1) * 1 + inputdown(2) * 2 + inputdown(3) * 4; }

TEST(webbutton, dom_buttons_to_the_programs_numbers) {
  int want[] = {0, 1, 3, 2, 0, 0, 0};  // DOM -1 .. 5; back, forward and eraser do nothing
  for (int b = -1; b <= 5; ++b) EXPECT_EQ(webbutton(b), want[b + 1]) << b;
}

// Only the button that changed counts; the DOM's set of held buttons tells
// whether it went down or up, also for a second button pressed during a drag
// (which the browser reports as a move).
TEST_F(webinput, buttons_go_down_and_up_one_at_a_time_also_chorded) {
  struct {
    int button, buttons, held;
  } steps[] = {
      {0, 1, 1},   // left down
      {2, 3, 3},   // right down while left held
      {-1, 3, 3},  // a move
      {0, 2, 2},   // left up
      {1, 6, 6},   // middle down
      {2, 4, 4},   // right up
      {1, 0, 0},   // middle up
  };
  for (auto& s : steps) {
    webapply(pointer(10, 10, s.button, s.buttons));
    EXPECT_EQ(held(), s.held) << s.button << " " << s.buttons;
  }
}

// A button held while the focus went and came back stays up until it is
// pressed again, though the browser still lists it as held.
TEST_F(webinput, focus_change_clears_buttons_and_wheel_for_good) {
  webapply(pointer(10, 10, 0, 1));
  webapply(wheel(240));
  webapply(of(webkind::focus));
  EXPECT_EQ(held(), 0);
  EXPECT_EQ(input.wheel, 0);
  webapply(pointer(20, 10, -1, 1));
  EXPECT_EQ(held(), 0);
  webapply(pointer(20, 10, 0, 0));
  webapply(pointer(20, 10, 0, 1));
  EXPECT_EQ(held(), 1);
}

TEST_F(webinput, positions_are_the_whole_pixel_under_the_pointer) {
  struct {
    double x, y;
    int wx, wy;
  } cases[] = {{0, 0, 0, 0},        {10.99, 511.5, 10, 511}, {-0.5, -7.01, -1, -8},
               {-30, 600, -30, 600}, {nan, 5, 0, 5},          {1e300, -1e300, 0, 0}};
  for (auto& c : cases) {
    webapply(pointer(c.x, c.y, -1, 0));
    EXPECT_EQ(input.x, c.wx) << c.x;
    EXPECT_EQ(input.y, c.wy) << c.y;
  }
}

// A finger or a pen is the left button while it touches; its other buttons
// never pick or open the palette. A second finger does nothing at all.
TEST_F(webinput, fingers_and_pens_paint_with_the_left_button) {
  webapply(pointer(30, 40, 0, 1, false));
  EXPECT_EQ(held(), 1);
  EXPECT_EQ(input.x, 30);
  webapply(pointer(90, 90, 0, 1, false, false));
  EXPECT_EQ(input.x, 30);
  webapply(pointer(31, 40, 2, 3, false));  // the pen's barrel button
  EXPECT_EQ(held(), 1);
  webapply(pointer(31, 40, 2, 1, false));
  EXPECT_EQ(held(), 1);
  webapply(pointer(32, 40, 0, 0, false));
  EXPECT_EQ(held(), 0);
}

TEST_F(webinput, a_cancelled_pointer_lets_go_of_its_buttons) {
  webapply(pointer(10, 10, 0, 1));
  webapply(pointer(10, 10, 2, 3));
  webapply(pointer(10, 10, 1, 7));
  webapply(of(webkind::cancel));
  EXPECT_EQ(held(), 0);
  webapply(pointer(10, 10, 0, 1, false));
  webapply(of(webkind::cancel, false));
  EXPECT_EQ(held(), 0);
}

TEST_F(webinput, wheel_notches_away_from_the_user_truncated) {
  struct {
    webevent e;
    int notches;
  } cases[] = {
      {wheel(120), 1},  {wheel(360), 3},   {wheel(-240), -2}, {wheel(100), 0}, {wheel(-130), -1},
      // Without the browser's own rotation: one notch of pixels, lines or
      // pages, towards the user positive.
      {wheel(nan, 100), -1}, {wheel(nan, -300), 3}, {wheel(nan, 3, 1), -1}, {wheel(nan, -1, 2), 1},
      {wheel(nan, 40), 0},   {wheel(1e300), 0},     {wheel(nan, nan), 0},
  };
  for (auto& c : cases) EXPECT_EQ(webnotches(c.e), c.notches) << c.e.rotation << " " << c.e.delta;
  webapply(wheel(120));
  webapply(wheel(-360));
  EXPECT_EQ(input.wheel, -2);
}

}  // namespace
