#include "app/app.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/framebuffer.h"
#include "platform/headless.h"
#include "platform/platform.h"
#include "sim/grid.h"
#include "sim/parts.h"
#include "ui/interact.h"

namespace {

using headless::seen;

class program : public ::testing::Test {
 protected:
  void SetUp() override { headless::reset(1000); }
};

// Each start-up call with what had been set up when it came: the type
// count and a cell of the field, both left at stale values beforehand.
struct call {
  std::string name;
  int arg, types, cell;
  bool operator==(const call&) const = default;
};
std::vector<call> calls;

TEST_F(program, starts_up_in_order) {
  calls.clear();
  count = 5;
  grid[5][5] = 3;
  headless::oncall = [](const char* name, int arg) { calls.push_back({name, arg, count, grid[5][5]}); };
  startup();
  headless::oncall = nullptr;
  std::vector<call> expected = {
      {"StartPlatform", 0, 5, 3}, {"ClockMs", 0, 5, 3},       // the seed is the clock,
      {"SeedRandom", 1000, 5, 3},                              // taken before the field
      {"OpenWindow", 0, 5, 0},                                 // is cleared; the window
      {"SetMouseVisible", 0, 12, 0},                           // before the types
  };
  EXPECT_EQ(calls, expected);
  EXPECT_TRUE(seen.opened);
  EXPECT_EQ(seen.width, 512);
  EXPECT_EQ(seen.height, 512);
  EXPECT_EQ(seen.rate, 60);
  EXPECT_STREQ(seen.title, "Grainpit");
  EXPECT_EQ(seen.mousevisible, 0);
  EXPECT_EQ(count, 12);
  EXPECT_EQ(selected, wall->i);
  // The seed is the clock at start-up.
  double first = Uniform();
  SeedRandom(1000);
  EXPECT_EQ(Uniform(), first);
}

TEST_F(program, first_frame_is_black_with_the_pointer_at_the_top_left) {
  startup();
  EXPECT_FALSE(frame());
  EXPECT_EQ(seen.presents, 1);
  EXPECT_EQ(seen.lastpresent, 1016);
  EXPECT_EQ(fbat(0, 0), (colour{255, 255, 255}));
  EXPECT_EQ(fbat(1, 1), (colour{128, 128, 128}));  // the pointer's wall fill
  EXPECT_EQ(fbat(8, 8), (colour{0, 0, 0}));
  EXPECT_EQ(fbat(511, 511), (colour{0, 0, 0}));
}

TEST_F(program, frames_are_presented_on_schedule) {
  startup();
  std::int32_t expected[] = {1016, 1033, 1050, 1066, 1083, 1100};
  for (std::int32_t t : expected) {
    EXPECT_FALSE(frame());
    EXPECT_EQ(seen.lastpresent, t);
  }
}

TEST_F(program, late_frame_is_presented_at_once) {
  startup();
  headless::beforeflip = [] { headless::setclock(1040); };
  EXPECT_FALSE(frame());
  EXPECT_EQ(seen.lastpresent, 1040);
  headless::beforeflip = nullptr;
  EXPECT_FALSE(frame());
  EXPECT_EQ(seen.lastpresent, 1057);
}

// However a close request arrives, the frame it arrives in is presented and
// the program ends at that frame's close test, once.
TEST_F(program, close_requests_end_the_program_at_the_end_of_a_frame) {
  struct way {
    const char* when;
    void (*make)();
  } ways[] = {
      {"before the frame, twice", [] { headless::close(), headless::close(); }},
      {"while the frame is computed", [] { headless::beforeflip = [] { headless::close(); }; }},
      {"during the pacing sleep", [] { headless::closeat(1030); }},
  };
  for (const way& w : ways) {
    SCOPED_TRACE(w.when);
    headless::reset(1000);
    startup();
    EXPECT_FALSE(frame());
    w.make();
    EXPECT_TRUE(frame());
    EXPECT_EQ(seen.presents, 2);
    EXPECT_FALSE(CloseRequested()) << "requests are answered once";
  }
}

TEST_F(program, close_request_during_startup_ends_the_first_frame) {
  headless::close();
  startup();
  EXPECT_TRUE(frame());
  EXPECT_EQ(seen.presents, 1);
}

}  // namespace
