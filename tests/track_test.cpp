#include <cstdint>
#include <string>
#include <vector>

#include "world.h"

namespace {

using tracker = world;

// One update with the clock at t.
void update(std::int32_t t) {
  headless::setclock(t);
  track();
}

TEST_F(tracker, double_clicks_are_timed_from_the_last_single_press) {
  struct {
    std::int32_t t;
    int dbl;
    std::int32_t clicktime;
  } presses[] = {{1000, 0, 1000}, {1300, 1, 1000}, {1320, 1, 1000}, {1321, 0, 1321}};
  for (auto& p : presses) {
    headless::press(1);
    update(p.t);
    EXPECT_EQ(pressed1, 1) << p.t;
    EXPECT_EQ(dbl1, p.dbl) << p.t;
    EXPECT_EQ(clicktime1, p.clicktime) << p.t;
    EXPECT_EQ(presstime1, p.t);
    headless::release(1);
    update(p.t + 1);
    EXPECT_EQ(released1, 1);
    EXPECT_EQ(dbl1, 0);
  }
  EXPECT_EQ(clicktime2, 0) << "buttons are timed independently";
}

std::vector<std::string> queries;

// One query of each input per update, in a fixed order, and a fresh clock
// reading for each press handled; here the clock moves 1 ms per reading.
TEST_F(tracker, queries_the_platform_once_each_in_order) {
  queries.clear();
  headless::oncall = [](const char* name, int arg) {
    queries.push_back(std::string(name) + (arg ? std::to_string(arg) : ""));
    if (std::string(name) == "ClockMs") headless::advance(1);
  };
  headless::press(1);
  headless::press(3);
  update(1000);
  headless::oncall = nullptr;
  EXPECT_EQ(queries, (std::vector<std::string>{"ClockMs", "PointerX", "PointerY", "ButtonDown1", "ButtonDown2",
                                               "ButtonDown3", "PointerWheel", "ClockMs", "ClockMs"}));
  EXPECT_EQ(clicktime1, 1001);
  EXPECT_EQ(presstime1, 1002);
  EXPECT_EQ(presstime3, 1003);
}

TEST_F(tracker, double_clicks_across_the_wrap_of_the_clock) {
  headless::press(3);
  update(INT32_MAX - 100);
  headless::release(3);
  update(INT32_MAX - 50);
  headless::press(3);
  update(INT32_MIN + 100);  // 201 ms later
  EXPECT_EQ(dbl3, 1);
  EXPECT_EQ(clicktime3, INT32_MAX - 100);
}

TEST_F(tracker, first_press_is_double_only_while_the_clock_reads_320_or_less) {
  headless::press(2);
  update(320);
  EXPECT_EQ(dbl2, 1);
  newtrack();
  headless::reset(321);
  headless::press(2);
  update(321);
  EXPECT_EQ(dbl2, 0);
}

TEST_F(tracker, press_and_release_between_updates_leave_no_trace) {
  update(1000);
  headless::press(1);
  headless::release(1);
  update(1016);
  EXPECT_EQ(held1 + pressed1 + released1, 0);
}

TEST_F(tracker, frames_counts_updates_since_a_release) {
  for (int k = 0; k < 5; ++k) update(k);
  EXPECT_EQ(frames, 5);
  headless::press(2);
  update(10);
  headless::press(1);
  headless::release(2);
  update(20);
  EXPECT_EQ(pressed1, 1);
  EXPECT_EQ(released2, 1);
  EXPECT_EQ(frames, 0);
  update(30);
  EXPECT_EQ(frames, 1);
}

TEST_F(tracker, drag_keeps_the_position_from_before_the_press) {
  headless::move(40, 50);
  update(0);
  EXPECT_EQ(movex, 40);
  EXPECT_EQ(movey, 50);
  headless::move(60, 70);
  headless::press(1);
  update(16);
  EXPECT_EQ(dragx, 40);
  EXPECT_EQ(dragy, 50);
  headless::move(-20, 600);  // outside the window while held
  update(33);
  EXPECT_EQ(ptrx, -20);
  EXPECT_EQ(movey, 530);
  EXPECT_EQ(dragx, 40);
  headless::release(1);
  update(50);
  EXPECT_EQ(dragx, -20);
  EXPECT_EQ(dragy, 600);
}

TEST_F(tracker, wheel_moves_are_the_previous_total_minus_the_new) {
  headless::turn(3);
  update(0);
  EXPECT_EQ(wheel, 3);
  EXPECT_EQ(wheelmove, -3);
  headless::turn(-1);
  update(16);
  EXPECT_EQ(wheelmove, 1);
  EXPECT_EQ(lastwheel, 2);
}

// A button held while activation goes elsewhere is not stuck: it reads up,
// and the next real press counts again.
TEST_F(tracker, activation_changes_release_every_button_and_reset_the_wheel) {
  headless::press(1);
  headless::turn(2);
  update(0);
  headless::activation();
  update(16);
  EXPECT_EQ(held1, 0);
  EXPECT_EQ(released1, 1);
  EXPECT_EQ(wheel, 0);
  headless::activation();
  headless::press(1);
  update(33);
  EXPECT_EQ(pressed1, 1);
  headless::release(1);
  update(50);
  EXPECT_EQ(released1, 1);
}

TEST_F(tracker, inrect_has_half_open_bounds) {
  struct {
    int x, y, inside;
  } cases[] = {{10, 20, 1}, {21, 27, 1}, {22, 20, 0}, {10, 28, 0}, {9, 20, 0}, {10, 19, 0}};
  for (auto& c : cases) {
    ptrx = c.x;
    ptry = c.y;
    EXPECT_EQ(inrect(10, 20, 12, 8), c.inside) << c.x << "," << c.y;
  }
  ptrx = 10;
  ptry = 20;
  EXPECT_EQ(inrect(10, 20, 0, 8), 0);
  EXPECT_EQ(inrect(10, 20, 12, 0), 0);
}

}  // namespace
