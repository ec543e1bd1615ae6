#include "platform/pacing.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// Present times of frames whose work takes no time, window opened at origin.
std::vector<std::int32_t> presents(std::int32_t origin, int frames) {
  pacing p = startpacing(60, origin);
  std::int32_t now = origin;
  std::vector<std::int32_t> out;
  for (int f = 0; f < frames; ++f) {
    now = static_cast<std::int32_t>(static_cast<std::uint32_t>(now) + static_cast<std::uint32_t>(nextwait(p, now)));
    out.push_back(now);
  }
  return out;
}

TEST(pacing, sixty_frames_in_a_second) {
  std::vector<std::int32_t> t = presents(1000, 60);
  EXPECT_EQ(std::vector<std::int32_t>(t.begin(), t.begin() + 6),
            (std::vector<std::int32_t>{1016, 1033, 1050, 1066, 1083, 1100}));
  EXPECT_EQ(t.back(), 2000);
}

TEST(pacing, late_frame_restarts_the_schedule_and_keeps_the_remainder) {
  pacing p = startpacing(60, 1000);
  EXPECT_EQ(nextwait(p, 1040), 0);  // deadline 1016 already missed
  EXPECT_EQ(p.deadline, 1040);
  EXPECT_EQ(nextwait(p, 1040), 17);  // remainder 40 + 40 = 80: one more ms
  EXPECT_EQ(p.deadline, 1057);
  EXPECT_EQ(p.remainder, 20);
}

TEST(pacing, across_the_wrap_of_the_clock) {
  for (std::int32_t origin : {INT32_MAX - 20, -40}) {
    std::vector<std::int32_t> t = presents(origin, 60);
    std::int32_t expected[] = {16, 33, 50, 66, 83, 100};
    for (int k = 0; k < 6; ++k)
      EXPECT_EQ(static_cast<std::uint32_t>(t[k]) - static_cast<std::uint32_t>(origin),
                static_cast<std::uint32_t>(expected[k]))
          << "origin " << origin << " frame " << k;
    EXPECT_EQ(static_cast<std::uint32_t>(t.back()) - static_cast<std::uint32_t>(origin), 1000u);
  }
  // A frame late across the wrap restarts from now, not from a huge wait.
  pacing p = startpacing(60, INT32_MAX - 5);
  EXPECT_EQ(nextwait(p, INT32_MIN + 30), 0);
  EXPECT_EQ(p.deadline, INT32_MIN + 30);
}

}  // namespace
